#include "draw_simulator.h"

#include <charconv>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <pthread.h>
#include <string>
#include <string_view>

namespace {

using namespace yanchuan;
using namespace yanchuan::drawsim;

constexpr std::string_view kUsage
    = "usage: yanchuan-drawsim [--indo-port N] [--viet-port N] [--chongqing-port N] [--pk10-port N]\n"
      "                        [--seed N] [--pending-seconds N] [--clock real|manual]\n"
      "Serves the four results services on 127.0.0.1; a port of 0 takes any free port.\n"
      "Prints 'ports indo=N viet=N chongqing=N pk10=N' once listening, logs each request\n"
      "to stderr and stops on SIGINT or SIGTERM. With --clock manual, GET /_sim/now?t=\n"
      "YYYY-MM-DDTHH:MM:SS on any port sets the simulated time; on either clock,\n"
      "GET /_sim/fail?rate=R&seed=N makes that fraction of page requests fail.\n";

template <typename T> bool ParseNumber(std::string_view text, T& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

int Fail(const std::string& message)
{
    std::cerr << "yanchuan-drawsim: " << message << '\n' << kUsage;
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    SimulatorOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (i + 1 >= argc) {
            return Fail("unknown argument or missing value: " + std::string(arg));
        }
        const std::string_view value = argv[++i];
        bool ok = true;
        if (arg == "--seed") {
            ok = ParseNumber(value, options.seed);
        } else if (arg == "--pending-seconds") {
            ok = ParseNumber(value, options.pendingSeconds) && options.pendingSeconds >= 0;
        } else if (arg == "--clock") {
            ok = value == "real" || value == "manual";
            options.manualClock = value == "manual";
        } else {
            bool known = false;
            for (const SourceId source : kAllSources) {
                if (arg == "--" + std::string(SourceKey(source)) + "-port") {
                    known = true;
                    ok = ParseNumber(value, options.ports[static_cast<std::size_t>(source)]);
                }
            }
            if (!known) {
                return Fail("unknown argument " + std::string(arg));
            }
        }
        if (!ok) {
            return Fail("bad value for " + std::string(arg) + ": " + std::string(value));
        }
    }

    // The signals are taken by sigwait below; blocked before the serving
    // threads start, so that they inherit the mask and none of them takes one.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    DrawSimulator simulator(options);
    simulator.SetRequestLog([](const std::string& line) { std::cerr << line << '\n'; });
    if (const auto problem = simulator.Start()) {
        std::cerr << "yanchuan-drawsim: " << *problem << '\n';
        return 1;
    }
    std::cout << "ports";
    for (const SourceId source : kAllSources) {
        std::cout << ' ' << SourceKey(source) << '=' << simulator.Port(source);
    }
    std::cout << std::endl;
    std::cerr << "yanchuan-drawsim: seed " << options.seed << ", pending " << options.pendingSeconds << " s, "
              << (options.manualClock ? "manual" : "real") << " clock" << std::endl;

    int signal = 0;
    sigwait(&stopSignals, &signal);
    std::cerr << "yanchuan-drawsim: stopping on signal " << signal << std::endl;
    simulator.Stop();
    return 0;
}
