#include "readers/text_ops.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace yanchuan {

namespace {

bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// The first character start at or after k, stepping from the character start
// i. Pages are mostly ASCII, so runs of eight bytes below 0x80 go in one step.
std::size_t StepToCharStart(std::string_view t, std::size_t i, std::size_t k)
{
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    while (i < k) {
        std::uint64_t eight = 0;
        if (k - i >= sizeof eight) {
            std::memcpy(&eight, t.data() + i, sizeof eight);
            const std::size_t end = i + sizeof eight;
            if ((eight & kHighBits) == 0) {
                i = end;
            }
            while (i < end) {
                i = NextCharIndex(t, i);
            }
            continue;
        }
        i = NextCharIndex(t, i);
    }
    return i;
}

// Calls visit(i) for every character start i of t, from byte index `from` on,
// at which sub begins, in order. visit returns where the scan goes on: a
// position past i, taken as a character start, or 0 for the next character. A
// lead byte that is the last byte of t ends the scan without a visit. The
// character starts are stepped over one by one, but the pattern is only
// compared where a plain byte search finds it.
template <typename Visit> void ForEachMatch(std::string_view t, std::string_view sub, std::size_t from, Visit visit)
{
    std::size_t i = 0;
    while (i < t.size()) {
        const std::size_t k = t.find(sub, std::max(i, from));
        if (k == std::string_view::npos) {
            return;
        }
        i = StepToCharStart(t, i, k);
        if (i != k) {
            continue; // k is a trail byte; i is the character start after it
        }
        if (IsLeadByte(t[i]) && i + 1 == t.size()) {
            return;
        }
        const std::size_t next = visit(i);
        i = next > i ? next : NextCharIndex(t, i);
    }
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Folds the full-width forms A3A1..A3FE to ASCII, the ideographic space to a
// space, A1AB to "~" and A1EE, A1EF to "*"; other characters stay as they are.
Text FoldFullWidth(std::string_view t)
{
    Text folded;
    folded.reserve(t.size());
    std::size_t i = 0;
    while (i < t.size()) {
        const auto lead = static_cast<unsigned char>(t[i]);
        if (lead < 0x80 || i + 1 == t.size()) {
            folded.push_back(t[i]);
            ++i;
            continue;
        }
        const auto trail = static_cast<unsigned char>(t[i + 1]);
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            folded.push_back(static_cast<char>(trail - 0x80));
        } else if (lead == 0xA1 && trail == 0xA1) {
            folded.push_back(' ');
        } else if (lead == 0xA1 && trail == 0xAB) {
            folded.push_back('~');
        } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
            folded.push_back('*');
        } else {
            folded.append(t.substr(i, 2));
        }
        i += 2;
    }
    return folded;
}

// The decimal exponent of the first significant digit of whole.fraction e exponent,
// as a double so that it cannot overflow; used only to tell an overflow from an
// underflow.
double TenPowerOfLeadingDigit(std::string_view whole, std::string_view fraction, std::string_view exponent)
{
    double power = 0.0;
    if (const auto k = whole.find_first_not_of('0'); k != std::string_view::npos) {
        power = static_cast<double>(whole.size() - k - 1);
    } else if (const auto f = fraction.find_first_not_of('0'); f != std::string_view::npos) {
        power = -static_cast<double>(f + 1);
    }
    double e = 0.0;
    for (const char c : exponent) {
        if (IsDigit(c)) {
            e = e * 10 + (c - '0');
        }
    }
    return !exponent.empty() && exponent.front() == '-' ? power - e - 0.5 : power + e + 0.5;
}

} // namespace

Int TextLength(std::string_view t) { return static_cast<Int>(t.size()); }

Text LeftText(std::string_view t, Int n)
{
    if (n <= 0) {
        return {};
    }
    return Text(t.substr(0, static_cast<std::size_t>(std::min<Int>(n, TextLength(t)))));
}

Text RightText(std::string_view t, Int n)
{
    if (n <= 0) {
        return {};
    }
    const auto kept = static_cast<std::size_t>(std::min<Int>(n, TextLength(t)));
    return Text(t.substr(t.size() - kept));
}

Text MidText(std::string_view t, Int start, Int n)
{
    if (start < 1 || start > TextLength(t) || n <= 0) {
        return {};
    }
    const Int available = TextLength(t) - (start - 1);
    return Text(t.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(std::min(n, available))));
}

Int FindText(std::string_view t, std::string_view sub, Int start)
{
    if (sub.empty() || start > TextLength(t)) {
        return -1;
    }
    const std::size_t from = start <= 1 ? 0 : static_cast<std::size_t>(start - 1);
    Int found = -1;
    ForEachMatch(t, sub, from, [&](std::size_t i) {
        found = static_cast<Int>(i) + 1;
        return t.size();
    });
    return found;
}

Int FindTextBackward(std::string_view t, std::string_view sub)
{
    if (sub.empty()) {
        return -1;
    }
    Int found = -1;
    ForEachMatch(t, sub, 0, [&](std::size_t i) -> std::size_t {
        found = static_cast<Int>(i) + 1;
        return 0;
    });
    return found;
}

Text ReplaceText(std::string_view t, std::string_view find, std::string_view replacement)
{
    if (t.empty() || find.empty()) {
        return Text(t);
    }
    Text result;
    result.reserve(t.size());
    std::size_t copied = 0;
    ForEachMatch(t, find, 0, [&](std::size_t i) {
        result.append(t.substr(copied, i - copied));
        result.append(replacement);
        copied = i + find.size();
        return copied;
    });
    result.append(t.substr(copied));
    return result;
}

std::vector<Text> SplitText(std::string_view t, std::string_view separator)
{
    if (t.empty()) {
        return {};
    }
    if (separator.empty()) {
        return {Text(t)};
    }
    std::vector<Text> pieces;
    std::size_t pieceStart = 0;
    ForEachMatch(t, separator, 0, [&](std::size_t i) {
        pieces.emplace_back(t.substr(pieceStart, i - pieceStart));
        pieceStart = i + separator.size();
        return pieceStart;
    });
    if (pieceStart < t.size()) {
        pieces.emplace_back(t.substr(pieceStart));
    }
    return pieces;
}

double ToNumber(std::string_view t)
{
    const Text folded = FoldFullWidth(t);
    const std::string_view s = folded;
    std::size_t i = 0;
    while (i < s.size() && IsSpace(s[i])) {
        ++i;
    }
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    const std::size_t intStart = i;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
    }
    const std::string_view whole = s.substr(intStart, i - intStart);
    std::string_view fraction;
    if (i < s.size() && s[i] == '.') {
        const std::size_t fracStart = ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
        }
        fraction = s.substr(fracStart, i - fracStart);
    }
    if (whole.empty() && fraction.empty()) {
        return 0.0;
    }
    std::string_view exponent;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            ++j;
        }
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j])) {
                ++j;
            }
            exponent = s.substr(i + 1, j - i - 1);
        }
    }
    // The number is rebuilt from the accepted grammar only, so that from_chars
    // never sees a hex prefix, an inf or a nan word.
    const Text rebuilt = JoinTexts(whole.empty() ? "0" : whole, ".", fraction, exponent.empty() ? "" : "e", exponent);
    double value = 0.0;
    const auto result = std::from_chars(rebuilt.data(), rebuilt.data() + rebuilt.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        value = std::signbit(TenPowerOfLeadingDigit(whole, fraction, exponent))
            ? 0.0
            : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

Text IntToText(Int i) { return std::to_string(i); }

Text RealToText(double x)
{
    // to_chars with a precision formats as "%.13g" in the C locale, whatever
    // locale the toolkit has set.
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, 13);
    (void)error;
    return Text(buffer, end);
}

Int AsInteger(double x)
{
    if (std::isnan(x)) {
        return 0;
    }
    constexpr double limit = 9223372036854775808.0; // 2^63
    if (x >= limit) {
        return std::numeric_limits<Int>::max();
    }
    if (x <= -limit) {
        return std::numeric_limits<Int>::min();
    }
    return static_cast<Int>(x);
}

Int IntegerPart(double x)
{
    if (!std::isfinite(x)) {
        return AsInteger(x);
    }
    const double whole = std::trunc(x);
    const double fraction = x - whole;
    if (std::fabs(fraction) > 0.999999999999) {
        return AsInteger(whole >= 0 ? whole + 1 : whole - 1);
    }
    return AsInteger(whole);
}

double AbsoluteValue(double x) { return std::fabs(x); }

double Remainder(double a, double b) { return std::fmod(a, b); }

} // namespace yanchuan
