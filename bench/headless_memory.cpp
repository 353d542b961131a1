#include "app/schedule.h"
#include "drawsim/draw_simulator.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// Runs yanchuan-headless through simulated days of the auto-run schedule
// against the draw simulator, and reports its peak resident size and the
// length of its logs. The script goes to the headless process a tick at a time,
// each tick of a second at which a rule fires; the simulator's clock is set to
// that second first, and the next tick goes only once the simulator has served
// every read of this one, so that each read sees the draws of its own second.
//
//   headless_memory [--days N] [--headless PATH]
namespace {

using namespace yanchuan;
using namespace yanchuan::drawsim;

constexpr DateTime kFirstDay {2026, 3, 1, 0, 0, 0};
constexpr double kLimitMiB = 100;

// The requests the simulator has served, for the driver to wait on.
class RequestCount {
public:
    void Add()
    {
        const std::lock_guard lock(m_mutex);
        ++m_count;
        m_changed.notify_all();
    }

    // False when the count has not reached `count` within the time.
    bool WaitFor(long count, std::chrono::seconds limit)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, limit, [&] { return m_count >= count; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    long m_count = 0;
};

std::string TimeLine(const DateTime& t)
{
    char text[32];
    std::snprintf(
        text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    return text;
}

// The reads that the tick at `now` runs.
int ReadsAt(const DateTime& now)
{
    const std::vector<Operation> operations = ScheduledOperations(now);
    return static_cast<int>(std::ranges::count(operations, Operation::Verb::Read, &Operation::verb));
}

int Fail(const std::string& message)
{
    std::cerr << "headless_memory: " << message << '\n';
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    int days = 30;
    std::filesystem::path headless
        = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "yanchuan-headless";
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--days") {
            days = std::atoi(argv[i + 1]);
        } else if (arg == "--headless") {
            headless = argv[i + 1];
        } else {
            return Fail("usage: headless_memory [--days N] [--headless PATH]");
        }
    }

    SimulatorOptions options;
    options.ports = {0, 0, 0, 0};
    options.pendingSeconds = 0;
    options.manualClock = true;
    DrawSimulator simulator(options);
    RequestCount requests;
    simulator.SetRequestLog([&](const std::string&) { requests.Add(); });
    if (const auto problem = simulator.Start()) {
        return Fail(*problem);
    }

    // An empty configuration directory: the script names the hosts.
    const std::filesystem::path dir
        = std::filesystem::temp_directory_path() / ("headless_memory." + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::filesystem::path outPath = dir / "stdout";
    const std::filesystem::path errPath = dir / "stderr";

    int script[2];
    if (pipe(script) != 0) {
        return Fail("no pipe");
    }
    const pid_t child = fork();
    if (child == 0) {
        dup2(script[0], STDIN_FILENO);
        close(script[0]);
        close(script[1]);
        if (!std::freopen(outPath.c_str(), "w", stdout) || !std::freopen(errPath.c_str(), "w", stderr)) {
            _exit(127);
        }
        setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
        execl(headless.c_str(), headless.c_str(), "--script", "-", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(script[0]);
    FILE* to = fdopen(script[1], "w");

    for (const SourceId source : kAllSources) {
        std::fprintf(to, "source %s 127.0.0.1:%u\n", std::string(SourceKey(source)).c_str(), simulator.Port(source));
    }
    const auto started = std::chrono::steady_clock::now();
    const SimTime first = ToSimTime(kFirstDay);
    long expected = 0;
    long ticks = 0;
    for (SimTime t = first; t < first + days * kSecondsPerDay; ++t) {
        const DateTime now = ToDateTime(t);
        const int reads = ReadsAt(now);
        if (reads == 0) {
            continue;
        }
        simulator.SetNow(now);
        std::fprintf(to, "now %s\ntick\n", TimeLine(now).c_str());
        std::fflush(to);
        expected += reads;
        ++ticks;
        if (!requests.WaitFor(expected, std::chrono::seconds(30))) {
            return Fail("the reads of the tick at " + TimeLine(now) + " never came; see " + errPath.string());
        }
    }
    for (const LotteryKind kind : kAllLotteries) {
        std::fprintf(to, "log %s\n", std::string(KindName(kind)).c_str());
    }
    std::fclose(to);

    int status = 0;
    rusage usage {};
    if (wait4(child, &status, 0, &usage) != child) {
        return Fail("lost the headless process");
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    // Each log comes back on one line, its line ends escaped.
    std::ifstream out(outPath);
    std::string line;
    long totalLines = 0;
    std::cout << "simulated days: " << days << ", ticks: " << ticks << ", reads: " << expected << ", in " << seconds
              << " s\n";
    for (const LotteryKind kind : kAllLotteries) {
        std::getline(out, line);
        long lines = line.empty() ? 0 : 1;
        for (std::size_t at = line.find("\\r\\n"); at != std::string::npos; at = line.find("\\r\\n", at + 4)) {
            ++lines;
        }
        totalLines += lines;
        std::cout << "log lines " << KindName(kind) << ": " << lines << '\n';
    }
    const double peakMiB = static_cast<double>(usage.ru_maxrss) / 1024;
    std::cout << "log lines in all: " << totalLines << '\n';
    std::cout << "peak resident size of yanchuan-headless: " << peakMiB << " MiB (limit " << kLimitMiB << " MiB)\n";
    std::filesystem::remove_all(dir);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return Fail("yanchuan-headless ended with status " + std::to_string(status));
    }
    return peakMiB < kLimitMiB ? 0 : 1;
}
