#pragma once

#include "draw_book.h"

#include <string>

// The results pages, rendered in GBK in exactly the shapes the readers cut:
// the offshore services' JSON, the Chongqing portal's list and the PK10
// bulletin's table, each with the markup that surrounds them.
namespace yanchuan::drawsim {

// Draws listed on every page, more than any reader takes.
inline constexpr int kHistoryRows = 20;

// A draw's texts as its page prints them. The period: "20260311-0590" (one
// minute), "20260311-118" (five minutes), "260311042" (Chongqing), "504719"
// (PK10). The numbers: "2,8,1,4,6", or "03,07,10,01,05,09,02,06,08,04" for
// PK10. The draw time: "2026-03-11 09:50:00" (offshore), "03-11 16:50"
// (Chongqing), "2026-03-11 09:57" (PK10).
std::string PeriodText(const Draw& draw);
std::string NumbersText(const Draw& draw);
std::string TimeText(const Draw& draw);

// The page of the lottery at `now`. An offshore page lists its newest draw as
// pending (a draw number of a minus sign and the period, no result) until
// `pendingSeconds` have passed since its draw time.
std::string RenderPage(const DrawBook& book, LotteryKind kind, SimTime now, int pendingSeconds);

} // namespace yanchuan::drawsim
