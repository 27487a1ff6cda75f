// The benchmark program: the library against a getopt_long baseline (and
// CLI11 and cxxopts when they were found at build time) on the same work,
// followed by a summary of the ratios and the targets.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "Cases.h"
#include "Summary.h"

// ---------------------------------------------------------------------------
// Case registration

std::string cases::fileWork(int lines, int extraDefinitions) {
    std::string work = "File/" + std::to_string(lines);
    if (extraDefinitions > 0) work += "/plus" + std::to_string(extraDefinitions) + "defs";
    return work;
}

void cases::add(const std::string& work, const std::string& parser,
                std::function<void(benchmark::State&)> body) {
    benchmark::RegisterBenchmark((work + "/" + parser).c_str(), std::move(body))
        ->Unit(benchmark::kMicrosecond);
}

void cases::refuse(benchmark::State& state, const std::string& what) {
    state.SkipWithError((what + ": the parser did not leave the expected values").c_str());
}

namespace {

// A private directory for the parameter files, removed with its files.
class TempDir {
public:
    TempDir() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base != nullptr && *base ? base : "/tmp") +
                              "/param-bench-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("param_bench: cannot create a temporary directory");
            std::exit(1);
        }
        path = pattern;
    }
    ~TempDir() {
        for (const std::string& file : files) std::remove(file.c_str());
        rmdir(path.c_str());
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) {
        files.push_back(path + "/" + name);
        return files.back();
    }

private:
    std::string path;
    std::vector<std::string> files;
};

std::string firstLine(const char* path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

std::string loadAverage() {
    const std::string line = firstLine("/proc/loadavg");
    // "0.52 0.58 0.59 1/467 12345": the three averages.
    std::size_t end = 0;
    for (int field = 0; field < 3 && end != std::string::npos; ++field) {
        end = line.find(' ', end + (field > 0 ? 1 : 0));
    }
    return line.substr(0, end);
}

std::string cpuModel() {
    std::ifstream in("/proc/cpuinfo");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
    }
    return "unknown";
}

void describeMachine() {
#ifdef __clang__
    const char* compiler = "clang++ " __clang_version__;
#else
    const char* compiler = "g++ " __VERSION__;
#endif
    std::cout << "Machine: " << sysconf(_SC_NPROCESSORS_ONLN) << " CPUs, " << cpuModel()
              << "; compiler: " << compiler << "\n";
#ifdef PARAM_BENCH_HAVE_CLI11
    std::cout << "CLI11: measured.\n";
#else
    std::cout << "CLI11: not measured (libcli11-dev was not found when this was built).\n";
#endif
#ifdef PARAM_BENCH_HAVE_CXXOPTS
    std::cout << "cxxopts: measured.\n";
#else
    std::cout << "cxxopts: not measured (libcxxopts-dev was not found when this was built).\n";
#endif
    std::cout << std::flush;
}

benchmark::ConsoleReporter::OutputOptions consoleOptions() {
    return isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_ColorTabular
                                 : benchmark::ConsoleReporter::OO_Tabular;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    TempDir directory;
    cases::Inputs inputs;
    for (int lines : cases::kFileLines) {
        const std::string path = directory.file("params-" + std::to_string(lines) + ".txt");
        inputs.files.push_back({path, lines, writeParameterFile(path, lines)});
    }
    cases::addParamCases(inputs);
    cases::addBaselineCases(inputs);
#ifdef PARAM_BENCH_HAVE_CLI11
    cases::addCli11Cases();
#endif
#ifdef PARAM_BENCH_HAVE_CXXOPTS
    cases::addCxxoptsCases();
#endif

    describeMachine();
    const std::string loadBefore = loadAverage();
    RecordingReporter reporter(consoleOptions());
    benchmark::RunSpecifiedBenchmarks(&reporter);
    writeSummary(std::cout, reporter, loadBefore, loadAverage());
    benchmark::Shutdown();
    return 0;
}
