#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Text, number and time operations on GBK byte texts.
//
// The readers cut draws out of pages at fixed markers and offsets and never test
// an intermediate result, so every operation here has a defined answer for every
// input: a search that finds nothing gives -1, a cut out of range gives the
// empty text, a text without a number gives 0. Positions are 1-based byte
// positions. The searching operations step over the text one character at a
// time (a byte of 0x80 or above leads a two-byte character), so a match never
// begins on a trail byte; the cutting operations count raw bytes.
namespace yanchuan {

using Text = std::string;
using Int = std::int64_t;

Int TextLength(std::string_view t);
Text LeftText(std::string_view t, Int n);
Text RightText(std::string_view t, Int n);
Text MidText(std::string_view t, Int start, Int n);

Int FindText(std::string_view t, std::string_view sub, Int start = 1);
Int FindTextBackward(std::string_view t, std::string_view sub);
Text ReplaceText(std::string_view t, std::string_view find, std::string_view replacement);
std::vector<Text> SplitText(std::string_view t, std::string_view separator);

template <typename... Parts> Text JoinTexts(const Parts&... parts)
{
    Text joined;
    (joined.append(std::string_view(parts)), ...);
    return joined;
}

inline bool SameText(std::string_view a, std::string_view b) { return a == b; }

double ToNumber(std::string_view t);
Text IntToText(Int i);
Text RealToText(double x);
Int IntegerPart(double x);
double AbsoluteValue(double x);
double Remainder(double a, double b);

// A double used as an integer: truncated toward zero, NaN as 0, and a value
// beyond the 64-bit range as the nearest bound.
Int AsInteger(double x);

// Where the next character starts, for a scan that stands on byte index i
// (0-based): a lead byte takes its trail byte along. Returns t.size() when a
// lead byte is the last byte, which ends the scan.
inline std::size_t NextCharIndex(std::string_view t, std::size_t i)
{
    if (static_cast<unsigned char>(t[i]) < 0x80) {
        return i + 1;
    }
    return i + 2 <= t.size() ? i + 2 : t.size();
}

} // namespace yanchuan
