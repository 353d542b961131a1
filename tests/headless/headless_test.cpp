#include "support/page_server.h"
#include "support/process.h"
#include "support/raw_server.h"
#include "support/reader_fakes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <regex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

// yanchuan-headless as its users run it: the built binary, scripts on stdin or
// in a file, and results pages served by the test on 127.0.0.1.
namespace yanchuan {
namespace {

using namespace std::chrono_literals;
using testing::Command;
using testing::Finished;
using testing::PageServer;
using testing::ReadFixture;
using testing::Routes;
using testing::TempDir;

constexpr std::string_view kOffshorePath = "/others/draw.php";
constexpr std::string_view kOffshoreOnePath = "/others/draw_ffc.php";
constexpr std::string_view kChongqingPath = "/Game/GetNum.aspx";
constexpr std::string_view kPk10Path = "/bulletin/trax.html";

// Routes that answer the GETs of each path with its pages in turn, and with the
// last one again once they run out.
Routes Sequences(std::map<std::string, std::vector<std::string>> pages)
{
    auto served = std::make_shared<std::pair<std::mutex, std::map<std::string, std::size_t>>>();
    return [pages = std::move(pages), served](httplib::Server& server) {
        for (const auto& entry : pages) {
            server.Get(entry.first, [entry, served](const httplib::Request&, httplib::Response& response) {
                const auto& [path, sequence] = entry;
                const std::lock_guard lock(served->first);
                std::size_t& next = served->second[path];
                response.set_content(sequence[std::min(next++, sequence.size() - 1)], "text/html");
            });
        }
    };
}

// Every results page of tests/fixtures, on its path.
Routes FixturePages()
{
    return testing::Pages({
        {std::string(kOffshorePath), ReadFixture("offshore_draw.json")},
        {std::string(kOffshoreOnePath), ReadFixture("offshore_draw_ffc.json")},
        {std::string(kChongqingPath), ReadFixture("chongqing_getnum.html")},
        {std::string(kPk10Path), ReadFixture("pk10_trax.html")},
    });
}

// An offshore draw service's page listing one draw.
std::string OffshorePage(std::string_view number, std::string_view digits)
{
    return R"({"code":0,"history":[{"num":")" + std::string(number) + R"(","result":")" + std::string(digits)
        + R"(","time":"2026-03-11 09:51:00"}]})";
}

// Script lines that put every source on the server.
std::string SourcesOn(const PageServer& server)
{
    std::string lines;
    for (const char* source : {"indo", "viet", "chongqing", "pk10"}) {
        lines += "source " + std::string(source) + " " + server.Host() + "\n";
    }
    return lines;
}

Finished RunScript(const std::string& script, std::vector<std::string> args = {}, std::vector<std::string> env = {})
{
    args.insert(args.begin(), {"--script", "-"});
    return testing::Run(Command {"yanchuan-headless", std::move(args), script, std::move(env)});
}

// Lines written with '|' between cells, as the program writes them with TAB:
// the expected output stays readable.
std::string Tabbed(std::initializer_list<std::string_view> lines)
{
    std::string text;
    for (const std::string_view line : lines) {
        text += line;
        text += '\n';
    }
    std::replace(text.begin(), text.end(), '|', '\t');
    return text;
}

TEST(HeadlessScript, EachReaderFillsItsTable)
{
    const PageServer server(FixturePages());
    ASSERT_GT(server.Port(), 0);
    const std::string offshoreHeader = "序号|期号|万|千|百|十|个";
    const std::string_view oneMinute[] = {
        "1|20260311-0590|2|8|1|4|6",
        "2|20260311-0589|5|5|0|3|9",
        "3|20260311-0588|7|1|9|2|4",
        "4|20260311-0587|0|3|3|6|1",
        "5|20260311-0586|8|6|2|0|5",
        "6|20260311-0585|1|0|7|7|3",
        "7|20260311-0584|9|2|4|5|8",
        "8|20260311-0583|3|7|6|1|0",
        "9|20260311-0582|6|4|8|9|2",
        "10|20260311-0581|4|1|5|3|7",
    };
    const std::string_view fiveMinute[] = {
        "1|20260311-118|3|0|8|1|5",
        "2|20260311-117|9|4|4|0|2",
        "3|20260311-116|1|7|6|3|8",
        "4|20260311-115|0|0|5|9|6",
        "5|20260311-114|6|2|1|8|7",
    };
    const struct {
        std::string_view kind;
        std::string table;
    } cases[] = {
        {"IndoOne",
            Tabbed({offshoreHeader, oneMinute[0], oneMinute[1], oneMinute[2], oneMinute[3], oneMinute[4], oneMinute[5],
                oneMinute[6], oneMinute[7], oneMinute[8], oneMinute[9]})},
        {"VietOne", Tabbed({offshoreHeader, oneMinute[0], oneMinute[1], oneMinute[2], oneMinute[3]})},
        {"IndoFive",
            Tabbed({offshoreHeader, fiveMinute[0], fiveMinute[1], fiveMinute[2], fiveMinute[3], fiveMinute[4]})},
        {"VietFive", Tabbed({offshoreHeader, fiveMinute[0], fiveMinute[1], fiveMinute[2], fiveMinute[3]})},
        {"Chongqing",
            Tabbed({
                "序号|期号|万|千|百|十|个|时间",
                "1|260311042|3|0|7|1|9|03-11 16:50",
                "2|260311041|8|2|2|6|0|03-11 16:40",
                "3|260311040|255|255|255|255|255|03-11 16:30",
                "4|260311039|5|9|1|4|7|03-11 16:20",
                "5|260311038|0|6|3|3|2|03-11 16:10",
                "6|260311037|7|4|8|0|1|03-11 16:00",
            })},
        {"Pk10",
            Tabbed({
                "序号|期号|冠军|亚军|三|四|五|六|七|八|九|十|开奖时间",
                "1|745012|03|07|10|01|05|09|02|06|08|04|2026-03-11 09:57",
                "2|745011|01|02|03|04|05|06|07|08|09|10|2026-03-11 09:52",
                "3|745010|10|09|08|07|06|05|04|03|02|01|2026-03-11 09:47",
                "4|745009|06|01|04|10|02|08|03|09|07|05|2026-03-11 09:42",
                "5|745008|02|05|09|03|10|07|01|04|06|08|2026-03-11 09:37",
                "6|745007|08|10|06|02|04|01|05|07|03|09|2026-03-11 09:32",
                "7|745006|05|03|01|09|07|04|10|02|08|06|2026-03-11 09:27",
                "8|745005|09|04|02|08|01|03|06|10|05|07|2026-03-11 09:22",
                "9|745004|04|08|07|05|03|10|09|01|06|02|2026-03-11 09:17",
                "10|745003|07|06|05|10|08|02|09|03|04|01|2026-03-11 09:12",
            })},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        const std::string kind(c.kind);
        const Finished run = RunScript(
            SourcesOn(server) + "cursor " + kind + "\nread " + kind + "\ntable " + kind + "\ncursor " + kind + "\n");
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, "-1 -1\n" + c.table + "1 1\n");
        EXPECT_EQ(run.err, "");
    }
}

// Reads of a page that changes between them, each followed by its analysis:
// a held, a bare and a failed close, then a failed fetch whose message leaves
// the log as it was. The first fetch shows the next draw pending, and the read
// fetches again.
TEST(HeadlessScript, ForecastChainOverSeveralReads)
{
    const PageServer server(Sequences({{std::string(kOffshoreOnePath),
        {
            ReadFixture("offshore_draw_ffc_pending.json"),
            ReadFixture("offshore_draw_ffc.json"), // 0590: 2,8,1,4,6, forecast 4 for 0591
            OffshorePage("20260311-0591", "0,0,0,1,2"), // 4 held; forecast 0 for 0592
            OffshorePage("20260311-0591", "0,0,0,1,2"), // no new draw: a bare close
            OffshorePage("20260311-0592", "5,5,5,0,9"), // 0 came up; forecast 4 for 0593
            "", // nothing came
        }}}));
    ASSERT_GT(server.Port(), 0);
    std::string script = "source indo " + server.Host() + "\n";
    for (int i = 0; i < 5; ++i) {
        script += "read IndoOne\nanalyse IndoOne\n";
    }
    script += "table IndoOne\nlog IndoOne\n";
    const Finished run = RunScript(script);
    EXPECT_EQ(run.status, 0);
    const std::string emptyRow = "|-000|||||";
    EXPECT_EQ(run.out,
        Tabbed({"序号|期号|万|千|百|十|个", "1" + emptyRow, "2" + emptyRow, "3" + emptyRow, "4" + emptyRow,
            "5" + emptyRow, "6" + emptyRow, "7" + emptyRow, "8" + emptyRow, "9" + emptyRow, "10" + emptyRow})
            + "印尼分分彩20260311-0591期后二杀：4,4  准\\r\\n"
              "印尼分分彩20260311-0592期后二杀：0,0\\r\\n"
              "印尼分分彩20260311-0592期后二杀：0,0  ╳\\r\\n"
              "印尼分分彩20260311-0593期后二杀：4,4\n");
    EXPECT_EQ(run.err, "IndoOne: 请先读取开奖号码，再分析。\n");
}

// A source that cannot be reached gives the empty page, parsed as any other;
// stderr says why the rows hold nothing.
TEST(HeadlessScript, UnreachableSourceIsReported)
{
    const testing::ClosedPort closed;
    ASSERT_GT(closed.Port(), 0);
    const Finished run
        = RunScript("source viet 127.0.0.1:" + std::to_string(closed.Port()) + "\nread VietFive\ntable VietFive\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, Tabbed({"序号|期号|万|千|百|十|个", "1|-00|||||", "2|-00|||||", "3|-00|||||", "4|-00|||||"}));
    EXPECT_EQ(run.err, "fetch " + closed.Url(kOffshorePath) + ": refused\n");
}

// A line the user typed into the log is the open forecast that the next
// analysis judges.
TEST(HeadlessScript, TypedForecastIsJudgedByTheNextAnalysis)
{
    const PageServer server(Sequences({{std::string(kOffshoreOnePath), {OffshorePage("20260311-0591", "0,0,0,1,2")}}}));
    ASSERT_GT(server.Port(), 0);
    const Finished run = RunScript("source indo " + server.Host()
        + "\ntype IndoOne 印尼分分彩20260311-0591期后二杀：1,1\nread IndoOne\nanalyse IndoOne\nlog IndoOne\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "印尼分分彩20260311-0591期后二杀：1,1  ╳\\r\\n印尼分分彩20260311-0592期后二杀：0,0\n");
    EXPECT_EQ(run.err, "");
}

// The PK10 forecast on clicked rows: an older row, the header (row 1), a cell
// outside the table (ignored); held, bare and failed closes; a read puts the
// cursor back on row 1.
TEST(HeadlessScript, ClickOnAnOlderRowThenAnalyse)
{
    const PageServer server(FixturePages());
    ASSERT_GT(server.Port(), 0);
    const Finished run = RunScript(SourcesOn(server) + R"(read Pk10
click Pk10 3 5
click Pk10 11 1
cursor Pk10
analyse Pk10
click Pk10 0 0
cursor Pk10
analyse Pk10
click Pk10 4 12
analyse Pk10
analyse Pk10
log Pk10
read Pk10
cursor Pk10
)");
    EXPECT_EQ(run.status, 0);
    // 745010 sums 33 in places 3 to 8 (forecast 02), 745012 holds 02 there and
    // sums 33; 745009 sums 36 (forecast 05) and has no 05.
    EXPECT_EQ(run.out,
        "3 5\n"
        "1 1\n"
        "第745011--745012期3--8名：02  中\\r\\n"
        "第745013--745014期3--8名：02 \\r\\n"
        "第745010--745011期3--8名：05  ╳\\r\\n"
        "第745010--745011期3--8名：05 \n"
        "1 1\n");
    EXPECT_EQ(run.err, "");
}

// The schedule at the fake time, read from sources.ini as the window would.
TEST(HeadlessScript, TicksRunTheScheduleAtTheFakeTime)
{
    const PageServer server(FixturePages());
    ASSERT_GT(server.Port(), 0);
    const TempDir config;
    config.Write("yanchuan/sources.ini",
        "[sources]\nindo = " + server.Host() + "\nviet = " + server.Host() + "\nchongqing = " + server.Host()
            + "\npk10 = " + server.Host() + "\n");
    const Finished run = RunScript(R"(trace on
clock
now 2026-03-11 10:11:05
tick
clock
now 2026-03-11 22:06:05
tick
clock
now 2026-03-12 09:02:45
tick
clock
now 2026-03-12 08:57:45
tick
clock
trace off
now 2026-03-12 00:00:16
cursor IndoFive
tick
clock
cursor IndoFive
)",
        {}, {"XDG_CONFIG_HOME=" + config.Path().string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
        "\n"
        "> ReadIndoOne\n"
        "> AnalyseLastTwo(IndoOne)\n"
        "> ReadVietOne\n"
        "> AnalyseLastTwo(VietOne)\n"
        "> ReadChongqing\n"
        "> AnalyseLastTwo(Chongqing)\n"
        "10:11:05\n"
        "> ReadIndoOne\n"
        "> AnalyseLastTwo(IndoOne)\n"
        "> ReadVietOne\n"
        "> AnalyseLastTwo(VietOne)\n"
        "> ReadChongqing\n"
        "> AnalyseLastTwo(Chongqing)\n"
        "22:06:05\n"
        "> ReadPk10\n"
        "09:02:45\n"
        "08:57:45\n"
        "-1 -1\n"
        "00:00:16\n"
        "1 1\n");
    EXPECT_EQ(run.err, "");
}

// A bad line stops the script before it runs, naming the line and what is
// wrong; the lines before it have run and none after it does.
TEST(HeadlessScript, BadLineStopsTheScript)
{
    const struct {
        std::string_view line;
        std::string_view named; // a part of the message
    } cases[] = {
        {"reed IndoOne", "'reed'"},
        {"read Indo", "'Indo'"},
        {"read", "read KIND"},
        {"read IndoOne now", "read KIND"},
        {"source jp 127.0.0.1:1", "'jp'"},
        {"source indo http://127.0.0.1:1", "http://127.0.0.1:1"},
        {"now 2026-02-29 10:00:00", "2026-02-29 10:00:00"},
        {"now 2026-03-11 24:00:00", "2026-03-11 24:00:00"},
        {"now 2026-03-11", "YYYY-MM-DD HH:MM:SS"},
        {"click Pk10 one 1", "'one'"},
        {"pause -5", "'-5'"},
        {"type IndoOne a\\qb", "\\q"},
        {"type IndoOne \\x00", "\\x00"},
        {"type IndoOne \\x4", "\\x"},
        {"trace maybe", "trace on|off"},
        {"Tick", "'Tick'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const TempDir dir;
        const auto script = dir.Write("script",
            "now 2026-03-11 10:00:00\ntick\nclock\n" + std::string(c.line) + "\nclock\ntype IndoOne x\nlog IndoOne\n");
        const Finished run = testing::Run(Command {"yanchuan-headless", {"--script", script.string()}, "", {}});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "10:00:00\n");
        EXPECT_TRUE(run.err.starts_with("error: line 4: ")) << run.err;
        EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

// A page's bytes shown both ways: the Chongqing time field, 11 bytes cut from
// the page, holds TAB, CR, LF, a backslash, control bytes and a GBK character,
// and ends in a lead byte whose trail the cut left behind; the period begins
// with a lead byte followed by a digit.
TEST(HeadlessScript, CellsAreEscapedWithAndWithoutRaw)
{
    std::string page;
    for (int i = 0; i < 6; ++i) {
        page += "<li class='openli1'>\x81"
                "26031104</li><li class='openli2'>3,0,7,1,9</li>"
                "<li class='openli3'>ab\t\r\n\\\x01\x7f\xC6\xDA\xC6\xDA</li>\n";
    }
    const PageServer server(Sequences({{std::string(kChongqingPath), {page}}}));
    ASSERT_GT(server.Port(), 0);
    const std::string script = SourcesOn(server) + "read Chongqing\ntable Chongqing\n";
    const struct {
        bool raw;
        std::string_view row; // after the row number
    } cases[] = {
        {false, "|\\x8126031104|3|0|7|1|9|ab\\t\\r\\n\\\\\\x01\\x7f期\\xc6"},
        {true,
            "|\x81"
            "26031104|3|0|7|1|9|ab\\t\\r\\n\\\\\\x01\\x7f\xC6\xDA\xC6"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw ? "raw" : "utf8");
        const Finished run
            = RunScript(script, c.raw ? std::vector<std::string> {"--raw"} : std::vector<std::string> {});
        EXPECT_EQ(run.status, 0);
        std::string rows;
        for (int row = 1; row <= 6; ++row) {
            rows += std::to_string(row) + std::string(c.row) + "\n";
        }
        std::replace(rows.begin(), rows.end(), '|', '\t');
        const auto header = run.out.find('\n');
        ASSERT_NE(header, std::string::npos);
        EXPECT_EQ(run.out.substr(header + 1), rows);
        EXPECT_EQ(run.err, "");
    }
}

// Typed text read back by `log`: escapes in any case of hex digits, UTF-8 (or,
// with --raw, GBK) text, the spaces after the one that ends KIND, an empty text.
// 81 5C is one GBK character without --raw, and two bytes with it.
TEST(HeadlessScript, TypedTextIsReadBack)
{
    const struct {
        bool raw;
        std::string_view script;
        std::string_view out;
    } cases[] = {
        {false, "type IndoOne 期 a\\tb\\\\c\\x01\\xC6\nlog IndoOne\n", "期 a\\tb\\\\c\\x01\\xc6\n"},
        {false, "type VietOne   x \nlog VietOne\ntype VietOne\nlog VietOne\n", "  x \n\n"},
        {false, "type Pk10 \\x81\\\\\nlog Pk10\n", "乗\n"},
        {true, "type IndoOne \xC6\xDA\\xc6\\xDA\\r\nlog IndoOne\n", "\xC6\xDA\xC6\xDA\\r\n"},
        {true, "type Pk10 \\x81\\\\\nlog Pk10\n", "\x81\\\\\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        const Finished run = RunScript(
            std::string(c.script), c.raw ? std::vector<std::string> {"--raw"} : std::vector<std::string> {});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, "");
    }
}

TEST(HeadlessArguments, BadArgumentsAreRefused)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"},
        {"--script"},
        {"--raw", "--utf8"},
        {"--script", "-", "--script", "-"},
        {"--script", "/nonexistent/yanchuan-script"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.front() + (args.size() > 1 ? " " + args[1] : ""));
        const Finished run = testing::Run(Command {"yanchuan-headless", args, "", {}});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
    }
}

// Live mode on the real clock for a few seconds against the test's pages: every
// line on stdout has one of the two forms, with a cell for each column of the
// table; stderr has only lottery lines; a signal ends it with status 0.
TEST(HeadlessLive, PrintsOnlyWellFormedLinesAndEndsCleanlyOnASignal)
{
    const PageServer server(FixturePages());
    ASSERT_GT(server.Port(), 0);
    const TempDir config;
    config.Write("yanchuan/sources.ini",
        "[sources]\nindo = " + server.Host() + "\nviet = " + server.Host() + "\nchongqing = " + server.Host()
            + "\npk10 = " + server.Host() + "\n");
    const std::string kinds = "(Pk10|Chongqing|VietFive|IndoFive|VietOne|IndoOne)";
    const std::regex tableLine("table " + kinds + " ([0-9]+)((\t[^\t]*)+)");
    const std::regex logLine("log " + kinds + " [+=].*");
    const std::regex errLine(kinds + ": .+");
    const std::map<std::string, std::pair<int, int>> shapes = {
        {"Pk10", {11, 13}},
        {"Chongqing", {7, 8}},
        {"VietFive", {5, 7}},
        {"IndoFive", {6, 7}},
        {"VietOne", {5, 7}},
        {"IndoOne", {11, 7}},
    };
    for (const auto& [signal, running] : {std::pair {SIGTERM, 3s}, std::pair {SIGINT, 1s}}) {
        SCOPED_TRACE(strsignal(signal));
        testing::Process live(Command {"yanchuan-headless", {}, "", {"XDG_CONFIG_HOME=" + config.Path().string()}});
        ASSERT_TRUE(live.Started());
        // The set-up's lines come once the signals are caught: a signal before
        // then would end the program the default way, however slow its start.
        ASSERT_TRUE(live.WaitForOutput("table IndoOne 0\t", 60s));
        std::this_thread::sleep_for(running);
        live.Signal(signal);
        const Finished run = live.Wait(30s);
        EXPECT_EQ(run.status, 0);
        EXPECT_NE(run.out.find("table IndoOne 0\t序号\t期号\t万\t千\t百\t十\t个\n"), std::string::npos) << run.out;

        std::size_t start = 0;
        for (std::size_t end; (end = run.out.find('\n', start)) != std::string::npos; start = end + 1) {
            const std::string line = run.out.substr(start, end - start);
            std::smatch match;
            if (std::regex_match(line, match, tableLine)) {
                const auto [rows, columns] = shapes.at(match[1].str());
                EXPECT_LT(std::stoi(match[2]), rows) << line;
                EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), columns) << line;
            } else {
                EXPECT_TRUE(std::regex_match(line, logLine)) << line;
                EXPECT_EQ(line.find('\t'), std::string::npos) << line;
            }
            EXPECT_TRUE(std::none_of(line.begin(), line.end(), [](unsigned char c) {
                return (c < 0x20 && c != '\t') || c == 0x7F;
            })) << line;
        }
        EXPECT_EQ(start, run.out.size()) << "the output ends in the middle of a line";

        start = 0;
        for (std::size_t end; (end = run.err.find('\n', start)) != std::string::npos; start = end + 1) {
            EXPECT_TRUE(std::regex_match(run.err.substr(start, end - start), errLine)) << run.err;
        }
        EXPECT_EQ(start, run.err.size()) << run.err;
    }
}

} // namespace
} // namespace yanchuan
