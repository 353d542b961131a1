#pragma once

#include "forecast/forecast_context.h"
#include "tables/draw_table.h"

namespace yanchuan {

// Judges the open PK10 forecast against the analysed draw, then appends one
// number expected among places 3 to 8 over the next two periods.
void AnalysePk10(const DrawTable& table, KillLog& log, const ForecastContext& context);

} // namespace yanchuan
