#pragma once

#include "readers/reader_context.h"
#include "tables/draw_table.h"

#include <string_view>

namespace yanchuan {

// Fetches the Chongqing portal's number page from `host` once, writes its first
// six draws into rows 1 to 6 and puts the cursor on (1, 1). Nothing on the page
// is checked: a missing marker flows on as -1.
void ReadChongqing(DrawTable& table, std::string_view host, ReaderContext& ctx);

} // namespace yanchuan
