// The library's cases: each builds its parameter set the way a host does.
#include <memory>
#include <string>
#include <vector>

#include "Cases.h"
#include "Param.h"

namespace {

std::string text(const char* value) { return value != nullptr ? value : ""; }

// The demonstration program's four definitions, registered as it does.
struct TypicalSet {
    int traceLevel = -1;
    char* lexiconFile = nullptr;
    char* grammarFile = nullptr;
    char* logFile = nullptr;
    CParam param;

    TypicalSet() {
        param.AddParamDef("TraceLevel", 'T', &traceLevel, 0,
                          "Trace level: 0 = no, 1 = minimal, 2 = full trace output", true, "n",
                          -1);
        param.AddParamDef("LexiconFile", 'L', &lexiconFile, "Lexicon",
                          "name of parameter file with lexicon", false, "s", -1);
        param.AddParamDef("GrammarFile", 'G', &grammarFile, "Grammar",
                          "name of file with grammar", false, "s", -1);
        param.AddParamDef("LogFile", 0, &logFile, nullptr, "name of log file from ZQ-Tool", true,
                          "s", -1);
    }

    bool parse(int argc, char** argv) { return param.Interpret(argv, argc) == CParam::OK; }
    TypicalValues values() const {
        return {traceLevel, text(lexiconFile), text(grammarFile), text(logFile)};
    }
};

void typical(benchmark::State& state) {
    ArgVector line = typicalLine();
    cases::buildAndParse<TypicalSet>(state, line, expectedTypicalValues(), "typical line");
}

// The 22 definitions of the 50-word line.
struct MixedSet {
    bool all, brief, color, dryRun;
    int level, threads;
    long seed;
    unsigned count;
    double ratio, scale;
    float weight;
    char *input, *output, *mode, *logFile;
    char* first;
    int second;
    double third;
    char* fourth;
    int fifth;
    double sixth;
    char* seventh;
    CParam param;

    MixedSet() {
        param.AddParamDef("all", 'a', &all, false, "process everything", true, "", -1);
        param.AddParamDef("brief", 'b', &brief, false, "short report", true, "", -1);
        param.AddParamDef("color", 'c', &color, false, "coloured output", true, "", -1);
        param.AddParamDef("dryRun", 'd', &dryRun, false, "change nothing", true, "", -1);
        param.AddParamDef("Level", 'T', &level, 0, "trace level", true, "n", -1);
        param.AddParamDef("Threads", 'j', &threads, 1, "worker threads", true, "n", -1);
        param.AddParamDef("Seed", 's', &seed, 0L, "random seed", true, "n", -1);
        param.AddParamDef("Count", 'n', &count, 1U, "repetitions", true, "n", -1);
        param.AddParamDef("Ratio", 'r', &ratio, 0.5, "mixing ratio", true, "x", -1);
        param.AddParamDef("Scale", 'x', &scale, 1.0, "scale factor", true, "x", -1);
        param.AddParamDef("Weight", 'w', &weight, 1.0f, "weight", true, "x", -1);
        param.AddParamDef("Input", 'i', &input, "in.txt", "input file", true, "file", -1);
        param.AddParamDef("Output", 'o', &output, "out.txt", "output file", true, "file", -1);
        param.AddParamDef("Mode", 'm', &mode, "normal", "mode", true, "s", -1);
        param.AddParamDef("LogFile", 0, &logFile, nullptr, "log file", true, "file", -1);
        param.AddParamDef("First", 0, &first, nullptr, "first word", true, "first", 1);
        param.AddParamDef("Second", 0, &second, 0, "second word", true, "second", 2);
        param.AddParamDef("Third", 0, &third, 0.0, "third word", true, "third", 3);
        param.AddParamDef("Fourth", 0, &fourth, nullptr, "fourth word", true, "fourth", 4);
        param.AddParamDef("Fifth", 0, &fifth, 0, "fifth word", true, "fifth", 5);
        param.AddParamDef("Sixth", 0, &sixth, 0.0, "sixth word", true, "sixth", 6);
        param.AddParamDef("Seventh", 0, &seventh, nullptr, "seventh word", true, "seventh", 7);
    }

    bool parse(int argc, char** argv) { return param.Interpret(argv, argc) == CParam::OK; }
    MixedValues values() const {
        MixedValues v;
        v.all = all, v.brief = brief, v.color = color, v.dryRun = dryRun;
        v.level = level, v.threads = threads, v.seed = seed, v.count = count;
        v.ratio = ratio, v.scale = scale, v.weight = weight;
        v.input = text(input), v.output = text(output), v.mode = text(mode);
        v.logFile = text(logFile);
        v.first = text(first), v.second = second, v.third = third, v.fourth = text(fourth);
        v.fifth = fifth, v.sixth = sixth, v.seventh = text(seventh);
        return v;
    }
};

void mixed(benchmark::State& state) {
    ArgVector line = mixedLine();
    cases::buildAndParse<MixedSet>(state, line, expectedMixedValues(), "50-word line");
}

// Returns how many of the definitions were accepted.
int registerInts(CParam& param, std::vector<int>& values,
                 const std::vector<std::string>& keywords) {
    int accepted = 0;
    for (std::size_t i = 0; i < keywords.size(); ++i) {
        accepted += param.AddParamDef(keywords[i].c_str(), 0, &values[i], 0, "an int parameter",
                                      true, "n", -1);
    }
    return accepted;
}

void registering(benchmark::State& state, int count) {
    const std::vector<std::string> keywords = scalingKeywords(count);
    const int sets = cases::setsPerIteration(count);
    std::vector<std::vector<int>> values(sets, std::vector<int>(count));
    std::vector<std::unique_ptr<CParam>> built(sets);
    {
        CParam param;
        if (registerInts(param, values[0], keywords) != count) {
            return cases::refuse(state, "registration");
        }
    }
    for (auto _ : state) {
        for (int s = 0; s < sets; ++s) {
            built[s] = std::make_unique<CParam>();
            registerInts(*built[s], values[s], keywords);
        }
        state.PauseTiming();
        for (auto& param : built) param.reset();
        state.ResumeTiming();
    }
    state.counters["per_set"] = benchmark::Counter(static_cast<double>(sets) * state.iterations(),
                                                   benchmark::Counter::kIsRate |
                                                       benchmark::Counter::kInvert);
}

void interpreting(benchmark::State& state, int count) {
    const std::vector<std::string> keywords = scalingKeywords(count);
    ArgVector line = scalingLine(count);
    std::vector<int> values(count);
    CParam param;
    registerInts(param, values, keywords);
    if (param.Interpret(line.argv(), line.argc()) != CParam::OK ||
        values != std::vector<int>(count, kScalingValue)) {
        return cases::refuse(state, "scaling line");
    }
    for (auto _ : state) {
        int result = param.Interpret(line.argv(), line.argc());
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(values.data());
    }
}

// The parameter file's definitions, after extraDefinitions int definitions
// that the file never names (registered first, so that a walk of the list
// would have to pass them all).
struct FileSet {
    std::vector<int> extras;
    int traceLevel;
    long seed;
    unsigned count;
    double ratio;
    float weight;
    char* lexiconFile;
    char* mode;
    bool verbose;
    CParam param;

    explicit FileSet(int extraDefinitions) : extras(extraDefinitions) {
        std::vector<std::string> keywords = scalingKeywords(extraDefinitions);
        registerInts(param, extras, keywords);
        param.AddParamDef("TraceLevel", 'T', &traceLevel, 0, "trace level", true, "n", -1);
        param.AddParamDef("Seed", 's', &seed, 0L, "random seed", true, "n", -1);
        param.AddParamDef("Count", 'n', &count, 0U, "repetitions", true, "n", -1);
        param.AddParamDef("Ratio", 'r', &ratio, 0.0, "mixing ratio", true, "x", -1);
        param.AddParamDef("Weight", 'w', &weight, 0.0f, "weight", true, "x", -1);
        param.AddParamDef("LexiconFile", 'L', &lexiconFile, nullptr, "lexicon", true, "file",
                          -1);
        param.AddParamDef("Mode", 'm', &mode, nullptr, "mode", true, "s", -1);
        param.AddParamDef("Verbose", 'v', &verbose, false, "verbose", true, "", -1);
    }

    FileValues values() const {
        FileValues v;
        v.traceLevel = traceLevel, v.seed = seed, v.count = count, v.ratio = ratio;
        v.weight = weight, v.lexiconFile = text(lexiconFile), v.mode = text(mode);
        v.verbose = verbose;
        return v;
    }
};

void readingFile(benchmark::State& state, const cases::ParameterFile& file, int extras) {
    FileSet set(extras);
    if (set.param.read_parameter_file(file.path.c_str()) != CParam::OK ||
        !(set.values() == file.expected)) {
        return cases::refuse(state, "parameter file");
    }
    for (auto _ : state) {
        int result = set.param.read_parameter_file(file.path.c_str());
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations() * file.lines);
}

}  // namespace

void cases::addParamCases(const Inputs& inputs) {
    add(kTypical, kParam, typical);
    add(kMixed, kParam, mixed);
    for (int count : kScalingCounts) {
        add(registerWork(count), kParam, [count](benchmark::State& s) { registering(s, count); });
    }
    for (int count : kScalingCounts) {
        add(interpretWork(count), kParam, [count](benchmark::State& s) { interpreting(s, count); });
    }
    for (const ParameterFile& file : inputs.files) {
        add(fileWork(file.lines, 0), kParam,
            [&file](benchmark::State& s) { readingFile(s, file, 0); });
    }
    const ParameterFile& longest = inputs.files.back();
    add(fileWork(longest.lines, kExtraDefinitions), kParam, [&longest](benchmark::State& s) {
        readingFile(s, longest, kExtraDefinitions);
    });
}
