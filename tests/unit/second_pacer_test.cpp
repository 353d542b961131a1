#include "app/second_pacer.h"

#include <gtest/gtest.h>

namespace yanchuan {
namespace {

using namespace std::chrono_literals;
using TimePoint = SecondPacer::TimePoint;

TimePoint At(std::chrono::milliseconds sinceEpoch)
{
    return TimePoint(std::chrono::duration_cast<TimePoint::duration>(sinceEpoch));
}

TEST(SecondPacer, ArmsForJustAfterTheNextSecond)
{
    EXPECT_EQ(SecondPacer::DelayToNextSecond(At(5000ms)), 1002ms);
    EXPECT_EQ(SecondPacer::DelayToNextSecond(At(5250ms)), 752ms);
    EXPECT_EQ(SecondPacer::DelayToNextSecond(At(5999ms)), 3ms);
}

TEST(SecondPacer, RunsEachWallClockSecondOnce)
{
    SecondPacer pacer;
    EXPECT_TRUE(pacer.TakeSecond(At(5001ms)));
    EXPECT_FALSE(pacer.TakeSecond(At(5999ms))); // a timer that fired early
    EXPECT_TRUE(pacer.TakeSecond(At(6002ms)));
    EXPECT_TRUE(pacer.TakeSecond(At(9002ms))); // seconds held up by a read are not made up
    EXPECT_FALSE(pacer.TakeSecond(At(9500ms)));
}

} // namespace
} // namespace yanchuan
