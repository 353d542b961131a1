#include "readers/chongqing_reader.h"
#include "readers_fuzz.h"

// The whole input is the one page the Chongqing reader fetches.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace yanchuan;
    fuzz::CheckRead(LotteryKind::Chongqing, {fuzz::AsView(data, size)},
        [](DrawTable& table, ReaderContext& context) { ReadChongqing(table, "127.0.0.1:1", context); });
    return 0;
}
