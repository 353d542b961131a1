#pragma once

#include "readers/reader_context.h"
#include "tables/draw_table.h"

#include <string_view>

namespace yanchuan {

// Fetches the PK10 bulletin page from `host` once, writes its first ten draws,
// three "<td>" cells each, into rows 1 to 10 and puts the cursor on (1, 1).
// Nothing on the page is checked: a missing cell flows on as -1, and number
// parts beyond the tenth run into the time column and out of the table.
void ReadPk10(DrawTable& table, std::string_view host, ReaderContext& ctx);

} // namespace yanchuan
