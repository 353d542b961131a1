#include "app/kill_log_display.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace yanchuan {
namespace {

TEST(KillLogDisplay, LineEndsBecomeOneLineBreakEach)
{
    const struct {
        std::string_view gbk;
        std::string_view shown;
    } cases[] = {
        {"a\r\nb\r\n", "a\nb\n"},
        {"a\rb", "a\nb"},
        {"a\nb", "a\nb"},
        {"\r\r\n\n", "\n\n\n"},
        {"\xC6\xDA\r\n", "\xE6\x9C\x9F\n"}, // 期
        // A broken byte shows as a replacement character, a broken pair as two.
        {"\x80"
         "a\xFF",
            "\xEF\xBF\xBD"
            "a\xEF\xBF\xBD"},
        {"\xC6\r\n", "\xEF\xBF\xBD\n"},
    };
    for (const auto& c : cases) {
        KillLogDisplay display;
        EXPECT_EQ(display.Replace(c.gbk), c.shown) << c.gbk;
    }
}

// However a text is cut into appends, the box ends up showing what it would
// show had the text come in one piece: a CR LF or a GBK pair split across two
// appends still makes one line break or one character.
TEST(KillLogDisplay, AppendsInAnyPiecesShowTheWholeText)
{
    const std::string_view texts[] = {
        "\xB5\xDA"
        "123\xC6\xDA"
        "3--8\xC3\xFB\xA3\xBA"
        "4\r\n  \xD7\xBC\r\n", // 第123期3--8名：4 / 准
        "a\r\r\nb\n\rc\x80\xFF\xC6",
        "\xC6\xC6\xDA\xDA",
    };
    for (const std::string_view text : texts) {
        const std::string whole = KillLogDisplay().Replace(text);
        for (std::size_t cut = 0; cut <= text.size(); ++cut) {
            for (std::size_t cut2 = cut; cut2 <= text.size(); ++cut2) {
                KillLogDisplay display;
                std::string shown = display.Replace(text.substr(0, cut));
                shown += display.Append(text.substr(cut, cut2 - cut));
                shown += display.Append(text.substr(cut2));
                EXPECT_EQ(shown, whole) << "cut at " << cut << " and " << cut2;
            }
        }
    }
}

TEST(KillLogDisplay, TakeOverGoesOnFromTheBoxsOwnText)
{
    KillLogDisplay display;
    EXPECT_EQ(display.Replace("x\xC6"), "x"); // the lead byte waits for its trail
    display.TakeOver("typed\r");
    // The box's text replaced the held byte; its CR pairs with the next LF.
    EXPECT_EQ(display.Append("\nnext\r\n"), "next\n");
}

TEST(KillLogDisplay, BoxTextGoesBackWithCrLfAndQuestionMarksForWhatGbkLacks)
{
    const struct {
        std::string_view shown;
        std::string_view gbk;
    } cases[] = {
        {"a\nb\n", "a\r\nb\r\n"},
        {"\xE6\x9C\x9F\n", "\xC6\xDA\r\n"}, // 期
        {"\xF0\x9F\x98\x80x", "?x"}, // an emoji
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KillLogFromDisplay(c.shown), c.gbk) << c.shown;
    }
    // A log of CR LF lines in valid GBK makes the round trip unchanged.
    const std::string_view log = "\xD6\xD8\xC7\xEC"
                                 "260311043\xC6\xDA\r\n \xD7\xBC\r\n\r\n";
    EXPECT_EQ(KillLogFromDisplay(KillLogDisplay().Replace(log)), log);
}

} // namespace
} // namespace yanchuan
