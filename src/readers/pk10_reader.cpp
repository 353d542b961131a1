#include "readers/pk10_reader.h"

#include "readers/text_ops.h"

namespace yanchuan {

namespace {

constexpr std::string_view kPath = "/bulletin/trax.html";
constexpr Int kDraws = 10;

// A cell with attributes is not seen: header cells carry a class.
constexpr std::string_view kCell = "<td>";
constexpr Int kPeriodLength = 6;
constexpr Int kNumbersLength = 29; // ten two-digit numbers and nine commas
constexpr Int kTimeLength = 16;

} // namespace

void ReadPk10(DrawTable& table, std::string_view host, ReaderContext& ctx)
{
    ctx.events.ProcessEvents();
    const Text page = FetchPageText(ctx.fetch, JoinTexts("http://", host, kPath));

    Int s = 0; // the previous draw's third cell
    for (Int k = 1; k <= kDraws; ++k) {
        ctx.events.ProcessEvents();
        const Int c1 = FindText(page, kCell, s + 1);
        const Text period = MidText(page, c1 + 4, kPeriodLength);
        const Int c2 = FindText(page, kCell, c1 + 1);
        const Text numbers = MidText(page, c2 + 4, kNumbersLength);
        const Int c3 = FindText(page, kCell, c2 + 1);
        const Text time = MidText(page, c3 + 4, kTimeLength);
        const std::vector<Text> parts = SplitText(numbers, ",");

        table.SetCellText(k, 1, period);
        table.SetCellText(k, 12, time);
        // Part j is place j, in column j + 1; an eleventh part lands on the time.
        for (std::size_t j = 1; j <= parts.size(); ++j) {
            table.SetCellText(k, static_cast<Int>(j) + 1, RightText(JoinTexts("0", parts[j - 1]), 2));
        }
        s = c3;
    }
    table.SetCursor(1, 1);
}

} // namespace yanchuan
