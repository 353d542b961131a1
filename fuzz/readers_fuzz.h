#pragma once

#include "fuzz_support.h"
#include "readers/events.h"
#include "tables/draw_tables.h"

#include <functional>

// The read of one lottery on its own set-up table, fed the pieces of a fuzz
// input as the pages its fetches get, with the checks every read must pass.
namespace yanchuan::fuzz {

// Splits the pages that the offshore reader fetches while its newest draw is pending.
inline constexpr std::string_view kPageSeparator = "\n--next page--\n";

inline void CheckRead(
    LotteryKind kind, std::vector<std::string_view> pages, const std::function<void(DrawTable&, ReaderContext&)>& read)
{
    NoEvents events;
    DrawTables tables;
    SetUpDrawTables(tables, events);
    DrawTable& table = tables[kind];
    const std::vector<Text> frame = FrameOf(table);
    // A cursor left by an earlier click, away from where a read puts it.
    table.SetCursor(table.RowCount() - 1, table.ColumnCount() - 1);

    PageSequence fetch(std::move(pages));
    // Fewer fetches than a real read allows: the bound is what is checked, and
    // sixty scans of a pending page per input would slow the search tenfold.
    ReaderContext context {fetch, events, std::chrono::milliseconds(0), 8};
    read(table, context);

    Require(table.CurrentRow() == 1 && table.CurrentColumn() == 1, "a read leaves the cursor on (1, 1)");
    Require(FrameOf(table) == frame, "a read leaves the header row and the number column as they were");
    Require(fetch.Fetches() >= 1 && fetch.Fetches() <= static_cast<std::size_t>(context.maxFetches),
        "a read fetches its page at least once and at most maxFetches times");
}

} // namespace yanchuan::fuzz
