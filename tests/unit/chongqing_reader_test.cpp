#include "readers/chongqing_reader.h"
#include "support/reader_fakes.h"
#include "tables/draw_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace yanchuan {
namespace {

using testing::FakeEvents;
using testing::FakeFetch;
using testing::ReadFixture;
using testing::RowTexts;
using Row = std::vector<std::string>;

constexpr std::string_view kHost = "portal.test";
const std::string kUrl = "http://portal.test/Game/GetNum.aspx?iType=3";

// The draws of chongqing_getnum.html, columns 1 to 7.
const std::vector<Row> kDraws = {
    {"260311042", "3", "0", "7", "1", "9", "03-11 16:50"},
    {"260311041", "8", "2", "2", "6", "0", "03-11 16:40"},
    {"260311040", "255", "255", "255", "255", "255", "03-11 16:30"},
    {"260311039", "5", "9", "1", "4", "7", "03-11 16:20"},
    {"260311038", "0", "6", "3", "3", "2", "03-11 16:10"},
    {"260311037", "7", "4", "8", "0", "1", "03-11 16:00"},
};

// A number page in the portal's markup: period, numbers and time of each draw.
Text ChongqingPage(const std::vector<Row>& draws)
{
    Text page = "<div class='opentitle'></div>\r\n";
    for (const Row& d : draws) {
        page += JoinTexts("<ul class='openul'><li class='openli1'>", d[0], "</li><li class='openli2'>", d[1],
            "</li><li class='openli3'>", d[2], "</li></ul>\r\n");
    }
    return page;
}

class ChongqingReader : public ::testing::Test {
protected:
    ChongqingReader()
    {
        NoEvents none;
        SetUpDrawTables(tables, none);
    }

    void Read() { ReadChongqing(table, kHost, ctx); }

    FakeFetch fetch;
    FakeEvents events;
    ReaderContext ctx {fetch, events};
    DrawTables tables;
    DrawTable& table = tables[LotteryKind::Chongqing];
};

TEST_F(ChongqingReader, FillsSixRowsInPageOrderAndPutsTheCursorOnTheFirst)
{
    fetch.Serve(kUrl, {ReadFixture("chongqing_getnum.html")});

    Read();

    EXPECT_EQ(fetch.Fetches(kUrl), 1);
    for (Int r = 1; r <= 6; ++r) {
        EXPECT_EQ(RowTexts(table, r, 1, 7), kDraws[static_cast<std::size_t>(r - 1)]) << "row " << r;
        EXPECT_EQ(table.CellText(r, 0), IntToText(r));
    }
    EXPECT_EQ(table.CurrentRow(), 1);
    EXPECT_EQ(table.CurrentColumn(), 1);
}

TEST_F(ChongqingReader, RowsBeyondAShortPageRepeatItsFirstDraws)
{
    fetch.Serve(kUrl,
        {ChongqingPage({{"260311042", "3,0,7,1,9", "03-11 16:50"}, {"260311041", "8,2,2,6,0", "03-11 16:40"},
            {"260311040", "1,1,4,5,1", "03-11 16:30"}, {"260311039", "5,9,1,4,7", "03-11 16:20"}})});

    Read();

    // A period marker that is not found is -1: the period is cut from byte 8 of
    // the page, and the numbers and time are searched from its start.
    EXPECT_EQ(RowTexts(table, 4, 1, 7), Row({"260311039", "5", "9", "1", "4", "7", "03-11 16:20"}));
    EXPECT_EQ(RowTexts(table, 5, 1, 7), Row({"ass='open", "3", "0", "7", "1", "9", "03-11 16:50"}));
    EXPECT_EQ(RowTexts(table, 6, 1, 7), Row({"260311041", "8", "2", "2", "6", "0", "03-11 16:40"}));
}

struct BrokenPageCase {
    std::string page;
    Row row; // the same in every row
};

TEST_F(ChongqingReader, PagesWithoutDrawsRewriteEveryRowFromTheirFirstBytes)
{
    const BrokenPageCase cases[] = {
        {"", {"", "", "", "", "", "", ""}},
        {"<html>Service Unavailable</html>", {"ervice Un", "e", "v", "c", " ", "n", "ervice Unav"}},
    };
    for (const BrokenPageCase& c : cases) {
        SCOPED_TRACE(c.page);
        fetch.Serve(kUrl, {ReadFixture("chongqing_getnum.html"), c.page});
        Read();
        table.SetCursor(3, 2);

        Read();

        for (Int r = 1; r <= 6; ++r) {
            EXPECT_EQ(RowTexts(table, r, 1, 7), c.row) << "row " << r;
        }
        EXPECT_EQ(table.CurrentRow(), 1);
        EXPECT_EQ(table.CurrentColumn(), 1);
    }
}

TEST_F(ChongqingReader, AReadNestedBetweenRowsIsOverwrittenByTheRestOfTheOuterRead)
{
    const Text later
        = ChongqingPage({{"260311043", "6,6,6,6,6", "03-11 17:00"}, {"260311042", "3,0,7,1,9", "03-11 16:50"},
            {"260311041", "8,2,2,6,0", "03-11 16:40"}, {"260311040", "255,255,2", "03-11 16:30"},
            {"260311039", "5,9,1,4,7", "03-11 16:20"}, {"260311038", "0,6,3,3,2", "03-11 16:10"}});
    fetch.Serve(kUrl, {ReadFixture("chongqing_getnum.html"), later});
    table.SetCellText(2, 1, "260311030");
    table.SetCursor(4, 2);

    // The third call comes before row 2: a click or tick waiting there reads again.
    Int cursorSeen = 0;
    Row firstRowSeen;
    Row secondRowSeen;
    events.OnCall(3, [&] {
        cursorSeen = table.CurrentRow();
        firstRowSeen = RowTexts(table, 1, 1, 7);
        secondRowSeen = RowTexts(table, 2, 1, 7);
        Read();
    });

    Read();

    EXPECT_EQ(cursorSeen, 4);
    EXPECT_EQ(firstRowSeen, kDraws[0]);
    EXPECT_EQ(secondRowSeen, Row({"260311030", "", "", "", "", "", ""}));
    EXPECT_EQ(fetch.Fetches(kUrl), 2);
    // Row 1 keeps the nested read's newest draw; the outer read rewrote the rest
    // from its own page and position.
    EXPECT_EQ(RowTexts(table, 1, 1, 7), Row({"260311043", "6", "6", "6", "6", "6", "03-11 17:00"}));
    for (Int r = 2; r <= 6; ++r) {
        EXPECT_EQ(RowTexts(table, r, 1, 7), kDraws[static_cast<std::size_t>(r - 1)]) << "row " << r;
    }
    EXPECT_EQ(table.CurrentRow(), 1);
}

} // namespace
} // namespace yanchuan
