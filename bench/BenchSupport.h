#pragma once
// Small helpers the benchmarks share: medians of timed runs and a reporter that keeps the
// Google Benchmark medians for a closing ratio.
#include <QElapsedTimer>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template <typename Work>
double timedMs(Work work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

// Console output as usual, keeping each benchmark's median for a closing ratio.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.aggregate_name == "median")
                medians[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> medians;
};
