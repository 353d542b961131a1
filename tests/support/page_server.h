#pragma once

#include <httplib.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <thread>

namespace yanchuan::testing {

// What a test serves: it registers its handlers on the server before it starts.
using Routes = std::function<void(httplib::Server&)>;

// Routes that answer a GET of each path with its body, status 200, as text/html.
Routes Pages(std::map<std::string, std::string> pages);

// An HTTP server on 127.0.0.1 with an ephemeral port, serving its routes on a
// thread of its own from construction until destruction.
class PageServer final {
public:
    explicit PageServer(const Routes& routes);
    ~PageServer();
    PageServer(const PageServer&) = delete;
    PageServer& operator=(const PageServer&) = delete;

    // The port, or -1 when no port could be bound (and nothing is served).
    int Port() const { return m_port; }
    // "127.0.0.1:port", the form of a source's host setting.
    std::string Host() const;
    // "http://127.0.0.1:port" followed by the path (with its query).
    std::string Url(std::string_view path) const;

private:
    httplib::Server m_server;
    int m_port = -1;
    std::thread m_thread;
};

} // namespace yanchuan::testing
