#include "readers/chongqing_reader.h"

#include "readers/text_ops.h"

#include <array>

namespace yanchuan {

namespace {

constexpr std::string_view kPath = "/Game/GetNum.aspx?iType=3";
constexpr Int kDraws = 6;

// Each 9 bytes long, its field right behind it: period (9 bytes), numbers
// (9 bytes), time (11 bytes).
constexpr std::string_view kPeriodMarker = "openli1'>";
constexpr std::string_view kNumbersMarker = "openli2'>";
constexpr std::string_view kTimeMarker = "openli3'>";

// A numbers field the portal writes in place of five digits; every digit cell
// then shows the placeholder.
constexpr std::string_view kNoDigits = "255,255,2";
constexpr std::string_view kNoDigit = "255";

} // namespace

void ReadChongqing(DrawTable& table, std::string_view host, ReaderContext& ctx)
{
    ctx.events.ProcessEvents();
    const Text page = FetchPageText(ctx.fetch, JoinTexts("http://", host, kPath));

    Int s = 0; // the previous draw's time marker
    for (Int k = 1; k <= kDraws; ++k) {
        ctx.events.ProcessEvents();
        const Int p1 = FindText(page, kPeriodMarker, s + 1);
        const Text period = MidText(page, p1 + 9, 9);
        const Int p2 = FindText(page, kNumbersMarker, p1 + 1);
        const Text numbers = MidText(page, p2 + 9, 9);
        const Int p3 = FindText(page, kTimeMarker, p2 + 1);
        const Text time = MidText(page, p3 + 9, 11);

        std::array<Text, 5> digits;
        if (SameText(numbers, kNoDigits)) {
            digits.fill(Text(kNoDigit));
        } else {
            digits = {LeftText(numbers, 1), MidText(numbers, 3, 1), MidText(numbers, 5, 1), MidText(numbers, 7, 1),
                RightText(numbers, 1)};
        }

        table.SetCellText(k, 1, period);
        for (std::size_t d = 0; d < digits.size(); ++d) {
            table.SetCellText(k, 2 + static_cast<Int>(d), digits[d]);
        }
        table.SetCellText(k, 7, time);
        s = p3;
    }
    table.SetCursor(1, 1);
}

} // namespace yanchuan
