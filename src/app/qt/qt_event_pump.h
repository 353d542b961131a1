#pragma once

#include "readers/events.h"

namespace yanchuan {

// Pending events are those of the Qt event loop: a click or a tick that is
// waiting runs to its end inside ProcessEvents, nested in the running operation.
class QtEventPump final : public EventPump {
public:
    void ProcessEvents() override;
    void Pause(std::chrono::milliseconds duration) override;
};

} // namespace yanchuan
