#include "tables/draw_tables.h"

#include "tables/layouts.h"

namespace yanchuan {

namespace {

void WriteHeaders(DrawTable& table)
{
    for (Int column = 0; column < table.ColumnCount(); ++column) {
        table.SetCellText(0, column, table.Layout().headers[static_cast<std::size_t>(column)]);
    }
}

// The same for the four offshore tables. The font rectangles reach row 11, the
// last row of the largest of them; the smaller tables cut them to their own.
void SetUpDigitTable(DrawTable& table)
{
    table.SetColumnWidth(0, 60);
    table.SetColumnWidth(1, 160);
    WriteHeaders(table);
    table.CentreCells(0, 0, table.RowCount() - 1, 6);
    table.SetFontHeight(1, 1, 11, 1, 22);
    table.SetFontHeight(1, 2, 11, 6, 30);
}

} // namespace

DrawTables::DrawTables()
    : m_tables {
        DrawTable(LayoutOf(LotteryKind::Pk10)),
        DrawTable(LayoutOf(LotteryKind::Chongqing)),
        DrawTable(LayoutOf(LotteryKind::VietFive)),
        DrawTable(LayoutOf(LotteryKind::IndoFive)),
        DrawTable(LayoutOf(LotteryKind::VietOne)),
        DrawTable(LayoutOf(LotteryKind::IndoOne)),
    }
{ }

void SetUpDrawTables(DrawTables& tables, EventPump& events)
{
    events.ProcessEvents();

    DrawTable& indoOne = tables[LotteryKind::IndoOne];
    DrawTable& pk10 = tables[LotteryKind::Pk10];
    SetUpDigitTable(indoOne);
    for (Int r = 1; r <= 10; ++r) {
        indoOne.SetCellText(r, 0, IntToText(r));
        pk10.SetCellText(r, 0, IntToText(r));
    }

    DrawTable& indoFive = tables[LotteryKind::IndoFive];
    SetUpDigitTable(indoFive);
    for (Int r = 1; r <= 5; ++r) {
        indoFive.SetCellText(r, 0, IntToText(r));
    }

    DrawTable& vietOne = tables[LotteryKind::VietOne];
    DrawTable& vietFive = tables[LotteryKind::VietFive];
    SetUpDigitTable(vietOne);
    SetUpDigitTable(vietFive);
    for (Int r = 1; r <= 4; ++r) {
        vietFive.SetCellText(r, 0, IntToText(r));
        vietOne.SetCellText(r, 0, IntToText(r));
    }

    pk10.SetColumnWidth(0, 50);
    pk10.SetColumnWidth(1, 100);
    pk10.SetColumnWidth(12, 120);
    WriteHeaders(pk10);
    pk10.CentreCells(0, 0, pk10.RowCount() - 1, 12);

    DrawTable& chongqing = tables[LotteryKind::Chongqing];
    chongqing.SetColumnWidth(0, 60);
    chongqing.SetColumnWidth(1, 120);
    chongqing.SetColumnWidth(7, 120);
    WriteHeaders(chongqing);
    chongqing.SetFontHeight(1, 2, 7, 6, 30);
    chongqing.CentreCells(0, 0, chongqing.RowCount() - 1, 7);
    for (Int r = 1; r <= 6; ++r) {
        chongqing.SetCellText(r, 0, IntToText(r));
    }
}

} // namespace yanchuan
