#pragma once

#include "drawsim/draw_book.h"
#include "drawsim/draw_pages.h"
#include "tables/draw_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace yanchuan::testing {

// What a reader writes for a draw into columns 1 on of its row: the period,
// the numbers, and the draw time where the table has a column for it.
inline std::vector<std::string> TableCells(const drawsim::Draw& draw)
{
    std::vector<std::string> cells {drawsim::PeriodText(draw)};
    for (const int number : draw.numbers) {
        const std::string text = std::to_string(number);
        cells.push_back(draw.kind == LotteryKind::Pk10 && text.size() < 2 ? "0" + text : text);
    }
    if (draw.kind == LotteryKind::Chongqing || draw.kind == LotteryKind::Pk10) {
        cells.push_back(drawsim::TimeText(draw));
    }
    return cells;
}

// Every data row of the table shows the draws, newest first, in order.
inline void ExpectTableShows(const DrawTable& table, const std::vector<drawsim::Draw>& newestFirst)
{
    for (Int row = 1; row < table.RowCount(); ++row) {
        const std::vector<std::string> expected = TableCells(newestFirst.at(static_cast<std::size_t>(row - 1)));
        std::vector<std::string> shown;
        for (Int column = 1; column <= static_cast<Int>(expected.size()); ++column) {
            shown.push_back(table.CellText(row, column));
        }
        EXPECT_EQ(shown, expected) << KindName(table.Kind()) << " row " << row;
    }
}

} // namespace yanchuan::testing
