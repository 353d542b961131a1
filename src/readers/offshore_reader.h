#pragma once

#include "app/sources.h"
#include "readers/reader_context.h"
#include "tables/draw_table.h"
#include "tables/lottery.h"

#include <array>
#include <string_view>

namespace yanchuan {

// Where one of the four offshore lotteries publishes its draws, and how many of
// them its table shows. The Indonesian and the Vietnamese draw services share
// one page format.
struct OffshoreSource {
    LotteryKind kind;
    SourceId service;
    std::string_view path;
    int rows; // the table's data rows
    int periodWidth; // digits of a period within the day: 288 or 1440 draws a day
    std::string_view zeros; // periodWidth - 1 zeros, to pad a short period number
};

// clang-format off
inline constexpr std::array<OffshoreSource, 4> kOffshoreSources = {{
    // kind                  service         path                    rows N  width W  zeros
    {LotteryKind::IndoFive,  SourceId::Indo, "/others/draw.php",      5,     3,       "00"},
    {LotteryKind::VietFive,  SourceId::Viet, "/others/draw.php",      4,     3,       "00"},
    {LotteryKind::VietOne,   SourceId::Viet, "/others/draw_ffc.php",  4,     4,       "000"},
    {LotteryKind::IndoOne,   SourceId::Indo, "/others/draw_ffc.php", 10,     4,       "000"},
}};
// clang-format on

// The source of IndoFive, VietFive, VietOne or IndoOne; any other lottery is a
// caller's mistake and ends the program.
const OffshoreSource& OffshoreSourceOf(LotteryKind kind);

// Fetches the source's page from `host` (again while its newest draw is still
// pending), writes its first N draws into rows 1 to N and puts the cursor on
// (1, 1). Nothing on the page is checked: a missing marker flows on as -1.
void ReadOffshoreDraws(DrawTable& table, const OffshoreSource& source, std::string_view host, ReaderContext& ctx);

} // namespace yanchuan
