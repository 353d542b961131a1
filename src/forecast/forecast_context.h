#pragma once

#include "app/kill_log.h"
#include "readers/clock.h"
#include "readers/events.h"
#include "tables/lottery.h"

#include <functional>
#include <string_view>

namespace yanchuan {

// Where the desk's messages go: the window's status line, or stderr.
using MessageSink = std::function<void(LotteryKind, std::string_view gbkMessage)>;

// What a forecaster needs besides its table and its log.
struct ForecastContext {
    const Clock& clock;
    EventPump& events;
    const MessageSink& message;
};

// A row without a period: "请先读取开奖号码，再分析。". It takes the place of a log
// that holds no forecast yet; a log that holds forecasts is kept as it is, since
// one failed read under the schedule would otherwise wipe the day's log, and the
// message goes to the sink instead.
void AskToReadFirst(LotteryKind kind, KillLog& log, const ForecastContext& context);

} // namespace yanchuan
