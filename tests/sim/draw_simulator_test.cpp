#include "drawsim/draw_pages.h"
#include "drawsim/draw_simulator.h"
#include "readers/curl_page_fetch.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

namespace yanchuan::drawsim {
namespace {

constexpr DateTime kMorning {2026, 3, 11, 10, 15, 3};

SimulatorOptions AnyPorts(bool manualClock = true)
{
    SimulatorOptions options;
    options.ports = {0, 0, 0, 0};
    options.seed = 7;
    options.manualClock = manualClock;
    return options;
}

std::string Url(const DrawSimulator& simulator, SourceId source, const std::string& target)
{
    return "http://127.0.0.1:" + std::to_string(simulator.Port(source)) + target;
}

// The status and body of one GET, for the answers a reader never looks at.
std::pair<int, std::string> Get(const DrawSimulator& simulator, SourceId source, const std::string& target)
{
    httplib::Client client("127.0.0.1", simulator.Port(source));
    const httplib::Result result = client.Get(target.c_str());
    return result ? std::pair {result->status, result->body} : std::pair {-1, std::string()};
}

struct Route {
    SourceId source;
    const char* target;
    LotteryKind kind;
};

constexpr Route kRoutes[] = {
    {SourceId::Indo, "/others/draw_ffc.php", LotteryKind::IndoOne},
    {SourceId::Indo, "/others/draw.php", LotteryKind::IndoFive},
    {SourceId::Viet, "/others/draw_ffc.php", LotteryKind::VietOne},
    {SourceId::Viet, "/others/draw.php", LotteryKind::VietFive},
    {SourceId::Chongqing, "/Game/GetNum.aspx?iType=3", LotteryKind::Chongqing},
    {SourceId::Pk10, "/bulletin/trax.html", LotteryKind::Pk10},
};

class DrawSimulatorTest : public ::testing::Test {
protected:
    void StartSimulator(SimulatorOptions options)
    {
        simulator = std::make_unique<DrawSimulator>(options);
        simulator->SetRequestLog([this](const std::string& line) {
            const std::lock_guard lock(logMutex);
            log.push_back(line);
        });
        const auto problem = simulator->Start();
        ASSERT_FALSE(problem) << *problem;
    }

    std::vector<std::string> Log()
    {
        const std::lock_guard lock(logMutex);
        return log;
    }

    std::unique_ptr<DrawSimulator> simulator;
    CurlPageFetch fetch;
    std::mutex logMutex;
    std::vector<std::string> log;
};

// Each source on a port of its own serves its lotteries' pages at the
// simulated time, and nothing of another source.
TEST_F(DrawSimulatorTest, EachPortServesItsSourcesPagesAtTheSimulatedTime)
{
    StartSimulator(AnyPorts());
    ASSERT_TRUE(simulator->SetNow(kMorning));
    std::vector<std::uint16_t> ports;
    for (const SourceId source : kAllSources) {
        ports.push_back(simulator->Port(source));
    }
    std::sort(ports.begin(), ports.end());
    EXPECT_EQ(std::unique(ports.begin(), ports.end()), ports.end()) << "two sources share a port";

    const SimTime now = ToSimTime(kMorning);
    for (const Route& route : kRoutes) {
        EXPECT_EQ(fetch.FetchPage(Url(*simulator, route.source, route.target)),
            RenderPage(simulator->Book(), route.kind, now, 8))
            << route.target;
    }
    for (const auto& [source, target] : std::vector<std::pair<SourceId, std::string>> {
             {SourceId::Indo, "/bulletin/trax.html"},
             {SourceId::Pk10, "/others/draw.php"},
             {SourceId::Chongqing, "/Game/GetNum.aspx?iType=4"},
             {SourceId::Chongqing, "/Game/GetNum.aspx"},
             {SourceId::Viet, "/"},
         }) {
        EXPECT_EQ(Get(*simulator, source, target).first, 404) << SourceKey(source) << target;
    }
}

TEST_F(DrawSimulatorTest, ClockControlSetsTheTimeOfEveryPort)
{
    StartSimulator(AnyPorts());
    EXPECT_EQ(Get(*simulator, SourceId::Viet, "/_sim/now?t=2026-03-11T23:59:59"),
        (std::pair {200, std::string("2026-03-11 23:59:59\n")}));
    EXPECT_EQ(simulator->Now(), (DateTime {2026, 3, 11, 23, 59, 59}));
    EXPECT_EQ(fetch.FetchPage(Url(*simulator, SourceId::Pk10, "/bulletin/trax.html")),
        RenderPage(simulator->Book(), LotteryKind::Pk10, ToSimTime(simulator->Now()), 8));
    EXPECT_EQ(Get(*simulator, SourceId::Pk10, "/_sim/now"), (std::pair {200, std::string("2026-03-11 23:59:59\n")}));

    for (const char* bad : {"/_sim/now?t=2026-02-30T00:00:00", "/_sim/now?t=tomorrow", "/_sim/now?t="}) {
        EXPECT_EQ(Get(*simulator, SourceId::Indo, bad).first, 400) << bad;
    }
    EXPECT_EQ(simulator->Now(), (DateTime {2026, 3, 11, 23, 59, 59}));
}

TEST_F(DrawSimulatorTest, RealClockCannotBeSet)
{
    StartSimulator(AnyPorts(false));
    EXPECT_FALSE(simulator->SetNow(kMorning));
    EXPECT_EQ(Get(*simulator, SourceId::Indo, "/_sim/now?t=2026-03-11T10:15:03").first, 409);
    EXPECT_NE(simulator->Now(), kMorning);
}

// A failed request gives a reader nothing; the controls keep answering.
TEST_F(DrawSimulatorTest, FailureControlDropsThatShareOfPageRequests)
{
    StartSimulator(AnyPorts());
    const std::string page = Url(*simulator, SourceId::Chongqing, "/Game/GetNum.aspx?iType=3");
    EXPECT_EQ(Get(*simulator, SourceId::Indo, "/_sim/fail?rate=1&seed=3").first, 200);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(fetch.FetchPage(page), "");
    }
    EXPECT_EQ(Get(*simulator, SourceId::Chongqing, "/_sim/now").first, 200);
    for (const char* bad :
        {"/_sim/fail?rate=1.5", "/_sim/fail?rate=-0.1", "/_sim/fail", "/_sim/fail?rate=0.1&seed=x"}) {
        EXPECT_EQ(Get(*simulator, SourceId::Indo, bad).first, 400) << bad;
    }
    EXPECT_EQ(fetch.FetchPage(page), "") << "a refused control changed the failures";
    EXPECT_EQ(Get(*simulator, SourceId::Pk10, "/_sim/fail?rate=0").first, 200);
    EXPECT_NE(fetch.FetchPage(page), "");
}

TEST_F(DrawSimulatorTest, FailuresFollowTheirSeed)
{
    StartSimulator(AnyPorts());
    const std::string page = Url(*simulator, SourceId::Indo, "/others/draw_ffc.php");
    const auto pattern = [&](std::uint64_t seed) {
        simulator->SetFailures(0.25, seed);
        std::string failed;
        for (int i = 0; i < 200; ++i) {
            failed += fetch.FetchPage(page).empty() ? 'x' : '.';
        }
        return failed;
    };
    const std::string first = pattern(11);
    EXPECT_EQ(pattern(11), first);
    EXPECT_NE(pattern(12), first);
    // 50 expected, with a standard deviation near 6.
    const auto failures = std::count(first.begin(), first.end(), 'x');
    EXPECT_GT(failures, 25);
    EXPECT_LT(failures, 75);
}

TEST_F(DrawSimulatorTest, LogsOneLinePerRequest)
{
    StartSimulator(AnyPorts());
    ASSERT_TRUE(simulator->SetNow(kMorning));
    fetch.FetchPage(Url(*simulator, SourceId::Indo, "/others/draw_ffc.php"));
    Get(*simulator, SourceId::Viet, "/nothing");
    simulator->SetFailures(1, 1);
    fetch.FetchPage(Url(*simulator, SourceId::Pk10, "/bulletin/trax.html"));
    const std::vector<std::string> lines = Log();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("2026-03-11 10:15:03 indo GET /others/draw_ffc.php 200 ", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind("2026-03-11 10:15:03 viet GET /nothing 404 ", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2], "2026-03-11 10:15:03 pk10 GET /bulletin/trax.html dropped");
}

TEST_F(DrawSimulatorTest, PortInUseIsReported)
{
    StartSimulator(AnyPorts());
    SimulatorOptions options = AnyPorts();
    options.ports[static_cast<std::size_t>(SourceId::Chongqing)] = simulator->Port(SourceId::Chongqing);
    DrawSimulator second(options);
    const auto problem = second.Start();
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->find(std::to_string(simulator->Port(SourceId::Chongqing))), std::string::npos) << *problem;
    EXPECT_NE(problem->find("chongqing"), std::string::npos) << *problem;
}

} // namespace
} // namespace yanchuan::drawsim
