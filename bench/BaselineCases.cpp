// The baseline: what a C programmer writes by hand. Command lines through
// glibc's getopt_long with strtol/strtod/strdup; parameter files through a
// getline + strtol loop with a small keyword table.
#include <getopt.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Cases.h"

namespace {

// --- Conversions: the whole text must be a number in range ---------------

bool toLong(const char* text, long& out) {
    char* end;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0) return false;
    out = value;
    return true;
}

bool toInt(const char* text, int& out) {
    long value;
    if (!toLong(text, value) || value < INT_MIN || value > INT_MAX) return false;
    out = static_cast<int>(value);
    return true;
}

bool toUnsigned(const char* text, unsigned& out) {
    char* end;
    errno = 0;
    const unsigned long value = std::strtoul(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || value > UINT_MAX ||
        std::strchr(text, '-') != nullptr) {
        return false;
    }
    out = static_cast<unsigned>(value);
    return true;
}

bool toDouble(const char* text, double& out) {
    char* end;
    errno = 0;
    const double value = std::strtod(text, &end);
    if (end == text || *end != '\0' || errno != 0) return false;
    out = value;
    return true;
}

bool toFloat(const char* text, float& out) {
    char* end;
    errno = 0;
    const float value = std::strtof(text, &end);
    if (end == text || *end != '\0' || errno != 0) return false;
    out = value;
    return true;
}

// A string option owns its latest copy, as the library's string definitions do.
struct OwnedText {
    char* text = nullptr;
    OwnedText() = default;
    OwnedText(const OwnedText&) = delete;
    OwnedText& operator=(const OwnedText&) = delete;
    ~OwnedText() { std::free(text); }
    bool set(const char* value) {
        std::free(text);
        text = strdup(value);
        return text != nullptr;
    }
    std::string str() const { return text != nullptr ? text : ""; }
};

// getopt_long keeps its state in globals; 0 makes glibc start afresh. The
// leading "+" in every option string stops at the first positional word, so
// the vector is never permuted.
void restartGetopt() {
    optind = 0;
    opterr = 0;
}

// --- The demonstration program's line --------------------------------------

constexpr int kLogFile = 256;

const option kTypicalOptions[] = {{"TraceLevel", required_argument, nullptr, 'T'},
                                  {"LexiconFile", required_argument, nullptr, 'L'},
                                  {"GrammarFile", required_argument, nullptr, 'G'},
                                  {"LogFile", required_argument, nullptr, kLogFile},
                                  {nullptr, 0, nullptr, 0}};

struct TypicalOptions {
    int traceLevel = 0;
    OwnedText lexiconFile, grammarFile, logFile;

    bool parse(int argc, char** argv) {
        restartGetopt();
        for (int c; (c = getopt_long(argc, argv, "+T:L:G:", kTypicalOptions, nullptr)) != -1;) {
            bool ok = false;
            switch (c) {
                case 'T': ok = toInt(optarg, traceLevel); break;
                case 'L': ok = lexiconFile.set(optarg); break;
                case 'G': ok = grammarFile.set(optarg); break;
                case kLogFile: ok = logFile.set(optarg); break;
                default: break;
            }
            if (!ok) return false;
        }
        return optind == argc && lexiconFile.text != nullptr && grammarFile.text != nullptr;
    }

    TypicalValues values() const {
        return {traceLevel, lexiconFile.str(), grammarFile.str(), logFile.str()};
    }
};

void typical(benchmark::State& state) {
    ArgVector line = typicalLine();
    cases::buildAndParse<TypicalOptions>(state, line, expectedTypicalValues(), "typical line");
}

// --- The 50-word line ------------------------------------------------------

const option kMixedOptions[] = {{"all", no_argument, nullptr, 'a'},
                                {"brief", no_argument, nullptr, 'b'},
                                {"color", no_argument, nullptr, 'c'},
                                {"dryRun", no_argument, nullptr, 'd'},
                                {"Level", required_argument, nullptr, 'T'},
                                {"Threads", required_argument, nullptr, 'j'},
                                {"Seed", required_argument, nullptr, 's'},
                                {"Count", required_argument, nullptr, 'n'},
                                {"Ratio", required_argument, nullptr, 'r'},
                                {"Scale", required_argument, nullptr, 'x'},
                                {"Weight", required_argument, nullptr, 'w'},
                                {"Input", required_argument, nullptr, 'i'},
                                {"Output", required_argument, nullptr, 'o'},
                                {"Mode", required_argument, nullptr, 'm'},
                                {"LogFile", required_argument, nullptr, kLogFile},
                                {nullptr, 0, nullptr, 0}};

struct MixedOptions {
    MixedValues v;  // numbers and switches; strings below
    OwnedText input, output, mode, logFile, first, fourth, seventh;

    bool option(int c) {
        switch (c) {
            case 'a': return v.all = true;
            case 'b': return v.brief = true;
            case 'c': return v.color = true;
            case 'd': return v.dryRun = true;
            case 'T': return toInt(optarg, v.level);
            case 'j': return toInt(optarg, v.threads);
            case 's': return toLong(optarg, v.seed);
            case 'n': return toUnsigned(optarg, v.count);
            case 'r': return toDouble(optarg, v.ratio);
            case 'x': return toDouble(optarg, v.scale);
            case 'w': return toFloat(optarg, v.weight);
            case 'i': return input.set(optarg);
            case 'o': return output.set(optarg);
            case 'm': return mode.set(optarg);
            case kLogFile: return logFile.set(optarg);
            default: return false;
        }
    }

    bool positional(int position, const char* word) {
        switch (position) {
            case 1: return first.set(word);
            case 2: return toInt(word, v.second);
            case 3: return toDouble(word, v.third);
            case 4: return fourth.set(word);
            case 5: return toInt(word, v.fifth);
            case 6: return toDouble(word, v.sixth);
            case 7: return seventh.set(word);
            default: return false;
        }
    }

    bool parse(int argc, char** argv) {
        restartGetopt();
        const char* const shortOptions = "+abcdT:j:s:n:r:x:w:i:o:m:";
        for (int c; (c = getopt_long(argc, argv, shortOptions, kMixedOptions, nullptr)) != -1;) {
            if (!option(c)) return false;
        }
        for (int i = optind; i < argc; ++i) {
            if (!positional(i - optind + 1, argv[i])) return false;
        }
        return true;
    }

    MixedValues values() const {
        MixedValues all = v;
        all.input = input.str(), all.output = output.str(), all.mode = mode.str();
        all.logFile = logFile.str(), all.first = first.str(), all.fourth = fourth.str();
        all.seventh = seventh.str();
        return all;
    }
};

void mixed(benchmark::State& state) {
    ArgVector line = mixedLine();
    cases::buildAndParse<MixedOptions>(state, line, expectedMixedValues(), "50-word line");
}

// --- Scaling ----------------------------------------------------------------

std::vector<option> intOptions(const std::vector<std::string>& keywords) {
    std::vector<option> options;
    options.reserve(keywords.size() + 1);
    for (const std::string& keyword : keywords) {
        options.push_back({keyword.c_str(), required_argument, nullptr, 0});
    }
    options.push_back({nullptr, 0, nullptr, 0});
    return options;
}

bool parseInts(int argc, char** argv, const option* options, std::vector<int>& values) {
    restartGetopt();
    int index = 0;
    for (int c; (c = getopt_long(argc, argv, "+", options, &index)) != -1;) {
        if (c != 0 || !toInt(optarg, values[index])) return false;
    }
    return optind == argc;
}

void registering(benchmark::State& state, int count) {
    const std::vector<std::string> keywords = scalingKeywords(count);
    const int sets = cases::setsPerIteration(count);
    std::vector<std::vector<option>> built(sets);
    for (auto _ : state) {
        for (auto& options : built) options = intOptions(keywords);
        state.PauseTiming();
        for (auto& options : built) std::vector<option>().swap(options);
        state.ResumeTiming();
    }
    state.counters["per_set"] = benchmark::Counter(static_cast<double>(sets) * state.iterations(),
                                                   benchmark::Counter::kIsRate |
                                                       benchmark::Counter::kInvert);
}

void interpreting(benchmark::State& state, int count) {
    const std::vector<std::string> keywords = scalingKeywords(count);  // options point into them
    const std::vector<option> options = intOptions(keywords);
    ArgVector line = scalingLine(count);
    std::vector<int> values(count);
    if (!parseInts(line.argc(), line.argv(), options.data(), values) ||
        values != std::vector<int>(count, kScalingValue)) {
        return cases::refuse(state, "scaling line");
    }
    for (auto _ : state) {
        bool ok = parseInts(line.argc(), line.argv(), options.data(), values);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(values.data());
    }
}

// --- Parameter files ----------------------------------------------------------

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isSeparator(char c) { return isBlank(c) || c == '='; }

// Cuts the line in place into keyword and value, by the file format's rules.
void split(char* line, char*& keyword, char*& value) {
    while (isBlank(*line)) ++line;
    keyword = line;
    char* end = *line != '\0' ? line + 1 : line;
    while (*end != '\0' && !isSeparator(*end)) ++end;
    value = end;
    if (*end == '\0') return;
    *end++ = '\0';
    while (isSeparator(*end)) ++end;
    value = end;
    while (*end != '\0' && !isBlank(*end)) ++end;
    *end = '\0';
}

struct FileOptions {
    FileValues v;  // numbers and the switch; strings below
    OwnedText lexiconFile, mode;

    bool take(const char* keyword, const char* value) {
        if (std::strcmp(keyword, "TraceLevel") == 0) return toInt(value, v.traceLevel);
        if (std::strcmp(keyword, "Seed") == 0) return toLong(value, v.seed);
        if (std::strcmp(keyword, "Count") == 0) return toUnsigned(value, v.count);
        if (std::strcmp(keyword, "Ratio") == 0) return toDouble(value, v.ratio);
        if (std::strcmp(keyword, "Weight") == 0) return toFloat(value, v.weight);
        if (std::strcmp(keyword, "LexiconFile") == 0) return lexiconFile.set(value);
        if (std::strcmp(keyword, "Mode") == 0) return mode.set(value);
        if (std::strcmp(keyword, "Verbose") == 0) return v.verbose = true;
        return false;
    }

    bool read(const char* path) {
        FILE* file = std::fopen(path, "r");
        if (file == nullptr) return false;
        char* line = nullptr;
        std::size_t capacity = 0;
        bool ok = true;
        for (ssize_t length; ok && (length = getline(&line, &capacity, file)) != -1;) {
            while (length > 0 && (line[length - 1] == '\n' || line[length - 1] == '\r')) {
                line[--length] = '\0';
            }
            if (line[0] == '#') continue;
            char *keyword, *value;
            split(line, keyword, value);
            if (*keyword != '\0') ok = take(keyword, value);
        }
        std::free(line);
        std::fclose(file);
        return ok;
    }

    FileValues values() const {
        FileValues all = v;
        all.lexiconFile = lexiconFile.str(), all.mode = mode.str();
        return all;
    }
};

void readingFile(benchmark::State& state, const cases::ParameterFile& file) {
    FileOptions options;
    if (!options.read(file.path.c_str()) || !(options.values() == file.expected)) {
        return cases::refuse(state, "parameter file");
    }
    for (auto _ : state) {
        bool ok = options.read(file.path.c_str());
        benchmark::DoNotOptimize(ok);
    }
    state.SetItemsProcessed(state.iterations() * file.lines);
}

}  // namespace

void cases::addBaselineCases(const Inputs& inputs) {
    add(kTypical, kGetopt, typical);
    add(kMixed, kGetopt, mixed);
    for (int count : kScalingCounts) {
        add(registerWork(count), kGetopt, [count](benchmark::State& s) { registering(s, count); });
    }
    for (int count : kScalingCounts) {
        add(interpretWork(count), kGetopt,
            [count](benchmark::State& s) { interpreting(s, count); });
    }
    for (const ParameterFile& file : inputs.files) {
        add(fileWork(file.lines, 0), kGetlineStrtol,
            [&file](benchmark::State& s) { readingFile(s, file); });
    }
}
