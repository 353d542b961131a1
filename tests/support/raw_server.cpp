#include "support/raw_server.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace yanchuan::testing {
namespace {

// A TCP socket bound to 127.0.0.1 on a port that the system picks, or -1.
int BindLoopback(int& port)
{
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0) {
        return -1;
    }
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(s);
        return -1;
    }
    port = ntohs(address.sin_port);
    return s;
}

std::string LoopbackUrl(int port, std::string_view path)
{
    return "http://127.0.0.1:" + std::to_string(port) + std::string(path);
}

void CloseIfOpen(int fd)
{
    if (fd >= 0) {
        ::close(fd);
    }
}

} // namespace

RawConnection::RawConnection(RawServer& server, int socket)
    : m_server(server)
    , m_socket(socket)
{ }

bool RawConnection::Wait(short events)
{
    for (;;) {
        pollfd fds[] = {{m_socket, events, 0}, {m_server.m_stop[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        return fds[1].revents == 0;
    }
}

std::string RawConnection::ReadRequest()
{
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos && Wait(POLLIN)) {
        const ssize_t n = ::recv(m_socket, buffer, sizeof buffer, 0);
        if (n <= 0) {
            break;
        }
        head.append(buffer, static_cast<std::size_t>(n));
    }
    const std::lock_guard lock(m_server.m_mutex);
    m_server.m_requests.push_back(head);
    return head;
}

bool RawConnection::Send(std::string_view bytes)
{
    while (!bytes.empty()) {
        if (!Wait(POLLOUT)) {
            return false;
        }
        const ssize_t n = ::send(m_socket, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            return false;
        }
        bytes.remove_prefix(n > 0 ? static_cast<std::size_t>(n) : 0);
    }
    return true;
}

void RawConnection::Hold()
{
    char buffer[4096];
    while (Wait(POLLIN) && ::recv(m_socket, buffer, sizeof buffer, 0) > 0) { }
}

RawServer::RawServer(Script script)
    : m_script(std::move(script))
{
    int port = -1;
    m_listener = BindLoopback(port);
    if (m_listener < 0 || ::listen(m_listener, 16) != 0 || ::pipe2(m_stop, O_CLOEXEC) != 0) {
        return;
    }
    m_port = port;
    m_thread = std::thread([this] { Serve(); });
}

RawServer::~RawServer()
{
    if (m_thread.joinable()) {
        const char stop = 0;
        [[maybe_unused]] const ssize_t written = ::write(m_stop[1], &stop, 1);
        m_thread.join();
    }
    CloseIfOpen(m_listener);
    CloseIfOpen(m_stop[0]);
    CloseIfOpen(m_stop[1]);
}

std::string RawServer::Url(std::string_view path) const { return LoopbackUrl(m_port, path); }

std::vector<std::string> RawServer::Requests() const
{
    const std::lock_guard lock(m_mutex);
    return m_requests;
}

void RawServer::Serve()
{
    for (;;) {
        pollfd fds[] = {{m_listener, POLLIN, 0}, {m_stop[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 && errno != EINTR) {
            return;
        }
        if (fds[1].revents != 0) {
            return;
        }
        if (fds[0].revents == 0) {
            continue;
        }
        const int s = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (s < 0) {
            continue;
        }
        RawConnection connection(*this, s);
        m_script(connection);
        ::close(s);
    }
}

ClosedPort::ClosedPort() { m_socket = BindLoopback(m_port); }

ClosedPort::~ClosedPort() { CloseIfOpen(m_socket); }

std::string ClosedPort::Url(std::string_view path) const { return LoopbackUrl(m_port, path); }

} // namespace yanchuan::testing
