#include "Workloads.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <utility>

ArgVector::ArgVector(std::vector<std::string> words_) : words(std::move(words_)) {
    for (std::string& word : words) pointers.push_back(word.data());
    pointers.push_back(nullptr);
}

// ---------------------------------------------------------------------------

ArgVector typicalLine() {
    return ArgVector({"TestParam", "-L", "lex.txt", "-G", "gram.txt", "-T", "2",
                      "--LogFile=run.log"});
}

bool TypicalValues::operator==(const TypicalValues& other) const {
    return traceLevel == other.traceLevel && lexiconFile == other.lexiconFile &&
           grammarFile == other.grammarFile && logFile == other.logFile;
}

TypicalValues expectedTypicalValues() { return {2, "lex.txt", "gram.txt", "run.log"}; }

// ---------------------------------------------------------------------------

ArgVector mixedLine() {
    std::vector<std::string> words = {
        "bench",
        "-abc", "-d", "-T2", "-j", "4", "--Seed=12345", "--Count", "17", "-r0.75",
        "--Scale=2.5e3", "--Weight", "0.125", "-iinput.txt", "-o", "output.txt",
        "--Mode=fast", "--LogFile", "run.log", "-abT", "3", "--all", "--Level=5",
        "--Threads=8", "-s", "-42", "-n9", "--Ratio", "1.5", "-x", "3.25",
        "--Input=data/in2.txt", "--Output", "out2.txt", "-mslow", "--LogFile=second.log",
        "-cd", "-w2.5", "--Count=100", "--Seed", "7", "-j16", "--brief",
        "--", "first.txt", "42", "3.5", "last-word", "-7", "0.001", "tail.txt"};
    if (words.size() != 51) throw std::logic_error("the mixed line must have 50 words");
    return ArgVector(std::move(words));
}

bool MixedValues::operator==(const MixedValues& o) const {
    return all == o.all && brief == o.brief && color == o.color && dryRun == o.dryRun &&
           level == o.level && threads == o.threads && seed == o.seed && count == o.count &&
           ratio == o.ratio && scale == o.scale && weight == o.weight && input == o.input &&
           output == o.output && mode == o.mode && logFile == o.logFile && first == o.first &&
           second == o.second && third == o.third && fourth == o.fourth && fifth == o.fifth &&
           sixth == o.sixth && seventh == o.seventh;
}

MixedValues expectedMixedValues() {
    MixedValues v;
    v.all = v.brief = v.color = v.dryRun = true;
    v.level = 5;
    v.threads = 16;
    v.seed = 7;
    v.count = 100;
    v.ratio = 1.5;
    v.scale = 3.25;
    v.weight = 2.5f;
    v.input = "data/in2.txt";
    v.output = "out2.txt";
    v.mode = "slow";
    v.logFile = "second.log";
    v.first = "first.txt";
    v.second = 42;
    v.third = 3.5;
    v.fourth = "last-word";
    v.fifth = -7;
    v.sixth = 0.001;
    v.seventh = "tail.txt";
    return v;
}

// ---------------------------------------------------------------------------

std::vector<std::string> scalingKeywords(int count) {
    std::vector<std::string> keywords;
    for (int i = 0; i < count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "kw%04d", i);
        keywords.emplace_back(name);
    }
    return keywords;
}

ArgVector scalingLine(int count) {
    std::vector<std::string> words = {"bench"};
    for (const std::string& keyword : scalingKeywords(count)) {
        words.push_back("--" + keyword + "=" + std::to_string(kScalingValue));
    }
    return ArgVector(std::move(words));
}

// ---------------------------------------------------------------------------

bool FileValues::operator==(const FileValues& o) const {
    return traceLevel == o.traceLevel && seed == o.seed && count == o.count &&
           ratio == o.ratio && weight == o.weight && lexiconFile == o.lexiconFile &&
           mode == o.mode && verbose == o.verbose;
}

namespace {

// Line number n of a parameter file, updating the values it leaves.
std::string fileLine(int n, FileValues& values) {
    const std::string i = std::to_string(n);
    switch (n % 16) {
        case 0: return "# comment line " + i;
        case 1: values.traceLevel = n; return "TraceLevel " + i;
        case 2: values.traceLevel = n; return "TraceLevel=" + i;
        case 3:
            values.ratio = std::strtod(("0." + i).c_str(), nullptr);
            return "Ratio = 0." + i;
        case 4: values.seed = -n; return "Seed\t-" + i;
        case 5:
            values.count = static_cast<unsigned>(n);
            return "  Count==" + i + "   remark after the value";
        case 6:
            values.lexiconFile = "lexicon_" + i + ".txt";
            return "LexiconFile " + values.lexiconFile;
        case 7: return "";
        case 8:
            values.weight = std::strtof((i + ".5").c_str(), nullptr);
            return "Weight\t=\t" + i + ".5";
        case 9: values.mode = "mode_" + i; return "Mode " + values.mode + "    # a remark";
        case 10: values.verbose = true; return "Verbose";
        case 11: return "   \t ";
        case 12: return "#TraceLevel 99";
        case 13:
            values.ratio = std::strtod((i + ".25e-1").c_str(), nullptr);
            return "Ratio\t\t" + i + ".25e-1 trailing words";
        case 14: values.seed = n; return "Seed = " + i;
        default:
            values.lexiconFile = "dir/file_" + i + ".lex";
            return "LexiconFile=" + values.lexiconFile;
    }
}

}  // namespace

FileValues writeParameterFile(const std::string& path, int lineCount) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    FileValues values;
    for (int n = 0; n < lineCount; ++n) out << fileLine(n, values) << '\n';
    if (!out.flush()) throw std::runtime_error("cannot write " + path);
    return values;
}
