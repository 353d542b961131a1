#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

// Prints the usual console report and keeps each benchmark's real time per
// iteration, so that a benchmark program can print the ratios it is judged by.
namespace yanchuan::bench {

// Two benchmarks whose real times are compared, and the ratio they must stay under.
struct Ratio {
    std::string numerator;
    std::string denominator;
    double limit;
};

class RatioReporter final : public benchmark::ConsoleReporter {
public:
    // In colour on a terminal only, so that a report kept in a file reads plainly.
    RatioReporter()
        : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular)
    { }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        // With repetitions, the median stands for the benchmark.
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if ((run.run_type == Run::RT_Iteration || median) && !run.error_occurred) {
                m_nanoseconds[run.run_name.str()] = run.GetAdjustedRealTime()
                    * benchmark::GetTimeUnitMultiplier(benchmark::kNanosecond)
                    / benchmark::GetTimeUnitMultiplier(run.time_unit);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Prints each ratio whose two benchmarks ran; false when one is over its limit.
    bool PrintRatios(const std::vector<Ratio>& ratios) const
    {
        bool met = true;
        for (const Ratio& ratio : ratios) {
            const auto numerator = m_nanoseconds.find(ratio.numerator);
            const auto denominator = m_nanoseconds.find(ratio.denominator);
            if (numerator == m_nanoseconds.end() || denominator == m_nanoseconds.end()) {
                continue;
            }
            const double value = numerator->second / denominator->second;
            met = met && value < ratio.limit;
            std::printf("ratio %s / %s = %.3f (%.0f ns / %.0f ns), under %.1f: %s\n", ratio.numerator.c_str(),
                ratio.denominator.c_str(), value, numerator->second, denominator->second, ratio.limit,
                value < ratio.limit ? "yes" : "NO");
        }
        return met;
    }

private:
    std::map<std::string, double> m_nanoseconds;
};

// The main of a benchmark program: runs the benchmarks the command line selects,
// then prints the ratios. Exits 1 when a ratio is over its limit.
inline int RunBenchmarks(int argc, char** argv, const std::vector<Ratio>& ratios)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 2;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::fflush(stdout);
    return reporter.PrintRatios(ratios) ? 0 : 1;
}

} // namespace yanchuan::bench
