#include "readers/gbk_texts.h"
#include "support/reader_fakes.h"
#include "tables/draw_tables.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace yanchuan {
namespace {

using namespace gbk;
using testing::FakeEvents;

// What every table shows after the set-up. Font heights of 0 are the default size.
struct TableExpectation {
    LotteryKind kind;
    Int rows;
    Int columns;
    int rowHeight;
    std::vector<int> widths; // from column 0
    std::vector<std::string_view> headers;
    int periodFont; // column 1 of the data rows
    int digitFont; // columns 2 to 6 of the data rows
};

const std::vector<int> kDigitWidths = {60, 160, 80, 80, 80, 80, 80};
const std::vector<std::string_view> kDigitHeaders
    = {kHeaderNumber, kHeaderPeriod, kHeaderTenThousands, kHeaderThousands, kHeaderHundreds, kHeaderTens, kHeaderUnits};

const TableExpectation kExpected[] = {
    {LotteryKind::Pk10, 11, 13, 25, {50, 100, 45, 45, 45, 45, 45, 45, 45, 45, 45, 45, 120},
        {kHeaderNumber, kHeaderPeriod, kHeaderFirst, kHeaderSecond, kHeaderThird, kHeaderFourth, kHeaderFifth,
            kHeaderSixth, kHeaderSeventh, kHeaderEighth, kHeaderNinth, kHeaderTenth, kHeaderDrawTime},
        0, 0},
    {LotteryKind::Chongqing, 7, 8, 40, {60, 120, 70, 70, 70, 70, 70, 120},
        {kHeaderNumber, kHeaderPeriod, kHeaderTenThousands, kHeaderThousands, kHeaderHundreds, kHeaderTens,
            kHeaderUnits, kHeaderTime},
        0, 30},
    {LotteryKind::VietFive, 5, 7, 50, kDigitWidths, kDigitHeaders, 22, 30},
    {LotteryKind::IndoFive, 6, 7, 45, kDigitWidths, kDigitHeaders, 22, 30},
    {LotteryKind::VietOne, 5, 7, 50, kDigitWidths, kDigitHeaders, 22, 30},
    {LotteryKind::IndoOne, 11, 7, 25, kDigitWidths, kDigitHeaders, 22, 30},
};

TEST(DrawTables, SetUpRunsWaitingEventsThenWritesEveryTable)
{
    DrawTables tables;
    FakeEvents events;
    bool blankWhenEventsRan = false;
    events.OnCall(1, [&] {
        blankWhenEventsRan = tables[LotteryKind::IndoOne].CellText(0, 6).empty()
            && tables[LotteryKind::Pk10].ColumnWidth(0) == 45 && !tables[LotteryKind::Chongqing].IsCentred(0, 0);
    });

    SetUpDrawTables(tables, events);

    EXPECT_TRUE(blankWhenEventsRan);
    for (const TableExpectation& e : kExpected) {
        SCOPED_TRACE(KindName(e.kind));
        const DrawTable& table = tables[e.kind];
        ASSERT_EQ(table.RowCount(), e.rows);
        ASSERT_EQ(table.ColumnCount(), e.columns);
        EXPECT_EQ(table.Layout().rowHeight, e.rowHeight);
        EXPECT_EQ(table.CurrentRow(), -1);
        for (Int c = 0; c < e.columns; ++c) {
            EXPECT_EQ(table.ColumnWidth(c), e.widths[static_cast<std::size_t>(c)]) << "column " << c;
        }
        for (Int r = 0; r < e.rows; ++r) {
            for (Int c = 0; c < e.columns; ++c) {
                SCOPED_TRACE(::testing::Message() << "cell (" << r << ", " << c << ")");
                const Text text = r == 0 ? Text(e.headers[static_cast<std::size_t>(c)]) : c == 0 ? IntToText(r) : "";
                const int font = r == 0 || c == 0 ? 0 : c == 1 ? e.periodFont : c <= 6 ? e.digitFont : 0;
                EXPECT_EQ(table.CellText(r, c), text);
                EXPECT_EQ(table.FontHeight(r, c), font);
                EXPECT_TRUE(table.IsCentred(r, c));
            }
        }
    }
}

} // namespace
} // namespace yanchuan
