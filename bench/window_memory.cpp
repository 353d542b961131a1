#include "app/desk.h"
#include "app/schedule.h"
#include "app/window/fonts.h"
#include "app/window/main_window.h"
#include "drawsim/draw_simulator.h"
#include "drawsim/shared_time.h"
#include "readers/curl_page_fetch.h"
#include "readers/gbk_texts.h"

#include <QApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <sys/resource.h>

// Runs the window, offscreen, through simulated days of the auto-run schedule
// against the draw simulator in the same process, the two sharing one fake
// clock, so that its log boxes hold what 30 days of forecasts write. Then it
// reports the peak resident size of the process and the time of one append to
// the fullest log box.
//
//   window_memory [--days N]
namespace {

using namespace yanchuan;
using namespace yanchuan::drawsim;

constexpr DateTime kFirstDay {2026, 3, 1, 0, 0, 0};
constexpr double kLimitMiB = 300;

double PeakResidentMiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

long LineCount(const Text& text)
{
    long lines = text.empty() ? 0 : 1;
    for (const char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    return lines;
}

} // namespace

int main(int argc, char** argv)
{
    int days = 30;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--days" && i + 1 < argc) {
            days = std::atoi(argv[++i]);
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    fonts::SetUpFonts();

    SimulatorOptions options;
    options.ports = {0, 0, 0, 0};
    options.pendingSeconds = 0;
    options.manualClock = true;
    DrawSimulator simulator(options);
    if (const auto problem = simulator.Start()) {
        std::cerr << "window_memory: the simulator did not start: " << *problem << '\n';
        return 1;
    }
    SharedTime time(simulator);
    Sources sources;
    for (const SourceId source : kAllSources) {
        sources.SetHost(source, "127.0.0.1:" + std::to_string(simulator.Port(source)));
    }
    CurlPageFetch fetch;
    Desk desk(fetch, time.DeskClock(), time, sources);
    MainWindow window(desk);
    // The ticks come from the simulated days alone, not from the window's own
    // one-second clock.
    window.findChild<QTimer*>(QStringLiteral("时钟1"))->stop();
    window.show();
    desk.OnMainWindowCreated();

    const auto started = std::chrono::steady_clock::now();
    const SimTime first = ToSimTime(kFirstDay);
    long ticks = 0;
    for (SimTime now = first; now < first + days * kSecondsPerDay; ++now) {
        if (ScheduledOperations(ToDateTime(now)).empty()) {
            continue;
        }
        time.Set(now);
        desk.ClockTick();
        // Let the window paint and handle what it queued, as its event loop
        // would between two ticks.
        if (++ticks % 60 == 0) {
            QApplication::processEvents();
        }
    }
    QApplication::processEvents();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    long allLines = 0;
    std::cout << "simulated days: " << days << ", ticks: " << ticks << ", in " << seconds << " s\nlog lines:";
    for (const LotteryKind kind : kAllLotteries) {
        const long lines = LineCount(desk.Log(kind).KillLogText());
        allLines += lines;
        std::cout << ' ' << KindName(kind) << ' ' << lines;
    }
    std::cout << "\nlog lines in all: " << allLines << '\n';

    // One append to the fullest box, as a forecast's close and line are.
    KillLog& fullest = desk.Log(LotteryKind::IndoOne);
    const Text line
        = JoinTexts("  ", gbk::kLastTwoHeld, "\r\n", gbk::kIndoOneName, "20260331-0001", gbk::kLastTwoKill, "4,4");
    constexpr int kAppends = 200;
    const auto appendStart = std::chrono::steady_clock::now();
    for (int i = 0; i < kAppends; ++i) {
        fullest.AppendKillLogText(line);
    }
    QApplication::processEvents();
    const double appendMicroseconds
        = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - appendStart).count() / kAppends;

    const double peak = PeakResidentMiB();
    std::printf("one append to the IndoOne box: %.0f us\n", appendMicroseconds);
    std::printf("peak resident size (target: under %.0f MiB): %.1f MiB\n", kLimitMiB, peak);
    return peak < kLimitMiB ? 0 : 1;
}
