#include "app/sources.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace yanchuan {
namespace {

using testing::ScopedEnv;
using testing::TempDir;

struct Report {
    int line;
    std::string_view fragment;
};

struct LoadCase {
    std::string_view name;
    std::optional<std::string_view> file; // nothing: no file at all
    std::array<std::string_view, 4> hosts; // indo, viet, chongqing, pk10
    std::vector<Report> reports;
};

TEST(Sources, DefaultsAreTheSimulatorPortsOnLoopback)
{
    const Sources defaults = DefaultSources();
    EXPECT_EQ(defaults.Host(SourceId::Indo), "127.0.0.1:47301");
    EXPECT_EQ(defaults.Host(SourceId::Viet), "127.0.0.1:47302");
    EXPECT_EQ(defaults.Host(SourceId::Chongqing), "127.0.0.1:47303");
    EXPECT_EQ(defaults.Host(SourceId::Pk10), "127.0.0.1:47304");
    for (const auto source : kAllSources) {
        EXPECT_EQ(SourceFromKey(SourceKey(source)), source);
    }
    EXPECT_EQ(SourceFromKey("Indo"), std::nullopt);
    EXPECT_EQ(SourceFromKey(""), std::nullopt);
}

TEST(Sources, LoadTakesValidLinesAndReportsEveryOtherByLine)
{
    constexpr std::string_view kIndo = "127.0.0.1:47301";
    constexpr std::string_view kViet = "127.0.0.1:47302";
    constexpr std::string_view kChongqing = "127.0.0.1:47303";
    constexpr std::string_view kPk10 = "127.0.0.1:47304";
    const LoadCase cases[] = {
        {"missing", std::nullopt, {kIndo, kViet, kChongqing, kPk10}, {}},
        {"empty", "", {kIndo, kViet, kChongqing, kPk10}, {}},
        {"complete",
            "# hosts of the results pages\r\n"
            "; another comment\r\n"
            "\r\n"
            "[sources]\r\n"
            "indo = draws.example:8080\r\n"
            "viet=10.0.0.2\r\n"
            "  chongqing\t=  portal.example  \r\n"
            "pk10 = bulletin.example:80\r\n",
            {"draws.example:8080", "10.0.0.2", "portal.example", "bulletin.example:80"}, {}},
        {"partial", "[sources]\nviet = 10.0.0.2:9000\npk10 = 10.0.0.4\n",
            {kIndo, "10.0.0.2:9000", kChongqing, "10.0.0.4"}, {}},
        {"odd but valid hosts",
            "[ sources ]\n"
            "indo = user:secret@draws.example:8080\n"
            "viet = [::1]:47302\n"
            "chongqing = portal.example:1\n"
            "pk10 = bulletin.example:65535\n",
            {"user:secret@draws.example:8080", "[::1]:47302", "portal.example:1", "bulletin.example:65535"}, {}},
        {"other sections are ignored",
            "[window]\n"
            "indo = ignored.example\n"
            "whatever goes here\n"
            "[sources]\n"
            "viet = 10.0.0.2\n"
            "[more]\n"
            "pk10 = ignored.example\n",
            {kIndo, "10.0.0.2", kChongqing, kPk10}, {}},
        {"later line wins", "[sources]\nindo = first.example\nindo = second.example\n",
            {"second.example", kViet, kChongqing, kPk10}, {}},
        {"malformed lines keep the default",
            "indo = before.example\n"
            "[sources]\n"
            "indo\n"
            "indoo = draws.example\n"
            "= draws.example\n"
            "indo =\n"
            "indo = draws example\n"
            "indo = http://draws.example\n"
            "indo = draws.example/others\n"
            "indo = draws.example:0\n"
            "indo = draws.example:65536\n"
            "indo = draws.example:\n"
            "indo = draws.example:80a\n"
            "indo = draws.example:000080\n"
            "indo = :8080\n"
            "viet = user@\n"
            "[sources\n"
            "chongqing = portal.example\n",
            {kIndo, kViet, "portal.example", kPk10},
            {{1, "outside the [sources] section"}, {3, "expected key = value"}, {4, "unknown key 'indoo'"},
                {5, "unknown key ''"}, {6, "it is empty"}, {7, "space"}, {8, "scheme"}, {9, "path"}, {10, "port"},
                {11, "port"}, {12, "port"}, {13, "port"}, {14, "port"}, {15, "no host name"}, {16, "no host name"},
                {17, "section header"}}},
    };

    TempDir dir;
    ASSERT_FALSE(dir.Path().empty());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = (dir.Path() / c.name / "sources.ini").string();
        if (c.file) {
            dir.Write(std::filesystem::path(c.name) / "sources.ini", *c.file);
        }
        std::vector<std::string> messages;
        const Sources sources = LoadSources(path, [&](const std::string& m) { messages.push_back(m); });

        for (std::size_t i = 0; i < kAllSources.size(); ++i) {
            EXPECT_EQ(sources.Host(kAllSources[i]), c.hosts[i]) << SourceKey(kAllSources[i]);
        }
        ASSERT_EQ(messages.size(), c.reports.size());
        for (std::size_t i = 0; i < messages.size(); ++i) {
            const std::string where = "sources.ini: " + path + ":" + std::to_string(c.reports[i].line) + ": ";
            EXPECT_EQ(messages[i].rfind(where, 0), 0u) << messages[i];
            EXPECT_NE(messages[i].find(c.reports[i].fragment), std::string::npos) << messages[i];
        }
    }
}

TEST(Sources, UnreadableFileIsReportedAndGivesTheDefaults)
{
    TempDir dir;
    ASSERT_FALSE(dir.Path().empty());
    // A directory where the file should be: it exists but cannot be read as one.
    const std::string path = (dir.Path() / "sources.ini").string();
    std::filesystem::create_directory(path);
    std::vector<std::string> messages;
    const Sources sources = LoadSources(path, [&](const std::string& m) { messages.push_back(m); });
    EXPECT_EQ(sources.hosts, DefaultSources().hosts);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "sources.ini: " + path + ": cannot be read");
}

TEST(Sources, FilePathFollowsXdgConfigHomeThenHome)
{
    struct PathCase {
        std::optional<std::string> xdg;
        std::optional<std::string> home;
        std::string expected;
    };
    const PathCase cases[] = {
        {"/cfg", "/home/u", "/cfg/yanchuan/sources.ini"},
        {"", "/home/u", "/home/u/.config/yanchuan/sources.ini"},
        {std::nullopt, "/home/u", "/home/u/.config/yanchuan/sources.ini"},
        {std::nullopt, std::nullopt, ""},
    };
    for (const auto& c : cases) {
        ScopedEnv env;
        env.Set("XDG_CONFIG_HOME", c.xdg);
        env.Set("HOME", c.home);
        EXPECT_EQ(SourcesFilePath(), c.expected) << c.xdg.value_or("(unset)") << " " << c.home.value_or("(unset)");
    }
}

TEST(Sources, UrlMapsToTheSourcesOnItsHost)
{
    Sources sources;
    sources.SetHost(SourceId::Indo, "draws.example.id");
    sources.SetHost(SourceId::Viet, "127.0.0.1:8080");
    sources.SetHost(SourceId::Chongqing, "user:pw@portal.test:81");
    sources.SetHost(SourceId::Pk10, "127.0.0.1:8080");
    const struct {
        std::string_view url;
        std::vector<SourceId> expected;
    } cases[] = {
        {"http://draws.example.id/others/draw.php", {SourceId::Indo}},
        {"http://Draws.Example.ID/others/draw_ffc.php", {SourceId::Indo}},
        {"http://user:pw@portal.test:81/Game/GetNum.aspx?iType=3", {SourceId::Chongqing}},
        // Two sources on one host: the fetch is shown against both.
        {"http://127.0.0.1:8080/bulletin/trax.html", {SourceId::Viet, SourceId::Pk10}},
        {"http://127.0.0.1:8080?x=1", {SourceId::Viet, SourceId::Pk10}},
        // Another port, or a host that only starts like a source's, is no source's.
        {"http://127.0.0.1:8081/bulletin/trax.html", {}},
        {"http://draws.example.id.evil/others/draw.php", {}},
        {"http://portal.test:81/Game/GetNum.aspx", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SourcesOfUrl(sources, c.url), c.expected) << c.url;
    }
    // A source without a host is not the source of a URL without one.
    sources.SetHost(SourceId::Indo, "");
    EXPECT_EQ(SourcesOfUrl(sources, "http:///others/draw.php"), std::vector<SourceId> {});
}

} // namespace
} // namespace yanchuan
