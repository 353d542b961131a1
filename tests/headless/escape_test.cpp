#include "headless/escape.h"

#include <gtest/gtest.h>

namespace yanchuan {
namespace {

TEST(Escape, WritesEveryTextOnOneLine)
{
    const struct {
        std::string_view gbk;
        std::string_view utf8;
        std::string_view raw;
    } cases[] = {
        {"a\tb\rc\nd\\e", "a\\tb\\rc\\nd\\\\e", "a\\tb\\rc\\nd\\\\e"},
        {"\x01\x1f\x7f", "\\x01\\x1f\\x7f", "\\x01\\x1f\\x7f"},
        {"\xC6\xDA", "\xE6\x9C\x9F", "\xC6\xDA"}, // 期
        {"\xA8\x77", "\xE2\x95\xB3", "\xA8\x77"}, // ╳
        // A lone lead byte at the end, and bytes that begin no GBK character.
        {"1\xC6", "1\\xc6", "1\xC6"},
        {"\x80\xFF", "\\x80\\xff", "\x80\xFF"},
        // A lead byte before a control byte: no character, and the byte after it
        // is escaped on its own.
        {"\xC6\n", "\\xc6\\n", "\xC6\\n"},
        // A GBK trail byte that is a backslash belongs to its character unless raw.
        {"\x81\x5C", "\xE4\xB9\x97", "\x81\\\\"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapeText(c.gbk, false), c.utf8);
        EXPECT_EQ(EscapeText(c.gbk, true), c.raw);
    }
}

TEST(Escape, TypedTextIsReadBack)
{
    const struct {
        std::string_view escaped;
        bool raw;
        std::string_view gbk;
    } cases[] = {
        {"a\\tb\\r\\n\\\\", false, "a\tb\r\n\\"},
        {"\\xC6\\xda1", false,
            "\xC6\xDA"
            "1"},
        {"\xE6\x9C\x9F", false, "\xC6\xDA"},
        {"\xC6\xDA", true, "\xC6\xDA"},
        {"\xF0\x9F\x98\x80", false, "?"}, // GBK has no emoji
        {"", false, ""},
    };
    for (const auto& c : cases) {
        std::string error;
        const auto text = UnescapeText(c.escaped, c.raw, error);
        ASSERT_TRUE(text) << c.escaped << ": " << error;
        EXPECT_EQ(*text, c.gbk);
    }
}

TEST(Escape, BadEscapesAreRefused)
{
    using namespace std::string_view_literals;
    for (const std::string_view bad : {"\\x00"sv, "a\0b"sv, "\\x4"sv, "\\xZZ"sv, "\\q"sv, "end\\"sv, "\xC6\xDA"sv}) {
        std::string error;
        EXPECT_FALSE(UnescapeText(bad, false, error)) << bad;
        EXPECT_FALSE(error.empty());
    }
    // The message quotes a bad escape on one line, in UTF-8.
    std::string error;
    EXPECT_FALSE(UnescapeText("a\\\xE6\x9C\x9F", false, error));
    EXPECT_EQ(error, "a bad escape: a backslash before \\xe6");
}

// A message quotes a word of the script in UTF-8, whichever encoding the
// script is in.
TEST(Escape, ScriptWordsAreQuotedInUtf8)
{
    const struct {
        std::string_view text;
        bool raw;
        std::string_view quoted;
    } cases[] = {
        {"\xE6\x9C\x9F\t", false, "\xE6\x9C\x9F\\t"}, // 期 in a UTF-8 script
        {"\xC6\xDA\t", true, "\xE6\x9C\x9F\\t"}, // 期 in a GBK script
        {"\xE6\x9C!\xFF", false, "\\xe6\\x9c!\\xff"}, // a cut character, a byte UTF-8 never has
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapeScriptText(c.text, c.raw), c.quoted);
    }
}

} // namespace
} // namespace yanchuan
