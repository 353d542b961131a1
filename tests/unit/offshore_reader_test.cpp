#include "readers/offshore_reader.h"
#include "support/reader_fakes.h"
#include "tables/draw_tables.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace yanchuan {
namespace {

using testing::FakeEvents;
using testing::FakeFetch;
using testing::ReadFixture;
using testing::RowTexts;
using Row = std::vector<std::string>;
using namespace std::chrono_literals;

constexpr std::string_view kHost = "draws.test:8080";

// The draws of offshore_draw.json and offshore_draw_ffc.json, columns 1 to 6.
const std::vector<Row> kFiveMinuteDraws = {
    {"20260311-118", "3", "0", "8", "1", "5"},
    {"20260311-117", "9", "4", "4", "0", "2"},
    {"20260311-116", "1", "7", "6", "3", "8"},
    {"20260311-115", "0", "0", "5", "9", "6"},
    {"20260311-114", "6", "2", "1", "8", "7"},
    {"20260311-113", "4", "9", "3", "2", "0"},
};
const std::vector<Row> kOneMinuteDraws = {
    {"20260311-0590", "2", "8", "1", "4", "6"},
    {"20260311-0589", "5", "5", "0", "3", "9"},
    {"20260311-0588", "7", "1", "9", "2", "4"},
    {"20260311-0587", "0", "3", "3", "6", "1"},
    {"20260311-0586", "8", "6", "2", "0", "5"},
    {"20260311-0585", "1", "0", "7", "7", "3"},
    {"20260311-0584", "9", "2", "4", "5", "8"},
    {"20260311-0583", "3", "7", "6", "1", "0"},
    {"20260311-0582", "6", "4", "8", "9", "2"},
    {"20260311-0581", "4", "1", "5", "3", "7"},
};

// A draw list in the services' format: draw number and digits field of each draw.
Text OffshorePage(const std::vector<std::pair<std::string, std::string>>& draws)
{
    Text page = R"({"code":0,"history":[)";
    for (const auto& [number, digits] : draws) {
        page += JoinTexts(R"({"num":")", number, R"(","result":")", digits, R"(","time":"2026-03-11 09:50:00"},)");
    }
    page += "]}";
    return page;
}

std::string UrlOf(LotteryKind kind) { return JoinTexts("http://", kHost, OffshoreSourceOf(kind).path); }

class OffshoreReader : public ::testing::Test {
protected:
    OffshoreReader()
    {
        NoEvents none;
        SetUpDrawTables(tables, none);
    }

    void Read(LotteryKind kind) { ReadOffshoreDraws(tables[kind], OffshoreSourceOf(kind), kHost, ctx); }

    // Serves the two well-formed draw lists.
    void ReadFixtures()
    {
        fetch.Serve(UrlOf(LotteryKind::IndoFive), {ReadFixture("offshore_draw.json")});
        fetch.Serve(UrlOf(LotteryKind::IndoOne), {ReadFixture("offshore_draw_ffc.json")});
    }

    FakeFetch fetch;
    FakeEvents events;
    ReaderContext ctx {fetch, events};
    DrawTables tables;
};

TEST_F(OffshoreReader, FillsRowsOneToNInPageOrderAndPutsTheCursorOnTheFirst)
{
    ReadFixtures();
    const std::pair<LotteryKind, const std::vector<Row>*> sources[] = {
        {LotteryKind::IndoFive, &kFiveMinuteDraws},
        {LotteryKind::VietFive, &kFiveMinuteDraws},
        {LotteryKind::VietOne, &kOneMinuteDraws},
        {LotteryKind::IndoOne, &kOneMinuteDraws},
    };
    for (const auto& [kind, draws] : sources) {
        SCOPED_TRACE(KindName(kind));
        const std::string url = UrlOf(kind);
        const int fetchesBefore = fetch.Fetches(url);

        Read(kind);

        const DrawTable& table = tables[kind];
        EXPECT_EQ(fetch.Fetches(url), fetchesBefore + 1);
        EXPECT_EQ(table.RowCount() - 1, OffshoreSourceOf(kind).rows);
        for (Int r = 1; r < table.RowCount(); ++r) {
            EXPECT_EQ(RowTexts(table, r, 1, 6), (*draws)[static_cast<std::size_t>(r - 1)]) << "row " << r;
            EXPECT_EQ(table.CellText(r, 0), IntToText(r));
        }
        EXPECT_EQ(table.CurrentRow(), 1);
        EXPECT_EQ(table.CurrentColumn(), 1);
    }
}

struct PeriodCase {
    std::string drawNumber;
    LotteryKind kind;
    std::string period;
};

TEST_F(OffshoreReader, PeriodNumbersArePaddedOrCutToTheirWidth)
{
    const PeriodCase cases[] = {
        // The 13 bytes behind the marker take in the closing quote, the comma
        // and the next quote; they are deleted before the period is taken.
        {"20260311-7", LotteryKind::IndoFive, "20260311-007"}, {"20260311-7", LotteryKind::IndoOne, "20260311-0007"},
        {"20260311-123", LotteryKind::VietFive, "20260311-123"},
        {"20260311-123", LotteryKind::VietOne, "20260311-0123"},
        {"20260311-1440", LotteryKind::IndoOne, "20260311-1440"},
        {"20260311-1440", LotteryKind::IndoFive, "20260311-440"},
        {"20260311-007", LotteryKind::IndoOne, "20260311-0007"},
        {"20260311007", LotteryKind::IndoFive, "20260311-00"}, // no minus sign: zeros alone
    };
    for (const PeriodCase& c : cases) {
        SCOPED_TRACE(c.drawNumber + " in " + std::string(KindName(c.kind)));
        fetch.Serve(UrlOf(c.kind), {OffshorePage({{c.drawNumber, "3,0,8,1,5"}})});
        Read(c.kind);
        EXPECT_EQ(RowTexts(tables[c.kind], 1, 1, 6), Row({c.period, "3", "0", "8", "1", "5"}));
    }
}

TEST_F(OffshoreReader, RowsBeyondAShortPageRepeatItsFirstDraws)
{
    const Text page = OffshorePage({{"20260311-118", "3,0,8,1,5"}, {"20260311-117", "9,4,4,0,2"}});
    fetch.Serve(UrlOf(LotteryKind::IndoFive), {page});

    Read(LotteryKind::IndoFive);

    // A draw marker that is not found is -1: the draw number is cut from bytes 7
    // to 19 of the page and the result marker searched from its start, so the
    // row takes the first draw's digits and the next row finds the second draw.
    const DrawTable& table = tables[LotteryKind::IndoFive];
    const Row first = {"20260311-118", "3", "0", "8", "1", "5"};
    const Row second = {"20260311-117", "9", "4", "4", "0", "2"};
    const Row lost = {R"(":0,"his-00)", "3", "0", "8", "1", "5"};
    EXPECT_EQ(RowTexts(table, 1, 1, 6), first);
    EXPECT_EQ(RowTexts(table, 2, 1, 6), second);
    EXPECT_EQ(RowTexts(table, 3, 1, 6), lost);
    EXPECT_EQ(RowTexts(table, 4, 1, 6), second);
    EXPECT_EQ(RowTexts(table, 5, 1, 6), lost);
}

struct BrokenPageCase {
    std::string page;
    LotteryKind kind;
    Row row; // the same in every row
};

TEST_F(OffshoreReader, PagesWithoutDrawsRewriteEveryRowFromTheirFirstBytes)
{
    const BrokenPageCase cases[] = {
        {"", LotteryKind::IndoOne, {"-000", "", "", "", "", ""}},
        {"", LotteryKind::VietFive, {"-00", "", "", "", "", ""}},
        {"<html><body>502 Bad Gateway</body></html>", LotteryKind::IndoFive, {"<body>50-00", "b", "d", ">", "0", " "}},
    };
    for (const BrokenPageCase& c : cases) {
        SCOPED_TRACE(c.page + " in " + std::string(KindName(c.kind)));
        ReadFixtures();
        Read(c.kind);
        tables[c.kind].SetCursor(3, 2);
        fetch.Serve(UrlOf(c.kind), {c.page});

        Read(c.kind);

        const DrawTable& table = tables[c.kind];
        for (Int r = 1; r < table.RowCount(); ++r) {
            EXPECT_EQ(RowTexts(table, r, 1, 6), c.row) << "row " << r;
        }
        EXPECT_EQ(table.CurrentRow(), 1);
        EXPECT_EQ(table.CurrentColumn(), 1);
    }
}

TEST_F(OffshoreReader, APendingDrawIsFetchedAgainAndOnlyTheLastPageParsed)
{
    const Bytes pending = ReadFixture("offshore_draw_ffc_pending.json");
    fetch.Serve(UrlOf(LotteryKind::IndoOne), {pending, pending, pending, ReadFixture("offshore_draw_ffc.json")});
    ctx.pendingPause = 1000ms;

    Read(LotteryKind::IndoOne);

    EXPECT_EQ(fetch.Fetches(UrlOf(LotteryKind::IndoOne)), 4);
    EXPECT_EQ(events.Pauses(), std::vector(3, 1000ms));
    // Waiting events run at the start, before every repeated fetch and every row.
    EXPECT_EQ(events.Calls(), 1 + 3 + 10);
    for (Int r = 1; r <= 10; ++r) {
        EXPECT_EQ(RowTexts(tables[LotteryKind::IndoOne], r, 1, 6), kOneMinuteDraws[static_cast<std::size_t>(r - 1)]);
    }
}

TEST_F(OffshoreReader, ADrawThatStaysPendingStopsTheWaitAfterSixtyFetches)
{
    fetch.Serve(UrlOf(LotteryKind::VietOne), {ReadFixture("offshore_draw_ffc_pending.json")});

    Read(LotteryKind::VietOne);

    EXPECT_EQ(fetch.Fetches(UrlOf(LotteryKind::VietOne)), 60);
    EXPECT_EQ(events.Pauses().size(), 59U);
    // The pending page is parsed as it is: behind its pending draw come the drawn ones.
    const DrawTable& table = tables[LotteryKind::VietOne];
    EXPECT_EQ(RowTexts(table, 2, 1, 6), kOneMinuteDraws[0]);
    EXPECT_EQ(RowTexts(table, 4, 1, 6), kOneMinuteDraws[2]);
    EXPECT_EQ(table.CurrentRow(), 1);
}

} // namespace
} // namespace yanchuan
