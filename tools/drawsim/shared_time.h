#pragma once

#include "drawsim/draw_simulator.h"
#include "readers/clock.h"
#include "readers/events.h"

#include <chrono>
#include <cstdint>

namespace yanchuan::drawsim {

// One fake time for a desk and the simulator it reads from, for runs through
// simulated days: the desk's clock and the simulator's manual clock always
// agree. There is nothing to handle between operations, and the pause of a read
// that waits for a pending draw only moves the time on.
class SharedTime final : public EventPump {
public:
    explicit SharedTime(DrawSimulator& simulator)
        : m_simulator(simulator)
    { }

    void Set(SimTime now)
    {
        m_milliseconds = now * 1000;
        Publish();
    }
    SimTime Now() const { return m_milliseconds / 1000; }
    const Clock& DeskClock() const { return m_clock; }

    void ProcessEvents() override { }
    void Pause(std::chrono::milliseconds duration) override
    {
        m_milliseconds += duration.count();
        Publish();
    }

private:
    void Publish()
    {
        m_clock.Set(ToDateTime(Now()));
        m_simulator.SetNow(ToDateTime(Now()));
    }

    DrawSimulator& m_simulator;
    FixedClock m_clock;
    std::int64_t m_milliseconds = 0;
};

} // namespace yanchuan::drawsim
