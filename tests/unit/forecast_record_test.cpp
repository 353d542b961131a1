#include "app/forecast_record.h"
#include "readers/gbk_texts.h"

#include <gtest/gtest.h>

namespace yanchuan {
namespace {

Text LastTwoLine(std::string_view close)
{
    return JoinTexts(gbk::kIndoOneName, "20261211-0006", gbk::kLastTwoKill, "4,4", close);
}

const Text kHeld = JoinTexts("  ", gbk::kLastTwoHeld, "\r\n");
const Text kFailed = JoinTexts("  ", gbk::kLastTwoFailed, "\r\n");

TEST(ForecastRecord, CountsClosedLinesAndTheLongestFailedRun)
{
    const Text log
        = JoinTexts(gbk::kReadFirstMessage, "\r\n", LastTwoLine(kFailed), LastTwoLine(kFailed), LastTwoLine("\r\n"),
            LastTwoLine(kFailed), LastTwoLine(kHeld), LastTwoLine(kFailed), LastTwoLine(kHeld), LastTwoLine(""));
    ForecastRecord whole(LotteryKind::IndoOne);
    whole.Reset(log);
    EXPECT_EQ(whole.Held(), 2);
    EXPECT_EQ(whole.Failed(), 4);
    EXPECT_EQ(whole.NotJudged(), 1);
    // A line left unjudged does not break a run of failures.
    EXPECT_EQ(whole.LongestFailedRun(), 3);
    EXPECT_DOUBLE_EQ(whole.HitRate(), 2.0 / 6);

    // Fed a byte at a time, as appends that split lines and characters anywhere.
    ForecastRecord pieces(LotteryKind::IndoOne);
    for (const char c : log) {
        pieces.Feed(std::string_view(&c, 1));
    }
    EXPECT_EQ(pieces.Describe(), whole.Describe());
}

TEST(ForecastRecord, Pk10HitsAreCountedAgainstSixPlacesInTen)
{
    const Text line = JoinTexts(gbk::kPk10LineStart, "123457--123458", gbk::kPk10PeriodsEnd, "01 ");
    ForecastRecord record(LotteryKind::Pk10);
    record.Reset(JoinTexts(line, gbk::kPk10Hit, line, gbk::kPk10Miss, line));
    EXPECT_EQ(record.Held(), 1);
    EXPECT_EQ(record.Failed(), 1);
    EXPECT_DOUBLE_EQ(record.ChanceRate(), 0.6);
    EXPECT_EQ(record.Describe(),
        JoinTexts(gbk::kPk10HitSign, " 1  ", gbk::kLastTwoFailed, " 1  ", gbk::kRecordNotJudged, " 0  ",
            gbk::kRecordHitRate, " 50.0% (", gbk::kRecordChance, " 60.0%)  ", gbk::kRecordLongestMisses, " 1"));
}

TEST(ForecastRecord, EmptyLogHasNoRate)
{
    ForecastRecord record(LotteryKind::Chongqing);
    EXPECT_LT(record.HitRate(), 0);
    EXPECT_NE(record.Describe().find(JoinTexts(gbk::kRecordHitRate, " - ")), Text::npos);
}

} // namespace
} // namespace yanchuan
