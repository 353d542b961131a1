#include "drawsim/draw_pages.h"
#include "forecast/last_two_kill.h"
#include "forecast/pk10_forecast.h"
#include "ratio_reporter.h"
#include "readers/chongqing_reader.h"
#include "readers/gbk_texts.h"
#include "readers/offshore_reader.h"
#include "readers/pk10_reader.h"
#include "tables/draw_tables.h"

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// The core without the network: an analysis on a short and on a very long kill
// log, and each reader parsing a page as the draw simulator serves it and a
// page of 1 MiB.
namespace {

using namespace yanchuan;
using namespace yanchuan::drawsim;

constexpr DateTime kMorning {2026, 3, 11, 10, 11, 5};

// ---- Analysis -------------------------------------------------------------

// A log of `lines` forecast lines as the forecaster writes them, each closed
// with a hit mark, the last left open.
Text LastTwoLog(Int lines)
{
    Text log;
    for (Int i = 0; i < lines; ++i) {
        const Int period = 1 + i % 1440;
        log += JoinTexts(gbk::kIndoOneName, "20260311-", RightText(JoinTexts("000", IntToText(period)), 4),
            gbk::kLastTwoKill, "5,5");
        if (i + 1 < lines) {
            log += JoinTexts("  ", gbk::kLastTwoHeld, "\r\n");
        }
    }
    return log;
}

Text Pk10Log(Int lines)
{
    Text log;
    for (Int i = 0; i < lines; ++i) {
        const Int period = 504000 + i;
        log += JoinTexts(
            gbk::kPk10LineStart, IntToText(period + 1), "--", IntToText(period + 2), gbk::kPk10PeriodsEnd, "07 ");
        if (i + 1 < lines) {
            log += gbk::kPk10Hit;
        }
    }
    return log;
}

// The log is set back to its starting text every `resetEvery` analyses, outside
// the timing, so that it stays near its size: each analysis appends a line.
template <typename Analyse>
void AnalyseOnLog(benchmark::State& state, LotteryKind kind, const Text& start, Int resetEvery, Analyse analyse)
{
    DrawTables tables;
    NoEvents events;
    SetUpDrawTables(tables, events);
    DrawTable& table = tables[kind];
    const DrawBook book(1);
    const Draw draw = book.Latest(kind, ToSimTime(kMorning));
    table.SetCellText(1, 1, PeriodText(draw));
    for (std::size_t i = 0; i < draw.numbers.size(); ++i) {
        table.SetCellText(1, static_cast<Int>(i) + 2, RightText(JoinTexts("0", IntToText(draw.numbers[i])), 2));
    }
    table.SetCursor(1, 1);

    const FixedClock clock(kMorning);
    const MessageSink sink;
    const ForecastContext context {clock, events, sink};
    KillLog log;
    log.SetKillLogText(start);
    Int sinceReset = 0;
    for (auto _ : state) {
        analyse(table, log, context);
        if (++sinceReset == resetEvery) {
            state.PauseTiming();
            log.SetKillLogText(start);
            sinceReset = 0;
            state.ResumeTiming();
        }
    }
    state.counters["log_MiB"] = static_cast<double>(start.size()) / (1 << 20);
}

void BM_AnalyseLastTwo(benchmark::State& state)
{
    const Int lines = state.range(0);
    static std::map<Int, Text> logs;
    if (!logs.contains(lines)) {
        logs[lines] = LastTwoLog(lines);
    }
    AnalyseOnLog(state, LotteryKind::IndoOne, logs[lines], lines < 1000 ? 10 : lines / 100,
        [](const DrawTable& table, KillLog& log, const ForecastContext& context) {
            AnalyseLastTwo(LastTwoProfileOf(LotteryKind::IndoOne), table, log, context);
        });
}
BENCHMARK(BM_AnalyseLastTwo)->Arg(10)->Arg(1'000'000);

void BM_AnalysePk10(benchmark::State& state)
{
    const Int lines = state.range(0);
    static std::map<Int, Text> logs;
    if (!logs.contains(lines)) {
        logs[lines] = Pk10Log(lines);
    }
    AnalyseOnLog(state, LotteryKind::Pk10, logs[lines], lines < 1000 ? 10 : lines / 100,
        [](const DrawTable& table, KillLog& log, const ForecastContext& context) { AnalysePk10(table, log, context); });
}
BENCHMARK(BM_AnalysePk10)->Arg(10)->Arg(1'000'000);

// ---- Readers --------------------------------------------------------------

class SamePage final : public PageFetch {
public:
    explicit SamePage(Bytes page)
        : m_page(std::move(page))
    { }
    Bytes FetchPage(std::string_view) override { return m_page; }

private:
    Bytes m_page;
};

// The simulator's page of the lottery; for a 1 MiB page, behind as much GBK
// text as makes it 1 MiB, so that every search of the read crosses it.
Bytes PageOf(LotteryKind kind, bool mebibyte)
{
    const DrawBook book(1);
    Bytes page = RenderPage(book, kind, ToSimTime(kMorning), 0);
    if (!mebibyte) {
        return page;
    }
    Bytes filler;
    while (filler.size() + page.size() < (1 << 20)) {
        filler += gbk::kPageDisclaimer;
    }
    filler.resize((1 << 20) - page.size());
    return filler + page;
}

template <typename Read> void ReadPage(benchmark::State& state, LotteryKind kind, Read read)
{
    SamePage fetch(PageOf(kind, state.range(0) != 0));
    NoEvents events;
    DrawTables tables;
    SetUpDrawTables(tables, events);
    ReaderContext context {fetch, events};
    for (auto _ : state) {
        read(tables[kind], context);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fetch.FetchPage("").size()));
}

void BM_ReadOffshore(benchmark::State& state)
{
    ReadPage(state, LotteryKind::IndoOne, [](DrawTable& table, ReaderContext& context) {
        ReadOffshoreDraws(table, OffshoreSourceOf(LotteryKind::IndoOne), "127.0.0.1", context);
    });
}

void BM_ReadChongqing(benchmark::State& state)
{
    ReadPage(state, LotteryKind::Chongqing,
        [](DrawTable& table, ReaderContext& context) { ReadChongqing(table, "127.0.0.1", context); });
}

void BM_ReadPk10(benchmark::State& state)
{
    ReadPage(state, LotteryKind::Pk10,
        [](DrawTable& table, ReaderContext& context) { ReadPk10(table, "127.0.0.1", context); });
}

// Argument 0: the simulator's page; 1: the 1 MiB page.
BENCHMARK(BM_ReadOffshore)->ArgName("MiB")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadChongqing)->ArgName("MiB")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadPk10)->ArgName("MiB")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return yanchuan::bench::RunBenchmarks(argc, argv,
        {
            {"BM_AnalyseLastTwo/1000000", "BM_AnalyseLastTwo/10", 3.0},
            {"BM_AnalysePk10/1000000", "BM_AnalysePk10/10", 3.0},
        });
}
