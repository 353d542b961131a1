#include "support/process.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace yanchuan::testing {

namespace {

using namespace std::chrono_literals;

std::string ProgramPath(const std::string& program)
{
    if (program.find('/') != std::string::npos) {
        return program;
    }
    const char* dir = std::getenv("YANCHUAN_BIN_DIR");
    return std::string(dir ? dir : ".") + "/" + program;
}

// The test's environment with the command's variables put over it.
std::vector<std::string> Environment(const std::vector<std::string>& overrides)
{
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        env.emplace_back(*entry);
    }
    for (const std::string& entry : overrides) {
        const std::string name = entry.substr(0, entry.find('=') + 1);
        std::erase_if(env, [&](const std::string& e) { return e.starts_with(name); });
        env.push_back(entry);
    }
    return env;
}

std::vector<char*> Pointers(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (std::string& s : strings) {
        pointers.push_back(s.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

Process::Process(const Command& command)
{
    std::array<int, 2> in {-1, -1};
    std::array<int, 2> out {-1, -1};
    std::array<int, 2> err {-1, -1};
    if (::pipe2(in.data(), O_CLOEXEC) != 0 || ::pipe2(out.data(), O_CLOEXEC) != 0
        || ::pipe2(err.data(), O_CLOEXEC) != 0) {
        for (const int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);

    std::vector<std::string> argv {ProgramPath(command.program)};
    argv.insert(argv.end(), command.args.begin(), command.args.end());
    std::vector<std::string> env = Environment(command.env);
    if (::posix_spawn(&m_pid, argv[0].c_str(), &actions, nullptr, Pointers(argv).data(), Pointers(env).data()) != 0) {
        m_pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    m_gatherer = std::thread(&Process::Gather, this, in[1], out[0], err[0], command.input);
}

Process::~Process()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    if (m_gatherer.joinable()) {
        m_gatherer.join();
    }
}

void Process::Signal(int signal) const
{
    if (m_pid > 0) {
        ::kill(m_pid, signal);
    }
}

void Process::Gather(int in, int out, int err, std::string input)
{
    // A program that ends without reading all of its input closes the pipe:
    // the write fails with EPIPE instead of a signal ending the test.
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
    // Never blocked on a full stdin while the program waits for its stdout to be read.
    ::fcntl(in, F_SETFL, ::fcntl(in, F_GETFL) | O_NONBLOCK);

    std::size_t written = 0;
    if (input.empty()) {
        ::close(in);
        in = -1;
    }
    struct Output {
        int fd;
        std::string& text;
    };
    std::array<Output, 2> outputs {{{out, m_finished.out}, {err, m_finished.err}}};
    while (outputs[0].fd >= 0 || outputs[1].fd >= 0) {
        std::array<pollfd, 3> fds {{{in, POLLOUT, 0}, {outputs[0].fd, POLLIN, 0}, {outputs[1].fd, POLLIN, 0}}};
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if (in >= 0 && fds[0].revents != 0) {
            const ssize_t n = ::write(in, input.data() + written, input.size() - written);
            written += n > 0 ? static_cast<std::size_t>(n) : 0;
            if ((n < 0 && errno != EAGAIN && errno != EINTR) || written == input.size()) {
                ::close(in);
                in = -1;
            }
        }
        for (std::size_t i = 0; i < outputs.size(); ++i) {
            Output& output = outputs[i];
            if (output.fd < 0 || fds[i + 1].revents == 0) {
                continue;
            }
            char buffer[4096];
            const ssize_t n = ::read(output.fd, buffer, sizeof buffer);
            if (n > 0) {
                const std::lock_guard lock(m_mutex);
                output.text.append(buffer, static_cast<std::size_t>(n));
                m_grown.notify_all();
            } else if (n == 0 || errno != EINTR) {
                ::close(output.fd);
                output.fd = -1;
            }
        }
    }
    if (in >= 0) {
        ::close(in);
    }
    const std::lock_guard lock(m_mutex);
    m_gathered = true;
    m_grown.notify_all();
}

bool Process::WaitForOutput(std::string_view text, std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    m_grown.wait_for(lock, timeout, [&] { return m_gathered || m_finished.out.find(text) != std::string::npos; });
    return m_finished.out.find(text) != std::string::npos;
}

std::string Process::OutputSoFar()
{
    const std::lock_guard lock(m_mutex);
    return m_finished.out;
}

Finished Process::Wait(std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    bool ended = false;
    while (m_pid > 0 && !ended) {
        const pid_t waited = ::waitpid(m_pid, &status, WNOHANG);
        ended = waited == m_pid || waited < 0;
        if (!ended && std::chrono::steady_clock::now() >= end) {
            m_finished.timedOut = true;
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, &status, 0);
            ended = true;
        } else if (!ended) {
            std::this_thread::sleep_for(5ms);
        }
    }
    if (m_pid > 0) {
        m_finished.status = !m_finished.timedOut && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        m_pid = -1;
    }
    if (m_gatherer.joinable()) {
        m_gatherer.join();
    }
    return m_finished;
}

Finished Run(const Command& command, std::chrono::milliseconds timeout)
{
    Process process(command);
    return process.Wait(timeout);
}

} // namespace yanchuan::testing
