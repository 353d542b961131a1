#include "app/sources.h"
#include "drawsim/draw_pages.h"
#include "readers/curl_page_fetch.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace yanchuan::drawsim {
namespace {

using namespace std::chrono_literals;
using testing::TempDir;

std::string Binary()
{
    const char* dir = std::getenv("YANCHUAN_BIN_DIR");
    return std::string(dir ? dir : ".") + "/yanchuan-drawsim";
}

// yanchuan-drawsim run with the given arguments, its stdout on a pipe and its
// stderr in a file; killed and reaped at the end of the test whatever happens.
class Simulator final {
public:
    Simulator(const std::vector<std::string>& args, const std::filesystem::path& stderrPath)
    {
        int out[2];
        if (pipe(out) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addopen(
            &actions, STDERR_FILENO, stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        std::vector<std::string> all {Binary()};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& arg : all) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            m_pid = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        m_out = out[0];
    }

    ~Simulator()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        if (m_out >= 0) {
            close(m_out);
        }
    }

    bool Started() const { return m_pid > 0; }

    // The first line on stdout, or what came before the deadline or the end.
    std::string ReadLine(std::chrono::milliseconds deadline = 10s)
    {
        std::string line;
        const auto end = std::chrono::steady_clock::now() + deadline;
        char c = 0;
        while (std::chrono::steady_clock::now() < end) {
            pollfd wait {m_out, POLLIN, 0};
            if (poll(&wait, 1, 50) == 1) {
                if (read(m_out, &c, 1) != 1 || c == '\n') {
                    break;
                }
                line += c;
            }
        }
        return line;
    }

    void Signal(int signal) const { kill(m_pid, signal); }

    // How the process ended: its exit status, or -1 when it did not end in time
    // (it is killed at the end of the test) or ended by a signal.
    int Wait(std::chrono::milliseconds deadline = 10s)
    {
        const auto end = std::chrono::steady_clock::now() + deadline;
        while (std::chrono::steady_clock::now() < end) {
            int status = 0;
            if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(10ms);
        }
        return -1;
    }

private:
    pid_t m_pid = -1;
    int m_out = -1;
};

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// "ports indo=N viet=N chongqing=N pk10=N": the ports by source, or nothing
// when the line has another shape.
std::optional<std::array<int, 4>> ParsePorts(const std::string& line)
{
    std::istringstream in(line);
    std::string word;
    std::array<int, 4> ports {};
    if (!(in >> word) || word != "ports") {
        return std::nullopt;
    }
    for (const SourceId source : kAllSources) {
        const std::string key = std::string(SourceKey(source)) + "=";
        if (!(in >> word) || word.rfind(key, 0) != 0) {
            return std::nullopt;
        }
        ports[static_cast<std::size_t>(source)] = std::atoi(word.c_str() + key.size());
    }
    return ports;
}

// Started on ephemeral ports, it tells them, serves its pages at the time a
// control sets, logs the requests, and ends cleanly on either signal.
TEST(DrawsimBinary, ServesOnTheAnnouncedPortsAndStopsCleanlyOnASignal)
{
    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(strsignal(signal));
        const TempDir dir;
        Simulator simulator({"--indo-port", "0", "--viet-port", "0", "--chongqing-port", "0", "--pk10-port", "0",
                                "--seed", "9", "--pending-seconds", "0", "--clock", "manual"},
            dir.Path() / "stderr");
        ASSERT_TRUE(simulator.Started());
        const std::string line = simulator.ReadLine();
        const auto ports = ParsePorts(line);
        ASSERT_TRUE(ports) << "stdout: " << line;

        CurlPageFetch fetch;
        const std::string viet = "http://127.0.0.1:" + std::to_string((*ports)[1]);
        EXPECT_EQ(fetch.FetchPage(viet + "/_sim/now?t=2026-03-11T21:51:05"), "2026-03-11 21:51:05\n");
        EXPECT_EQ(fetch.FetchPage(viet + "/others/draw.php"),
            RenderPage(DrawBook(9), LotteryKind::VietFive, ToSimTime(DateTime {2026, 3, 11, 21, 51, 5}), 0));
        const std::string chongqing = "http://127.0.0.1:" + std::to_string((*ports)[2]);
        EXPECT_EQ(fetch.FetchPage(chongqing + "/_sim/now"), "2026-03-11 21:51:05\n");

        simulator.Signal(signal);
        EXPECT_EQ(simulator.Wait(), 0);
        const std::string log = ReadFile(dir.Path() / "stderr");
        EXPECT_NE(log.find("2026-03-11 21:51:05 viet GET /others/draw.php 200 "), std::string::npos) << log;
        EXPECT_NE(log.find("chongqing GET /_sim/now 200 "), std::string::npos) << log;
    }
}

TEST(DrawsimBinary, RefusesBadArguments)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--indo-port", "65536"},
        {"--pk10-port", "x"},
        {"--pending-seconds", "-1"},
        {"--clock", "fast"},
        {"--seed"},
        {"--colour", "blue"},
    };
    for (const auto& args : cases) {
        const TempDir dir;
        Simulator simulator(args, dir.Path() / "stderr");
        ASSERT_TRUE(simulator.Started());
        EXPECT_EQ(simulator.Wait(), 2) << args.front();
        EXPECT_NE(ReadFile(dir.Path() / "stderr").find("usage: yanchuan-drawsim"), std::string::npos) << args.front();
    }
}

} // namespace
} // namespace yanchuan::drawsim
