#include "tables/draw_table.h"
#include "tables/layouts.h"

#include <gtest/gtest.h>

#include <limits>

namespace yanchuan {
namespace {

constexpr Int kFar = std::numeric_limits<Int>::max();

struct Cell {
    Int row;
    Int column;
};

// Every cell holds a text of its own, so that a stray write shows.
void FillEveryCell(DrawTable& table)
{
    for (Int r = 0; r < table.RowCount(); ++r) {
        for (Int c = 0; c < table.ColumnCount(); ++c) {
            table.SetCellText(r, c, IntToText(r * 100 + c));
        }
    }
}

TEST(DrawTable, CellsOutsideTheTableAreNeitherWrittenNorRead)
{
    DrawTable table(LayoutOf(LotteryKind::Pk10));
    FillEveryCell(table);
    const Cell outside[] = {{11, 1}, {1, 13}, {-1, 1}, {1, -1}, {0, 13}, {11, 0}, {-1, -1}, {kFar, 1}, {1, -kFar}};

    for (const Cell& cell : outside) {
        table.SetCellText(cell.row, cell.column, "x");
        EXPECT_EQ(table.CellText(cell.row, cell.column), "") << cell.row << ", " << cell.column;
    }

    for (Int r = 0; r < table.RowCount(); ++r) {
        for (Int c = 0; c < table.ColumnCount(); ++c) {
            EXPECT_EQ(table.CellText(r, c), IntToText(r * 100 + c)) << r << ", " << c;
        }
    }
}

TEST(DrawTable, CellsKeepTheirTextsByteForByte)
{
    DrawTable table(LayoutOf(LotteryKind::Chongqing));
    const std::string_view texts[] = {"  3 ", "\t1\r\n", "\xB0\xA1", "\xB0", ""};
    for (const std::string_view text : texts) {
        table.SetCellText(6, 7, text);
        EXPECT_EQ(table.CellText(6, 7), text);
    }
}

struct CursorCase {
    Cell target;
    Cell expected;
};

TEST(DrawTable, CursorIsRaisedIntoTheDataAreaOrLeftWhereItWas)
{
    DrawTable table(LayoutOf(LotteryKind::VietOne)); // 5 rows, 7 columns
    table.SetCursor(5, 1);
    EXPECT_EQ(table.CurrentRow(), -1) << "a cell outside the table gives no cursor";

    const CursorCase cases[] = {
        {{0, 0}, {1, 1}},
        {{0, 1}, {1, 1}}, // a click on the period header
        {{3, 0}, {3, 1}}, // a click on row number 3
        {{4, 6}, {4, 6}},
        {{5, 1}, {2, 3}},
        {{1, 7}, {2, 3}},
        {{-1, 1}, {2, 3}},
        {{1, -1}, {2, 3}},
    };
    for (const CursorCase& c : cases) {
        table.SetCursor(2, 3);
        table.SetCursor(c.target.row, c.target.column);
        EXPECT_EQ(table.CurrentRow(), c.expected.row) << c.target.row << ", " << c.target.column;
        EXPECT_EQ(table.CurrentColumn(), c.expected.column) << c.target.row << ", " << c.target.column;
    }
}

struct RectangleCase {
    Cell first;
    Cell last;
    bool covers; // whether anything is left after the cut
    Cell coveredLast;
};

TEST(DrawTable, RectanglesAreCutToTheTableOrIgnored)
{
    const RectangleCase cases[] = {
        {{1, 1}, {11, 1}, true, {5, 1}},
        {{1, 2}, {11, 99}, true, {5, 6}},
        {{0, 0}, {5, 6}, true, {5, 6}},
        {{2, 3}, {2, 3}, true, {2, 3}},
        {{-1, 0}, {3, 3}, false, {}},
        {{0, -1}, {3, 3}, false, {}},
        {{3, 1}, {2, 1}, false, {}},
        {{1, 4}, {1, 3}, false, {}},
        {{6, 0}, {11, 6}, false, {}},
        {{0, 7}, {5, 9}, false, {}},
    };
    for (const RectangleCase& c : cases) {
        SCOPED_TRACE(::testing::Message()
            << "(" << c.first.row << ", " << c.first.column << ") to (" << c.last.row << ", " << c.last.column << ")");
        DrawTable table(LayoutOf(LotteryKind::IndoFive)); // 6 rows, 7 columns
        table.SetFontHeight(c.first.row, c.first.column, c.last.row, c.last.column, 30);
        table.CentreCells(c.first.row, c.first.column, c.last.row, c.last.column);
        for (Int r = 0; r < table.RowCount(); ++r) {
            for (Int col = 0; col < table.ColumnCount(); ++col) {
                const bool inside = c.covers && r >= c.first.row && r <= c.coveredLast.row && col >= c.first.column
                    && col <= c.coveredLast.column;
                EXPECT_EQ(table.FontHeight(r, col), inside ? 30 : 0) << r << ", " << col;
                EXPECT_EQ(table.IsCentred(r, col), inside) << r << ", " << col;
            }
        }
    }
}

TEST(DrawTable, WidthsOfColumnsOutsideTheTableAreIgnored)
{
    DrawTable table(LayoutOf(LotteryKind::Chongqing));
    table.SetColumnWidth(8, 999);
    table.SetColumnWidth(-1, 999);
    table.SetColumnWidth(7, 120);
    for (Int c = 0; c < 7; ++c) {
        EXPECT_EQ(table.ColumnWidth(c), 70) << c;
    }
    EXPECT_EQ(table.ColumnWidth(7), 120);
}

} // namespace
} // namespace yanchuan
