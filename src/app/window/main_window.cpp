#include "app/window/main_window.h"

#include "app/gbk_codec.h"
#include "app/qt/second_ticker.h"
#include "app/window/fonts.h"
#include "app/window/lottery_page.h"
#include "readers/curl_page_fetch.h"
#include "readers/gbk_texts.h"

#include <QLabel>
#include <QTabBar>
#include <QTabWidget>

namespace yanchuan {

namespace {

// The window's outer size. Where the platform draws no frame (offscreen, or
// an X server without a window manager) it is the client size too; under a
// window manager the client area is made smaller by the frame once the frame
// is known, so that the outer size stays 872 by 720.
constexpr QSize kOuterSize(872, 720);
constexpr QPoint kPlace(50, 50);
constexpr QRect kClockPlace(584, 8, 272, 64);
constexpr int kClockPixelSize = 56;
constexpr QRect kTabsPlace(32, 32, 802, 632);
constexpr int kTabCaptionPixelSize = 12;

// The status line fills the strip below the tab control: one row of four
// fetch cells and the message where the frame leaves little room, two rows
// otherwise.
constexpr int kStatusTop = 666;
constexpr int kStatusRowHeight = 18;
constexpr int kStatusGap = 8;
constexpr int kStatusPixelSize = 12;
constexpr int kNarrowFetchCellWidth = 140;

QString FromGbk(std::string_view gbk) { return QString::fromStdString(GbkToUtf8(gbk)); }

QString SourceLabel(SourceId source) { return QString::fromLatin1(SourceKey(source)) + QStringLiteral(": "); }

// A plain-text label that shows as much of its text as fits, all of it in its
// tooltip: a status text is as long as a server's error makes it.
class StatusCell final : public QLabel {
public:
    StatusCell(const QString& name, QWidget* parent)
        : QLabel(parent)
    {
        setObjectName(name);
        setTextFormat(Qt::PlainText);
        setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        setFont(fonts::FaceAt(fonts::kDefaultFace, kStatusPixelSize));
    }

    void SetFullText(const QString& text)
    {
        m_fullText = text;
        setToolTip(text);
        Elide();
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QLabel::resizeEvent(event);
        Elide();
    }

private:
    void Elide() { setText(fontMetrics().elidedText(m_fullText, Qt::ElideRight, width())); }

    QString m_fullText;
};

StatusCell* AsCell(QLabel* label) { return static_cast<StatusCell*>(label); }

} // namespace

MainWindow::MainWindow(Desk& desk, QWidget* parent)
    : QWidget(parent)
    , m_desk(desk)
{
    setWindowTitle(FromGbk(gbk::kWindowTitle));
    move(kPlace);
    setFixedSize(kOuterSize);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("高级选择夹1");
    m_tabs->setGeometry(kTabsPlace);
    m_tabs->tabBar()->setFont(fonts::FaceAt(fonts::kSimSun, kTabCaptionPixelSize));
    for (const LotteryKind kind : kAllLotteries) {
        auto* page = new LotteryPage(m_desk, kind);
        m_pages[IndexOf(kind)] = page;
        m_tabs->addTab(page, FromGbk(PageSpecOf(kind).caption));
    }

    // Above the tab control, whose top right corner it covers.
    m_clock = new QLabel(this);
    m_clock->setObjectName("标签_时间");
    m_clock->setGeometry(kClockPlace);
    m_clock->setTextFormat(Qt::PlainText);
    m_clock->setAlignment(Qt::AlignCenter);
    QFont clockFont = fonts::FaceAt(fonts::kStencil, kClockPixelSize);
    // Stencil is a heavy face at its normal weight; its stand-in is not.
    clockFont.setBold(true);
    m_clock->setFont(clockFont);
    // A dark panel, like a clock's display, over the tab control's corner
    // whose border would otherwise run through the digits.
    m_clock->setStyleSheet("QLabel { color: #FF0000; background-color: #1E2024; border-radius: 6px; }");

    for (const SourceId source : kAllSources) {
        auto* cell = new StatusCell(QStringLiteral("status_") + QString::fromLatin1(SourceKey(source)), this);
        cell->SetFullText(SourceLabel(source) + QStringLiteral("-"));
        m_fetchStatus[static_cast<std::size_t>(source)] = cell;
    }
    m_messageStatus = new StatusCell(QStringLiteral("status_message"), this);

    m_desk.SetListener(this);

    m_ticker = new SecondTicker([this] { m_desk.ClockTick(); }, this);
    m_ticker->Timer().setObjectName("时钟1");
    m_ticker->Start();
}

MainWindow::~MainWindow() { m_desk.SetListener(nullptr); }

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FitOuterSize();
}

void MainWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    // A window manager tells the frame's size late, after the window is shown.
    FitOuterSize();
}

void MainWindow::FitOuterSize()
{
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize client = kOuterSize - frame;
    if (size() != client) {
        setFixedSize(client);
    }
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceStatusLine();
}

void MainWindow::PlaceStatusLine()
{
    const int left = kTabsPlace.left();
    const int width = kTabsPlace.width();
    const int room = height() - kStatusTop;
    const bool twoRows = room >= 2 * kStatusRowHeight + 2;
    const int cellWidth = twoRows ? (width - 3 * kStatusGap) / 4 : kNarrowFetchCellWidth;
    const int top = kStatusTop + std::max(0, (room - (twoRows ? 2 : 1) * kStatusRowHeight) / 2);
    for (std::size_t i = 0; i < m_fetchStatus.size(); ++i) {
        const int x = left + static_cast<int>(i) * (cellWidth + kStatusGap);
        m_fetchStatus[i]->setGeometry(x, top, cellWidth, kStatusRowHeight);
    }
    if (twoRows) {
        m_messageStatus->setGeometry(left, top + kStatusRowHeight, width, kStatusRowHeight);
    } else {
        const int x = left + 4 * (cellWidth + kStatusGap);
        m_messageStatus->setGeometry(x, top, left + width - x, kStatusRowHeight);
    }
}

void MainWindow::ShowFetchOutcome(const FetchOutcome& outcome)
{
    const QString description = QString::fromStdString(DescribeOutcome(outcome));
    for (const SourceId source : SourcesOfUrl(m_desk.GetSources(), outcome.url)) {
        AsCell(m_fetchStatus[static_cast<std::size_t>(source)])->SetFullText(SourceLabel(source) + description);
    }
}

void MainWindow::ClockTextChanged(const Text& clockText) { m_clock->setText(QString::fromStdString(clockText)); }

void MainWindow::Message(LotteryKind kind, std::string_view gbkMessage)
{
    AsCell(m_messageStatus)
        ->SetFullText(FromGbk(PageSpecOf(kind).caption) + QStringLiteral(": ") + FromGbk(gbkMessage));
}

void MainWindow::OperationStarted(const Operation&)
{
    // Whatever operation runs, the logs hold what the user typed into them.
    for (LotteryPage* page : m_pages) {
        page->SendLogEdit();
    }
}

} // namespace yanchuan
