#include "app/second_pacer.h"

namespace yanchuan {

namespace {

// A timer fires a little late rather than early; the margin keeps an early one
// from landing in the second before.
constexpr std::chrono::milliseconds kMargin {2};

} // namespace

std::chrono::milliseconds SecondPacer::DelayToNextSecond(TimePoint now)
{
    const auto sinceSecond = now - std::chrono::floor<std::chrono::seconds>(now);
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::seconds(1) - sinceSecond) + kMargin;
}

bool SecondPacer::TakeSecond(TimePoint now)
{
    const std::int64_t second = std::chrono::floor<std::chrono::seconds>(now).time_since_epoch().count();
    if (second == m_lastSecond) {
        return false;
    }
    m_lastSecond = second;
    return true;
}

} // namespace yanchuan
