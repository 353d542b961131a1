#include "support/page_server.h"

#include <utility>

namespace yanchuan::testing {

Routes Pages(std::map<std::string, std::string> pages)
{
    return [pages = std::move(pages)](httplib::Server& server) {
        for (const auto& [path, body] : pages) {
            server.Get(path, [body = body](const httplib::Request&, httplib::Response& response) {
                response.set_content(body, "text/html");
            });
        }
    };
}

PageServer::PageServer(const Routes& routes)
{
    routes(m_server);
    m_port = m_server.bind_to_any_port("127.0.0.1");
    if (m_port <= 0) {
        m_port = -1;
        return;
    }
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
    // stop() does nothing until the loop runs, so the destructor could not end it.
    // Connections that come before then wait in the listen queue.
    while (!m_server.is_running()) {
        std::this_thread::yield();
    }
}

PageServer::~PageServer()
{
    if (m_thread.joinable()) {
        m_server.stop();
        m_thread.join();
    }
}

std::string PageServer::Host() const { return "127.0.0.1:" + std::to_string(m_port); }

std::string PageServer::Url(std::string_view path) const { return "http://" + Host() + std::string(path); }

} // namespace yanchuan::testing
