#include "forecast/last_two_kill.h"
#include "readers/gbk_texts.h"
#include "support/forecast_fixture.h"

#include <gtest/gtest.h>

namespace yanchuan {
namespace {

using testing::ForecastFixture;

Text Line(LotteryKind kind, std::string_view datePeriod, std::string_view f)
{
    return JoinTexts(LastTwoProfileOf(kind).title, datePeriod, gbk::kLastTwoKill, f, ",", f);
}

Text Mark(int indent, std::string_view sign)
{
    return JoinTexts(std::string(static_cast<std::size_t>(indent), ' '), sign, "\r\n");
}

struct LastTwo : ForecastFixture {
    explicit LastTwo(LotteryKind kind = LotteryKind::IndoOne)
        : ForecastFixture(kind)
    { }
    void Analyse() { AnalyseLastTwo(LastTwoProfileOf(layout.kind), table, log, Context()); }
};

TEST(LastTwoKill, ForecastIsTheDigitSumDividedByFive)
{
    const struct {
        LotteryKind kind;
        std::vector<std::string> row;
        Text expected;
    } cases[] = {
        {LotteryKind::IndoOne, {"20261211-0005", "9", "9", "9", "9", "9"},
            Line(LotteryKind::IndoOne, "20261211-0006", "9")},
        {LotteryKind::IndoOne, {"20261211-0005", "1", "1", "1", "1", "0"},
            Line(LotteryKind::IndoOne, "20261211-0006", "0")},
        {LotteryKind::VietOne, {"20261211-1439", "9", "9", "9", "9", "8"},
            Line(LotteryKind::VietOne, "20261211-1440", "8")},
        {LotteryKind::VietFive, {"20261211-009", "0", "1", "2", "3", "4"},
            Line(LotteryKind::VietFive, "20261211-010", "2")},
        {LotteryKind::IndoFive, {"20261211-099", "5", "5", "5", "5", "5"},
            Line(LotteryKind::IndoFive, "20261211-100", "5")},
        {LotteryKind::Chongqing, {"261211023", "3", "0", "7", "1", "9"},
            Line(LotteryKind::Chongqing, "261211024", "4")},
        // The row's date is copied as it is, even when it is not today's.
        {LotteryKind::IndoOne, {"19991231-0007", "2", "2", "2", "2", "2"},
            Line(LotteryKind::IndoOne, "19991231-0008", "2")},
        // Digit cells are not range-tested: five cells of 255 forecast 255.
        {LotteryKind::Chongqing, {"261211030", "255", "255", "255", "255", "255"},
            Line(LotteryKind::Chongqing, "261211031", "255")},
        // A digit cell that is not a number counts as 0.
        {LotteryKind::IndoOne, {"20261211-0005", "x", "", "9", "9", "9"},
            Line(LotteryKind::IndoOne, "20261211-0006", "5")},
    };
    for (const auto& c : cases) {
        LastTwo t(c.kind);
        t.SetRow(1, c.row);
        t.Analyse();
        EXPECT_EQ(t.log.KillLogText(), c.expected) << KindName(c.kind) << " " << c.row[0];
    }
}

TEST(LastTwoKill, RolloverStartsPeriodOneUnderTheClocksDate)
{
    const struct {
        LotteryKind kind;
        std::string period;
        Text expected;
    } cases[] = {
        {LotteryKind::IndoOne, "20261210-1440", Line(LotteryKind::IndoOne, "20261211-0001", "1")},
        {LotteryKind::VietOne, "20261210-1440", Line(LotteryKind::VietOne, "20261211-0001", "1")},
        {LotteryKind::VietFive, "20261210-288", Line(LotteryKind::VietFive, "20261211-001", "1")},
        {LotteryKind::IndoFive, "20261210-288", Line(LotteryKind::IndoFive, "20261211-001", "1")},
        {LotteryKind::Chongqing, "261210120", Line(LotteryKind::Chongqing, "261211001", "1")},
    };
    for (const auto& c : cases) {
        LastTwo t(c.kind);
        t.clock.Set(DateTime {2026, 12, 11, 0, 0, 5});
        t.SetRow(1, {c.period, "1", "2", "3", "0", "1"});
        t.Analyse();
        EXPECT_EQ(t.log.KillLogText(), c.expected) << KindName(c.kind);
    }
}

TEST(LastTwoKill, ClosesTheOpenLineWithHeldFailedOrBareMarks)
{
    for (const LotteryKind kind : {LotteryKind::IndoOne, LotteryKind::Chongqing}) {
        const bool chongqing = kind == LotteryKind::Chongqing;
        const int indent = chongqing ? 1 : 2;
        auto period = [&](int n) {
            const Text number = RightText(JoinTexts("000", IntToText(n)), chongqing ? 3 : 4);
            return chongqing ? JoinTexts("261211", number) : JoinTexts("20261211-", number);
        };
        LastTwo t(kind);
        t.SetRow(1, {period(5), "1", "2", "3", "4", "5"}); // forecast 3 for period 6
        t.Analyse();
        Text expected = Line(kind, period(6), "3");
        EXPECT_EQ(t.log.KillLogText(), expected);

        t.SetRow(1, {period(6), "0", "0", "0", "3", "7"}); // 3 in the tens: failed; forecast 2
        t.Analyse();
        expected += Mark(indent, gbk::kLastTwoFailed) + Line(kind, period(7), "2");
        EXPECT_EQ(t.log.KillLogText(), expected);

        t.SetRow(1, {period(7), "2", "2", "0", "1", "0"}); // 2 only in the first three: held; forecast 1
        t.Analyse();
        expected += Mark(indent, gbk::kLastTwoHeld) + Line(kind, period(8), "1");
        EXPECT_EQ(t.log.KillLogText(), expected);

        t.SetRow(1, {period(8), "0", "0", "0", "0", "1"}); // 1 in the units: failed; forecast 0
        t.Analyse();
        expected += Mark(indent, gbk::kLastTwoFailed) + Line(kind, period(9), "0");
        EXPECT_EQ(t.log.KillLogText(), expected);

        t.Analyse(); // the same row again: a bare line end and the same forecast
        expected += "\r\n" + Line(kind, period(9), "0");
        EXPECT_EQ(t.log.KillLogText(), expected);
    }
}

TEST(LastTwoKill, AnalysesTheRowTheUserClicked)
{
    LastTwo t;
    t.SetRow(1, {"20261211-0009", "9", "9", "9", "9", "9"});
    t.SetRow(3, {"20261211-0007", "1", "1", "1", "1", "1"});
    t.table.SetCursor(0, 0); // a click in the corner lands on row 1
    EXPECT_EQ(t.table.CurrentRow(), 1);
    t.table.SetCursor(3, 0); // a click on the row number "3"
    t.Analyse();
    EXPECT_EQ(t.log.KillLogText(), Line(LotteryKind::IndoOne, "20261211-0008", "1"));
}

TEST(LastTwoKill, ReadsBackWhatTheUserTyped)
{
    LastTwo t;
    // The user wrote a forecast of 7 for period 12 by hand.
    t.log.EditByUser(JoinTexts("note\r\n", Line(LotteryKind::IndoOne, "20261211-0012", "7")));
    t.SetRow(1, {"20261211-0012", "7", "7", "7", "0", "0"});
    t.Analyse();
    const Text expectedEnd = Mark(2, gbk::kLastTwoHeld) + Line(LotteryKind::IndoOne, "20261211-0013", "4");
    EXPECT_TRUE(t.log.KillLogText().ends_with(expectedEnd));
}

TEST(LastTwoKill, RowWithoutPeriodReplacesOnlyALogWithoutForecasts)
{
    LastTwo t;
    t.Analyse(); // no cursor at all
    EXPECT_EQ(t.log.KillLogText(), gbk::kReadFirstMessage);
    EXPECT_TRUE(t.messages.empty());

    // The next run closes the message with a bare line end.
    t.SetRow(1, {"20261211-0005", "1", "1", "1", "1", "1"});
    t.Analyse();
    const Text afterMessage
        = JoinTexts(gbk::kReadFirstMessage, "\r\n", Line(LotteryKind::IndoOne, "20261211-0006", "1"));
    EXPECT_EQ(t.log.KillLogText(), afterMessage);

    // A failed read leaves "-000" in the period cell: the log of forecasts stays.
    t.SetRow(1, {"-000", "", "", "", "", ""});
    t.Analyse();
    EXPECT_EQ(t.log.KillLogText(), afterMessage);
    EXPECT_EQ(t.messages, std::vector<std::string> {std::string(gbk::kReadFirstMessage)});

    // A typed text without any "期" is replaced.
    t.log.EditByUser("just a note");
    t.Analyse();
    EXPECT_EQ(t.log.KillLogText(), gbk::kReadFirstMessage);
}

TEST(LastTwoKill, TwoFiftyFiveIsJudgedByItsLastCharacter)
{
    LastTwo t(LotteryKind::Chongqing);
    t.SetRow(1, {"261211030", "255", "255", "255", "255", "255"});
    t.Analyse();
    t.SetRow(1, {"261211031", "0", "0", "0", "5", "0"});
    t.Analyse();
    EXPECT_EQ(t.log.KillLogText(),
        JoinTexts(Line(LotteryKind::Chongqing, "261211031", "255"), Mark(1, gbk::kLastTwoFailed),
            Line(LotteryKind::Chongqing, "261211032", "1")));
}

} // namespace
} // namespace yanchuan
