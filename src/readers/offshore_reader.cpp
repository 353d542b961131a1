#include "readers/offshore_reader.h"

#include "readers/text_ops.h"

#include <algorithm>
#include <cstdlib>

namespace yanchuan {

namespace {

// The page's first draw has a draw number that begins with a minus sign: the
// service has not drawn it yet.
constexpr std::string_view kPendingMarker = R"(history":[{"num":"-)";
// Its draw-number field is the 13 bytes behind it.
constexpr std::string_view kDrawMarker = R"({"num":")";
// The first one behind a draw marker; its digits field is the 9 bytes from + 9.
constexpr std::string_view kResultMarker = "result";

} // namespace

const OffshoreSource& OffshoreSourceOf(LotteryKind kind)
{
    const auto* found = std::ranges::find(kOffshoreSources, kind, &OffshoreSource::kind);
    if (found == kOffshoreSources.end()) {
        std::abort();
    }
    return *found;
}

void ReadOffshoreDraws(DrawTable& table, const OffshoreSource& source, std::string_view host, ReaderContext& ctx)
{
    const Text url = JoinTexts("http://", host, source.path);

    ctx.events.ProcessEvents();
    Text page = FetchPageText(ctx.fetch, url);
    // Paced and bounded, so that a service that never clears its pending draw
    // cannot hold the read for ever; after the last fetch its page is parsed.
    for (int fetches = 1; FindText(page, kPendingMarker) != -1 && fetches < ctx.maxFetches; ++fetches) {
        ctx.events.Pause(ctx.pendingPause);
        ctx.events.ProcessEvents();
        page = FetchPageText(ctx.fetch, url);
    }

    Int r = 0; // the previous draw's result marker
    for (Int i = 1; i <= source.rows; ++i) {
        ctx.events.ProcessEvents();
        const Int c = FindText(page, kDrawMarker, r + 1);
        Text field = MidText(page, c + 8, 13);
        const Text date = LeftText(field, 8);
        field = ReplaceText(field, "\"", "");
        field = ReplaceText(field, ",", "");
        const Int m = FindText(field, "-");
        const Text number = MidText(field, m + 1, TextLength(field) - m);
        const Text period = RightText(JoinTexts(source.zeros, number), source.periodWidth);
        r = FindText(page, kResultMarker, c + 1);
        const Text digits = MidText(page, r + 9, 9);

        table.SetCellText(i, 1, JoinTexts(date, "-", period));
        table.SetCellText(i, 2, LeftText(digits, 1));
        table.SetCellText(i, 3, MidText(digits, 3, 1));
        table.SetCellText(i, 4, MidText(digits, 5, 1));
        table.SetCellText(i, 5, MidText(digits, 7, 1));
        table.SetCellText(i, 6, RightText(digits, 1));
    }
    table.SetCursor(1, 1);
}

} // namespace yanchuan
