#include "app/window/lottery_page.h"

#include "app/gbk_codec.h"
#include "app/window/draw_grid.h"
#include "app/window/fonts.h"
#include "app/window/kill_log_view.h"
#include "readers/gbk_texts.h"

#include <QLabel>
#include <QPushButton>

#include <array>

namespace yanchuan {

namespace {

// clang-format off
constexpr std::array<PageSpec, 6> kPages = {{
    {LotteryKind::Pk10, gbk::kPk10Name, "高级表格_PK拾", "编辑框_PK拾分析结果",
        "按钮_读取PK拾开奖号码", gbk::kReadPk10Caption, "按钮_分析PK拾", gbk::kAnalysePk10Caption,
        fonts::kSong, 19, 255, 0, 0},
    {LotteryKind::Chongqing, gbk::kChongqingName, "高级表格_重庆时时彩", "编辑框_重庆时时彩后二分析结果",
        "按钮_读取重庆时时彩", gbk::kReadChongqingCaption, "按钮_分析重庆时时彩后二", gbk::kAnalyseLastTwoCaption,
        fonts::kSong, 19, 255, 0, 0},
    {LotteryKind::VietFive, gbk::kVietFiveName, "高级表格_越南五分彩", "编辑框_越南五分彩后二分析结果",
        "按钮_读取越南五分彩", gbk::kReadVietFiveCaption, "按钮_分析越南五分彩后二", gbk::kAnalyseLastTwoCaption,
        fonts::kYaHei, 16, 255, 128, 0},
    {LotteryKind::IndoFive, gbk::kIndoFiveName, "高级表格_印尼五分彩", "编辑框_印尼五分彩后二分析结果",
        "按钮_读取印尼五分彩", gbk::kReadIndoFiveCaption, "按钮_分析印尼五分彩后二", gbk::kAnalyseLastTwoCaption,
        fonts::kYaHei, 16, 0, 0, 255},
    {LotteryKind::VietOne, gbk::kVietOneName, "高级表格_越南分分彩", "编辑框_越南分分彩后二分析结果",
        "按钮_读取越南分分彩", gbk::kReadVietOneCaption, "按钮_分析越南分分彩后二", gbk::kAnalyseLastTwoCaption,
        fonts::kYaHei, 16, 255, 128, 0},
    {LotteryKind::IndoOne, gbk::kIndoOneName, "高级表格_印尼分分彩", "编辑框_印尼分分彩后二分析结果",
        "按钮_读取印尼分分彩", gbk::kReadIndoOneCaption, "按钮_分析印尼分分彩后二", gbk::kAnalyseLastTwoCaption,
        fonts::kYaHei, 16, 0, 0, 255},
}};
// clang-format on

constexpr bool PagesFollowKindOrder()
{
    for (std::size_t i = 0; i < kPages.size(); ++i) {
        if (kPages[i].kind != kAllLotteries[i]) {
            return false;
        }
    }
    return true;
}
static_assert(PagesFollowKindOrder());

// Places within the page.
constexpr QRect kGridPlace(32, 72, 736, 288);
constexpr QRect kLogPlace(32, 392, 408, 208);
constexpr QRect kReadPlace(520, 416, 200, 48);
constexpr QRect kAnalysePlace(520, 512, 200, 48);
// The record sits in the gap between the grid and the log.
constexpr QRect kRecordPlace(32, 362, 736, 28);

QString FromGbk(std::string_view gbk) { return QString::fromStdString(GbkToUtf8(gbk)); }

} // namespace

const PageSpec& PageSpecOf(LotteryKind kind) { return kPages[IndexOf(kind)]; }

// Shows the desk's record of the forecasts again after every change of the log.
class LotteryPage::RecordFollower final : public KillLogObserver {
public:
    RecordFollower(LotteryPage& page)
        : m_page(page)
    {
        m_page.m_desk.Log(m_page.m_kind).AddObserver(this);
    }
    ~RecordFollower() override { m_page.m_desk.Log(m_page.m_kind).RemoveObserver(this); }

    void TextAppended(std::string_view) override { m_page.ShowRecord(); }
    void TextReplaced(bool) override { m_page.ShowRecord(); }

private:
    LotteryPage& m_page;
};

LotteryPage::LotteryPage(Desk& desk, LotteryKind kind, QWidget* parent)
    : QWidget(parent)
    , m_desk(desk)
    , m_kind(kind)
{
    const PageSpec& spec = PageSpecOf(kind);

    m_model = new DrawTableModel(m_desk.Table(kind));
    m_grid = new DrawGrid(*m_model, this);
    // The grid's child, so that it outlives the grid's use of it.
    m_model->setParent(m_grid);
    m_grid->setObjectName(spec.gridName);
    m_grid->setGeometry(kGridPlace);
    connect(
        m_grid, &DrawGrid::cellClicked, this, [this](int row, int column) { m_desk.ClickCell(m_kind, row, column); });

    m_log = new KillLogView(
        m_desk.Log(kind), [this](std::string_view text) { m_desk.EditLog(m_kind, text); }, this);
    m_log->setObjectName(spec.logName);
    m_log->setGeometry(kLogPlace);
    m_log->setFont(fonts::FaceAt(spec.logFace, spec.logPixelSize));
    QPalette logColours = m_log->palette();
    logColours.setColor(QPalette::Text, QColor(spec.logRed, spec.logGreen, spec.logBlue));
    logColours.setColor(QPalette::Base, Qt::white);
    m_log->setPalette(logColours);

    m_read = new QPushButton(FromGbk(spec.readCaption), this);
    m_read->setObjectName(spec.readName);
    m_read->setGeometry(kReadPlace);
    connect(m_read, &QPushButton::clicked, this, [this] { m_desk.Read(m_kind); });

    m_analyse = new QPushButton(FromGbk(spec.analyseCaption), this);
    m_analyse->setObjectName(spec.analyseName);
    m_analyse->setGeometry(kAnalysePlace);
    connect(m_analyse, &QPushButton::clicked, this, [this] { m_desk.Analyse(m_kind); });

    m_record = new QLabel(this);
    m_record->setObjectName(QStringLiteral("record_") + QString::fromLatin1(KindName(kind)));
    m_record->setTextFormat(Qt::PlainText);
    m_record->setGeometry(kRecordPlace);
    m_record->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette recordColours = m_record->palette();
    recordColours.setColor(QPalette::WindowText, QColor(0x4A, 0x52, 0x60));
    m_record->setPalette(recordColours);

    ShowRecord();
    m_recordFollower = std::make_unique<RecordFollower>(*this);
}

LotteryPage::~LotteryPage() = default;

void LotteryPage::SendLogEdit() { m_log->SendEdit(); }

void LotteryPage::ShowRecord() { m_record->setText(FromGbk(m_desk.Record(m_kind).Describe())); }

} // namespace yanchuan
