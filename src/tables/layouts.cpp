#include "tables/layouts.h"

#include "readers/gbk_texts.h"

#include <array>

namespace yanchuan {

namespace {

using namespace gbk;

using Headers = std::array<std::string_view, 13>;

constexpr Headers kPk10Headers
    = {kHeaderNumber, kHeaderPeriod, kHeaderFirst, kHeaderSecond, kHeaderThird, kHeaderFourth, kHeaderFifth,
        kHeaderSixth, kHeaderSeventh, kHeaderEighth, kHeaderNinth, kHeaderTenth, kHeaderDrawTime};
constexpr Headers kChongqingHeaders = {kHeaderNumber, kHeaderPeriod, kHeaderTenThousands, kHeaderThousands,
    kHeaderHundreds, kHeaderTens, kHeaderUnits, kHeaderTime};
constexpr Headers kDigitHeaders
    = {kHeaderNumber, kHeaderPeriod, kHeaderTenThousands, kHeaderThousands, kHeaderHundreds, kHeaderTens, kHeaderUnits};

// Rows and columns include the header row and the number column. Each table
// fits its 736 by 288 grid control without scrolling.
// clang-format off
constexpr std::array<DrawTableLayout, 6> kLayouts = {{
    // kind                   rows  columns  row height  default width  headers
    {LotteryKind::Pk10,       11,   13,      25,         45,            kPk10Headers},
    {LotteryKind::Chongqing,   7,    8,      40,         70,            kChongqingHeaders},
    {LotteryKind::VietFive,    5,    7,      50,         80,            kDigitHeaders},
    {LotteryKind::IndoFive,    6,    7,      45,         80,            kDigitHeaders},
    {LotteryKind::VietOne,     5,    7,      50,         80,            kDigitHeaders},
    {LotteryKind::IndoOne,    11,    7,      25,         80,            kDigitHeaders},
}};
// clang-format on

constexpr bool InPageOrder()
{
    for (std::size_t i = 0; i < kLayouts.size(); ++i) {
        if (kLayouts[i].kind != kAllLotteries[i]) {
            return false;
        }
    }
    return true;
}
static_assert(InPageOrder(), "LayoutOf indexes the table by LotteryKind");

} // namespace

const DrawTableLayout& LayoutOf(LotteryKind kind) { return kLayouts[IndexOf(kind)]; }

} // namespace yanchuan
