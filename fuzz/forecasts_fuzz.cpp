#include "app/desk.h"
#include "fuzz_support.h"
#include "readers/gbk_texts.h"

// Each lottery's analysis, run several times in a row on an arbitrary row and
// log. The input's first line is the row, its cells split by tabs from the
// period on; the rest is the log's text.
namespace {

using namespace yanchuan;
using fuzz::Require;

constexpr int kRunsInARow = 3;

void CheckAnalyses(LotteryKind kind, const std::vector<std::string_view>& cells, std::string_view logText)
{
    fuzz::PageSequence fetch({});
    // The last second of a day's last period's wait, so that a forecast of the
    // next day's first period is reachable.
    const FixedClock clock(DateTime {2026, 12, 31, 23, 59, 5});
    NoEvents events;
    Desk desk(fetch, clock, events, DefaultSources());
    desk.OnMainWindowCreated();

    DrawTable& table = desk.Table(kind);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        table.SetCellText(1, static_cast<Int>(i) + 1, cells[i]);
    }
    desk.ClickCell(kind, 1, 1);
    const std::vector<Text> frame = fuzz::FrameOf(table);
    KillLog& log = desk.Log(kind);
    log.SetKillLogText(logText);

    for (int run = 0; run < kRunsInARow; ++run) {
        const Text before = log.KillLogText();
        const bool holdsPeriod = log.LastPeriodMark() != -1;
        desk.Analyse(kind);
        const Text& after = log.KillLogText();
        if (holdsPeriod) {
            Require(after.size() >= before.size() && after.starts_with(before),
                "an analysis only appends to a log that holds a period mark");
        }
        Require(log.LastPeriodMark() == FindTextBackward(after, gbk::kPeriodMark),
            "the kill log keeps the position of its last period mark");
        Require(fuzz::FrameOf(table) == frame, "an analysis leaves the table's frame as it was");
        Require(table.CurrentRow() == 1 && table.CurrentColumn() == 1, "an analysis leaves the cursor where it was");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = fuzz::AsView(data, size);
    const std::size_t rowEnd = input.find('\n');
    const std::string_view row = input.substr(0, rowEnd);
    const std::string_view logText = rowEnd == std::string_view::npos ? std::string_view() : input.substr(rowEnd + 1);
    const std::vector<std::string_view> cells = fuzz::SplitInput(row, "\t");
    for (const LotteryKind kind : kAllLotteries) {
        CheckAnalyses(kind, cells, logText);
    }
    return 0;
}
