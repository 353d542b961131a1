#pragma once

#include "readers/events.h"
#include "tables/draw_table.h"
#include "tables/lottery.h"

#include <array>

namespace yanchuan {

// The six lotteries' tables, empty and without a cursor cell until the first
// read; they live as long as the window that owns them.
class DrawTables final {
public:
    DrawTables();
    DrawTables(const DrawTables&) = delete;
    DrawTables& operator=(const DrawTables&) = delete;

    DrawTable& operator[](LotteryKind kind) { return m_tables[IndexOf(kind)]; }
    const DrawTable& operator[](LotteryKind kind) const { return m_tables[IndexOf(kind)]; }

private:
    std::array<DrawTable, 6> m_tables;
};

// Writes every table's headers, row numbers, column widths, font heights and
// alignment, once, when the window has been created.
void SetUpDrawTables(DrawTables& tables, EventPump& events);

} // namespace yanchuan
