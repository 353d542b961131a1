#include "app/schedule.h"

#include <initializer_list>

namespace yanchuan {

namespace {

constexpr std::uint32_t Hours(int first, int last)
{
    std::uint32_t mask = 0;
    for (int h = first; h <= last; ++h) {
        mask |= 1u << h;
    }
    return mask;
}

constexpr std::uint32_t Hours(std::initializer_list<int> hours)
{
    std::uint32_t mask = 0;
    for (const int h : hours) {
        mask |= 1u << h;
    }
    return mask;
}

using enum LotteryKind;
constexpr auto Read = Operation::Verb::Read;
constexpr auto Analyse = Operation::Verb::Analyse;

constexpr std::array<ScheduleRule, 5> kAutoRunSchedule = {{
    // hours            minute  second  operations, in order
    {Hours(0, 23), "", "05", {{{Read, IndoOne}, {Analyse, IndoOne}, {Read, VietOne}, {Analyse, VietOne}}}, 4}, // A
    {Hours(0, 23), "05", "16", {{{Read, IndoFive}, {Analyse, IndoFive}, {Read, VietFive}, {Analyse, VietFive}}},
        4}, // B
    {Hours(10, 21), "1", "05", {{{Read, Chongqing}, {Analyse, Chongqing}}}, 2}, // C
    {Hours({22, 23, 0, 1}), "16", "05", {{{Read, Chongqing}, {Analyse, Chongqing}}}, 2}, // D
    {Hours(9, 23), "27", "45", {{{Read, Pk10}}}, 1}, // E
}};

constexpr std::array<std::string_view, 6> kReadNames
    = {"ReadPk10", "ReadChongqing", "ReadVietFive", "ReadIndoFive", "ReadVietOne", "ReadIndoOne"};
constexpr std::array<std::string_view, 6> kAnalyseNames = {"AnalysePk10", "AnalyseLastTwo(Chongqing)",
    "AnalyseLastTwo(VietFive)", "AnalyseLastTwo(IndoFive)", "AnalyseLastTwo(VietOne)", "AnalyseLastTwo(IndoOne)"};

} // namespace

std::string_view OperationName(const Operation& operation)
{
    const auto& names = operation.verb == Operation::Verb::Read ? kReadNames : kAnalyseNames;
    return names[IndexOf(operation.kind)];
}

std::span<const ScheduleRule> AutoRunSchedule() { return kAutoRunSchedule; }

Text ClockText(const DateTime& now)
{
    return JoinTexts(TwoDigits(HourOf(now)), ":", TwoDigits(MinuteOf(now)), ":", TwoDigits(SecondOf(now)));
}

bool RuleFires(const ScheduleRule& rule, const DateTime& now)
{
    const Text MM = TwoDigits(MinuteOf(now));
    const Text SS = TwoDigits(SecondOf(now));
    const Text m = RightText(MM, 1);
    const int hour = HourOf(now);
    const bool inHours = hour >= 0 && hour < 24 && (rule.hours >> hour & 1u) != 0;
    const bool onMinute = rule.minuteDigits.empty() || rule.minuteDigits.find(m) != std::string_view::npos;
    return inHours && onMinute && SameText(SS, rule.second);
}

std::vector<Operation> ScheduledOperations(const DateTime& now)
{
    std::vector<Operation> operations;
    for (const ScheduleRule& rule : AutoRunSchedule()) {
        if (RuleFires(rule, now)) {
            operations.insert(operations.end(), rule.Operations().begin(), rule.Operations().end());
        }
    }
    return operations;
}

} // namespace yanchuan
