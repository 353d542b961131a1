#include "app/desk.h"
#include "readers/gbk_texts.h"
#include "support/reader_fakes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace yanchuan {
namespace {

using testing::FakeEvents;
using testing::FakeFetch;

struct Trace final : DeskListener {
    void OperationStarted(const Operation& operation) override { names.emplace_back(OperationName(operation)); }
    void ClockTextChanged(const Text& text) override { clock.push_back(text); }
    void Message(LotteryKind kind, std::string_view message) override
    {
        messages.push_back(JoinTexts(KindName(kind), ":", message));
    }
    std::vector<std::string> names;
    std::vector<std::string> clock;
    std::vector<std::string> messages;
};

struct DeskTest : ::testing::Test {
    DeskTest()
    {
        desk.SetListener(&trace);
        desk.OnMainWindowCreated();
    }

    FakeFetch fetch;
    FixedClock clock;
    FakeEvents events;
    Desk desk {fetch, clock, events, DefaultSources()};
    Trace trace;
};

TEST_F(DeskTest, TicksRunTheSchedulesOperationsFromOneClockReading)
{
    const struct {
        DateTime at;
        std::string clockText;
        std::vector<std::string> names;
    } cases[] = {
        {{2026, 12, 11, 10, 11, 5}, "10:11:05",
            {"ReadIndoOne", "AnalyseLastTwo(IndoOne)", "ReadVietOne", "AnalyseLastTwo(VietOne)", "ReadChongqing",
                "AnalyseLastTwo(Chongqing)"}},
        {{2026, 12, 11, 22, 6, 5}, "22:06:05",
            {"ReadIndoOne", "AnalyseLastTwo(IndoOne)", "ReadVietOne", "AnalyseLastTwo(VietOne)", "ReadChongqing",
                "AnalyseLastTwo(Chongqing)"}},
        {{2026, 12, 11, 9, 2, 45}, "09:02:45", {"ReadPk10"}},
        {{2026, 12, 11, 9, 5, 7}, "09:05:07", {}},
    };
    for (const auto& c : cases) {
        trace.names.clear();
        clock.Set(c.at);
        desk.ClockTick();
        EXPECT_EQ(desk.ClockLabel(), c.clockText);
        EXPECT_EQ(trace.names, c.names) << c.clockText;
    }
}

TEST_F(DeskTest, ButtonsReadFromTheirSourcesHost)
{
    desk.SetHost(SourceId::Indo, "127.0.0.1:9");
    desk.Read(LotteryKind::IndoOne);
    desk.Read(LotteryKind::VietFive);
    desk.Read(LotteryKind::Chongqing);
    desk.Read(LotteryKind::Pk10);
    EXPECT_EQ(fetch.Fetches("http://127.0.0.1:9/others/draw_ffc.php"), 1);
    EXPECT_EQ(fetch.Fetches("http://127.0.0.1:47302/others/draw.php"), 1);
    EXPECT_EQ(fetch.Fetches("http://127.0.0.1:47303/Game/GetNum.aspx?iType=3"), 1);
    EXPECT_EQ(fetch.Fetches("http://127.0.0.1:47304/bulletin/trax.html"), 1);
    // The failed reads leave "-000" rows: the analysis asks for a read first.
    desk.Analyse(LotteryKind::IndoOne);
    EXPECT_EQ(desk.Log(LotteryKind::IndoOne).KillLogText(), gbk::kReadFirstMessage);
}

TEST_F(DeskTest, ATickDueDuringAReadRunsNestedInIt)
{
    clock.Set({2026, 12, 11, 10, 0, 5});
    // The first ProcessEvents of the tick is its own; the next ones belong to the
    // rule and to the read of IndoOne, between its rows.
    events.OnCall(events.Calls() + 4, [&] {
        clock.Set({2026, 12, 11, 10, 0, 16});
        desk.ClockTick();
        clock.Set({2026, 12, 11, 10, 0, 5});
    });
    desk.ClockTick();
    EXPECT_EQ(trace.names,
        (std::vector<std::string> {"ReadIndoOne", "ReadIndoFive", "AnalyseLastTwo(IndoFive)", "ReadVietFive",
            "AnalyseLastTwo(VietFive)", "AnalyseLastTwo(IndoOne)", "ReadVietOne", "AnalyseLastTwo(VietOne)"}));
    EXPECT_EQ(trace.clock, (std::vector<std::string> {"10:00:05", "10:00:16"}));
}

TEST_F(DeskTest, RecordsFollowTheLogs)
{
    const Text line = JoinTexts(gbk::kIndoOneName, "20261211-0006", gbk::kLastTwoKill, "4,4");
    desk.EditLog(LotteryKind::IndoOne, JoinTexts(line, "  ", gbk::kLastTwoHeld, "\r\n", line));
    EXPECT_EQ(desk.Record(LotteryKind::IndoOne).Held(), 1);
    desk.Log(LotteryKind::IndoOne).AppendKillLogText(JoinTexts("  ", gbk::kLastTwoFailed, "\r\n"));
    EXPECT_EQ(desk.Record(LotteryKind::IndoOne).Failed(), 1);
    EXPECT_EQ(desk.Record(LotteryKind::VietOne).Held() + desk.Record(LotteryKind::VietOne).Failed(), 0);
}

// A clock that moves on one second with every reading.
class RunningClock final : public Clock {
public:
    explicit RunningClock(DateTime start)
        : m_next(start)
    { }
    DateTime CurrentTime() const override
    {
        ++readings;
        const DateTime now = m_next;
        m_next.second = (m_next.second + 1) % 60;
        return now;
    }
    mutable int readings = 0;

private:
    mutable DateTime m_next;
};

TEST(DeskClock, ATickReadsTheClockOnce)
{
    FakeFetch fetch;
    FakeEvents events;
    RunningClock clock({2026, 12, 31, 10, 11, 4});
    Desk desk(fetch, clock, events, DefaultSources());
    Trace trace;
    desk.SetListener(&trace);
    desk.ClockTick();
    // Second 04 fires nothing, even though later readings would say 05.
    EXPECT_EQ(desk.ClockLabel(), "10:11:04");
    EXPECT_TRUE(trace.names.empty());
    EXPECT_EQ(clock.readings, 1);
}

} // namespace
} // namespace yanchuan
