#pragma once

#include "forecast/forecast_context.h"
#include "tables/draw_table.h"

#include <string_view>

namespace yanchuan {

// The constants that set the five digit lotteries' forecasts apart.
struct LastTwoProfile {
    LotteryKind kind;
    std::string_view title;
    int dateWidth;
    std::string_view periodSeparator;
    int periodWidth;
    Int lastPeriodOfDay;
    int yearDigits;
    int markIndent;
};

const LastTwoProfile& LastTwoProfileOf(LotteryKind kind);

// Closes the log's open forecast line with a hit mark (or a bare line end when
// the analysed row is not the period it forecast), then appends the forecast of
// the digit to kill in the last two positions of the next period.
void AnalyseLastTwo(
    const LastTwoProfile& profile, const DrawTable& table, KillLog& log, const ForecastContext& context);

} // namespace yanchuan
