#include "app/sources.h"
#include "drawsim/draw_pages.h"
#include "readers/curl_page_fetch.h"
#include "support/process.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace yanchuan::drawsim {
namespace {

using namespace std::chrono_literals;
using testing::Command;
using testing::Finished;
using testing::Process;

Command Drawsim(std::vector<std::string> args) { return Command {"yanchuan-drawsim", std::move(args), "", {}}; }

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
        Process simulator(Drawsim({"--indo-port", "0", "--viet-port", "0", "--chongqing-port", "0", "--pk10-port", "0",
            "--seed", "9", "--pending-seconds", "0", "--clock", "manual"}));
        ASSERT_TRUE(simulator.Started());
        ASSERT_TRUE(simulator.WaitForOutput("\n", 10s));
        const std::string line = simulator.OutputSoFar();
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
        const Finished finished = simulator.Wait(10s);
        EXPECT_EQ(finished.status, 0);
        const std::string& log = finished.err;
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
        const Finished finished = testing::Run(Drawsim(args), 10s);
        EXPECT_EQ(finished.status, 2) << args.front();
        EXPECT_NE(finished.err.find("usage: yanchuan-drawsim"), std::string::npos) << args.front();
    }
}

} // namespace
} // namespace yanchuan::drawsim
