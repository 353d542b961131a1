#include "readers/offshore_reader.h"
#include "readers_fuzz.h"

// The four offshore lotteries' reads on the same pages: the first is fetched
// first, the next ones while it (or its successor) shows a pending draw.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace yanchuan;
    const std::vector<std::string_view> pages = fuzz::SplitInput(fuzz::AsView(data, size), fuzz::kPageSeparator);
    for (const OffshoreSource& source : kOffshoreSources) {
        fuzz::CheckRead(source.kind, pages, [&](DrawTable& table, ReaderContext& context) {
            ReadOffshoreDraws(table, source, "127.0.0.1:1", context);
        });
    }
    return 0;
}
