#pragma once

#include "app/desk.h"
#include "readers/clock.h"
#include "readers/events.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace yanchuan {

// The script's clock: it stands where the last `now` put it, and reads the real
// local time before the first `now`.
class ScriptClock final : public Clock {
public:
    DateTime CurrentTime() const override { return m_now ? *m_now : SystemClock().CurrentTime(); }
    void Set(const DateTime& now) { m_now = now; }

private:
    std::optional<DateTime> m_now;
};

// Nothing is waiting in a script; a pause is a real wait, so that a local
// server's pending draw can come out meanwhile.
class ScriptEvents final : public EventPump {
public:
    void ProcessEvents() override { }
    void Pause(std::chrono::milliseconds duration) override;
};

// Runs the commands of a yanchuan-headless script on a desk, one line at a time.
class ScriptRunner final : public DeskListener {
public:
    ScriptRunner(Desk& desk, ScriptClock& clock, std::ostream& out, std::ostream& err, bool raw);
    ~ScriptRunner() override;
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    // Runs one line. A line that is not a valid command runs nothing and gives
    // what is wrong with it.
    std::optional<std::string> RunLine(std::string_view line);

    // Runs every line in order; stops at the first invalid one with
    // "error: line N: ..." on err. Returns the exit status: 0, or 2.
    int Run(std::istream& in);

    void Message(LotteryKind kind, std::string_view gbkMessage) override;
    void OperationStarted(const Operation& operation) override;

private:
    Desk& m_desk;
    ScriptClock& m_clock;
    std::ostream& m_out;
    std::ostream& m_err;
    bool m_raw;
    bool m_trace = false;
};

// "YYYY-MM-DD HH:MM:SS", a real date and time.
std::optional<DateTime> ParseDateTime(std::string_view text);

} // namespace yanchuan
