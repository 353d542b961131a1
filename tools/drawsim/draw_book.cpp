#include "draw_book.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <numeric>
#include <span>

namespace yanchuan::drawsim {

namespace {

// Draws at `first`, `first + step`, ... seconds after the day's midnight.
struct Run {
    SimTime first;
    SimTime step;
    int count;
};

constexpr SimTime kMinute = 60;
constexpr SimTime kHour = 60 * kMinute;

constexpr std::array<Run, 1> kEveryMinute = {{{kMinute, kMinute, 1440}}};
constexpr std::array<Run, 1> kEveryFiveMinutes = {{{5 * kMinute, 5 * kMinute, 288}}};
// 001-023 from 00:05, 024-096 from 10:00 to 22:00, 097-120 from 22:05 to 24:00.
constexpr std::array<Run, 3> kChongqingRuns = {{
    {5 * kMinute, 5 * kMinute, 23},
    {10 * kHour, 10 * kMinute, 73},
    {22 * kHour + 5 * kMinute, 5 * kMinute, 24},
}};
// 09:07 to 23:57.
constexpr std::array<Run, 1> kPk10Runs = {{{9 * kHour + 7 * kMinute, 5 * kMinute, 179}}};

constexpr int CountOf(std::span<const Run> runs)
{
    return std::accumulate(runs.begin(), runs.end(), 0, [](int n, const Run& run) { return n + run.count; });
}

constexpr bool WithinTheDay(std::span<const Run> runs)
{
    return std::all_of(runs.begin(), runs.end(),
        [](const Run& run) { return run.first > 0 && run.first + run.step * (run.count - 1) <= kSecondsPerDay; });
}

static_assert(CountOf(kEveryMinute) == 1440 && CountOf(kEveryFiveMinutes) == 288);
static_assert(CountOf(kChongqingRuns) == 120 && CountOf(kPk10Runs) == 179);
static_assert(WithinTheDay(kEveryMinute) && WithinTheDay(kEveryFiveMinutes) && WithinTheDay(kChongqingRuns)
    && WithinTheDay(kPk10Runs));

std::span<const Run> RunsOf(LotteryKind kind)
{
    switch (kind) {
    case LotteryKind::Pk10:
        return kPk10Runs;
    case LotteryKind::Chongqing:
        return kChongqingRuns;
    case LotteryKind::VietFive:
    case LotteryKind::IndoFive:
        return kEveryFiveMinutes;
    case LotteryKind::VietOne:
    case LotteryKind::IndoOne:
        break;
    }
    return kEveryMinute;
}

// Seconds after the day's midnight at which the period is drawn.
SimTime OffsetOf(LotteryKind kind, int period)
{
    int before = 0;
    for (const Run& run : RunsOf(kind)) {
        if (period <= before + run.count) {
            return run.first + run.step * (period - before - 1);
        }
        before += run.count;
    }
    return kSecondsPerDay;
}

// The last period of the day drawn at or before `second` after its midnight; 0 when none.
int LastPeriodBy(LotteryKind kind, SimTime second)
{
    int before = 0;
    int last = 0;
    for (const Run& run : RunsOf(kind)) {
        if (second >= run.first) {
            last = before + static_cast<int>(std::min<SimTime>(run.count - 1, (second - run.first) / run.step)) + 1;
        }
        before += run.count;
    }
    return last;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

// SplitMix64's finaliser: every input bit moves every output bit.
std::uint64_t Mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// A SplitMix64 stream whose start is the key of one draw.
class DrawGenerator {
public:
    DrawGenerator(std::uint64_t seed, LotteryKind kind, std::int64_t day, int period)
        : m_state(Mix(Mix(Mix(seed ^ kKindKeys[IndexOf(kind)]) ^ static_cast<std::uint64_t>(day))
            ^ static_cast<std::uint64_t>(period)))
    { }

    int Below(int n)
    {
        m_state += 0x9E3779B97F4A7C15ULL;
        return static_cast<int>(Mix(m_state) % static_cast<std::uint64_t>(n));
    }

private:
    // One arbitrary constant per lottery, so that no two lotteries share draws.
    static constexpr std::array<std::uint64_t, 6> kKindKeys = {0x50B7F2A1C3D4E5F6ULL, 0x3C1A9E7D5B2F4860ULL,
        0x7E6D5C4B3A291807ULL, 0x1F2E3D4C5B6A7988ULL, 0x6A5B4C3D2E1F0A9BULL, 0x2D4C6B8A9F1E3D5CULL};

    std::uint64_t m_state;
};

std::vector<int> DrawNumbers(std::uint64_t seed, LotteryKind kind, std::int64_t day, int period)
{
    DrawGenerator generator(seed, kind, day, period);
    if (kind == LotteryKind::Pk10) {
        std::vector<int> places(10);
        std::iota(places.begin(), places.end(), 1);
        for (int i = 9; i > 0; --i) {
            std::swap(places[static_cast<std::size_t>(i)], places[static_cast<std::size_t>(generator.Below(i + 1))]);
        }
        return places;
    }
    std::vector<int> digits(5);
    for (int& digit : digits) {
        digit = generator.Below(10);
    }
    return digits;
}

bool ReadNumber(std::string_view text, std::size_t at, std::size_t length, int& value)
{
    const char* first = text.data() + at;
    const char* last = first + length;
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last && std::all_of(first, last, [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

SimTime ToSimTime(const DateTime& time)
{
    using namespace std::chrono;
    const sys_days date = year_month_day {
        year {time.year}, month {static_cast<unsigned>(time.month)}, day {static_cast<unsigned>(time.day)}};
    return date.time_since_epoch().count() * kSecondsPerDay + time.hour * kHour + time.minute * kMinute + time.second;
}

DateTime ToDateTime(SimTime time)
{
    using namespace std::chrono;
    const std::int64_t days = FloorDiv(time, kSecondsPerDay);
    const SimTime second = time - days * kSecondsPerDay;
    const year_month_day date {sys_days {std::chrono::days {days}}};
    return DateTime {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
        static_cast<int>(static_cast<unsigned>(date.day())), static_cast<int>(second / kHour),
        static_cast<int>(second % kHour / kMinute), static_cast<int>(second % kMinute)};
}

std::optional<DateTime> ParseDateTime(std::string_view text)
{
    // YYYY-MM-DDTHH:MM:SS
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || (text[10] != 'T' && text[10] != ' ') || text[13] != ':'
        || text[16] != ':') {
        return std::nullopt;
    }
    DateTime time;
    if (!ReadNumber(text, 0, 4, time.year) || !ReadNumber(text, 5, 2, time.month) || !ReadNumber(text, 8, 2, time.day)
        || !ReadNumber(text, 11, 2, time.hour) || !ReadNumber(text, 14, 2, time.minute)
        || !ReadNumber(text, 17, 2, time.second)) {
        return std::nullopt;
    }
    using namespace std::chrono;
    const year_month_day date {
        year {time.year}, month {static_cast<unsigned>(time.month)}, day {static_cast<unsigned>(time.day)}};
    if (!date.ok() || time.hour > 23 || time.minute > 59 || time.second > 59) {
        return std::nullopt;
    }
    return time;
}

int DrawsPerDay(LotteryKind kind) { return CountOf(RunsOf(kind)); }

Draw DrawBook::At(LotteryKind kind, std::int64_t day, int period) const
{
    return Draw {
        kind, day, period, day * kSecondsPerDay + OffsetOf(kind, period), DrawNumbers(m_seed, kind, day, period)};
}

Draw DrawBook::Latest(LotteryKind kind, SimTime now) const
{
    const std::int64_t day = FloorDiv(now, kSecondsPerDay);
    const int period = LastPeriodBy(kind, now - day * kSecondsPerDay);
    // Before the day's first draw the newest is the previous day's last, which
    // may itself fall on this day's 00:00.
    return period > 0 ? At(kind, day, period) : At(kind, day - 1, DrawsPerDay(kind));
}

Draw DrawBook::Previous(const Draw& draw) const
{
    return draw.period > 1 ? At(draw.kind, draw.day, draw.period - 1)
                           : At(draw.kind, draw.day - 1, DrawsPerDay(draw.kind));
}

std::vector<Draw> DrawBook::History(LotteryKind kind, SimTime now, int count) const
{
    std::vector<Draw> draws;
    if (count <= 0) {
        return draws;
    }
    draws.push_back(Latest(kind, now));
    while (static_cast<int>(draws.size()) < count) {
        draws.push_back(Previous(draws.back()));
    }
    return draws;
}

int Pk10Serial(std::int64_t day, int period)
{
    // 2020-01-01's first draw is 100000; past 999999 the count wraps to 100000,
    // so that the number always has the six digits the reader cuts.
    constexpr std::int64_t kEpochDay = 18262;
    constexpr std::int64_t kSpan = 900000;
    const std::int64_t index = (day - kEpochDay) * CountOf(kPk10Runs) + period - 1;
    return static_cast<int>(100000 + (index % kSpan + kSpan) % kSpan);
}

} // namespace yanchuan::drawsim
