#include "forecast/forecast_context.h"

#include "readers/gbk_texts.h"

namespace yanchuan {

void AskToReadFirst(LotteryKind kind, KillLog& log, const ForecastContext& context)
{
    if (log.LastPeriodMark() == -1) {
        log.SetKillLogText(gbk::kReadFirstMessage);
    } else if (context.message) {
        context.message(kind, gbk::kReadFirstMessage);
    }
}

} // namespace yanchuan
