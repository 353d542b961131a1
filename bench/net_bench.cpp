#include "app/desk.h"
#include "drawsim/draw_simulator.h"
#include "ratio_reporter.h"
#include "readers/curl_page_fetch.h"

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

// A whole read and analysis of each lottery against the draw simulator on
// 127.0.0.1, beside a bare libcurl GET of the same page: what the tool adds to
// the network.
namespace {

using namespace yanchuan;
using namespace yanchuan::drawsim;

constexpr DateTime kMorning {2026, 3, 11, 10, 11, 5};

// Started once for the whole program: a manual clock that stands still, so
// that every request gets the same page, and no pending draws.
DrawSimulator& Simulator()
{
    static const std::unique_ptr<DrawSimulator> simulator = [] {
        SimulatorOptions options;
        options.ports = {0, 0, 0, 0};
        options.pendingSeconds = 0;
        options.manualClock = true;
        auto started = std::make_unique<DrawSimulator>(options);
        if (const auto problem = started->Start()) {
            std::cerr << "net_bench: " << *problem << '\n';
            std::exit(1);
        }
        started->SetNow(kMorning);
        return started;
    }();
    return *simulator;
}

Sources SimulatorSources()
{
    Sources sources;
    for (const SourceId source : kAllSources) {
        sources.SetHost(source, "127.0.0.1:" + std::to_string(Simulator().Port(source)));
    }
    return sources;
}

// The URL each reader fetches, by LotteryKind.
std::string PageUrl(LotteryKind kind)
{
    const auto port = [](SourceId source) { return std::to_string(Simulator().Port(source)); };
    switch (kind) {
    case LotteryKind::Pk10:
        return "http://127.0.0.1:" + port(SourceId::Pk10) + "/bulletin/trax.html";
    case LotteryKind::Chongqing:
        return "http://127.0.0.1:" + port(SourceId::Chongqing) + "/Game/GetNum.aspx?iType=3";
    case LotteryKind::VietFive:
        return "http://127.0.0.1:" + port(SourceId::Viet) + "/others/draw.php";
    case LotteryKind::IndoFive:
        return "http://127.0.0.1:" + port(SourceId::Indo) + "/others/draw.php";
    case LotteryKind::VietOne:
        return "http://127.0.0.1:" + port(SourceId::Viet) + "/others/draw_ffc.php";
    case LotteryKind::IndoOne:
        break;
    }
    return "http://127.0.0.1:" + port(SourceId::Indo) + "/others/draw_ffc.php";
}

void BM_ReadAndAnalyse(benchmark::State& state)
{
    const auto kind = static_cast<LotteryKind>(state.range(0));
    CurlPageFetch fetch;
    const FixedClock clock(kMorning);
    NoEvents events;
    Desk desk(fetch, clock, events, SimulatorSources());
    desk.OnMainWindowCreated();
    for (auto _ : state) {
        desk.Read(kind);
        desk.Analyse(kind);
    }
    if (desk.Table(kind).CellText(1, 1).empty()) {
        state.SkipWithError("the read brought no draw");
    }
    state.SetLabel(std::string(KindName(kind)));
}

std::size_t AppendBody(char* data, std::size_t size, std::size_t count, void* body)
{
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
}

// What one GET costs on its own: one handle for every GET, and like the tool's
// fetch a new connection for each (the simulator's server answers a request on
// a kept-alive connection only after the peer's delayed acknowledgement, some
// 40 ms, which would make the tool look faster than the bare GET).
void BM_CurlGet(benchmark::State& state)
{
    const auto kind = static_cast<LotteryKind>(state.range(0));
    const std::string url = PageUrl(kind);
    curl_global_init(CURL_GLOBAL_DEFAULT);
    std::string body;
    CURL* handle = curl_easy_init();
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &AppendBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(handle, CURLOPT_FORBID_REUSE, 1L);
    for (auto _ : state) {
        body.clear();
        if (curl_easy_perform(handle) != CURLE_OK) {
            state.SkipWithError("the GET failed");
        }
    }
    curl_easy_cleanup(handle);
    state.SetLabel(std::string(KindName(kind)));
}

void EachLottery(benchmark::internal::Benchmark* benchmark)
{
    for (const LotteryKind kind : kAllLotteries) {
        benchmark->Arg(static_cast<int>(IndexOf(kind)));
    }
    benchmark->Unit(benchmark::kMicrosecond)->UseRealTime();
}

BENCHMARK(BM_CurlGet)->Apply(EachLottery);
BENCHMARK(BM_ReadAndAnalyse)->Apply(EachLottery);

} // namespace

int main(int argc, char** argv)
{
    std::vector<yanchuan::bench::Ratio> ratios;
    for (const LotteryKind kind : kAllLotteries) {
        const std::string arg = std::to_string(IndexOf(kind));
        ratios.push_back({"BM_ReadAndAnalyse/" + arg + "/real_time", "BM_CurlGet/" + arg + "/real_time", 1.2});
    }
    return yanchuan::bench::RunBenchmarks(argc, argv, ratios);
}
