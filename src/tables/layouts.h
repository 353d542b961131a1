#pragma once

#include "tables/draw_table.h"
#include "tables/lottery.h"

namespace yanchuan {

// The constant layout of a lottery's table: its size, row height, default
// column width and headers.
const DrawTableLayout& LayoutOf(LotteryKind kind);

} // namespace yanchuan
