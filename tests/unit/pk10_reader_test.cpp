#include "readers/pk10_reader.h"
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

constexpr std::string_view kHost = "bulletin.test";
const std::string kUrl = "http://bulletin.test/bulletin/trax.html";

// The first ten draws of pk10_trax.html, columns 1 to 12.
const std::vector<Row> kDraws = {
    {"745012", "03", "07", "10", "01", "05", "09", "02", "06", "08", "04", "2026-03-11 09:57"},
    {"745011", "01", "02", "03", "04", "05", "06", "07", "08", "09", "10", "2026-03-11 09:52"},
    {"745010", "10", "09", "08", "07", "06", "05", "04", "03", "02", "01", "2026-03-11 09:47"},
    {"745009", "06", "01", "04", "10", "02", "08", "03", "09", "07", "05", "2026-03-11 09:42"},
    {"745008", "02", "05", "09", "03", "10", "07", "01", "04", "06", "08", "2026-03-11 09:37"},
    {"745007", "08", "10", "06", "02", "04", "01", "05", "07", "03", "09", "2026-03-11 09:32"},
    {"745006", "05", "03", "01", "09", "07", "04", "10", "02", "08", "06", "2026-03-11 09:27"},
    {"745005", "09", "04", "02", "08", "01", "03", "06", "10", "05", "07", "2026-03-11 09:22"},
    {"745004", "04", "08", "07", "05", "03", "10", "09", "01", "06", "02", "2026-03-11 09:17"},
    {"745003", "07", "06", "05", "10", "08", "02", "09", "03", "04", "01", "2026-03-11 09:12"},
};

class Pk10Reader : public ::testing::Test {
protected:
    Pk10Reader()
    {
        NoEvents none;
        SetUpDrawTables(tables, none);
    }

    void Read() { ReadPk10(table, kHost, ctx); }

    // The header row and the number column, which no read may touch.
    bool FixedCellsIntact() const
    {
        for (Int c = 0; c < table.ColumnCount(); ++c) {
            if (table.CellText(0, c) != table.Layout().headers[static_cast<std::size_t>(c)]) {
                return false;
            }
        }
        for (Int r = 1; r < table.RowCount(); ++r) {
            if (table.CellText(r, 0) != IntToText(r)) {
                return false;
            }
        }
        return true;
    }

    FakeFetch fetch;
    FakeEvents events;
    ReaderContext ctx {fetch, events};
    DrawTables tables;
    DrawTable& table = tables[LotteryKind::Pk10];
};

TEST_F(Pk10Reader, FillsTenRowsInPageOrderAndPutsTheCursorOnTheFirst)
{
    fetch.Serve(kUrl, {ReadFixture("pk10_trax.html")});

    Read();

    EXPECT_EQ(fetch.Fetches(kUrl), 1);
    for (Int r = 1; r <= 10; ++r) {
        EXPECT_EQ(RowTexts(table, r, 1, 12), kDraws[static_cast<std::size_t>(r - 1)]) << "row " << r;
    }
    EXPECT_TRUE(FixedCellsIntact());
    EXPECT_EQ(table.CurrentRow(), 1);
    EXPECT_EQ(table.CurrentColumn(), 1);
}

struct NumbersCase {
    std::string numbers; // the 29 bytes of a numbers cell
    Row columns; // 2 to 12 afterwards
};

TEST_F(Pk10Reader, EachNumberPartGoesToItsPlaceWhateverTheCount)
{
    const Row& before = kDraws[0];
    const NumbersCase cases[] = {
        {"01,02,03,04,05,06,07,08,09,10",
            {"01", "02", "03", "04", "05", "06", "07", "08", "09", "10", "2026-03-11 10:02"}},
        // Nine parts: the tenth place keeps what it held. A part 7 becomes 07, an
        // empty part 0, a long part its last two bytes.
        {"7,10,,03,04,05,06,08,09999999",
            {"07", "10", "0", "03", "04", "05", "06", "08", "99", before[10], "2026-03-11 10:02"}},
        // Thirteen parts: part 11 lands on the time, parts 12 and 13 outside the table.
        {"1,2,3,4,5,6,7,8,9,10,11,12,13", {"01", "02", "03", "04", "05", "06", "07", "08", "09", "10", "11"}},
    };
    for (const NumbersCase& c : cases) {
        SCOPED_TRACE(c.numbers);
        ASSERT_EQ(c.numbers.size(), 29U);
        const Text page = JoinTexts("<tr><td>745013</td><td>", c.numbers, "</td><td>2026-03-11 10:02</td></tr>\r\n");
        fetch.Serve(kUrl, {ReadFixture("pk10_trax.html"), page});
        Read();

        Read();

        EXPECT_EQ(table.CellText(1, 1), "745013");
        EXPECT_EQ(RowTexts(table, 1, 2, 12), c.columns);
        EXPECT_TRUE(FixedCellsIntact());
    }
}

TEST_F(Pk10Reader, AnEmptyPageEmptiesPeriodAndTimeAndKeepsTheNumbers)
{
    fetch.Serve(kUrl, {ReadFixture("pk10_trax.html"), ""});
    Read();
    table.SetCursor(3, 2);

    Read();

    for (Int r = 1; r <= 10; ++r) {
        Row expected = kDraws[static_cast<std::size_t>(r - 1)];
        expected.front().clear();
        expected.back().clear();
        EXPECT_EQ(RowTexts(table, r, 1, 12), expected) << "row " << r;
    }
    EXPECT_EQ(table.CurrentRow(), 1);
    EXPECT_EQ(table.CurrentColumn(), 1);
}

} // namespace
} // namespace yanchuan
