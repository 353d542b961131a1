#include "app/desk.h"
#include "app/gbk_codec.h"
#include "drawsim/draw_pages.h"
#include "sim/draw_rows.h"
#include "support/reader_fakes.h"

#include <gtest/gtest.h>

#include <string>

namespace yanchuan::drawsim {
namespace {

using testing::ExpectTableShows;
using testing::FakeFetch;

SimTime At(const char* text) { return ToSimTime(ParseDateTime(text).value()); }

struct PageOf {
    LotteryKind kind;
    SourceId source;
    const char* path;
};

// Where each reader looks for its page.
constexpr PageOf kPages[] = {
    {LotteryKind::IndoOne, SourceId::Indo, "/others/draw_ffc.php"},
    {LotteryKind::IndoFive, SourceId::Indo, "/others/draw.php"},
    {LotteryKind::VietOne, SourceId::Viet, "/others/draw_ffc.php"},
    {LotteryKind::VietFive, SourceId::Viet, "/others/draw.php"},
    {LotteryKind::Chongqing, SourceId::Chongqing, "/Game/GetNum.aspx?iType=3"},
    {LotteryKind::Pk10, SourceId::Pk10, "/bulletin/trax.html"},
};

// The readers, fed the rendered pages, fill every table with exactly the
// newest draws: the fields sit at the readers' fixed offsets, the markup
// around them holds no marker, and the pages list enough draws.
TEST(DrawPages, ReadersCutTheNewestDrawsOutOfEveryPage)
{
    const DrawBook book(7);
    const Sources sources = DefaultSources();
    for (const char* moment :
        {"2026-03-11T00:00:00", "2026-03-11T00:04:59", "2026-03-11T10:11:05", "2026-03-11T23:59:59"}) {
        const SimTime now = At(moment);
        FakeFetch fetch;
        FixedClock clock(ToDateTime(now));
        NoEvents events;
        for (const PageOf& page : kPages) {
            fetch.Serve("http://" + sources.Host(page.source) + page.path, {RenderPage(book, page.kind, now, 0)});
        }
        Desk desk(fetch, clock, events, sources);
        desk.OnMainWindowCreated();
        for (const PageOf& page : kPages) {
            SCOPED_TRACE(moment);
            desk.Read(page.kind);
            ExpectTableShows(desk.Table(page.kind), book.History(page.kind, now, kHistoryRows));
        }
    }
}

// An offshore page lists its newest draw as pending, with no result and the
// draws before it behind, until the pending seconds have passed.
TEST(DrawPages, OffshoreNewestDrawIsPendingForItsFirstSeconds)
{
    struct Case {
        LotteryKind kind;
        int pendingSeconds;
        int secondsAfterDraw;
        bool pending;
    };
    const Case cases[] = {
        {LotteryKind::IndoOne, 8, 0, true},
        {LotteryKind::IndoOne, 8, 7, true},
        {LotteryKind::IndoOne, 8, 8, false},
        {LotteryKind::VietOne, 3, 2, true},
        {LotteryKind::VietOne, 3, 3, false},
        {LotteryKind::IndoFive, 8, 5, true},
        {LotteryKind::VietFive, 0, 0, false},
    };
    const DrawBook book(7);
    // 10:15:00 draws period 615 of the one-minute lotteries and 123 of the five-minute ones.
    const SimTime drawn = At("2026-03-11T10:15:00");
    for (const Case& c : cases) {
        const bool oneMinute = c.kind == LotteryKind::IndoOne || c.kind == LotteryKind::VietOne;
        const std::string page = RenderPage(book, c.kind, drawn + c.secondsAfterDraw, c.pendingSeconds);
        const std::string pendingHead
            = oneMinute ? R"(history":[{"num":"-0615","result":"",)" : R"(history":[{"num":"-123","result":"",)";
        const std::string newestHead = oneMinute ? R"(history":[{"num":"20260311-0615","result":")"
                                                 : R"(history":[{"num":"20260311-123","result":")";
        const std::string previous = oneMinute ? R"({"num":"20260311-0614")" : R"({"num":"20260311-122")";
        SCOPED_TRACE(std::string(KindName(c.kind)) + " pending " + std::to_string(c.pendingSeconds) + " s, "
            + std::to_string(c.secondsAfterDraw) + " s after the draw");
        EXPECT_EQ(page.find(pendingHead) != std::string::npos, c.pending);
        EXPECT_EQ(page.find(newestHead) != std::string::npos, !c.pending);
        if (c.pending) {
            EXPECT_EQ(page.find(previous), page.find("},{") + 2);
        }
    }
}

TEST(DrawPages, PagesAreWholeGbkWithTheirChineseText)
{
    const DrawBook book(7);
    const SimTime now = At("2026-03-11T10:15:03");
    const std::pair<LotteryKind, std::vector<std::string>> cases[] = {
        {LotteryKind::IndoOne, {"印尼分分彩", "成功", "等待开奖", "已开奖"}},
        {LotteryKind::VietFive, {"越南五分彩", "已开奖"}},
        {LotteryKind::Chongqing, {"<title>重庆时时彩开奖号码</title>", "最新开奖"}},
        {LotteryKind::Pk10, {"<title>开奖公告</title>", "北京赛车PK拾", "开奖号码", "开奖时间"}},
    };
    for (const auto& [kind, texts] : cases) {
        const std::string utf8 = GbkToUtf8(RenderPage(book, kind, now, 8));
        EXPECT_EQ(utf8.find("\xEF\xBF\xBD"), std::string::npos) << KindName(kind) << ": a byte that is not GBK";
        for (const std::string& text : texts) {
            EXPECT_NE(utf8.find(text), std::string::npos) << KindName(kind) << ": " << text;
        }
    }
}

} // namespace
} // namespace yanchuan::drawsim
