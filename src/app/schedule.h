#pragma once

#include "readers/clock.h"
#include "readers/text_ops.h"
#include "tables/lottery.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace yanchuan {

// One operation of the twelve buttons.
struct Operation {
    enum class Verb { Read, Analyse };
    Verb verb;
    LotteryKind kind;

    friend bool operator==(const Operation&, const Operation&) = default;
};

// "ReadIndoOne", "AnalyseLastTwo(IndoOne)", "ReadPk10", "AnalysePk10", ...
std::string_view OperationName(const Operation& operation);

// A wall-clock rule of the auto-run schedule: at the second `second` of every
// minute whose last digit is one of `minuteDigits` (any when empty), within the
// hours marked in `hours`, run `operations` in order.
struct ScheduleRule {
    std::uint32_t hours; // bit h set: hour h takes part
    std::string_view minuteDigits;
    std::string_view second;
    std::array<Operation, 4> operationSlots;
    std::size_t operationCount;

    std::span<const Operation> Operations() const { return {operationSlots.data(), operationCount}; }
};

std::span<const ScheduleRule> AutoRunSchedule();

// "HH:MM:SS" of one clock reading.
Text ClockText(const DateTime& now);

// Whether the rule fires at this reading of the clock.
bool RuleFires(const ScheduleRule& rule, const DateTime& now);

// Every operation that the rules firing at this reading run, in order: what a
// tick at that second does.
std::vector<Operation> ScheduledOperations(const DateTime& now);

} // namespace yanchuan
