#pragma once

#include "readers/clock.h"
#include "tables/lottery.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The draws the simulator publishes: each lottery's timetable, and the numbers
// of every draw, the same for the same seed whenever they are asked for.
namespace yanchuan::drawsim {

// Simulated local time: whole seconds since 1970-01-01 00:00:00, without a time
// zone, so that a day always has 86,400 seconds.
using SimTime = std::int64_t;
inline constexpr SimTime kSecondsPerDay = 86400;

SimTime ToSimTime(const DateTime& time);
DateTime ToDateTime(SimTime time);
// "YYYY-MM-DDTHH:MM:SS", or with a space for the T; nothing when it is not a valid time.
std::optional<DateTime> ParseDateTime(std::string_view text);

// One draw of one lottery.
struct Draw {
    LotteryKind kind = LotteryKind::IndoOne;
    std::int64_t day = 0; // the date it counts in, as days since 1970-01-01
    int period = 1; // its number within that day, from 1
    SimTime time = 0; // when it is drawn; a day's last draw may fall on the next day's 00:00
    std::vector<int> numbers; // five digits 0 to 9; for Pk10 the numbers of places 1 to 10

    friend bool operator==(const Draw&, const Draw&) = default;
};

int DrawsPerDay(LotteryKind kind);

// Every draw of the six lotteries for one seed. Each draw's numbers come from a
// generator keyed by the seed, the lottery, the date and the period, so the
// two offshore services differ and a draw never changes once published.
class DrawBook final {
public:
    explicit DrawBook(std::uint64_t seed)
        : m_seed(seed)
    { }

    // Period 1 to DrawsPerDay(kind) of the day.
    Draw At(LotteryKind kind, std::int64_t day, int period) const;
    // The newest draw drawn at or before `now`.
    Draw Latest(LotteryKind kind, SimTime now) const;
    Draw Previous(const Draw& draw) const;
    // The `count` newest draws at `now`, newest first.
    std::vector<Draw> History(LotteryKind kind, SimTime now, int count) const;

private:
    std::uint64_t m_seed;
};

// The PK10 period number: six digits that go on counting from one day to the next.
int Pk10Serial(std::int64_t day, int period);

} // namespace yanchuan::drawsim
