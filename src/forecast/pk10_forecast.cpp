#include "forecast/pk10_forecast.h"

#include "readers/gbk_texts.h"

#include <array>

namespace yanchuan {

void AnalysePk10(const DrawTable& table, KillLog& log, const ForecastContext& context)
{
    context.events.ProcessEvents();
    const Int r = table.CurrentRow();
    const Int P = AsInteger(ToNumber(table.CellText(r, 1)));
    if (P == 0) {
        AskToReadFirst(LotteryKind::Pk10, log, context);
        return;
    }

    // Places 3 to 8 stand in columns 4 to 9.
    std::array<Int, 6> place {};
    for (Int i = 0; i < 6; ++i) {
        place[i] = AsInteger(ToNumber(table.CellText(r, 4 + i)));
    }

    const Text& L = log.KillLogText();
    if (!SameText(L, "")) {
        const Int q = log.LastPeriodMark();
        const Int R = AsInteger(ToNumber(MidText(L, q - 6, 6)));
        const Text h = ReplaceText(RightText(L, 3), " ", "");
        const double p = static_cast<double>(P);
        if (R == p || R == p + 1 || R == p + 2) {
            Text g;
            for (Int i = 0; i < 6; ++i) {
                g += JoinTexts(table.CellText(r, 4 + i), " ");
            }
            log.AppendKillLogText(FindText(g, h) == -1 ? gbk::kPk10Miss : gbk::kPk10Hit);
        } else {
            log.AppendKillLogText("\r\n");
        }
    }

    double S = 0;
    for (const Int value : place) {
        S += static_cast<double>(value);
    }
    // Places that sum to 0 leave no divisor: the remainder counts as 0.
    Int U = 0;
    if (S != 0) {
        const Int v = AsInteger(Remainder(3949, S));
        U = AsInteger(AbsoluteValue(Remainder(static_cast<double>(v), 10)));
    }
    const Text f = U == 0 ? Text("10 ") : JoinTexts(RightText(JoinTexts("0", IntToText(U)), 2), " ");

    const double next = static_cast<double>(P) + 1;
    log.AppendKillLogText(
        JoinTexts(gbk::kPk10LineStart, RealToText(next), "--", RealToText(next + 1), gbk::kPk10PeriodsEnd, f));
}

} // namespace yanchuan
