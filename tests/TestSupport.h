// Helpers shared by the tests: argument vectors, temporary files, captured standard error, exact-text
// death tests, and a host with one parameter of each kind that the interpreter and the reader treat apart.
#ifndef PARAM_TESTS_TESTSUPPORT_H
#define PARAM_TESTS_TESTSUPPORT_H

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "Param.h"

// statement ends the process with status 255 after writing exactly text to standard error.
#define EXPECT_ENDS_PROCESS(statement, text) EXPECT_EXIT(statement, testing::ExitedWithCode(255), exactRegex(text))

// A mutable argument vector as a program's main gets it, from words separated by "|": "prog|-a|x y".
struct Args {
    explicit Args(const std::string& line);
    char** argv() { return pointers.data(); }
    int argc() const { return static_cast<int>(words.size()); }
    std::vector<std::string> words;
    std::vector<char*> pointers;
};

std::string tempDir();  // the test program's own folder, removed at its end
std::string writeTempFile(const std::string& name, const std::string& content);  // returns the path
std::string stderrOf(const std::function<void()>& body);
// body's result; what it wrote to standard error goes to messages (unless null).
int captured(const std::function<int()>& body, std::string* messages);
std::string exactRegex(const std::string& text);  // a death-test pattern matching exactly text
inline std::string hint(const std::string& program = "prog") { return "\nGet help with '" + program + " --help'\n\n"; }

// A host's own definition: records every value handed to it ("'a','',null") and returns 0 for an absent
// value and for "bad"; as a switch it returns 0 for everything.
struct HostDef : CParamDef {
    HostDef(const char* keyword, char flag, int position, bool isSwitch)
        : CParamDef(keyword, flag, TYPE_STRING, "outfile", "own", "should be good", true, position), isSwitch(isSwitch) {}
    int dealWith(char* value, char* valueSource) override;
    bool skipAfter() override { return !isSwitch; }
    std::string received;
    bool isSwitch;
};

// TraceLevel -T (int), All -a and Verbose -v (switches), LogFile (string, no flag), InputFile (string,
// position 1), OutputFile (HostDef, position 2), R -r (HostDef), Quiet -q (HostDef switch); all optional.
struct TestHost {
    explicit TestHost(unsigned conventions = 0);
    // Interpret_returnError over the words ("prog" is put before them), or read_parameter_file; the
    // result, and what was written to standard error.
    int run(const std::string& words, std::string* messages = nullptr);
    int read(const std::string& path, std::string* messages = nullptr);
    // The parameters that got a value, with the file each came from: "T=3@run.par a in=x r='y',null".
    std::string state();

    int trace = 0;
    bool all = false, verbose = false;
    char *logFile = nullptr, *input = nullptr;
    std::deque<Args> kept;  // the set keeps argv[0]
    CParam params;
    HostDef *output = new HostDef("OutputFile", 0, 2, false), *rec = new HostDef("R", 'r', -1, false),
            *quiet = new HostDef("Quiet", 'q', -1, true);
};

#endif
