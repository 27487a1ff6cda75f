// The console output of Google Benchmark, followed by a summary that sets
// each parser's median beside the baseline's and checks the targets.
#ifndef PARAM_BENCH_SUMMARY_H
#define PARAM_BENCH_SUMMARY_H

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

class RecordingReporter : public benchmark::ConsoleReporter {
public:
    using benchmark::ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run>& runs) override;

    // Median CPU seconds per iteration of the case; negative when the case
    // did not run (filtered out, or stopped by an error).
    double medianSeconds(const std::string& name) const;
    // How many timings each median is taken of.
    int repetitions() const { return repetitionCount; }

private:
    std::map<std::string, std::vector<double>> timings;  // one per repetition
    std::map<std::string, double> medians;              // the library's own aggregate
    int repetitionCount = 1;
};

// Writes the summary: the ratios to the baseline, the file reading rates,
// and whether each target is met.
void writeSummary(std::ostream& out, const RecordingReporter& results,
                  const std::string& loadBefore, const std::string& loadAfter);

#endif
