#pragma once

#include "app/sources.h"
#include "draw_book.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// A local stand-in for the four results services: one HTTP server per source,
// on 127.0.0.1 only, serving that source's pages from a DrawBook at the
// simulated time.
namespace yanchuan::drawsim {

struct SimulatorOptions {
    // By SourceId; 0 takes any free port.
    std::array<std::uint16_t, 4> ports = {DefaultPort(SourceId::Indo), DefaultPort(SourceId::Viet),
        DefaultPort(SourceId::Chongqing), DefaultPort(SourceId::Pk10)};
    std::uint64_t seed = 1;
    // How long an offshore page shows its newest draw as pending.
    int pendingSeconds = 8;
    // A clock that stands where it is set (starting at the local time of
    // construction) instead of the local wall clock.
    bool manualClock = false;
};

// Besides the pages, every port answers two controls: GET /_sim/now?t=YYYY-MM-DDTHH:MM:SS
// sets the manual clock (GET /_sim/now shows the simulated time), and
// GET /_sim/fail?rate=R&seed=N makes that fraction of page requests fail. The
// same controls are member functions, for tests in the same process.
class DrawSimulator final {
public:
    explicit DrawSimulator(SimulatorOptions options);
    ~DrawSimulator();
    DrawSimulator(const DrawSimulator&) = delete;
    DrawSimulator& operator=(const DrawSimulator&) = delete;

    // Where each request's line goes: called from the serving threads, one
    // call at a time.
    void SetRequestLog(std::function<void(const std::string&)> log);

    // Binds the four ports and serves each on threads of its own; nothing, or
    // why a port could not be bound (and then nothing is served).
    std::optional<std::string> Start();
    // Stops serving and waits for the threads; the destructor does it too.
    void Stop();

    // The bound port of the source, once started.
    std::uint16_t Port(SourceId source) const;

    // Sets the manual clock; false, with no effect, when the clock is real.
    bool SetNow(const DateTime& now);
    DateTime Now() const;
    // From now on each page request fails with the given probability, its
    // connection closed before any of the body; the choices come from a
    // generator seeded with `seed`, so a run repeats exactly.
    void SetFailures(double rate, std::uint64_t seed);

    const DrawBook& Book() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace yanchuan::drawsim
