#include "app/forecast_record.h"
#include "app/gbk_codec.h"
#include "app/kill_log_display.h"
#include "app/window/fonts.h"
#include "app/window/lottery_page.h"
#include "forecast/last_two_kill.h"
#include "readers/gbk_texts.h"
#include "support/raw_server.h"
#include "tables/layouts.h"
#include "window/window_rig.h"

#include <QApplication>
#include <QFontInfo>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <array>
#include <memory>

namespace yanchuan {
namespace {

using testing::WindowRig;

QString Shown(std::string_view gbk) { return QString::fromStdString(GbkToUtf8(gbk)); }

// What the box shows of a log's text.
QString ShownLog(std::string_view gbk) { return QString::fromStdString(KillLogDisplay().Replace(gbk)); }

Text LastTwoLine(LotteryKind kind, std::string_view period, std::string_view digit)
{
    return JoinTexts(LastTwoProfileOf(kind).title, period, gbk::kLastTwoKill, digit, ",", digit);
}

// The controls of one page, found by their names.
struct PageControls {
    QTableView* grid;
    QPlainTextEdit* log;
    QPushButton* read;
    QPushButton* analyse;
    QLabel* record;
};

PageControls ControlsOf(WindowRig& rig, LotteryKind kind)
{
    const PageSpec& spec = PageSpecOf(kind);
    return {rig.Find<QTableView>(spec.gridName), rig.Find<QPlainTextEdit>(spec.logName),
        rig.Find<QPushButton>(spec.readName), rig.Find<QPushButton>(spec.analyseName),
        rig.Find<QLabel>(QStringLiteral("record_") + QString::fromLatin1(KindName(kind)))};
}

void ShowPage(WindowRig& rig, LotteryKind kind)
{
    rig.Find<QTabWidget>("高级选择夹1")->setCurrentIndex(static_cast<int>(IndexOf(kind)));
}

void ClickCell(QTableView* grid, int row, int column)
{
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

// Types the text as a user does: ASCII on the keyboard, everything else
// committed by an input method.
void Type(QWidget* box, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(box, c.toLatin1());
        } else {
            QInputMethodEvent input;
            input.setCommitString(c);
            QApplication::sendEvent(box, &input);
        }
    }
}

QString CellShown(QTableView* grid, int row, int column) { return grid->model()->index(row, column).data().toString(); }

// The window right after start-up: the controls of the program's form, at
// their places, with their names, captions, fonts and colours, and nothing in
// them but the tables' headers and row numbers.
class StartUpTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_rig = std::make_unique<WindowRig>();
        QVERIFY(QTest::qWaitForWindowExposed(&m_rig->Window()));
    }
    void cleanupTestCase() { m_rig.reset(); }

    void tablesShowOnlyHeadersAndRowNumbersAndLogsAreEmpty()
    {
        for (const LotteryKind kind : kAllLotteries) {
            const PageControls page = ControlsOf(*m_rig, kind);
            QVERIFY2(page.grid && page.log, KindName(kind).data());
            const DrawTableLayout& layout = LayoutOf(kind);
            QCOMPARE(page.grid->model()->rowCount(), layout.rows);
            QCOMPARE(page.grid->model()->columnCount(), layout.columns);
            for (int r = 0; r < layout.rows; ++r) {
                for (int c = 0; c < layout.columns; ++c) {
                    const QString expected = r == 0 ? Shown(layout.headers[static_cast<std::size_t>(c)])
                        : c == 0                    ? QString::number(r)
                                                    : QString();
                    QCOMPARE(CellShown(page.grid, r, c), expected);
                }
            }
            QVERIFY(page.log->toPlainText().isEmpty());
            QVERIFY(m_rig->TheDesk().Log(kind).KillLogText().empty());
        }
    }

    void titlePlaceAndControlsOfTheForm()
    {
        MainWindow& window = m_rig->Window();
        QCOMPARE(window.windowTitle(), QStringLiteral("砚川高频彩 v0.3"));
        // Offscreen there is no frame: the outer size is the client size.
        QCOMPARE(window.frameGeometry(), QRect(50, 50, 872, 720));

        auto* clock = m_rig->Find<QLabel>("标签_时间");
        QVERIFY(clock);
        QCOMPARE(clock->geometry(), QRect(584, 8, 272, 64));
        QCOMPARE(clock->alignment(), Qt::AlignCenter);
        QCOMPARE(clock->font().family(), QStringLiteral("Stencil"));
        QCOMPARE(clock->font().pixelSize(), 56);
        QCOMPARE(QFontInfo(clock->font()).family(), QStringLiteral("Noto Sans CJK SC"));
        QVERIFY(QFontInfo(clock->font()).bold());
        QCOMPARE(clock->palette().color(QPalette::WindowText), QColor(255, 0, 0));

        auto* timer = m_rig->Find<QTimer>("时钟1");
        QVERIFY(timer);
        QVERIFY(timer->isActive());

        auto* tabs = m_rig->Find<QTabWidget>("高级选择夹1");
        QVERIFY(tabs);
        QCOMPARE(tabs->geometry(), QRect(32, 32, 802, 632));
        QCOMPARE(tabs->tabBar()->font().family(), QStringLiteral("SimSun"));
        QCOMPARE(tabs->tabBar()->font().pixelSize(), 12);
        QCOMPARE(QFontInfo(tabs->tabBar()->font()).family(), QStringLiteral("Noto Serif CJK SC"));

        const struct {
            LotteryKind kind;
            const char* caption;
            const char* grid;
            const char* log;
            const char* read;
            const char* readCaption;
            const char* analyse;
            const char* analyseCaption;
            const char* face;
            const char* installedFace;
            int pixelSize;
            QColor colour;
        } pages[] = {
            {LotteryKind::Pk10, "北京赛车PK拾", "高级表格_PK拾", "编辑框_PK拾分析结果", "按钮_读取PK拾开奖号码",
                "读取PK拾开奖号码", "按钮_分析PK拾", "分析", "宋体", "Noto Serif CJK SC", 19, QColor(255, 0, 0)},
            {LotteryKind::Chongqing, "重庆时时彩", "高级表格_重庆时时彩", "编辑框_重庆时时彩后二分析结果",
                "按钮_读取重庆时时彩", "读取重庆时时彩", "按钮_分析重庆时时彩后二", "分析后二", "宋体",
                "Noto Serif CJK SC", 19, QColor(255, 0, 0)},
            {LotteryKind::VietFive, "越南五分彩", "高级表格_越南五分彩", "编辑框_越南五分彩后二分析结果",
                "按钮_读取越南五分彩", "读取越南五分彩", "按钮_分析越南五分彩后二", "分析后二", "微软雅黑",
                "Noto Sans CJK SC", 16, QColor(255, 128, 0)},
            {LotteryKind::IndoFive, "印尼五分彩", "高级表格_印尼五分彩", "编辑框_印尼五分彩后二分析结果",
                "按钮_读取印尼五分彩", "读取印尼五分彩", "按钮_分析印尼五分彩后二", "分析后二", "微软雅黑",
                "Noto Sans CJK SC", 16, QColor(0, 0, 255)},
            {LotteryKind::VietOne, "越南分分彩", "高级表格_越南分分彩", "编辑框_越南分分彩后二分析结果",
                "按钮_读取越南分分彩", "读取越南分分彩", "按钮_分析越南分分彩后二", "分析后二", "微软雅黑",
                "Noto Sans CJK SC", 16, QColor(255, 128, 0)},
            {LotteryKind::IndoOne, "印尼分分彩", "高级表格_印尼分分彩", "编辑框_印尼分分彩后二分析结果",
                "按钮_读取印尼分分彩", "读取印尼分分彩", "按钮_分析印尼分分彩后二", "分析后二", "微软雅黑",
                "Noto Sans CJK SC", 16, QColor(0, 0, 255)},
        };
        QCOMPARE(tabs->count(), 6);
        for (const auto& p : pages) {
            const int index = static_cast<int>(IndexOf(p.kind));
            QCOMPARE(tabs->tabText(index), QString::fromUtf8(p.caption));
            QWidget* page = tabs->widget(index);
            auto* grid = page->findChild<QTableView*>(p.grid);
            auto* log = page->findChild<QPlainTextEdit*>(p.log);
            auto* read = page->findChild<QPushButton*>(p.read);
            auto* analyse = page->findChild<QPushButton*>(p.analyse);
            QVERIFY2(grid && log && read && analyse, p.caption);
            QCOMPARE(grid->geometry(), QRect(32, 72, 736, 288));
            QCOMPARE(log->geometry(), QRect(32, 392, 408, 208));
            QCOMPARE(read->geometry(), QRect(520, 416, 200, 48));
            QCOMPARE(analyse->geometry(), QRect(520, 512, 200, 48));
            QCOMPARE(read->text(), QString::fromUtf8(p.readCaption));
            QCOMPARE(analyse->text(), QString::fromUtf8(p.analyseCaption));
            QCOMPARE(log->font().family(), QString::fromUtf8(p.face));
            QCOMPARE(log->font().pixelSize(), p.pixelSize);
            QCOMPARE(QFontInfo(log->font()).family(), QString::fromUtf8(p.installedFace));
            QCOMPARE(log->palette().color(QPalette::Text), p.colour);
            QCOMPARE(log->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
            QCOMPARE(log->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            QCOMPARE(log->lineWrapMode(), QPlainTextEdit::WidgetWidth);
            QVERIFY(grid->horizontalHeader()->isHidden());
            QVERIFY(grid->verticalHeader()->isHidden());
        }
        // CJK text in the default face takes its Simplified Chinese forms.
        QCOMPARE(QFontInfo(QApplication::font()).family(), QStringLiteral("Noto Sans CJK SC"));
        // No byte of a page is ever read as markup.
        for (const QLabel* label : window.findChildren<QLabel*>()) {
            QCOMPARE(label->textFormat(), Qt::PlainText);
        }
    }

    // Row heights, column widths, font heights and centring are the tables'.
    void gridsShowTheLayoutsOfTheTables()
    {
        const struct {
            LotteryKind kind;
            int rowHeight;
            std::vector<int> widths;
            int periodFont; // pixel size in (1, 1); 0 for the default
            int digitFont; // in (1, 2)
        } cases[] = {
            {LotteryKind::Pk10, 25, {50, 100, 45, 45, 45, 45, 45, 45, 45, 45, 45, 45, 120}, 0, 0},
            {LotteryKind::Chongqing, 40, {60, 120, 70, 70, 70, 70, 70, 120}, 0, 30},
            {LotteryKind::VietFive, 50, {60, 160, 80, 80, 80, 80, 80}, 22, 30},
            {LotteryKind::IndoFive, 45, {60, 160, 80, 80, 80, 80, 80}, 22, 30},
            {LotteryKind::VietOne, 50, {60, 160, 80, 80, 80, 80, 80}, 22, 30},
            {LotteryKind::IndoOne, 25, {60, 160, 80, 80, 80, 80, 80}, 22, 30},
        };
        for (const auto& c : cases) {
            QTableView* grid = ControlsOf(*m_rig, c.kind).grid;
            for (int column = 0; column < static_cast<int>(c.widths.size()); ++column) {
                QCOMPARE(grid->columnWidth(column), c.widths[static_cast<std::size_t>(column)]);
            }
            for (int row = 0; row < grid->model()->rowCount(); ++row) {
                QCOMPARE(grid->rowHeight(row), c.rowHeight);
            }
            const auto pixelSize = [&](int row, int column) {
                const QVariant font = grid->model()->index(row, column).data(Qt::FontRole);
                return font.isValid() ? font.value<QFont>().pixelSize() : 0;
            };
            QCOMPARE(pixelSize(1, 1), c.periodFont);
            QCOMPARE(pixelSize(1, 2), c.digitFont);
            QCOMPARE(pixelSize(0, 2), 0);
            QCOMPARE(pixelSize(1, 0), 0);
            const int last = grid->model()->rowCount() - 1;
            QCOMPARE(grid->model()->index(last, 6).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
            QCOMPARE(grid->model()->index(0, 0).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        }
    }

private:
    std::unique_ptr<WindowRig> m_rig;
};

// Clicks and typing, and what they do to the tables, the logs, the records
// and the status line.
class OperationsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_rig = std::make_unique<WindowRig>();
        QVERIFY(m_rig->Serving());
        QVERIFY(QTest::qWaitForWindowExposed(&m_rig->Window()));
    }
    void cleanupTestCase() { m_rig.reset(); }

    void readFillsTheTableAndAnalyseAppendsTheForecast()
    {
        const LotteryKind kind = LotteryKind::IndoFive;
        ShowPage(*m_rig, kind);
        const PageControls page = ControlsOf(*m_rig, kind);
        QTest::mouseClick(page.read, Qt::LeftButton);
        const QStringList firstRow = {"1", "20260311-118", "3", "0", "8", "1", "5"};
        for (int c = 0; c < firstRow.size(); ++c) {
            QCOMPARE(CellShown(page.grid, 1, c), firstRow[c]);
        }
        QCOMPARE(CellShown(page.grid, 5, 1), QStringLiteral("20260311-114"));
        QCOMPARE(page.grid->currentIndex(), page.grid->model()->index(1, 1));

        QTest::mouseClick(page.analyse, Qt::LeftButton);
        const Text line = LastTwoLine(kind, "20260311-119", "3");
        QCOMPARE(m_rig->TheDesk().Log(kind).KillLogText(), line);
        QCOMPARE(page.log->toPlainText(), Shown(line));
    }

    void clicksOnTheHeaderAndTheRowNumberChooseTheAnalysedRow()
    {
        const LotteryKind kind = LotteryKind::Chongqing;
        ShowPage(*m_rig, kind);
        const PageControls page = ControlsOf(*m_rig, kind);
        QTest::mouseClick(page.read, Qt::LeftButton);
        QCOMPARE(CellShown(page.grid, 3, 1), QStringLiteral("260311040"));

        ClickCell(page.grid, 3, 0); // the row number "3"
        QCOMPARE(m_rig->TheDesk().Table(kind).CurrentRow(), 3);
        QCOMPARE(page.grid->currentIndex(), page.grid->model()->index(3, 1));
        QTest::mouseClick(page.analyse, Qt::LeftButton);

        ClickCell(page.grid, 0, 1); // the header "期号"
        QCOMPARE(CellShown(page.grid, 0, 1), QStringLiteral("期号"));
        QCOMPARE(m_rig->TheDesk().Table(kind).CurrentRow(), 1);
        QCOMPARE(page.grid->currentIndex(), page.grid->model()->index(1, 1));
        QTest::mouseClick(page.analyse, Qt::LeftButton);

        // Row 3 (five 255s) forecasts the period after it; row 1 is not that
        // period, so the line is closed with a bare line end.
        const Text expected
            = JoinTexts(LastTwoLine(kind, "260311041", "255"), "\r\n", LastTwoLine(kind, "260311043", "4"));
        QCOMPARE(m_rig->TheDesk().Log(kind).KillLogText(), expected);
        QCOMPARE(page.log->toPlainText(), ShownLog(expected));

        // A header click keeps its column; only the row is raised.
        ClickCell(page.grid, 0, 4);
        QCOMPARE(page.grid->currentIndex(), page.grid->model()->index(1, 4));
    }

    // The analysis runs at once after the typing, before the box's pause ends.
    void textTypedIntoALogIsReadByTheNextAnalysis()
    {
        const LotteryKind kind = LotteryKind::VietFive;
        ShowPage(*m_rig, kind);
        const PageControls page = ControlsOf(*m_rig, kind);
        QTest::mouseClick(page.read, Qt::LeftButton);
        // A forecast of 4 for the period in row 1, whose last two digits are 1 and 5: it held.
        const Text typed = LastTwoLine(kind, "20260311-118", "4");
        page.log->setFocus();
        Type(page.log, Shown(typed));
        QTest::mouseClick(page.analyse, Qt::LeftButton);

        const Text expected = JoinTexts(typed, "  ", gbk::kLastTwoHeld, "\r\n", LastTwoLine(kind, "20260311-119", "3"));
        QCOMPARE(m_rig->TheDesk().Log(kind).KillLogText(), expected);
        QCOMPARE(page.log->toPlainText(), ShownLog(expected));
    }

    void anAppendLandsAtTheEndWhereverTheCaretIs()
    {
        const LotteryKind kind = LotteryKind::IndoOne;
        ShowPage(*m_rig, kind);
        const PageControls page = ControlsOf(*m_rig, kind);
        QTest::mouseClick(page.read, Qt::LeftButton);
        // Enough lines to scroll: the same row analysed again closes each line bare.
        for (int i = 0; i < 20; ++i) {
            QTest::mouseClick(page.analyse, Qt::LeftButton);
        }
        const Text before = m_rig->TheDesk().Log(kind).KillLogText();
        QTextCursor caret = page.log->textCursor();
        caret.setPosition(5);
        caret.setPosition(12, QTextCursor::KeepAnchor);
        page.log->setTextCursor(caret);
        page.log->verticalScrollBar()->setValue(0);

        QTest::mouseClick(page.analyse, Qt::LeftButton);

        const Text after = m_rig->TheDesk().Log(kind).KillLogText();
        QCOMPARE(after, JoinTexts(before, "\r\n", LastTwoLine(kind, "20260311-0591", "4")));
        QCOMPARE(page.log->toPlainText(), ShownLog(after));
        QVERIFY(!page.log->textCursor().hasSelection());
        QCOMPARE(page.log->textCursor().position(), page.log->document()->characterCount() - 1);
        QScrollBar* scroll = page.log->verticalScrollBar();
        QVERIFY(scroll->maximum() > 0);
        QTRY_COMPARE(scroll->value(), scroll->maximum());
    }

    // The record follows appends and the user's own edits of the log.
    void recordCountsFollowTheLog()
    {
        const LotteryKind kind = LotteryKind::VietOne;
        ShowPage(*m_rig, kind);
        const PageControls page = ControlsOf(*m_rig, kind);
        QVERIFY(page.record);
        QVERIFY(page.record->text().startsWith(QStringLiteral("准 0  ╳ 0  未判 0")));

        QTest::mouseClick(page.read, Qt::LeftButton);
        // Period 0590 drew 2,8,1,4,6: a forecast that killed 4 failed.
        page.log->setFocus();
        Type(page.log, Shown(LastTwoLine(kind, "20260311-0590", "4")));
        QTest::mouseClick(page.analyse, Qt::LeftButton);
        QVERIFY2(page.record->text().startsWith(QStringLiteral("准 0  ╳ 1  未判 0")), qPrintable(page.record->text()));
        // The same row again: the open line is closed bare, not judged.
        QTest::mouseClick(page.analyse, Qt::LeftButton);
        QVERIFY2(page.record->text().startsWith(QStringLiteral("准 0  ╳ 1  未判 1")), qPrintable(page.record->text()));

        // The user empties the box: after the typing pause, the record is empty too.
        page.log->selectAll();
        QTest::keyClick(page.log, Qt::Key_Delete);
        QTRY_VERIFY(m_rig->TheDesk().Log(kind).KillLogText().empty());
        QVERIFY2(page.record->text().startsWith(QStringLiteral("准 0  ╳ 0  未判 0")), qPrintable(page.record->text()));
    }

    void aFetchFromAClosedPortShowsItsFailureInTheStatusLine()
    {
        testing::ClosedPort closed;
        QVERIFY(closed.Port() > 0);
        Desk& desk = m_rig->TheDesk();
        const std::string served = desk.GetSources().Host(SourceId::Pk10);
        desk.SetHost(SourceId::Pk10, "127.0.0.1:" + std::to_string(closed.Port()));
        QTest::mouseClick(ControlsOf(*m_rig, LotteryKind::Pk10).read, Qt::LeftButton);
        auto* status = m_rig->Find<QLabel>("status_pk10");
        QVERIFY(status);
        QTRY_COMPARE(status->text(), QStringLiteral("pk10: refused"));
        desk.SetHost(SourceId::Pk10, served);
    }

    // A log that holds forecasts is kept when the row has no period; the
    // message goes to the status line instead.
    void aMessageOfTheDeskShowsInTheStatusLine()
    {
        testing::ClosedPort closed;
        const LotteryKind kind = LotteryKind::IndoFive;
        Desk& desk = m_rig->TheDesk();
        const PageControls page = ControlsOf(*m_rig, kind);
        QTest::mouseClick(page.read, Qt::LeftButton);
        QTest::mouseClick(page.analyse, Qt::LeftButton);
        const Text log = desk.Log(kind).KillLogText();
        QVERIFY(!log.empty());

        const std::string served = desk.GetSources().Host(SourceId::Indo);
        desk.SetHost(SourceId::Indo, "127.0.0.1:" + std::to_string(closed.Port()));
        QTest::mouseClick(page.read, Qt::LeftButton);
        QTest::mouseClick(page.analyse, Qt::LeftButton);
        desk.SetHost(SourceId::Indo, served);

        QCOMPARE(desk.Log(kind).KillLogText(), log);
        QCOMPARE(m_rig->Find<QLabel>("status_indo")->text(), QStringLiteral("indo: refused"));
        QCOMPARE(
            m_rig->Find<QLabel>("status_message")->toolTip(), QStringLiteral("印尼五分彩: 请先读取开奖号码，再分析。"));
    }

private:
    std::unique_ptr<WindowRig> m_rig;
};

// The clock: its ticks come from the timer 时钟1 and read the desk's clock.
class ClockTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_rig = std::make_unique<WindowRig>();
        QVERIFY(m_rig->Serving());
    }
    void cleanupTestCase() { m_rig.reset(); }

    void aTickAtAScheduledSecondRunsItsRule()
    {
        FixedClock& clock = m_rig->TheClock();
        auto* label = m_rig->Find<QLabel>("标签_时间");
        clock.Set({2026, 3, 11, 10, 11, 4});
        QTRY_COMPARE(label->text(), QStringLiteral("10:11:04"));
        QVERIFY(m_rig->TheDesk().Log(LotteryKind::IndoOne).KillLogText().empty());

        // 10:11:05: rules A and C, the one-minute lotteries and Chongqing.
        clock.Set({2026, 3, 11, 10, 11, 5});
        QTRY_VERIFY(!m_rig->TheDesk().Log(LotteryKind::Chongqing).KillLogText().empty());
        clock.Set({2026, 3, 11, 10, 11, 30});
        QCOMPARE(label->text(), QStringLiteral("10:11:05"));
        for (const LotteryKind kind : {LotteryKind::IndoOne, LotteryKind::VietOne, LotteryKind::Chongqing}) {
            const PageControls page = ControlsOf(*m_rig, kind);
            QVERIFY(!CellShown(page.grid, 1, 1).isEmpty());
            QVERIFY(page.log->toPlainText().contains(QStringLiteral("期后二杀")));
        }
        for (const LotteryKind kind : {LotteryKind::IndoFive, LotteryKind::VietFive, LotteryKind::Pk10}) {
            QVERIFY(CellShown(ControlsOf(*m_rig, kind).grid, 1, 1).isEmpty());
        }
    }

private:
    std::unique_ptr<WindowRig> m_rig;
};

} // namespace
} // namespace yanchuan

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    yanchuan::fonts::SetUpFonts();
    int status = 0;
    {
        yanchuan::StartUpTest test;
        status |= QTest::qExec(&test, argc, argv);
    }
    {
        yanchuan::OperationsTest test;
        status |= QTest::qExec(&test, argc, argv);
    }
    {
        yanchuan::ClockTest test;
        status |= QTest::qExec(&test, argc, argv);
    }
    return status;
}

#include "window_test.moc"
