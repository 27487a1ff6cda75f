// Parameter files: the line format, the problems each line can raise with
// its exact message, the list of files read, and nested files with loop
// refusal.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Param.h"
#include "TestSupport.h"

namespace {

constexpr int kOk = CParam::OK;
constexpr int kMissingValue = CParam::PROBLEM_MISSING_VALUE_IN_FILE;
constexpr int kUnknownKeyword = CParam::PROBLEM_UNKNOWN_KEYWORD_IN_FILE;
constexpr int kCannotOpen = CParam::PROBLEM_CANNOT_OPEN_FILE;

// The message about a line of a file, as opened by what.
std::string aboutLine(const std::string& what, const std::string& file, const std::string& line) {
    return what + " in file '" + file + "' at line:\n'" + line + "'." + helpHint("prog");
}

std::string loopDetected(const std::string& file, const std::string& line) {
    return "Loop detected in nested parameter file call in file '" + file + "' at line:\n'" +
           line + "'.\nSkipping parameter file call." + helpHint("prog");
}

std::string cannotOpen(const std::string& file) {
    return "Cannot open file '" + file + "'." + helpHint("prog");
}

// A TestHost that has interpreted "prog", which names it in the help hint.
struct Reader : TestHost {
    Reader() { run({"prog"}); }
};

}  // namespace

TEST(ParameterFile, EveryLineFormNestedFileAndTheProblemItRaises) {
    const std::string file = tempDir() + "/run.par";
    const auto missing = [&](const std::string& line) {
        return aboutLine("Missing value", file, line);
    };
    const auto unknown = [&](const std::string& line) {
        return aboutLine("Unknown keyword", file, line);
    };
    const std::string longValue(5000, 'v');
    const std::string inner = writeTempFile("inner.par", "TraceLevel 2\nLogFile inner\n");
    const std::string sameFile = tempDir() + "/./inner.par";
    const std::string twice = "ParameterFile " + inner + "\nParameterFile " + sameFile + "\n";
    const std::string bad = writeTempFile("bad.par", "TraceLevel 3\nUnknown 4\nAll\n");
    const std::string missingFile = tempDir() + "/missing.par";
    const std::string middle =
        writeTempFile("middle.par", "ParameterFile " + missingFile + "\nTraceLevel 6\n");
    const std::string selfLine = "ParameterFile  " + file + "  remark";
    const std::string loopBack =
        writeTempFile("b.par", "TraceLevel 2\nParameterFile=" + file + "\nAll\n");
    const std::string longUnknown = "Nope " + std::string(4100, 'x');
    struct Case {
        std::string content;
        int result;
        std::string messages;
        std::string state;
    };
    std::vector<Case> cases;
    // Blanks, tabs and "=" separate in any mix; a remark may follow.
    for (const char* line : {"TraceLevel 3", "TraceLevel=3", "TraceLevel = 3", "TraceLevel\t=\t3",
                             "   TraceLevel 3", "\t TraceLevel==3   remark",
                             "TraceLevel 3 # remark", "TraceLevel =\t= 3\tremark"}) {
        cases.push_back({line + std::string("\n"), kOk, "", "T=3@run.par"});
    }
    // A keyword may begin with "="; keywords are bare and case-sensitive.
    for (const char* line : {"=TraceLevel 3", "  = 3", "=", "==TraceLevel", "--TraceLevel 3",
                             "-T 3", "T 3", "tracelevel 3", "help 3"}) {
        cases.push_back({line + std::string("\n"), kUnknownKeyword, unknown(line), ""});
    }
    // A missing value stops the reading; a switch needs none.
    for (const char* line : {"TraceLevel", "TraceLevel = \t", "  LogFile=", "InputFile "}) {
        cases.push_back({line + std::string("\nAll\n"), kMissingValue, missing(line), ""});
    }
    for (const char* line : {"All", "All 0", "All=no", "  All  "}) {
        cases.push_back({line + std::string("\n"), kOk, "", "a@run.par"});
    }
    cases.insert(cases.end(), {
        // A comment only in the first column; empty and blank lines anywhere.
        {"#TraceLevel 5\nTraceLevel 2\n#Nope\n", kOk, "", "T=2@run.par"},
        {"TraceLevel 4\n #TraceLevel 5\nTraceLevel 6\n", kUnknownKeyword,
         unknown(" #TraceLevel 5"), "T=4@run.par"},
        {"\n \t \nTraceLevel 4\n\n\t\n", kOk, "", "T=4@run.par"},
        // The last line needs no line feed; no line is too long.
        {"TraceLevel 1\nLogFile last", kOk, "", "T=1@run.par log=last@run.par"},
        {"LogFile " + longValue + " remark\nTraceLevel 7\nAll\n", kOk, "",
         "T=7@run.par a@run.par log=" + longValue + "@run.par"},
        {"TraceLevel 8 " + std::string(4500, 'r') + "\n" + longUnknown + "\n", kUnknownKeyword,
         unknown(longUnknown), "T=8@run.par"},
        // A carriage return before a line end is part of the line end only.
        {"#comment\r\nTraceLevel 3\r\n\r\n  \r\nLogFile lex.txt\r\nAll\r\n", kOk, "",
         "T=3@run.par a@run.par log=lex.txt@run.par"},
        {"TraceLevel 4\r\nLogFile end\r", kOk, "", "T=4@run.par log=end@run.par"},
        {"TraceLevel\r\n", kMissingValue, missing("TraceLevel"), ""},
        {"Nope 1\r\n", kUnknownKeyword, unknown("Nope 1"), ""},
        {"LogFile a\rb\r\n", kOk, "", "log=a\rb@run.par"},
        {"LogFile ab\r\r\n", kOk, "", "log=ab\r@run.par"},
        // A value that a host's own definition refuses.
        {"TraceLevel 2\n  Rec bad  remark\nTraceLevel 5\n", CParam::PROBLEM_GENERAL_PROBLEM_IN_FILE,
         aboutLine("General problem", file, "  Rec bad  remark"), "T=2@run.par rec='bad'"},
        // A nested file is read at its place; a problem there names it, and
        // a missing one is reported once and ends every enclosing file.
        {"TraceLevel 1\nParameterFile " + inner + "\nLogFile outer\n", kOk, "",
         "T=2@inner.par log=outer@run.par"},
        {"ParameterFile " + bad + "\nAll\n", kUnknownKeyword,
         aboutLine("Unknown keyword", bad, "Unknown 4"), "T=3@bad.par"},
        {"ParameterFile " + middle + "\nTraceLevel 8\n", kCannotOpen, cannotOpen(missingFile), ""},
        {"ParameterFile\nTraceLevel 2\n", kCannotOpen, cannotOpen(""), ""},
        {"ParameterFile = \t\nTraceLevel 2\n", kCannotOpen, cannotOpen(""), ""},
        // A file already read is reported as a loop and skipped; reading goes
        // on. It is known by the exact text of its name.
        {"TraceLevel 1\n" + selfLine + "\nLogFile after\n", kOk, loopDetected(file, selfLine),
         "T=1@run.par log=after@run.par"},
        {"ParameterFile " + loopBack + "\nLogFile fromA\n", kOk,
         loopDetected(loopBack, "ParameterFile=" + file), "T=2@b.par a@b.par log=fromA@run.par"},
        {twice + "TraceLevel 9\n" + twice, kOk,
         loopDetected(file, "ParameterFile " + inner) +
             loopDetected(file, "ParameterFile " + sameFile),
         "T=9@run.par log=inner@inner.par"},
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content.substr(0, 60));
        writeTempFile("run.par", c.content);
        Reader reader;
        const TestHost::Outcome outcome = reader.read(file);
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(outcome.messages, c.messages);
        EXPECT_EQ(reader.state(), c.state);
    }
}

TEST(ParameterFileDeathTest, ValueRefusedByTheDefinitionEndsTheProcess) {
    const std::string path = writeTempFile("refused.par", "TraceLevel abc\n");
    Reader reader;
    EXPECT_ENDS_PROCESS(reader.params.read_parameter_file(path.c_str()),
                        "\n'abc' should be an integer\n");
}

TEST(ParameterFileRecord, FilesReadAreRecordedNewestFirstInTheSetsOwnCopyOfTheName) {
    const std::string empty = writeTempFile("empty.par", "");
    const std::string comments = writeTempFile("comments.par", "#only\n#comments");
    std::string copy = writeTempFile("copy.par", "TraceLevel 1\n");
    const std::string outer = writeTempFile("outer.par", "ParameterFile " + copy + "\n");
    const std::string missing = tempDir() + "/missing.par";
    Reader reader;
    EXPECT_EQ(reader.read(missing).messages, cannotOpen(missing));
    EXPECT_EQ(reader.read(tempDir()).messages, cannotOpen(tempDir()));  // a directory
    EXPECT_EQ(reader.read(empty).result, kOk);
    EXPECT_EQ(reader.read(comments).result, kOk);
    EXPECT_EQ(reader.read(outer).result, kOk);
    EXPECT_EQ(reader.params.filesRead(),
              (std::vector<std::string>{copy, outer, comments, empty}));
    const char* recorded = reader.params.getSourceFromKey("TraceLevel");
    EXPECT_NE(recorded, copy.c_str());
    copy.assign(copy.size(), '?');
    EXPECT_EQ(std::string(recorded), tempDir() + "/copy.par");
}
