#pragma once

#include "app/kill_log.h"
#include "forecast/forecast_context.h"
#include "readers/events.h"
#include "tables/draw_table.h"

#include <string>
#include <vector>

namespace yanchuan::testing {

// A draw table of the given shape with no headers, for forecasts tested apart
// from the readers.
inline DrawTableLayout TestLayout(LotteryKind kind, int rows, int columns)
{
    return DrawTableLayout {kind, rows, columns, 25, 80, {}};
}

// A table, a log, a clock that stands still and the messages the desk would show.
struct ForecastFixture {
    explicit ForecastFixture(LotteryKind kind, int columns = 7)
        : layout(TestLayout(kind, 11, columns))
        , table(layout)
    { }

    // Writes row r from its period text and the texts of the next columns, and
    // puts the cursor on it.
    void SetRow(Int r, const std::vector<std::string>& cells)
    {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            table.SetCellText(r, static_cast<Int>(i) + 1, cells[i]);
        }
        table.SetCursor(r, 1);
    }

    ForecastContext Context() { return ForecastContext {clock, events, sink}; }

    DrawTableLayout layout;
    DrawTable table;
    KillLog log;
    FixedClock clock {DateTime {2026, 12, 11, 10, 11, 5}};
    NoEvents events;
    std::vector<std::string> messages;
    MessageSink sink = [this](LotteryKind, std::string_view message) { messages.emplace_back(message); };
};

} // namespace yanchuan::testing
