#pragma once

#include <chrono>

// How the core lets the front end handle what is waiting (clicks, ticks,
// painting) in the middle of an operation. Everything runs on one thread: a
// handler that runs inside ProcessEvents runs to its end, nested in the
// operation that called it.
namespace yanchuan {

class EventPump {
public:
    virtual ~EventPump() = default;
    // Handles every event already waiting, then returns; never waits for more.
    virtual void ProcessEvents() = 0;
    // Waits the given time while handling events as they come.
    virtual void Pause(std::chrono::milliseconds duration) = 0;
};

// For a front end with nothing to handle: the pause passes without doing anything.
class NoEvents final : public EventPump {
public:
    void ProcessEvents() override { }
    void Pause(std::chrono::milliseconds) override { }
};

} // namespace yanchuan
