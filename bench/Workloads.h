// The work every parser in the benchmark does: the command lines, the
// parameter files and the values each of them must leave behind. Every
// parser is checked against these values once before it is timed, so that
// all of them are known to do the same work.
#ifndef PARAM_BENCH_WORKLOADS_H
#define PARAM_BENCH_WORKLOADS_H

#include <string>
#include <vector>

// An argument vector as a program receives it: the words, and the array of
// pointers to them that ends with a null pointer.
class ArgVector {
public:
    explicit ArgVector(std::vector<std::string> words);
    // Moving keeps the words where they are, so the pointers stay valid;
    // a copy would not.
    ArgVector(ArgVector&&) = default;
    ArgVector& operator=(ArgVector&&) = default;
    ArgVector(const ArgVector&) = delete;
    ArgVector& operator=(const ArgVector&) = delete;

    int argc() const { return static_cast<int>(words.size()); }
    char** argv() { return pointers.data(); }

private:
    std::vector<std::string> words;
    std::vector<char*> pointers;
};

// --- The demonstration program's command line ----------------------------

ArgVector typicalLine();

struct TypicalValues {
    int traceLevel = 0;
    std::string lexiconFile;
    std::string grammarFile;
    std::string logFile;

    bool operator==(const TypicalValues& other) const;
};

TypicalValues expectedTypicalValues();

// --- The 50-word command line ---------------------------------------------
// Switches a, b, c, d (all, brief, color, dryRun); value flags T (Level,
// int), j (Threads, int), s (Seed, long), n (Count, unsigned), r (Ratio,
// double), x (Scale, double), w (Weight, float), i (Input), o (Output),
// m (Mode); the keyword-only LogFile; seven positional words after "--".

ArgVector mixedLine();

struct MixedValues {
    bool all = false;
    bool brief = false;
    bool color = false;
    bool dryRun = false;
    int level = 0;
    int threads = 0;
    long seed = 0;
    unsigned count = 0;
    double ratio = 0;
    double scale = 0;
    float weight = 0;
    std::string input;
    std::string output;
    std::string mode;
    std::string logFile;
    std::string first;   // positional 1
    int second = 0;      // positional 2
    double third = 0;    // positional 3
    std::string fourth;  // positional 4
    int fifth = 0;       // positional 5
    double sixth = 0;    // positional 6
    std::string seventh; // positional 7

    bool operator==(const MixedValues& other) const;
};

MixedValues expectedMixedValues();

// --- Scaling: N int definitions, each given once as --kwNNNN=5 --------------

std::vector<std::string> scalingKeywords(int count);
ArgVector scalingLine(int count);
constexpr int kScalingValue = 5;

// --- Parameter files ------------------------------------------------------
// Keywords: TraceLevel (int), Seed (long), Count (unsigned), Ratio
// (double), Weight (float), LexiconFile and Mode (strings), Verbose (a
// switch). Lines use every separator form, comments, blank lines and
// remarks after the value.

struct FileValues {
    int traceLevel = 0;
    long seed = 0;
    unsigned count = 0;
    double ratio = 0;
    float weight = 0;
    std::string lexiconFile;
    std::string mode;
    bool verbose = false;

    bool operator==(const FileValues& other) const;
};

// Writes a file of exactly lineCount lines and returns the values that
// reading it must leave (the last value of each keyword wins).
FileValues writeParameterFile(const std::string& path, int lineCount);

#endif
