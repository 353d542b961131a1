#pragma once

#include "app/desk.h"
#include "app/qt/qt_event_pump.h"
#include "app/window/main_window.h"
#include "readers/curl_page_fetch.h"
#include "support/page_server.h"

#include <QString>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace yanchuan::testing {

// A page of tests/fixtures, byte for byte; empty when it cannot be read.
inline std::string FixturePage(const std::string& name)
{
    const char* sourceDir = std::getenv("YANCHUAN_SOURCE_DIR");
    std::ifstream in(std::string(sourceDir ? sourceDir : ".") + "/tests/fixtures/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every results page from tests/fixtures, all four sources on one server.
inline Routes FixturePages()
{
    return Pages({
        {"/others/draw.php", FixturePage("offshore_draw.json")},
        {"/others/draw_ffc.php", FixturePage("offshore_draw_ffc.json")},
        {"/Game/GetNum.aspx", FixturePage("chongqing_getnum.html")},
        {"/bulletin/trax.html", FixturePage("pk10_trax.html")},
    });
}

// The window as the program builds and starts it, reading from a server of the
// test's own on 127.0.0.1, with a clock that stands where the test sets it.
class WindowRig {
public:
    WindowRig()
        : m_server(FixturePages())
        , m_desk(m_fetch, m_clock, m_events, ServerSources())
        , m_window(m_desk)
    {
        m_desk.SetPendingPause(std::chrono::milliseconds(1000));
        m_fetch.SetOutcomeSink([this](const FetchOutcome& outcome) { m_window.ShowFetchOutcome(outcome); });
        m_window.show();
        m_desk.OnMainWindowCreated();
    }
    ~WindowRig() { m_fetch.SetOutcomeSink(nullptr); }
    WindowRig(const WindowRig&) = delete;
    WindowRig& operator=(const WindowRig&) = delete;

    bool Serving() const { return m_server.Port() > 0; }
    Desk& TheDesk() { return m_desk; }
    FixedClock& TheClock() { return m_clock; }
    MainWindow& Window() { return m_window; }

    template <typename T> T* Find(const QString& name) { return m_window.findChild<T*>(name); }

private:
    Sources ServerSources() const
    {
        Sources sources;
        for (const SourceId source : kAllSources) {
            sources.SetHost(source, m_server.Host());
        }
        return sources;
    }

    PageServer m_server;
    CurlPageFetch m_fetch;
    FixedClock m_clock;
    QtEventPump m_events;
    Desk m_desk;
    MainWindow m_window;
};

} // namespace yanchuan::testing
