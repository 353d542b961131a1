#include "app/kill_log.h"
#include "fuzz_support.h"
#include "readers/gbk_texts.h"
#include "readers/text_ops.h"

#include <fuzzer/FuzzedDataProvider.h>

// The text operations on an arbitrary text, pattern and positions, checked
// against each other; and the kill log's kept last "期" against a full search
// after every change, with the text appended in arbitrary pieces.
namespace {

using namespace yanchuan;
using fuzz::Require;

// A position or a count near the text, where the edge cases are, or any value.
Int PositionNear(FuzzedDataProvider& input, Int length)
{
    return input.ConsumeBool() ? input.ConsumeIntegralInRange<Int>(-2, length + 2) : input.ConsumeIntegral<Int>();
}

// The plain definition the searches must agree with: every character start
// compared in turn; visit as in the core's scan.
template <typename Visit> void PlainScan(std::string_view t, std::string_view sub, Visit visit)
{
    std::size_t i = 0;
    while (i < t.size()) {
        if (static_cast<unsigned char>(t[i]) >= 0x80 && i + 1 == t.size()) {
            return;
        }
        const std::size_t next = t.substr(i).starts_with(sub) ? visit(i) : 0;
        i = next > i ? next : NextCharIndex(t, i);
    }
}

Int PlainFind(std::string_view t, std::string_view sub, Int start)
{
    if (sub.empty() || start > TextLength(t)) {
        return -1;
    }
    Int found = -1;
    PlainScan(t, sub, [&](std::size_t i) -> std::size_t {
        if (static_cast<Int>(i) + 1 >= start) {
            found = static_cast<Int>(i) + 1;
            return t.size();
        }
        return 0;
    });
    return found;
}

// The pieces between non-overlapping matches, the last one dropped when empty.
std::vector<Text> PlainSplit(std::string_view t, std::string_view sub)
{
    std::vector<Text> pieces;
    std::size_t start = 0;
    PlainScan(t, sub, [&](std::size_t i) {
        pieces.emplace_back(t.substr(start, i - start));
        start = i + sub.size();
        return start;
    });
    if (start < t.size()) {
        pieces.emplace_back(t.substr(start));
    }
    return pieces;
}

Text JoinWith(const std::vector<Text>& pieces, std::string_view separator)
{
    Text joined;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        joined.append(i > 0 ? separator : "").append(pieces[i]);
    }
    return joined;
}

void CheckCuts(std::string_view t, Int start, Int n)
{
    const Int length = TextLength(t);
    const Int kept = std::clamp<Int>(n, 0, length);
    Require(LeftText(t, n) == t.substr(0, static_cast<std::size_t>(kept)), "LeftText is the first n bytes");
    Require(RightText(t, n) == t.substr(static_cast<std::size_t>(length - kept)), "RightText is the last n bytes");
    const Text mid = MidText(t, start, n);
    if (start >= 1 && start <= length && n > 0) {
        Require(mid == t.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(std::min(n, length))),
            "MidText inside the text is its bytes from start");
    } else {
        Require(mid.empty(), "MidText out of range is empty");
    }
}

void CheckSearches(std::string_view t, std::string_view sub, Int start)
{
    const Int found = FindText(t, sub, start);
    Require(found == PlainFind(t, sub, start), "FindText agrees with the plain scan");
    if (found != -1) {
        Require(found >= std::max<Int>(start, 1) && t.substr(static_cast<std::size_t>(found - 1)).starts_with(sub),
            "FindText finds the pattern at or after start");
    }
    const Int last = FindTextBackward(t, sub);
    if (last == -1) {
        Require(FindText(t, sub) == -1, "FindText finds nothing that FindTextBackward misses");
    } else {
        Require(FindText(t, sub, last) == last && FindText(t, sub, last + 1) == -1,
            "FindTextBackward finds the last match that FindText sees");
    }
}

void CheckSplitAndReplace(std::string_view t, std::string_view sub, std::string_view replacement)
{
    if (t.empty() || sub.empty()) {
        return;
    }
    const std::vector<Text> pieces = SplitText(t, sub);
    Require(pieces == PlainSplit(t, sub), "SplitText agrees with the plain scan");
    const Text joined = JoinWith(pieces, sub);
    // A separator at the very end leaves no empty last piece.
    Require(joined == t || JoinTexts(joined, sub) == t, "the pieces of SplitText join back into the text");
    const Text replaced = ReplaceText(t, sub, replacement);
    const Text rejoined = JoinWith(pieces, replacement);
    Require(replaced == rejoined || replaced == JoinTexts(rejoined, replacement),
        "ReplaceText replaces where SplitText splits");
}

void CheckNumbers(std::string_view t)
{
    const double x = ToNumber(t);
    (void)IntegerPart(x);
    (void)AsInteger(x);
    (void)RealToText(x);
    (void)Remainder(x, ToNumber(RightText(t, 3)));
}

void CheckKillLog(FuzzedDataProvider& input, std::string_view start)
{
    KillLog log;
    auto check = [&] {
        Require(log.LastPeriodMark() == FindTextBackward(log.KillLogText(), gbk::kPeriodMark),
            "the kill log keeps the position of its last period mark");
    };
    log.SetKillLogText(start);
    check();
    while (input.remaining_bytes() > 0) {
        const std::string piece = input.ConsumeRandomLengthString(64);
        switch (input.ConsumeIntegralInRange(0, 7)) {
        case 0:
            log.EditByUser(JoinTexts(log.KillLogText(), piece));
            break;
        case 1:
            log.SetKillLogText(piece);
            break;
        default: {
            const Text before = log.KillLogText();
            log.AppendKillLogText(piece);
            Require(log.KillLogText() == JoinTexts(before, piece), "an append adds its text at the end");
            break;
        }
        }
        check();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string sub = input.ConsumeRandomLengthString(8);
    const std::string replacement = input.ConsumeRandomLengthString(8);
    const std::string t = input.ConsumeRandomLengthString(1024);
    const Int start = PositionNear(input, TextLength(t));
    const Int n = PositionNear(input, TextLength(t));

    CheckCuts(t, start, n);
    CheckSearches(t, sub, start);
    CheckSplitAndReplace(t, sub, replacement);
    CheckNumbers(t);
    CheckKillLog(input, t);
    return 0;
}
