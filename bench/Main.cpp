// The benchmark program: the works, every parser on every work, then a
// summary of the ratios to the baseline and of the targets.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

#include "Bench.h"

namespace {

Work typical() {
    return {"Typical",
            {{"TraceLevel", 'T', 2, -1, true,
              "Trace level: 0 = no, 1 = minimal, 2 = full trace output"},
             {"LexiconFile", 'L', "lex.txt", -1, false, "name of parameter file with lexicon"},
             {"GrammarFile", 'G', "gram.txt", -1, false, "name of file with grammar"},
             {"LogFile", 0, "run.log", -1, true, "name of log file from ZQ-Tool"}},
            {"TestParam", "-L", "lex.txt", "-G", "gram.txt", "-T", "2", "--LogFile=run.log"}};
}

// Every form: grouped switches (-abc), a switch run ending in a value flag
// (-abT 3), attached values (-T2, -r0.75), --kw=value, --kw value, a
// negative value as the next word, every type, repeated parameters (the
// last wins) and seven positional words after "--".
Work mixed() {
    return {"Mixed50",
            {{"all", 'a', true}, {"brief", 'b', true}, {"color", 'c', true},
             {"dryRun", 'd', true}, {"Level", 'T', 5}, {"Threads", 'j', 16},
             {"Seed", 's', 7L}, {"Count", 'n', 100U}, {"Ratio", 'r', 1.5},
             {"Scale", 'x', 3.25}, {"Weight", 'w', 2.5F}, {"Input", 'i', "data/in2.txt"},
             {"Output", 'o', "out2.txt"}, {"Mode", 'm', "slow"}, {"LogFile", 0, "second.log"},
             {"First", 0, "first.txt", 1}, {"Second", 0, 42, 2}, {"Third", 0, 3.5, 3},
             {"Fourth", 0, "last-word", 4}, {"Fifth", 0, -7, 5}, {"Sixth", 0, 0.001, 6},
             {"Seventh", 0, "tail.txt", 7}},
            {"bench", "-abc", "-d", "-T2", "-j", "4", "--Seed=12345", "--Count", "17", "-r0.75",
             "--Scale=2.5e3", "--Weight", "0.125", "-iinput.txt", "-o", "output.txt",
             "--Mode=fast", "--LogFile", "run.log", "-abT", "3", "--all", "--Level=5",
             "--Threads=8", "-s", "-42", "-n9", "--Ratio", "1.5", "-x", "3.25",
             "--Input=data/in2.txt", "--Output", "out2.txt", "-mslow", "--LogFile=second.log",
             "-cd", "-w2.5", "--Count=100", "--Seed", "7", "-j16", "--brief", "--",
             "first.txt", "42", "3.5", "last-word", "-7", "0.001", "tail.txt"}};
}

// A host of five parameters a typical tool has: a number, a ratio, an output file, a switch and an
// input file.
Work five() {
    return {"Five",
            {{"lines", 'n', 20, -1, true, "how many lines"},
             {"ratio", 'r', 0.5, -1, true, "how much of each"},
             {"output", 'o', "out.txt", -1, true, "where to write"},
             {"verbose", 'v', true, -1, true, "say more"},
             {"input", 0, "in.txt", 1, false, "what to read"}},
            {"tool", "-n", "20", "-r", "0.5", "-v", "-o", "out.txt", "in.txt"}};
}

// Int definitions kw0000, kw0001, ... expecting value, and the line giving
// each of them 5.
Work scaling(int count, int value = 5) {
    Work work{std::to_string(count), {}, {"bench"}};
    for (int i = 0; i < count; ++i) {
        char keyword[16];
        std::snprintf(keyword, sizeof keyword, "kw%04d", i);
        work.table.push_back({keyword, 0, value});
        work.line.push_back("--" + std::string(keyword) + "=5");
    }
    return work;
}

// Twenty lines with every separator (blanks, tabs, =, ==, " = "), leading
// blanks, remarks after the value, comment and blank lines, a switch and
// every type; the last value of a keyword wins.
const char* const kFileBlock =
    "# a comment line\n" "TraceLevel 3\n" "TraceLevel=7\n" "Ratio = 0.25\n" "Seed\t-42\n"
    "  Count==17   remark after the value\n" "LexiconFile lexicon_a.txt\n" "\n"
    "Weight\t=\t2.5\n" "Mode fast    # a remark\n" "Verbose\n" "   \t \n" "#TraceLevel 99\n"
    "Ratio\t\t1.25e-1 trailing words\n" "Seed = 12345\n" "LexiconFile=dir/file.lex\n"
    "Count 100\n" "Weight=0.375\n" "Mode\tslow\n" "TraceLevel  9\n";

// extras: int definitions that the file never names, registered first, since
// reading must not slow down with the size of the set.
Work file(const std::string& directory, int lines, int extras = 0) {
    Work work{"File/" + std::to_string(lines) +
                  (extras > 0 ? "/plus" + std::to_string(extras) + "defs" : ""),
              scaling(extras, 0).table, {"bench"},
              directory + "/params-" + std::to_string(lines) + ".txt", lines};
    work.table.insert(work.table.end(), {{"TraceLevel", 'T', 9}, {"Seed", 's', 12345L},
                                         {"Count", 'n', 100U}, {"Ratio", 'r', 0.125},
                                         {"Weight", 'w', 0.375F}, {"Verbose", 'v', true},
                                         {"LexiconFile", 'L', "dir/file.lex"},
                                         {"Mode", 'm', "slow"}});
    std::ofstream out(work.file);
    for (int i = 0; i < lines / 20; ++i) out << kFileBlock;
    if (!out.flush()) throw std::runtime_error("cannot write " + work.file);
    return work;
}

Works makeWorks(const std::string& directory) {
    Works works{typical(), mixed(), five(), {}, {}, file(directory, 10000, 1000)};
    for (int count : {10, 100, 1000}) works.scaling.push_back(scaling(count));
    for (int lines : {1000, 10000}) works.files.push_back(file(directory, lines));
    return works;
}

// Google Benchmark's console output, keeping the median CPU seconds per
// iteration of each case (with one repetition, its only time).
struct MedianReporter : benchmark::ConsoleReporter {
    using ConsoleReporter::ConsoleReporter;
    std::map<std::string, double> seconds;

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {  // a median comes after its repetitions
            if (!run.error_occurred &&
                (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")) {
                seconds[run.run_name.function_name] =
                    run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            }
        }
    }

    // NaN when the case did not run (filtered out, stopped, not built).
    double operator()(const std::string& name, double units = 1) const {
        return seconds.count(name) != 0 ? seconds.at(name) / units : NAN;
    }
};

std::string format(const char* pattern, double value) {
    char text[32];
    std::snprintf(text, sizeof text, pattern, value);
    return std::isnan(value) ? "-" : text;
}
std::string duration(double s) {
    return s < 1e-6 ? format("%.0f ns", s * 1e9)
                    : s < 1e-3 ? format("%.2f us", s * 1e6) : format("%.2f ms", s * 1e3);
}
std::string ratio(double r) { return format(r < 10 ? "%.2fx" : "%.0fx", r); }
const char* verdict(double v, bool met) { return std::isnan(v) ? "-" : met ? "met" : "MISSED"; }

// One work: the median time per unit (set built, line parsed, file line
// read) of the library and of the baseline, the ratios to the baseline, and
// whether the library meets the target when the work has one.
void row(const MedianReporter& median, const std::string& work, double units,
         const char* target, bool (*met)(double param, double base)) {
    const double param = median(work + "/Param", units);
    const double base = std::fmin(median(work + "/getopt_long", units),  // the one that ran
                                  median(work + "/getline_strtol", units));
    std::printf("%-24s %9s %9s %7s %7s %7s %9s %s\n", work.c_str(), duration(param).c_str(),
                duration(base).c_str(), ratio(param / base).c_str(),
                ratio(median(work + "/CLI11", units) / base).c_str(),
                ratio(median(work + "/cxxopts", units) / base).c_str(), target,
                *target != '\0' ? verdict(param, met(param, base)) : "");
}

void printSummary(const MedianReporter& median, const Works& works) {
    std::puts("\nMedian CPU time per set built, line parsed or file line read; ratio = time /\n"
              "the baseline's (getopt_long; getline_strtol for files); 200 ns a line: 5 M/s\n"
              "work                         Param  baseline   ratio   CLI11 cxxopts    target");
    const auto fiveTimes = [](double param, double base) { return param <= 5 * base; };
    row(median, "Typical", 1, "<= 5x", fiveTimes);
    row(median, "Mixed50", 1, "<= 5x", fiveTimes);
    for (const Work& w : works.scaling) {
        row(median, "Interpret/" + w.name, 1, w.name == "1000" ? "<= 0.5x" : "",
            [](double param, double base) { return param <= 0.5 * base; });
    }
    for (const Work& w : works.scaling) {
        row(median, "Register/" + w.name, setsPerIteration(w.table.size()),
            w.name == "1000" ? "< 200 us" : "",
            [](double param, double) { return param < 200e-6; });
    }
    double fastest = NAN, slowest = NAN;  // per line; fmin and fmax pass over NaN
    for (const Work* w : {&works.files[0], &works.files[1], &works.fileWithExtras}) {
        row(median, w->name, w->lines, "<= 200 ns",
            [](double param, double) { return param <= 200e-9; });
        fastest = std::fmin(fastest, median(w->name + "/Param", w->lines));
        slowest = std::fmax(slowest, median(w->name + "/Param", w->lines));
    }
    const double spread = slowest / fastest;
    std::printf("%-24s %9s %43s %s\n", "slowest / fastest", format("%.2f", spread).c_str(),
                "<= 1.20", verdict(spread, spread <= 1.2));
    const double newToClassic = median("Five/Command") / median("Five/Param");
    std::printf("%-24s %9s %43s %s\n", "Five: Command / Param", format("%.2f", newToClassic).c_str(), "<= 1.50",
                verdict(newToClassic, newToClassic <= 1.5));
    const double strictToStream = median("Convert/strict") / median("Convert/stream");
    std::printf("%-24s %9s %43s %s\n", "strict / stream convert", format("%.2f", strictToStream).c_str(),
                "<= 1.00", verdict(strictToStream, strictToStream <= 1.0));
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::string directory = std::filesystem::temp_directory_path() / "param-bench-XXXXXX";
    if (mkdtemp(directory.data()) == nullptr) return std::perror("param_bench: mkdtemp"), 1;
    const Works works = makeWorks(directory);
    addParamCases(works);
    addCommandCases(works);
    addBaselineCases(works);
#ifdef PARAM_BENCH_HAVE_CLI11
    addCli11Cases(works);
#endif
#ifdef PARAM_BENCH_HAVE_CXXOPTS
    addCxxoptsCases(works);
#endif
    MedianReporter reporter(MedianReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printSummary(reporter, works);
    std::filesystem::remove_all(directory);
    benchmark::Shutdown();
}
