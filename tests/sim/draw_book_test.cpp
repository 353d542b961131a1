#include "drawsim/draw_book.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <string>

namespace yanchuan::drawsim {
namespace {

SimTime At(const char* text)
{
    const std::optional<DateTime> time = ParseDateTime(text);
    EXPECT_TRUE(time) << text;
    return time ? ToSimTime(*time) : 0;
}

std::int64_t Day(const char* date) { return At((std::string(date) + "T00:00:00").c_str()) / kSecondsPerDay; }

struct LatestCase {
    LotteryKind kind;
    const char* now;
    const char* day; // the date the newest draw counts in
    int period;
    const char* drawn;
};

// The edges of each timetable, the day's end included: a day's last draw may
// fall on the next day's 00:00 and still count in its own day.
TEST(DrawBook, NewestDrawFollowsEachTimetable)
{
    const LatestCase cases[] = {
        {LotteryKind::IndoOne, "2026-03-11T00:00:00", "2026-03-10", 1440, "2026-03-11T00:00:00"},
        {LotteryKind::IndoOne, "2026-03-11T00:00:59", "2026-03-10", 1440, "2026-03-11T00:00:00"},
        {LotteryKind::IndoOne, "2026-03-11T00:01:00", "2026-03-11", 1, "2026-03-11T00:01:00"},
        {LotteryKind::VietOne, "2026-03-11T10:11:05", "2026-03-11", 611, "2026-03-11T10:11:00"},
        {LotteryKind::VietOne, "2026-03-11T23:59:59", "2026-03-11", 1439, "2026-03-11T23:59:00"},
        {LotteryKind::VietFive, "2026-03-11T00:04:59", "2026-03-10", 288, "2026-03-11T00:00:00"},
        {LotteryKind::IndoFive, "2026-03-11T00:05:00", "2026-03-11", 1, "2026-03-11T00:05:00"},
        {LotteryKind::IndoFive, "2026-03-11T23:59:59", "2026-03-11", 287, "2026-03-11T23:55:00"},
        {LotteryKind::Chongqing, "2026-03-11T00:04:59", "2026-03-10", 120, "2026-03-11T00:00:00"},
        {LotteryKind::Chongqing, "2026-03-11T00:05:00", "2026-03-11", 1, "2026-03-11T00:05:00"},
        {LotteryKind::Chongqing, "2026-03-11T01:55:00", "2026-03-11", 23, "2026-03-11T01:55:00"},
        {LotteryKind::Chongqing, "2026-03-11T09:59:59", "2026-03-11", 23, "2026-03-11T01:55:00"},
        {LotteryKind::Chongqing, "2026-03-11T10:00:00", "2026-03-11", 24, "2026-03-11T10:00:00"},
        {LotteryKind::Chongqing, "2026-03-11T10:09:59", "2026-03-11", 24, "2026-03-11T10:00:00"},
        {LotteryKind::Chongqing, "2026-03-11T21:59:59", "2026-03-11", 95, "2026-03-11T21:50:00"},
        {LotteryKind::Chongqing, "2026-03-11T22:04:59", "2026-03-11", 96, "2026-03-11T22:00:00"},
        {LotteryKind::Chongqing, "2026-03-11T22:05:00", "2026-03-11", 97, "2026-03-11T22:05:00"},
        {LotteryKind::Chongqing, "2026-03-11T23:59:59", "2026-03-11", 119, "2026-03-11T23:55:00"},
        {LotteryKind::Chongqing, "2026-03-12T00:00:00", "2026-03-11", 120, "2026-03-12T00:00:00"},
        {LotteryKind::Pk10, "2026-03-11T09:06:59", "2026-03-10", 179, "2026-03-10T23:57:00"},
        {LotteryKind::Pk10, "2026-03-11T09:07:00", "2026-03-11", 1, "2026-03-11T09:07:00"},
        {LotteryKind::Pk10, "2026-03-11T23:59:59", "2026-03-11", 179, "2026-03-11T23:57:00"},
        {LotteryKind::Pk10, "2024-03-01T00:00:00", "2024-02-29", 179, "2024-02-29T23:57:00"},
    };
    const DrawBook book(7);
    for (const LatestCase& c : cases) {
        const Draw draw = book.Latest(c.kind, At(c.now));
        EXPECT_EQ(draw.day, Day(c.day)) << KindName(c.kind) << " at " << c.now;
        EXPECT_EQ(draw.period, c.period) << KindName(c.kind) << " at " << c.now;
        EXPECT_EQ(draw.time, At(c.drawn)) << KindName(c.kind) << " at " << c.now;
    }
}

// Every draw of a day, walked back from the day's last: the count of the
// timetable, each newest from its draw time until the next one's, and the
// previous day's last before period 1.
TEST(DrawBook, EachDrawIsNewestFromItsTimeUntilTheNext)
{
    const std::array<std::pair<LotteryKind, int>, 6> perDay
        = {{{LotteryKind::IndoOne, 1440}, {LotteryKind::VietOne, 1440}, {LotteryKind::IndoFive, 288},
            {LotteryKind::VietFive, 288}, {LotteryKind::Chongqing, 120}, {LotteryKind::Pk10, 179}}};
    const DrawBook book(7);
    const std::int64_t day = Day("2026-03-11");
    for (const auto& [kind, count] : perDay) {
        EXPECT_EQ(DrawsPerDay(kind), count) << KindName(kind);
        Draw next = book.At(kind, day + 1, 1);
        Draw draw = book.Previous(next);
        ASSERT_EQ(draw.day, day) << KindName(kind);
        ASSERT_EQ(draw.period, count) << KindName(kind);
        for (int period = count; period >= 1; --period) {
            ASSERT_EQ(draw.period, period) << KindName(kind);
            ASSERT_LT(draw.time, next.time) << KindName(kind) << " period " << period;
            EXPECT_EQ(book.Latest(kind, draw.time), draw) << KindName(kind) << " period " << period;
            EXPECT_EQ(book.Latest(kind, next.time - 1), draw) << KindName(kind) << " period " << period;
            next = draw;
            draw = book.Previous(draw);
        }
        EXPECT_EQ(draw.day, day - 1) << KindName(kind);
        EXPECT_EQ(draw.period, count) << KindName(kind);
    }
}

TEST(DrawBook, HistoryListsTheNewestDrawsNewestFirst)
{
    const DrawBook book(7);
    const std::vector<Draw> history = book.History(LotteryKind::Chongqing, At("2026-03-11T00:10:00"), 4);
    ASSERT_EQ(history.size(), 4u);
    EXPECT_EQ(history[0].period, 2);
    EXPECT_EQ(history[1].period, 1);
    EXPECT_EQ(history[2].period, 120);
    EXPECT_EQ(history[2].day, Day("2026-03-10"));
    EXPECT_EQ(history[3].period, 119);
}

TEST(DrawBook, Pk10PeriodsKeepCountingAcrossDaysInSixDigits)
{
    const auto next = [](int serial) { return serial == 999999 ? 100000 : serial + 1; };
    EXPECT_EQ(Pk10Serial(Day("2020-01-01"), 1), 100000);
    EXPECT_EQ(Pk10Serial(Day("2020-01-02"), 1), 100179);
    // Twenty years, far past the wrap from 999999 to 100000.
    for (std::int64_t day = Day("2019-12-20"); day < Day("2040-01-01"); ++day) {
        const int first = Pk10Serial(day, 1);
        const int last = Pk10Serial(day, 179);
        ASSERT_EQ(Pk10Serial(day, 2), next(first)) << "day " << day;
        ASSERT_EQ(Pk10Serial(day + 1, 1), next(last)) << "day " << day;
        ASSERT_GE(std::min(first, last), 100000) << "day " << day;
        ASSERT_LE(std::max(first, last), 999999) << "day " << day;
    }
}

// The numbers a lottery draws over one day, period by period.
std::vector<std::vector<int>> DayOfNumbers(const DrawBook& book, LotteryKind kind, std::int64_t day)
{
    std::vector<std::vector<int>> numbers;
    for (int period = 1; period <= DrawsPerDay(kind); ++period) {
        numbers.push_back(book.At(kind, day, period).numbers);
    }
    return numbers;
}

TEST(DrawBook, NumbersRepeatForTheSameKeyAndDifferOtherwise)
{
    const std::int64_t day = Day("2026-03-11");
    const DrawBook book(7);
    EXPECT_EQ(DayOfNumbers(book, LotteryKind::IndoOne, day), DayOfNumbers(DrawBook(7), LotteryKind::IndoOne, day));

    const auto indo = DayOfNumbers(book, LotteryKind::IndoOne, day);
    const std::map<std::string, std::vector<std::vector<int>>> others = {
        {"the Vietnamese service", DayOfNumbers(book, LotteryKind::VietOne, day)},
        {"another seed", DayOfNumbers(DrawBook(8), LotteryKind::IndoOne, day)},
        {"another day", DayOfNumbers(book, LotteryKind::IndoOne, day + 1)},
    };
    for (const auto& [what, numbers] : others) {
        int same = 0;
        for (std::size_t i = 0; i < indo.size(); ++i) {
            same += indo[i] == numbers[i];
        }
        // Five digits agree by chance once in 100,000 draws.
        EXPECT_LE(same, 2) << what;
    }
}

TEST(DrawBook, DigitsAreEvenAndPk10PlacesArePermutations)
{
    const DrawBook book(7);
    const std::int64_t day = Day("2026-03-11");
    std::array<int, 10> counts {};
    for (const auto& digits : DayOfNumbers(book, LotteryKind::IndoOne, day)) {
        ASSERT_EQ(digits.size(), 5u);
        for (const int digit : digits) {
            ASSERT_GE(digit, 0);
            ASSERT_LE(digit, 9);
            ++counts[static_cast<std::size_t>(digit)];
        }
    }
    // 7,200 digits: 720 of each expected, with a standard deviation near 25.
    for (const int count : counts) {
        EXPECT_GT(count, 600);
        EXPECT_LT(count, 840);
    }

    std::set<int> firstPlaces;
    for (auto places : DayOfNumbers(book, LotteryKind::Pk10, day)) {
        firstPlaces.insert(places[0]);
        std::sort(places.begin(), places.end());
        ASSERT_EQ(places, (std::vector<int> {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    }
    EXPECT_EQ(firstPlaces.size(), 10u);
}

TEST(DrawBook, ParsesOnlyValidTimes)
{
    const std::pair<const char*, std::optional<DateTime>> cases[] = {
        {"2026-03-11T09:50:05", DateTime {2026, 3, 11, 9, 50, 5}},
        {"2026-03-11 23:59:59", DateTime {2026, 3, 11, 23, 59, 59}},
        {"2024-02-29T00:00:00", DateTime {2024, 2, 29, 0, 0, 0}},
        {"2026-02-29T00:00:00", std::nullopt},
        {"2026-03-11T24:00:00", std::nullopt},
        {"2026-03-11T09:60:00", std::nullopt},
        {"2026-13-01T00:00:00", std::nullopt},
        {"2026-03-11X09:50:05", std::nullopt},
        {"2026-03-11T09:50:0", std::nullopt},
        {"2026-03-11T09:50:+5", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseDateTime(text), expected) << '"' << text << '"';
    }
}

TEST(DrawBook, SimulatedTimeCountsWholeDays)
{
    const DateTime leapDayEnd {2024, 2, 29, 23, 59, 59};
    EXPECT_EQ(ToDateTime(ToSimTime(leapDayEnd) + 1), (DateTime {2024, 3, 1, 0, 0, 0}));
    EXPECT_EQ(ToSimTime(DateTime {2026, 3, 12, 0, 0, 0}) - ToSimTime(DateTime {2026, 3, 11, 0, 0, 0}), kSecondsPerDay);
    EXPECT_EQ(ToDateTime(ToSimTime(DateTime {1969, 12, 31, 23, 0, 1})), (DateTime {1969, 12, 31, 23, 0, 1}));
}

} // namespace
} // namespace yanchuan::drawsim
