// Helpers shared by the tests: argument vectors, temporary parameter files,
// captured standard error, exact-text death tests, and the parameter sets
// that several groups of tests run against.
#ifndef PARAM_TESTS_TESTSUPPORT_H
#define PARAM_TESTS_TESTSUPPORT_H

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "Param.h"

// Expects statement to end the process with status -1 (255 as the shell sees
// it) after writing exactly text, and nothing else, to standard error.
#define EXPECT_ENDS_PROCESS(statement, text) \
    EXPECT_EXIT(statement, testing::ExitedWithCode(255), exactRegex(text))

// A mutable argument vector, argv[0] included, as a program's main gets it.
class Args {
public:
    Args(std::initializer_list<const char*> words) : Args(std::vector<const char*>(words)) {}
    explicit Args(const std::vector<const char*>& words);
    char** argv() { return pointers.data(); }
    int argc() const { return static_cast<int>(words.size()); }

private:
    std::vector<std::string> words;
    std::vector<char*> pointers;
};

// Creates a file with the given content in the test program's temporary
// folder (removed when the program ends) and returns its path.
std::string writeTempFile(const std::string& name, const std::string& content);
std::string tempDir();

// Runs body and returns what it wrote to standard error.
std::string stderrOf(const std::function<void()>& body);

// A regular expression (POSIX extended, as death tests use) that matches
// exactly the given text, from its first character to its last.
std::string exactRegex(const std::string& text);

// The lines that close every problem message.
std::string helpHint(const std::string& program);

// A set whose counters and lists the tests may read.
class InspectableParam : public CParam {
public:
    using CParam::definitionCount;
    using CParam::firstElement;
    using CParam::kwlessCount;
    using CParam::lastElement;

    int listLength() const;
    std::vector<std::string> filesRead() const;  // newest first
};

// The demonstration program's four parameters, registered on set in its order.
struct DemoParameters {
    explicit DemoParameters(CParam& set);

    int traceLevel = -1;
    char* lexicon = nullptr;
    char* grammar = nullptr;
    char* log = nullptr;
};

// A host's own definition class: it records every value handed to it (an
// absent one as null) and refuses an absent value and the text "bad"; as a
// switch it refuses everything, the empty text included.
class HostDef : public CParamDef {
public:
    HostDef(const char* keyword, char flag, const char* partypeName, int position, bool isSwitch);
    int dealWith(char* value, char* valueSource) override;
    bool skipAfter() override { return !isSwitch; }

    std::string received;  // e.g. 'a=b','',null

private:
    bool isSwitch;
};

// A host with one parameter of each kind that the interpreter and the reader
// treat apart; nothing is obligatory:
//   TraceLevel -T (int n), All -a and Verbose -v (switches), LogFile (string,
//   no flag, no default), InputFile (string, position 1), OutputFile (HostDef,
//   position 2, "outfile"), Rec -r (HostDef), Quiet -q (HostDef switch).
class TestHost {
public:
    TestHost();

    struct Outcome {
        int result;
        std::string messages;
    };
    // Interpret_returnError over the words (kept alive with the set, which
    // keeps argv[0]); read_parameter_file of path.
    Outcome run(const std::vector<const char*>& words);
    Outcome read(const std::string& path);

    // Every parameter that got a value, with the name of the file it came
    // from: "T=3@run.par a in=x rec='y',null".
    std::string state();

    int trace = -1;
    bool all = false;
    bool verbose = false;
    char* logFile = nullptr;
    char* input = nullptr;
    std::deque<Args> keptArgs;
    InspectableParam params;
    HostDef* output;
    HostDef* rec;
    HostDef* quiet;
};

#endif
