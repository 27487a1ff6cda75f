// CLI11 doing the command-line work (Debian's libcli11-dev). Repeated
// options keep their last value, as they do in the library.
#include <CLI/CLI.hpp>

#include <memory>
#include <string>
#include <vector>

#include "Cases.h"

namespace {

// Parses, turning CLI11's exceptions into a result.
bool parse(CLI::App& app, int argc, char** argv) {
    try {
        app.parse(argc, argv);
        return true;
    } catch (const CLI::Error&) {
        return false;
    }
}

struct TypicalApp {
    int traceLevel = 0;
    std::string lexiconFile = "Lexicon";
    std::string grammarFile = "Grammar";
    std::string logFile;
    CLI::App app{"TestParam"};

    TypicalApp() {
        app.add_option("-T,--TraceLevel", traceLevel,
                       "Trace level: 0 = no, 1 = minimal, 2 = full trace output");
        app.add_option("-L,--LexiconFile", lexiconFile, "name of parameter file with lexicon")
            ->required();
        app.add_option("-G,--GrammarFile", grammarFile, "name of file with grammar")->required();
        app.add_option("--LogFile", logFile, "name of log file from ZQ-Tool");
    }

    bool parse(int argc, char** argv) { return ::parse(app, argc, argv); }
    TypicalValues values() const { return {traceLevel, lexiconFile, grammarFile, logFile}; }
};

void typical(benchmark::State& state) {
    ArgVector line = typicalLine();
    cases::buildAndParse<TypicalApp>(state, line, expectedTypicalValues(), "typical line");
}

struct MixedApp {
    MixedValues v;
    CLI::App app{"bench"};

    MixedApp() {
        app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
        app.add_flag("-a,--all", v.all, "process everything");
        app.add_flag("-b,--brief", v.brief, "short report");
        app.add_flag("-c,--color", v.color, "coloured output");
        app.add_flag("-d,--dryRun", v.dryRun, "change nothing");
        app.add_option("-T,--Level", v.level, "trace level");
        app.add_option("-j,--Threads", v.threads, "worker threads");
        app.add_option("-s,--Seed", v.seed, "random seed");
        app.add_option("-n,--Count", v.count, "repetitions");
        app.add_option("-r,--Ratio", v.ratio, "mixing ratio");
        app.add_option("-x,--Scale", v.scale, "scale factor");
        app.add_option("-w,--Weight", v.weight, "weight");
        app.add_option("-i,--Input", v.input, "input file");
        app.add_option("-o,--Output", v.output, "output file");
        app.add_option("-m,--Mode", v.mode, "mode");
        app.add_option("--LogFile", v.logFile, "log file");
        app.add_option("First", v.first, "first word");
        app.add_option("Second", v.second, "second word");
        app.add_option("Third", v.third, "third word");
        app.add_option("Fourth", v.fourth, "fourth word");
        app.add_option("Fifth", v.fifth, "fifth word");
        app.add_option("Sixth", v.sixth, "sixth word");
        app.add_option("Seventh", v.seventh, "seventh word");
    }

    bool parse(int argc, char** argv) { return ::parse(app, argc, argv); }
    const MixedValues& values() const { return v; }
};

void mixed(benchmark::State& state) {
    ArgVector line = mixedLine();
    cases::buildAndParse<MixedApp>(state, line, expectedMixedValues(), "50-word line");
}

void registerInts(CLI::App& app, std::vector<int>& values,
                  const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        app.add_option(names[i], values[i], "an int parameter");
    }
}

std::vector<std::string> optionNames(int count) {
    std::vector<std::string> names = scalingKeywords(count);
    for (std::string& name : names) name.insert(0, "--");
    return names;
}

void registering(benchmark::State& state, int count) {
    const std::vector<std::string> names = optionNames(count);
    const int sets = cases::setsPerIteration(count);
    std::vector<std::vector<int>> values(sets, std::vector<int>(count));
    std::vector<std::unique_ptr<CLI::App>> built(sets);
    for (auto _ : state) {
        for (int s = 0; s < sets; ++s) {
            built[s] = std::make_unique<CLI::App>("bench");
            registerInts(*built[s], values[s], names);
        }
        state.PauseTiming();
        for (auto& app : built) app.reset();
        state.ResumeTiming();
    }
    state.counters["per_set"] = benchmark::Counter(static_cast<double>(sets) * state.iterations(),
                                                   benchmark::Counter::kIsRate |
                                                       benchmark::Counter::kInvert);
}

void interpreting(benchmark::State& state, int count) {
    ArgVector line = scalingLine(count);
    std::vector<int> values(count);
    CLI::App app("bench");
    registerInts(app, values, optionNames(count));
    if (!parse(app, line.argc(), line.argv()) ||
        values != std::vector<int>(count, kScalingValue)) {
        return cases::refuse(state, "scaling line");
    }
    for (auto _ : state) {
        bool ok = parse(app, line.argc(), line.argv());
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(values.data());
    }
}

}  // namespace

void cases::addCli11Cases() {
    add(kTypical, kCli11, typical);
    add(kMixed, kCli11, mixed);
    for (int count : kScalingCounts) {
        add(registerWork(count), kCli11, [count](benchmark::State& s) { registering(s, count); });
    }
    for (int count : kScalingCounts) {
        add(interpretWork(count), kCli11, [count](benchmark::State& s) { interpreting(s, count); });
    }
}
