// How the benchmark's cases are named and registered. Every case is
// "<work>/<parser>"; the summary printed after the run sets each parser's
// median time beside the baseline's for the same work.
#ifndef PARAM_BENCH_CASES_H
#define PARAM_BENCH_CASES_H

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "Workloads.h"

namespace cases {

// Parsers.
inline const std::string kParam = "Param";
inline const std::string kGetopt = "getopt_long";          // the command-line baseline
inline const std::string kGetlineStrtol = "getline_strtol";  // the file baseline
inline const std::string kCli11 = "CLI11";
inline const std::string kCxxopts = "cxxopts";

// Works.
inline const std::string kTypical = "Typical";  // build the set, parse the demo's line
inline const std::string kMixed = "Mixed50";    // build the set, parse the 50-word line
inline std::string registerWork(int count) { return "Register/" + std::to_string(count); }
inline std::string interpretWork(int count) { return "Interpret/" + std::to_string(count); }
std::string fileWork(int lines, int extraDefinitions);

inline const std::vector<int> kScalingCounts = {10, 100, 1000};
inline const std::vector<int> kFileLines = {1000, 10000};
// Definitions registered besides the file's own, to show that reading does
// not slow down with the size of the set.
constexpr int kExtraDefinitions = 1000;

// A registration case builds several sets per iteration when they are small,
// so that the pause which keeps their destruction out of the timing costs
// little beside the work timed.
inline int setsPerIteration(int definitions) { return std::max(1, 1000 / definitions); }

struct ParameterFile {
    std::string path;
    int lines;
    FileValues expected;
};

// The files written before timing, one per entry of kFileLines.
struct Inputs {
    std::vector<ParameterFile> files;
};

// Registers "<work>/<parser>", timed in microseconds of CPU time.
void add(const std::string& work, const std::string& parser,
         std::function<void(benchmark::State&)> body);

// Stops a case, before its loop, whose parser did not leave the expected
// values: its figures would not be about the same work.
void refuse(benchmark::State& state, const std::string& what);

// The "build the set, parse a line" case, the same for every parser: Parser
// registers its definitions when constructed, parse(argc, argv) tells
// whether the line was accepted, values() what it left in its variables.
template <typename Parser, typename Values>
void buildAndParse(benchmark::State& state, ArgVector& line, const Values& expected,
                   const std::string& what) {
    {
        Parser parser;
        if (!parser.parse(line.argc(), line.argv()) || !(parser.values() == expected)) {
            return refuse(state, what);
        }
    }
    for (auto _ : state) {
        Parser parser;
        bool ok = parser.parse(line.argc(), line.argv());
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(parser);
    }
}

void addParamCases(const Inputs& inputs);
void addBaselineCases(const Inputs& inputs);
#ifdef PARAM_BENCH_HAVE_CLI11
void addCli11Cases();
#endif
#ifdef PARAM_BENCH_HAVE_CXXOPTS
void addCxxoptsCases();
#endif

}  // namespace cases

#endif
