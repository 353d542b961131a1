#include "forecast/last_two_kill.h"

#include "readers/gbk_texts.h"

#include <array>
#include <string>

namespace yanchuan {

namespace {

constexpr std::array<LastTwoProfile, 5> kProfiles = {{
    // kind                  title               date  separator width  last  year  indent
    {LotteryKind::IndoOne, gbk::kIndoOneName, 8, "-", 4, 1440, 4, 2},
    {LotteryKind::VietOne, gbk::kVietOneName, 8, "-", 4, 1440, 4, 2},
    {LotteryKind::VietFive, gbk::kVietFiveName, 8, "-", 3, 288, 4, 2},
    {LotteryKind::IndoFive, gbk::kIndoFiveName, 8, "-", 3, 288, 4, 2},
    {LotteryKind::Chongqing, gbk::kChongqingName, 6, "", 3, 120, 2, 1},
}};

Text Mark(const LastTwoProfile& profile, std::string_view sign)
{
    return JoinTexts(std::string(static_cast<std::size_t>(profile.markIndent), ' '), sign, "\r\n");
}

} // namespace

const LastTwoProfile& LastTwoProfileOf(LotteryKind kind)
{
    for (const LastTwoProfile& profile : kProfiles) {
        if (profile.kind == kind) {
            return profile;
        }
    }
    return kProfiles.front();
}

void AnalyseLastTwo(const LastTwoProfile& P, const DrawTable& table, KillLog& log, const ForecastContext& context)
{
    const Int W = P.periodWidth;
    const std::string zeros(static_cast<std::size_t>(W - 1), '0');

    context.events.ProcessEvents();
    const Int r = table.CurrentRow();
    const Text& c = table.CellText(r, 1);
    const Text date = LeftText(c, P.dateWidth);
    const Int e = AsInteger(ToNumber(RightText(c, W)));
    if (e == 0) {
        AskToReadFirst(P.kind, log, context);
        return;
    }

    std::array<Int, 5> d {};
    for (Int i = 0; i < 5; ++i) {
        d[i] = AsInteger(ToNumber(table.CellText(r, 2 + i)));
    }
    const double sum = static_cast<double>(d[0]) + d[1] + d[2] + d[3] + d[4];
    const Text f = IntToText(IntegerPart(sum / 5));

    const Text& L = log.KillLogText();
    if (!L.empty()) {
        const Int p = log.LastPeriodMark();
        const Int prev = AsInteger(ToNumber(MidText(L, p - W, W)));
        const Text last = RightText(L, 1);
        if (e != prev) {
            log.AppendKillLogText("\r\n");
        } else if (SameText(last, IntToText(d[3])) || SameText(last, IntToText(d[4]))) {
            log.AppendKillLogText(Mark(P, gbk::kLastTwoFailed));
        } else {
            log.AppendKillLogText(Mark(P, gbk::kLastTwoHeld));
        }
    }

    Text D;
    Text N;
    if (e == P.lastPeriodOfDay) {
        // One reading of the clock, so that the date cannot straddle midnight.
        const DateTime today = context.clock.CurrentTime();
        const Text year = IntToText(YearOf(today));
        D = JoinTexts(
            P.yearDigits == 2 ? RightText(year, 2) : year, TwoDigits(MonthOf(today)), TwoDigits(DayOf(today)));
        N = RightText(JoinTexts(zeros, "1"), W);
    } else {
        D = date;
        N = RightText(JoinTexts(zeros, RealToText(static_cast<double>(e) + 1)), W);
    }
    log.AppendKillLogText(JoinTexts(P.title, D, P.periodSeparator, N, gbk::kLastTwoKill, f, ",", f));
}

} // namespace yanchuan
