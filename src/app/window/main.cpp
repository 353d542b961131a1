#include "app/desk.h"
#include "app/qt/qt_event_pump.h"
#include "app/window/fonts.h"
#include "app/window/main_window.h"
#include "readers/curl_page_fetch.h"

#include <QApplication>

#include <chrono>
#include <iostream>

namespace {

// How long a read waits before it fetches a page again that still shows the
// newest draw as pending.
constexpr std::chrono::milliseconds kPendingPause {1000};

} // namespace

int main(int argc, char** argv)
{
    using namespace yanchuan;
    QApplication app(argc, argv);
    fonts::SetUpFonts();

    const Sources sources
        = LoadSources(SourcesFilePath(), [](const std::string& message) { std::cerr << message << '\n'; });
    CurlPageFetch fetch;
    SystemClock clock;
    QtEventPump events;
    Desk desk(fetch, clock, events, sources);
    desk.SetPendingPause(kPendingPause);

    MainWindow window(desk);
    fetch.SetOutcomeSink([&window](const FetchOutcome& outcome) { window.ShowFetchOutcome(outcome); });
    window.show();
    desk.OnMainWindowCreated();
    const int status = app.exec();
    fetch.SetOutcomeSink(nullptr);
    return status;
}
