#include "app/gbk_codec.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace yanchuan {
namespace {

// Each GBK character converts to UTF-8 and back to its own pair, whether its
// form is looked up for the first time or taken from what was kept.
TEST(GbkCodec, EveryGbkCharacterMakesTheRoundTrip)
{
    int characters = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            const std::string pair = {static_cast<char>(lead), static_cast<char>(trail)};
            const auto utf8 = GbkCharToUtf8(pair[0], pair[1]);
            if (!utf8) {
                EXPECT_EQ(GbkToUtf8(pair).substr(0, 3), "\xEF\xBF\xBD") << lead << " " << trail;
                continue;
            }
            ++characters;
            ASSERT_EQ(GbkToUtf8(pair), *utf8) << lead << " " << trail;
            ASSERT_EQ(Utf8ToGbk(*utf8), pair) << lead << " " << trail;
            ASSERT_EQ(GbkCharToUtf8(pair[0], pair[1]), utf8);
        }
    }
    // GBK holds 21,886 characters; far fewer means the converter is missing.
    EXPECT_GT(characters, 21000);
}

TEST(GbkCodec, WhatDoesNotConvertBecomesAReplacementOrAQuestionMark)
{
    const struct {
        std::string_view gbk;
        std::string_view utf8;
    } toUtf8[] = {
        {"a\xC6\xDA"
         "b",
            "a\xE6\x9C\x9F"
            "b"}, // 期
        {"\x80", "\xEF\xBF\xBD"}, {"\xFF", "\xEF\xBF\xBD"}, {"x\xC6", "x\xEF\xBF\xBD"}, // a lead byte without its trail
        {"\x81\x7F", "\xEF\xBF\xBD\x7F"}, // 0x7F is no trail byte
    };
    for (const auto& c : toUtf8) {
        EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8) << c.gbk;
    }
    const struct {
        std::string_view utf8;
        std::string_view gbk;
    } toGbk[] = {
        {"\xE6\x9C\x9F", "\xC6\xDA"}, {"\xF0\x9F\x98\x80", "?"}, // beyond the Basic Multilingual Plane
        {"\xE2\x82\xAC", "?"}, // the euro sign, one high byte in glibc's GBK
        {"\xC3", "?"}, // a cut sequence
        {"\xED\xA0\x80", "???"}, // a surrogate is not UTF-8
        {"\xED\x95\x9C", "?"}, // a Hangul syllable, absent from GBK
        {"\xC2\xB7", "\xA1\xA4"}, // the middle dot, present
    };
    for (const auto& c : toGbk) {
        EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk) << c.utf8;
    }
}

} // namespace
} // namespace yanchuan
