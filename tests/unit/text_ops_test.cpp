#include "readers/page_fetch.h"
#include "readers/text_ops.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace yanchuan {
namespace {

struct FindCase {
    std::string_view text;
    std::string_view sub;
    Int start;
    Int expected;
};

TEST(TextOps, FindTextFollowsPositionsAndCharacters)
{
    const FindCase cases[] = {
        {"abcabc", "c", 4, 6},
        {"abc", "x", 1, -1},
        {"abc", "a", 0, 1},
        {"abc", "a", -5, 1},
        {"abc", "c", 4, -1},
        {"abc", "c", 3, 3},
        {"abc", "", 1, -1},
        {"", "a", 1, -1},
        {"abc", "abcd", 1, -1},
        // B0 A1 is one character: A1 41 straddles it and is not found.
        {"\xB0\xA1"
         "A",
            "\xA1"
            "A",
            1, -1},
        {"\xB0\xA1"
         "A",
            "A", 1, 3},
        // A start on a trail byte still finds only whole-character matches.
        {"\xB0\xA1\xB0\xA1", "\xA1\xB0", 2, -1},
        {"\xB0\xA1\xB0\xA1", "\xB0\xA1", 2, 3},
        // A lead byte that is the last byte ends the scan.
        {"ab\xB0", "\xB0", 1, -1},
        {"a\xB0"
         "b",
            "b", 1, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindText(c.text, c.sub, c.start), c.expected) << c.text << " / " << c.sub << " from " << c.start;
    }
    EXPECT_EQ(FindText("abcabc", "b"), 2);
}

TEST(TextOps, FindTextBackwardTakesTheLastWholeCharacterMatch)
{
    const FindCase cases[] = {
        {"a-b-c", "-", 0, 4},
        {"abc", "-", 0, -1},
        {"aaa", "aa", 0, 2},
        {"abc", "", 0, -1},
        {"", "", 0, -1},
        {"\xC6\xDA"
         "1\xC6\xDA"
         "2",
            "\xC6\xDA", 0, 4},
        {"\xB0\xA1"
         "A",
            "\xA1"
            "A",
            0, -1},
        // The lone lead byte at the end is never visited; the one at 1 leads 期.
        {"\xC6\xDA\xC6", "\xC6", 0, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindTextBackward(c.text, c.sub), c.expected) << c.text << " / " << c.sub;
    }
}

TEST(TextOps, CutsCountRawBytes)
{
    EXPECT_EQ(MidText("abc", 0, 2), "");
    EXPECT_EQ(MidText("abc", 2, 5), "bc");
    EXPECT_EQ(MidText("abc", 4, 1), "");
    EXPECT_EQ(MidText("abc", 1, 0), "");
    EXPECT_EQ(MidText("abc", -1, 3), "");
    EXPECT_EQ(MidText("\xB0\xA1"
                      "A",
                  2, 2),
        "\xA1"
        "A");
    EXPECT_EQ(LeftText("ab", 5), "ab");
    EXPECT_EQ(LeftText("ab", -1), "");
    EXPECT_EQ(LeftText("\xB0\xA1", 1), "\xB0");
    EXPECT_EQ(RightText("00", 3), "00");
    EXPECT_EQ(RightText("0012", 3), "012");
    EXPECT_EQ(RightText("ab", 0), "");
    EXPECT_EQ(TextLength("\xB0\xA1"
                         "A"),
        3);
}

TEST(TextOps, ReplaceScansLeftToRightWithoutOverlap)
{
    EXPECT_EQ(ReplaceText("a,b,,c", ",", ""), "abc");
    EXPECT_EQ(ReplaceText("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceText("", "a", "b"), "");
    EXPECT_EQ(ReplaceText("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceText("\"2019\",\"", "\"", ""), "2019,");
    // A trail byte is never the start of a match.
    EXPECT_EQ(ReplaceText("\xB0\xA1"
                          "A\xA1"
                          "A",
                  "\xA1"
                  "A",
                  ""),
        "\xB0\xA1"
        "A");
}

TEST(TextOps, SplitKeepsInnerEmptyPiecesAndDropsAnEmptyTail)
{
    using Pieces = std::vector<Text>;
    EXPECT_EQ(SplitText("1,2,", ","), (Pieces {"1", "2"}));
    EXPECT_EQ(SplitText(",1", ","), (Pieces {"", "1"}));
    EXPECT_EQ(SplitText("1,,2", ","), (Pieces {"1", "", "2"}));
    EXPECT_EQ(SplitText("1", ","), (Pieces {"1"}));
    EXPECT_EQ(SplitText(",", ","), (Pieces {""}));
    EXPECT_EQ(SplitText("", ","), Pieces {});
    EXPECT_EQ(SplitText("1,2", ""), (Pieces {"1,2"}));
    EXPECT_EQ(SplitText("01,02,03,04,05,06,07,08,09,10", ",").size(), 10u);
    EXPECT_EQ(SplitText("a\xB0,b", ","), (Pieces {"a\xB0,b"}));
}

TEST(TextOps, ToNumberReadsTheLeadingNumberOnly)
{
    const struct {
        std::string_view text;
        double expected;
    } cases[] = {
        {"12abc", 12},
        {"", 0},
        {"007", 7},
        {" 5", 5},
        {"\t\r\n-3", -3},
        {"-", 0},
        {"1,2", 1},
        {"+4.5e1x", 45},
        {"1e", 1},
        {"1e+", 1},
        {".5", 0.5},
        {"5.", 5},
        {".", 0},
        {"-.25", -0.25},
        {"2E-1", 0.2},
        {"0x1A", 0},
        {"inf", 0},
        {"nan", 0},
        {"infinity", 0},
        {"abc", 0},
        {"\xA3\xB1\xA3\xB2", 12},
        {"\xA1\xA1"
         "7",
            7},
        {"\xA3\xAD\xA3\xB3", -3},
        {"\xA3\xB1\xB0\xA1"
         "2",
            1},
        {"255", 255},
        {"-000", 0},
        {"0012", 12},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(ToNumber(c.text), c.expected) << c.text;
    }
}

TEST(TextOps, ToNumberOverflowIsInfiniteAndUnderflowIsZero)
{
    EXPECT_EQ(ToNumber("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ToNumber("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ToNumber("1e-999"), 0.0);
    EXPECT_EQ(ToNumber("123456789e99999999999999999999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ToNumber("0.0001e-99999999999999999999"), 0.0);
    EXPECT_EQ(ToNumber("0e99999"), 0.0);
}

TEST(TextOps, NumbersToTexts)
{
    EXPECT_EQ(IntToText(5), "5");
    EXPECT_EQ(IntToText(-3), "-3");
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(RealToText(289.0), "289");
    EXPECT_EQ(RealToText(0.5), "0.5");
    EXPECT_EQ(RealToText(100001.0), "100001");
    EXPECT_EQ(RealToText(1234567890123.0), "1234567890123");
    EXPECT_EQ(RealToText(12345678901234.0), "1.234567890123e+13");
    EXPECT_EQ(RealToText(-2.5), "-2.5");
}

TEST(TextOps, IntegerPartTruncatesButRoundsWithinOneTrillionth)
{
    EXPECT_EQ(IntegerPart(2.9999999999995), 3);
    EXPECT_EQ(IntegerPart(-2.9999999999995), -3);
    EXPECT_EQ(IntegerPart(-7.8), -7);
    EXPECT_EQ(IntegerPart(7.8), 7);
    EXPECT_EQ(IntegerPart(45.0 / 5), 9);
    EXPECT_EQ(IntegerPart(std::nan("")), 0);
    EXPECT_EQ(IntegerPart(1e300), std::numeric_limits<Int>::max());
}

TEST(TextOps, IntegersSaturateAndNanIsZero)
{
    EXPECT_EQ(AsInteger(3.9), 3);
    EXPECT_EQ(AsInteger(-3.9), -3);
    EXPECT_EQ(AsInteger(std::nan("")), 0);
    EXPECT_EQ(AsInteger(std::numeric_limits<double>::infinity()), std::numeric_limits<Int>::max());
    EXPECT_EQ(AsInteger(-1e30), std::numeric_limits<Int>::min());
}

TEST(TextOps, RemainderTakesTheSignOfTheDividend)
{
    EXPECT_EQ(Remainder(3949, 28), 1);
    EXPECT_EQ(Remainder(3949, 33), 22);
    EXPECT_EQ(Remainder(-7, 3), -1);
    EXPECT_EQ(AbsoluteValue(-2.5), 2.5);
}

TEST(TextOps, TextsAreBytes)
{
    EXPECT_TRUE(SameText("", Text {}));
    EXPECT_FALSE(SameText("a", "A"));
    EXPECT_EQ(JoinTexts("0", IntToText(7)), "07");
    EXPECT_EQ(BytesToText(std::string("A\0B", 3)), "A");
    EXPECT_EQ(BytesToText(""), "");
    EXPECT_EQ(BytesToText("AB"), "AB");
}

} // namespace
} // namespace yanchuan
