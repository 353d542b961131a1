#include "app/schedule.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace yanchuan {
namespace {

DateTime At(int hour, int minute, int second) { return DateTime {2026, 12, 11, hour, minute, second}; }

std::vector<std::string> OperationsAt(const DateTime& now)
{
    std::vector<std::string> names;
    for (const Operation& operation : ScheduledOperations(now)) {
        names.emplace_back(OperationName(operation));
    }
    return names;
}

TEST(Schedule, ClockTextIsTwoDigitsEach)
{
    EXPECT_EQ(ClockText(At(9, 5, 7)), "09:05:07");
    EXPECT_EQ(ClockText(At(0, 0, 0)), "00:00:00");
    EXPECT_EQ(ClockText(At(23, 59, 59)), "23:59:59");
}

TEST(Schedule, TimetableRunsTheRulesInOrder)
{
    const std::vector<std::string> ruleA {
        "ReadIndoOne", "AnalyseLastTwo(IndoOne)", "ReadVietOne", "AnalyseLastTwo(VietOne)"};
    const std::vector<std::string> ruleB {
        "ReadIndoFive", "AnalyseLastTwo(IndoFive)", "ReadVietFive", "AnalyseLastTwo(VietFive)"};
    const std::vector<std::string> chongqing {"ReadChongqing", "AnalyseLastTwo(Chongqing)"};
    const std::vector<std::string> pk10 {"ReadPk10"};
    auto plus = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const struct {
        DateTime at;
        std::vector<std::string> expected;
    } cases[] = {
        {At(10, 11, 5), plus(ruleA, chongqing)},
        {At(10, 15, 16), ruleB},
        {At(10, 15, 5), ruleA},
        {At(21, 51, 5), plus(ruleA, chongqing)},
        {At(21, 56, 5), ruleA},
        {At(22, 6, 5), plus(ruleA, chongqing)},
        {At(1, 56, 5), plus(ruleA, chongqing)},
        {At(2, 1, 5), ruleA},
        {At(9, 2, 45), pk10},
        {At(23, 57, 45), pk10},
        {At(0, 2, 45), {}},
        {At(8, 57, 45), {}},
        {At(0, 0, 16), ruleB},
        {At(0, 0, 5), ruleA},
        {At(10, 1, 6), {}},
        {At(12, 30, 30), {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OperationsAt(c.at), c.expected) << ClockText(c.at);
    }
}

TEST(Schedule, ADayRunsEachLotteryAsOftenAsItDraws)
{
    std::map<std::string, int> runs;
    for (int s = 0; s < 86400; ++s) {
        for (const std::string& name : OperationsAt(At(s / 3600, s / 60 % 60, s % 60))) {
            ++runs[name];
        }
    }
    EXPECT_EQ(runs["ReadIndoOne"], 1440);
    EXPECT_EQ(runs["AnalyseLastTwo(VietOne)"], 1440);
    EXPECT_EQ(runs["ReadIndoFive"], 288);
    EXPECT_EQ(runs["AnalyseLastTwo(VietFive)"], 288);
    EXPECT_EQ(runs["ReadChongqing"], 120);
    EXPECT_EQ(runs["AnalyseLastTwo(Chongqing)"], 120);
    EXPECT_EQ(runs["ReadPk10"], 180);
    // The PK10 forecast runs only from its button.
    EXPECT_EQ(runs.count("AnalysePk10"), 0u);
}

} // namespace
} // namespace yanchuan
