#include "fuzz_support.h"
#include "headless/script.h"
#include "readers/gbk_texts.h"

#include <array>
#include <sstream>

// The headless script interpreter on arbitrary script bytes, a line at a time.
// What follows the input's first zero byte is the page every fetch gets.
namespace {

using namespace yanchuan;
using fuzz::Require;

std::string_view FirstWord(std::string_view line)
{
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        return {};
    }
    const std::size_t end = line.find_first_of(" \t", start);
    return line.substr(start, end == std::string_view::npos ? end : end - start);
}

std::string_view SecondWord(std::string_view line)
{
    const std::string_view first = FirstWord(line);
    if (first.empty()) {
        return {};
    }
    const std::size_t after = static_cast<std::size_t>(first.data() - line.data()) + first.size();
    return FirstWord(line.substr(after));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = fuzz::AsView(data, size);
    const std::size_t scriptEnd = input.find('\0');
    const std::string_view script = input.substr(0, scriptEnd);
    std::vector<std::string_view> pages;
    if (scriptEnd != std::string_view::npos) {
        pages.push_back(input.substr(scriptEnd + 1));
    }

    fuzz::PageSequence fetch(std::move(pages));
    ScriptClock clock;
    // Where the real clock would stand otherwise: a run must not depend on the day.
    clock.Set(DateTime {2026, 12, 11, 10, 11, 5});
    NoEvents events;
    Desk desk(fetch, clock, events, DefaultSources());
    desk.OnMainWindowCreated();
    std::ostringstream out;
    std::ostringstream err;
    ScriptRunner runner(desk, clock, out, err, false);

    std::array<std::vector<Text>, 6> frames;
    for (const LotteryKind kind : kAllLotteries) {
        frames[IndexOf(kind)] = fuzz::FrameOf(desk.Table(kind));
    }

    for (std::string_view line : fuzz::SplitInput(script, "\n")) {
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        std::array<Text, 6> logsBefore;
        for (const LotteryKind kind : kAllLotteries) {
            logsBefore[IndexOf(kind)] = desk.Log(kind).KillLogText();
        }

        const bool ran = !runner.RunLine(line).has_value();

        const std::string_view command = FirstWord(line);
        for (const LotteryKind kind : kAllLotteries) {
            const KillLog& log = desk.Log(kind);
            const Text& before = logsBefore[IndexOf(kind)];
            Require(fuzz::FrameOf(desk.Table(kind)) == frames[IndexOf(kind)],
                "no command changes a table's header row or number column");
            Require(log.LastPeriodMark() == FindTextBackward(log.KillLogText(), gbk::kPeriodMark),
                "the kill log keeps the position of its last period mark");
            if (command != "type" && FindTextBackward(before, gbk::kPeriodMark) != -1) {
                Require(log.KillLogText().starts_with(before),
                    "only the user's own edit shortens a log that holds a period mark");
            }
        }
        if (ran && command == "read") {
            const DrawTable& table = desk.Table(*KindFromName(SecondWord(line)));
            Require(table.CurrentRow() == 1 && table.CurrentColumn() == 1, "a read leaves the cursor on (1, 1)");
        }
        // What the printing commands wrote is not kept from one line to the next.
        out.str({});
        err.str({});
    }
    return 0;
}
