#include "forecast/pk10_forecast.h"
#include "readers/gbk_texts.h"
#include "support/forecast_fixture.h"

#include <gtest/gtest.h>

namespace yanchuan {
namespace {

Text Line(long period, std::string_view forecast)
{
    return JoinTexts(
        gbk::kPk10LineStart, IntToText(period + 1), "--", IntToText(period + 2), gbk::kPk10PeriodsEnd, forecast, " ");
}

struct Pk10 : testing::ForecastFixture {
    Pk10()
        : ForecastFixture(LotteryKind::Pk10, 13)
    { }
    void Analyse() { AnalysePk10(table, log, Context()); }
    // Places 1 and 2 are not used; places 3 to 8 are given.
    void SetDraw(long period, const std::vector<std::string>& places3to8)
    {
        std::vector<std::string> row {IntToText(period), "09", "10"};
        row.insert(row.end(), places3to8.begin(), places3to8.end());
        SetRow(1, row);
    }
};

TEST(Pk10Forecast, ForecastIsTheRemainderOf3949ByThePlacesSum)
{
    const struct {
        std::vector<std::string> places;
        std::string_view forecast;
    } cases[] = {
        {{"03", "07", "10", "01", "05", "02"}, "01"}, // S = 28: 3949 mod 28 = 1
        {{"03", "07", "10", "01", "05", "07"}, "02"}, // S = 33: 22
        {{"03", "07", "10", "01", "08", "10"}, "10"}, // S = 39: 10, and 10 mod 10 = 0
        {{"", "", "", "", "", ""}, "10"}, // S = 0: no divisor, counted as 0
        {{"x", "1", "", "", "", ""}, "10"}, // S = 1: 3949 mod 1 = 0
        {{"-3", "", "", "", "", ""}, "01"}, // S = -3: 3949 mod -3 = 1
    };
    for (const auto& c : cases) {
        Pk10 t;
        t.SetDraw(123456, c.places);
        t.Analyse();
        EXPECT_EQ(t.log.KillLogText(), Line(123456, c.forecast)) << c.places[0] << c.places[5];
    }
}

TEST(Pk10Forecast, JudgesTheOpenLineOnlyForItsOwnPeriods)
{
    const std::vector<std::string> first {"03", "07", "10", "01", "05", "02"}; // forecast 01 for 123457 and 123458
    const struct {
        long period;
        std::vector<std::string> places;
        std::string_view close;
        std::string_view next;
    } cases[] = {
        {123457, {"04", "01", "10", "06", "05", "02"}, gbk::kPk10Hit, "01"}, // R = P + 1
        {123457, {"04", "03", "10", "06", "05", "02"}, gbk::kPk10Miss, "09"},
        {123458, {"02", "03", "04", "05", "06", "01"}, gbk::kPk10Hit, "01"}, // R = P
        {123456, {"03", "07", "10", "01", "05", "02"}, gbk::kPk10Hit, "01"}, // R = P + 2: the same row again
        {123459, {"01", "01", "01", "01", "01", "01"}, "\r\n", "01"}, // later than the forecast periods
        {123400, {"01", "01", "01", "01", "01", "01"}, "\r\n", "01"},
    };
    for (const auto& c : cases) {
        Pk10 t;
        t.SetDraw(123456, first);
        t.Analyse();
        t.SetDraw(c.period, c.places);
        t.Analyse();
        EXPECT_EQ(t.log.KillLogText(), JoinTexts(Line(123456, "01"), c.close, Line(c.period, c.next))) << c.period;
    }
}

TEST(Pk10Forecast, RowWithoutPeriodKeepsALogOfForecasts)
{
    Pk10 t;
    t.Analyse();
    EXPECT_EQ(t.log.KillLogText(), gbk::kReadFirstMessage);

    t.SetDraw(123456, {"03", "07", "10", "01", "05", "02"});
    t.Analyse();
    const Text kept = JoinTexts(gbk::kReadFirstMessage, "\r\n", Line(123456, "01"));
    EXPECT_EQ(t.log.KillLogText(), kept);

    t.table.SetCellText(1, 1, ""); // a failed read empties the period
    t.Analyse();
    EXPECT_EQ(t.log.KillLogText(), kept);
    EXPECT_EQ(t.messages.size(), 1u);
}

TEST(Pk10Forecast, LongPeriodsAreWrittenWithoutRolloverAndNeverJudged)
{
    Pk10 t;
    t.SetDraw(9999999, {"01", "02", "03", "04", "05", "06"}); // S = 21: 3949 mod 21 = 1
    t.Analyse();
    t.SetDraw(10000000, {"01", "02", "03", "04", "05", "06"});
    t.Analyse();
    // The second period 10000001 yields only 000001 as R: a bare line end.
    EXPECT_EQ(t.log.KillLogText(), JoinTexts(Line(9999999, "01"), "\r\n", Line(10000000, "01")));
}

} // namespace
} // namespace yanchuan
