#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace yanchuan {

// The six lotteries, in the order of their pages.
enum class LotteryKind { Pk10, Chongqing, VietFive, IndoFive, VietOne, IndoOne };

inline constexpr std::array<LotteryKind, 6> kAllLotteries = {
    LotteryKind::Pk10,
    LotteryKind::Chongqing,
    LotteryKind::VietFive,
    LotteryKind::IndoFive,
    LotteryKind::VietOne,
    LotteryKind::IndoOne,
};

constexpr std::size_t IndexOf(LotteryKind kind) { return static_cast<std::size_t>(kind); }

// The lottery's name in scripts and traces: "Pk10", "Chongqing", ...
constexpr std::string_view KindName(LotteryKind kind)
{
    constexpr std::array<std::string_view, 6> names
        = {"Pk10", "Chongqing", "VietFive", "IndoFive", "VietOne", "IndoOne"};
    return names[IndexOf(kind)];
}

constexpr std::optional<LotteryKind> KindFromName(std::string_view name)
{
    for (const LotteryKind kind : kAllLotteries) {
        if (KindName(kind) == name) {
            return kind;
        }
    }
    return std::nullopt;
}

} // namespace yanchuan
