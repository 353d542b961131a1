#include "readers/pk10_reader.h"
#include "readers_fuzz.h"

// The whole input is the one page the PK10 reader fetches.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace yanchuan;
    fuzz::CheckRead(LotteryKind::Pk10, {fuzz::AsView(data, size)},
        [](DrawTable& table, ReaderContext& context) { ReadPk10(table, "127.0.0.1:1", context); });
    return 0;
}
