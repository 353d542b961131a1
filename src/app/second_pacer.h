#pragma once

#include <chrono>
#include <cstdint>

namespace yanchuan {

// Keeps a one-second clock on the wall-clock second: each tick is armed for
// just after the next second boundary, and a second that has already had its
// tick (a timer that fired early, or a nested tick) is not run again.
class SecondPacer final {
public:
    using TimePoint = std::chrono::system_clock::time_point;

    // How long to wait from `now` until just after the next second starts.
    static std::chrono::milliseconds DelayToNextSecond(TimePoint now);

    // True, once, for the first tick of each wall-clock second.
    bool TakeSecond(TimePoint now);

private:
    std::int64_t m_lastSecond = INT64_MIN;
};

} // namespace yanchuan
