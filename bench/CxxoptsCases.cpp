// cxxopts doing the command-line work (Debian's libcxxopts-dev). Every
// option is bound to the host's variable, so parsing stores the values as
// the library does.
#include <cxxopts.hpp>

#include <memory>
#include <string>
#include <vector>

#include "Cases.h"

namespace {

// Parses, turning cxxopts' exceptions into a result; required options are
// checked here, since cxxopts leaves that to its caller.
bool parse(cxxopts::Options& options, int argc, char** argv,
           const std::vector<std::string>& required = {}) {
    try {
        const cxxopts::ParseResult result = options.parse(argc, argv);
        for (const std::string& name : required) {
            if (result.count(name) == 0) return false;
        }
        return result.unmatched().empty();
    } catch (const cxxopts::exceptions::exception&) {
        return false;
    }
}

struct TypicalOptions {
    int traceLevel = 0;
    std::string lexiconFile, grammarFile, logFile;
    cxxopts::Options options{"TestParam"};

    TypicalOptions() {
        options.add_options()("T,TraceLevel",
                              "Trace level: 0 = no, 1 = minimal, 2 = full trace output",
                              cxxopts::value<int>(traceLevel)->default_value("0"))(
            "L,LexiconFile", "name of parameter file with lexicon",
            cxxopts::value<std::string>(lexiconFile))(
            "G,GrammarFile", "name of file with grammar",
            cxxopts::value<std::string>(grammarFile))(
            "LogFile", "name of log file from ZQ-Tool", cxxopts::value<std::string>(logFile));
    }

    bool parse(int argc, char** argv) {
        return ::parse(options, argc, argv, {"LexiconFile", "GrammarFile"});
    }
    TypicalValues values() const { return {traceLevel, lexiconFile, grammarFile, logFile}; }
};

void typical(benchmark::State& state) {
    ArgVector line = typicalLine();
    cases::buildAndParse<TypicalOptions>(state, line, expectedTypicalValues(), "typical line");
}

struct MixedOptions {
    MixedValues v;
    cxxopts::Options options{"bench"};

    MixedOptions() {
        options.add_options()
            ("a,all", "process everything", cxxopts::value<bool>(v.all))
            ("b,brief", "short report", cxxopts::value<bool>(v.brief))
            ("c,color", "coloured output", cxxopts::value<bool>(v.color))
            ("d,dryRun", "change nothing", cxxopts::value<bool>(v.dryRun))
            ("T,Level", "trace level", cxxopts::value<int>(v.level))
            ("j,Threads", "worker threads", cxxopts::value<int>(v.threads))
            ("s,Seed", "random seed", cxxopts::value<long>(v.seed))
            ("n,Count", "repetitions", cxxopts::value<unsigned>(v.count))
            ("r,Ratio", "mixing ratio", cxxopts::value<double>(v.ratio))
            ("x,Scale", "scale factor", cxxopts::value<double>(v.scale))
            ("w,Weight", "weight", cxxopts::value<float>(v.weight))
            ("i,Input", "input file", cxxopts::value<std::string>(v.input))
            ("o,Output", "output file", cxxopts::value<std::string>(v.output))
            ("m,Mode", "mode", cxxopts::value<std::string>(v.mode))
            ("LogFile", "log file", cxxopts::value<std::string>(v.logFile))
            ("First", "first word", cxxopts::value<std::string>(v.first))
            ("Second", "second word", cxxopts::value<int>(v.second))
            ("Third", "third word", cxxopts::value<double>(v.third))
            ("Fourth", "fourth word", cxxopts::value<std::string>(v.fourth))
            ("Fifth", "fifth word", cxxopts::value<int>(v.fifth))
            ("Sixth", "sixth word", cxxopts::value<double>(v.sixth))
            ("Seventh", "seventh word", cxxopts::value<std::string>(v.seventh));
        options.parse_positional(
            {"First", "Second", "Third", "Fourth", "Fifth", "Sixth", "Seventh"});
    }

    bool parse(int argc, char** argv) { return ::parse(options, argc, argv); }
    const MixedValues& values() const { return v; }
};

void mixed(benchmark::State& state) {
    ArgVector line = mixedLine();
    cases::buildAndParse<MixedOptions>(state, line, expectedMixedValues(), "50-word line");
}

void registerInts(cxxopts::Options& options, std::vector<int>& values,
                  const std::vector<std::string>& keywords) {
    auto adder = options.add_options();
    for (std::size_t i = 0; i < keywords.size(); ++i) {
        adder(keywords[i], "an int parameter", cxxopts::value<int>(values[i]));
    }
}

void registering(benchmark::State& state, int count) {
    const std::vector<std::string> keywords = scalingKeywords(count);
    const int sets = cases::setsPerIteration(count);
    std::vector<std::vector<int>> values(sets, std::vector<int>(count));
    std::vector<std::unique_ptr<cxxopts::Options>> built(sets);
    for (auto _ : state) {
        for (int s = 0; s < sets; ++s) {
            built[s] = std::make_unique<cxxopts::Options>("bench");
            registerInts(*built[s], values[s], keywords);
        }
        state.PauseTiming();
        for (auto& options : built) options.reset();
        state.ResumeTiming();
    }
    state.counters["per_set"] = benchmark::Counter(static_cast<double>(sets) * state.iterations(),
                                                   benchmark::Counter::kIsRate |
                                                       benchmark::Counter::kInvert);
}

void interpreting(benchmark::State& state, int count) {
    ArgVector line = scalingLine(count);
    std::vector<int> values(count);
    cxxopts::Options options("bench");
    registerInts(options, values, scalingKeywords(count));
    if (!parse(options, line.argc(), line.argv()) ||
        values != std::vector<int>(count, kScalingValue)) {
        return cases::refuse(state, "scaling line");
    }
    for (auto _ : state) {
        bool ok = parse(options, line.argc(), line.argv());
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(values.data());
    }
}

}  // namespace

void cases::addCxxoptsCases() {
    add(kTypical, kCxxopts, typical);
    add(kMixed, kCxxopts, mixed);
    for (int count : kScalingCounts) {
        add(registerWork(count), kCxxopts,
            [count](benchmark::State& s) { registering(s, count); });
    }
    for (int count : kScalingCounts) {
        add(interpretWork(count), kCxxopts,
            [count](benchmark::State& s) { interpreting(s, count); });
    }
}
