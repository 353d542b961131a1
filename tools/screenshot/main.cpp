#include "app/desk.h"
#include "app/window/fonts.h"
#include "app/window/main_window.h"
#include "drawsim/draw_simulator.h"
#include "drawsim/shared_time.h"
#include "readers/curl_page_fetch.h"

#include <QApplication>
#include <QPixmap>
#include <QTabWidget>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

// Renders the window after an evening of the schedule against the draw
// simulator, for the picture in the README: the simulator's clock and the
// desk's are one fake time, so the run takes seconds and shows the same draws
// every time.
namespace yanchuan {
namespace {

using drawsim::SimTime;

constexpr DateTime kFrom {2026, 3, 11, 21, 0, 0};
// Second 30 of a minute fires no rule, should a tick come while the picture is taken.
constexpr DateTime kTo {2026, 3, 11, 22, 41, 30};
constexpr std::chrono::milliseconds kPendingPause {1000};

int Run(const std::string& out, int page)
{
    drawsim::SimulatorOptions options;
    options.ports = {0, 0, 0, 0};
    options.manualClock = true;
    drawsim::DrawSimulator simulator(options);
    if (const auto problem = simulator.Start()) {
        std::cerr << "yanchuan-screenshot: the draw simulator did not start: " << *problem << '\n';
        return 1;
    }
    Sources sources;
    for (const SourceId source : kAllSources) {
        sources.SetHost(source, "127.0.0.1:" + std::to_string(simulator.Port(source)));
    }

    drawsim::SharedTime time(simulator);
    time.Set(drawsim::ToSimTime(kFrom));
    CurlPageFetch fetch;
    Desk desk(fetch, time.DeskClock(), time, sources);
    desk.SetPendingPause(kPendingPause);
    MainWindow window(desk);
    fetch.SetOutcomeSink([&window](const FetchOutcome& outcome) { window.ShowFetchOutcome(outcome); });
    window.show();
    desk.OnMainWindowCreated();

    for (SimTime now = drawsim::ToSimTime(kFrom); now <= drawsim::ToSimTime(kTo); ++now) {
        // A read that waited for a pending draw held the seconds it took.
        if (now < time.Now()) {
            continue;
        }
        time.Set(now);
        const std::vector<Operation> operations = ScheduledOperations(drawsim::ToDateTime(now));
        desk.ClockTick();
        // The PK10 forecast runs only from its button: clicked after each read.
        if (std::ranges::find(operations, Operation {Operation::Verb::Read, LotteryKind::Pk10}) != operations.end()) {
            desk.Analyse(LotteryKind::Pk10);
        }
    }

    auto* tabs = window.findChild<QTabWidget*>("高级选择夹1");
    tabs->setCurrentIndex(page);
    QApplication::processEvents();
    if (!window.grab().save(QString::fromStdString(out), "PNG")) {
        std::cerr << "yanchuan-screenshot: cannot write " << out << '\n';
        return 1;
    }
    fetch.SetOutcomeSink(nullptr);
    return 0;
}

} // namespace
} // namespace yanchuan

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    yanchuan::fonts::SetUpFonts();
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: yanchuan-screenshot OUT.png [PAGE]   (PAGE 0 to 5, the tab shown; 1 by default)\n";
        return 2;
    }
    const int page = argc == 3 ? std::atoi(argv[2]) : 1;
    return yanchuan::Run(argv[1], page);
}
