#include "app/desk.h"
#include "app/gbk_codec.h"
#include "drawsim/draw_simulator.h"
#include "drawsim/shared_time.h"
#include "readers/curl_page_fetch.h"
#include "readers/gbk_texts.h"
#include "sim/draw_rows.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <map>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

// The desk runs the schedule through whole simulated days against the draw
// simulator, the two sharing one fake clock: every draw read when it is due,
// every forecast judged by the next read, and nothing lost when reads fail.
namespace yanchuan::drawsim {
namespace {

using namespace std::chrono_literals;
using testing::ExpectTableShows;

constexpr DateTime kDay {2026, 3, 11, 0, 0, 0};

// The lotteries the schedule analyses, and each one's page.
struct Analysed {
    LotteryKind kind;
    SourceId source;
    const char* path;
    std::string_view title;
    int markIndent;
};

constexpr std::array<Analysed, 5> kAnalysed = {{
    {LotteryKind::IndoOne, SourceId::Indo, "/others/draw_ffc.php", gbk::kIndoOneName, 2},
    {LotteryKind::VietOne, SourceId::Viet, "/others/draw_ffc.php", gbk::kVietOneName, 2},
    {LotteryKind::IndoFive, SourceId::Indo, "/others/draw.php", gbk::kIndoFiveName, 2},
    {LotteryKind::VietFive, SourceId::Viet, "/others/draw.php", gbk::kVietFiveName, 2},
    {LotteryKind::Chongqing, SourceId::Chongqing, "/Game/GetNum.aspx?iType=3", gbk::kChongqingName, 1},
}};
constexpr const char* kPk10Path = "/bulletin/trax.html";

// The front ends' page fetch, noting for each URL, in order, whether a fetch
// brought a page: one that brought nothing is a failed read.
class RecordingFetch final : public PageFetch {
public:
    Bytes FetchPage(std::string_view url) override
    {
        Bytes page = m_fetch.FetchPage(url);
        m_brought[std::string(url)].push_back(!page.empty());
        return page;
    }

    std::vector<bool> Brought(const std::string& url) const
    {
        const auto found = m_brought.find(url);
        return found == m_brought.end() ? std::vector<bool> {} : found->second;
    }

private:
    CurlPageFetch m_fetch;
    std::map<std::string, std::vector<bool>> m_brought;
};

class Listener final : public DeskListener {
public:
    void Message(LotteryKind kind, std::string_view message) override { ++messages[{kind, std::string(message)}]; }
    void OperationStarted(const Operation& operation) override { ++started[{operation.verb, operation.kind}]; }

    int Messages(LotteryKind kind, std::string_view message) const
    {
        const auto found = messages.find({kind, std::string(message)});
        return found == messages.end() ? 0 : found->second;
    }
    int Started(Operation::Verb verb, LotteryKind kind) const
    {
        const auto found = started.find({verb, kind});
        return found == started.end() ? 0 : found->second;
    }

    std::map<std::pair<LotteryKind, std::string>, int> messages;
    std::map<std::pair<Operation::Verb, LotteryKind>, int> started;
};

// The desk as a front end runs it, on the simulator's ports, at the shared time.
class SimulatedDesk {
public:
    SimulatedDesk(int pendingSeconds, std::chrono::milliseconds pendingPause)
        : m_simulator(Options(pendingSeconds))
        , m_time(m_simulator)
    {
        m_problem = m_simulator.Start();
        Sources sources;
        for (const SourceId source : kAllSources) {
            sources.SetHost(source, "127.0.0.1:" + std::to_string(m_simulator.Port(source)));
        }
        m_desk = std::make_unique<Desk>(m_fetch, m_time.DeskClock(), m_time, sources);
        m_desk->SetPendingPause(pendingPause);
        m_desk->SetListener(&m_listener);
        m_desk->OnMainWindowCreated();
    }

    const std::optional<std::string>& Problem() const { return m_problem; }
    DrawSimulator& Simulator() { return m_simulator; }
    SharedTime& Time() { return m_time; }
    Desk& TheDesk() { return *m_desk; }
    const Listener& Heard() const { return m_listener; }

    std::string Url(SourceId source, const char* path) const
    {
        return "http://127.0.0.1:" + std::to_string(m_simulator.Port(source)) + path;
    }
    std::vector<bool> Reads(SourceId source, const char* path) const { return m_fetch.Brought(Url(source, path)); }

    // One tick at each second from `from` up to, not including, `to`; the
    // time stands still within a tick.
    void RunTicks(SimTime from, SimTime to)
    {
        for (SimTime now = from; now < to; ++now) {
            m_time.Set(now);
            m_desk->ClockTick();
        }
    }

private:
    static SimulatorOptions Options(int pendingSeconds)
    {
        SimulatorOptions options;
        options.ports = {0, 0, 0, 0};
        options.seed = 20260311;
        options.pendingSeconds = pendingSeconds;
        options.manualClock = true;
        return options;
    }

    DrawSimulator m_simulator;
    SharedTime m_time;
    RecordingFetch m_fetch;
    Listener m_listener;
    std::optional<std::string> m_problem;
    std::unique_ptr<Desk> m_desk;
};

// A forecast line, and how the next run closes it when it reads the period
// the line is for.
struct Forecast {
    std::string line;
    std::string mark;
};

// The day's forecasts as the schedule writes them when every read succeeds.
// The day's first read finds the previous day's last draw and forecasts
// period 1 of the day; each later read finds the draw that the line before
// forecast, so the day's last line is for its last period and stays open.
std::vector<Forecast> ForecastsOfTheDay(const DrawBook& book, const Analysed& lottery, std::int64_t day)
{
    const int count = DrawsPerDay(lottery.kind);
    std::vector<Forecast> forecasts;
    for (int period = 1; period <= count; ++period) {
        const Draw forecastFor = book.At(lottery.kind, day, period);
        const Draw read = book.Previous(forecastFor);
        const int sum = std::accumulate(read.numbers.begin(), read.numbers.end(), 0);
        const std::string f = std::to_string(sum / 5);
        const bool failed = f == std::to_string(forecastFor.numbers[3]) || f == std::to_string(forecastFor.numbers[4]);
        forecasts.push_back(
            {std::string(lottery.title) + PeriodText(forecastFor) + std::string(gbk::kLastTwoKill) + f + "," + f,
                std::string(static_cast<std::size_t>(lottery.markIndent), ' ')
                    + std::string(failed ? gbk::kLastTwoFailed : gbk::kLastTwoHeld) + "\r\n"});
    }
    return forecasts;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

// Line by line, so that a failure names the first line that differs.
void ExpectSameLog(const std::string& log, const std::string& expected, LotteryKind kind)
{
    const std::vector<std::string> actual = Lines(log);
    const std::vector<std::string> wanted = Lines(expected);
    EXPECT_EQ(actual.size(), wanted.size()) << KindName(kind) << ": lines in the log";
    for (std::size_t i = 0; i < std::min(actual.size(), wanted.size()); ++i) {
        if (actual[i] != wanted[i]) {
            ADD_FAILURE() << KindName(kind) << " line " << i + 1 << ": " << GbkToUtf8(actual[i]) << "\nexpected "
                          << GbkToUtf8(wanted[i]);
            return;
        }
    }
}

SimTime DayStart() { return ToSimTime(kDay); }
std::int64_t Day() { return DayStart() / kSecondsPerDay; }

TEST(SimulatedDay, EveryDrawIsReadAndEveryForecastJudged)
{
    SimulatedDesk sim(0, 0ms);
    ASSERT_FALSE(sim.Problem()) << *sim.Problem();
    sim.RunTicks(DayStart(), DayStart() + kSecondsPerDay);
    Desk& desk = sim.TheDesk();
    const DrawBook& book = sim.Simulator().Book();

    for (const Analysed& lottery : kAnalysed) {
        const std::vector<Forecast> forecasts = ForecastsOfTheDay(book, lottery, Day());
        ASSERT_EQ(forecasts.size(),
            lottery.kind == LotteryKind::Chongqing                                             ? 120u
                : lottery.kind == LotteryKind::IndoOne || lottery.kind == LotteryKind::VietOne ? 1440u
                                                                                               : 288u);
        std::string expected;
        for (std::size_t i = 0; i < forecasts.size(); ++i) {
            expected += forecasts[i].line + (i + 1 < forecasts.size() ? forecasts[i].mark : "");
        }
        ExpectSameLog(desk.Log(lottery.kind).KillLogText(), expected, lottery.kind);
        EXPECT_EQ(sim.Reads(lottery.source, lottery.path), std::vector<bool>(forecasts.size(), true))
            << KindName(lottery.kind) << ": one fetch a read, each bringing its page";
        EXPECT_EQ(sim.Heard().Messages(lottery.kind, gbk::kReadFirstMessage), 0) << KindName(lottery.kind);
    }

    EXPECT_EQ(sim.Reads(SourceId::Pk10, kPk10Path), std::vector<bool>(180, true));
    EXPECT_EQ(sim.Heard().Started(Operation::Verb::Read, LotteryKind::Pk10), 180);
    EXPECT_EQ(sim.Heard().Started(Operation::Verb::Analyse, LotteryKind::Pk10), 0);
    EXPECT_EQ(desk.Log(LotteryKind::Pk10).KillLogText(), "");

    const SimTime end = DayStart() + kSecondsPerDay - 1;
    for (const LotteryKind kind : kAllLotteries) {
        ExpectTableShows(desk.Table(kind), book.History(kind, end, 10));
    }
}

// A failed read leaves the log as it was and says so outside it; the next
// read that succeeds closes the open line with a bare line end, since the
// draw it finds is not the one that line forecast.
TEST(SimulatedDay, FailedReadsLoseNoForecastLine)
{
    SimulatedDesk sim(0, 0ms);
    ASSERT_FALSE(sim.Problem()) << *sim.Problem();
    sim.Simulator().SetFailures(0.05, 7);
    sim.RunTicks(DayStart(), DayStart() + kSecondsPerDay);
    Desk& desk = sim.TheDesk();

    for (const Analysed& lottery : kAnalysed) {
        const std::vector<Forecast> forecasts = ForecastsOfTheDay(sim.Simulator().Book(), lottery, Day());
        const std::vector<bool> reads = sim.Reads(lottery.source, lottery.path);
        ASSERT_EQ(reads.size(), forecasts.size()) << KindName(lottery.kind);

        std::string expected;
        int messages = 0;
        int failures = 0;
        std::optional<std::size_t> lastLine;
        for (std::size_t i = 0; i < reads.size(); ++i) {
            if (!reads[i]) {
                ++failures;
                if (lastLine) {
                    ++messages;
                } else {
                    // Before the first forecast the message is the log itself.
                    expected = gbk::kReadFirstMessage;
                }
                continue;
            }
            if (!expected.empty()) {
                expected += lastLine == i - 1 ? forecasts[*lastLine].mark : "\r\n";
            }
            expected += forecasts[i].line;
            lastLine = i;
        }
        EXPECT_GT(failures, 0) << KindName(lottery.kind) << ": no read failed";
        EXPECT_LT(failures, static_cast<int>(reads.size()) / 5) << KindName(lottery.kind);
        ExpectSameLog(desk.Log(lottery.kind).KillLogText(), expected, lottery.kind);
        EXPECT_EQ(sim.Heard().Messages(lottery.kind, gbk::kReadFirstMessage), messages) << KindName(lottery.kind);
    }
    EXPECT_EQ(sim.Reads(SourceId::Pk10, kPk10Path).size(), 180u);
    EXPECT_EQ(desk.Log(LotteryKind::Pk10).KillLogText(), "");
}

// The read at second 05 fetches again, a pause apart, for as long as the
// newest draw is pending, and then reads and forecasts from it.
TEST(SimulatedDay, PendingDrawIsFetchedUntilItIsOut)
{
    struct Case {
        int pendingSeconds;
        int startSecond;
        bool byTick; // the schedule's read at second 05, or the read button
        int fetches;
    };
    const Case cases[] = {
        {3, 1, false, 3}, // 10:15:01, :02, :03
        {3, 5, true, 1}, // out since 10:15:03
        {8, 5, true, 4}, // 10:15:05, :06, :07, :08
        {0, 0, false, 1},
    };
    const Analysed& indoOne = kAnalysed[0];
    const SimTime drawn = ToSimTime(DateTime {2026, 3, 11, 10, 15, 0}); // period 615
    for (const Case& c : cases) {
        SCOPED_TRACE(
            "pending " + std::to_string(c.pendingSeconds) + " s, read at second " + std::to_string(c.startSecond));
        SimulatedDesk sim(c.pendingSeconds, 1000ms);
        ASSERT_FALSE(sim.Problem()) << *sim.Problem();
        sim.Time().Set(drawn + c.startSecond);
        if (c.byTick) {
            sim.TheDesk().ClockTick();
        } else {
            sim.TheDesk().Read(indoOne.kind);
            sim.TheDesk().Analyse(indoOne.kind);
        }
        EXPECT_EQ(
            sim.Reads(indoOne.source, indoOne.path), std::vector<bool>(static_cast<std::size_t>(c.fetches), true));
        EXPECT_EQ(sim.Time().Now(), drawn + c.startSecond + c.fetches - 1);
        const DrawBook& book = sim.Simulator().Book();
        ExpectTableShows(sim.TheDesk().Table(indoOne.kind), book.History(indoOne.kind, drawn, 10));
        const std::vector<Forecast> forecasts = ForecastsOfTheDay(book, indoOne, Day());
        EXPECT_EQ(sim.TheDesk().Log(indoOne.kind).KillLogText(), forecasts[615].line);
    }
}

} // namespace
} // namespace yanchuan::drawsim
