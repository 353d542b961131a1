#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace yanchuan::testing {

class RawServer;

// One connection accepted by a RawServer, as its script sees it. Every wait
// ends when the server stops, so no script can hold a test past its end.
class RawConnection final {
public:
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    // Reads the request head up to and with its blank line, or what came
    // before the peer closed, and returns it (the server keeps a copy too).
    std::string ReadRequest();
    // Sends the bytes exactly as given; false when the peer is gone.
    bool Send(std::string_view bytes);
    // Waits, answering nothing, until the peer closes the connection.
    void Hold();

private:
    friend class RawServer;
    RawConnection(RawServer& server, int socket);

    bool Wait(short events);

    RawServer& m_server;
    int m_socket;
};

// A TCP server on 127.0.0.1 with an ephemeral port that runs a script on each
// connection it accepts, one connection at a time, and closes the connection
// when the script returns: for a request's exact bytes and for servers that
// misbehave.
class RawServer final {
public:
    using Script = std::function<void(RawConnection&)>;

    explicit RawServer(Script script);
    ~RawServer();
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;

    // The port, or -1 when none could be bound (and nothing is served).
    int Port() const { return m_port; }
    std::string Url(std::string_view path) const;
    // The request heads that the scripts have read, in order.
    std::vector<std::string> Requests() const;

private:
    friend class RawConnection;
    void Serve();

    Script m_script;
    int m_listener = -1;
    int m_port = -1;
    int m_stop[2] = {-1, -1}; // a pipe: a byte in it tells every wait to end
    mutable std::mutex m_mutex;
    std::vector<std::string> m_requests;
    std::thread m_thread;
};

// A port on 127.0.0.1 that refuses every connection: bound, so that nothing
// else takes it while the object lives, but not listening.
class ClosedPort final {
public:
    ClosedPort();
    ~ClosedPort();
    ClosedPort(const ClosedPort&) = delete;
    ClosedPort& operator=(const ClosedPort&) = delete;

    int Port() const { return m_port; }
    std::string Url(std::string_view path) const;

private:
    int m_socket = -1;
    int m_port = -1;
};

} // namespace yanchuan::testing
