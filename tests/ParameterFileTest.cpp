// Parameter files: the line format, the problems each line can raise with
// its exact message, and nested files with loop refusal.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Param.h"
#include "TestSupport.h"

namespace {

const std::string kHint = "\nGet help with 'prog --help'\n\n";

// The set's list of files read is not open to hosts; a subclass may look.
class InspectableParam : public CParam {
public:
    std::vector<std::string> filesRead() const {
        std::vector<std::string> names;
        for (const ParamFileElement* e = paramFileList; e != nullptr; e = e->next) {
            names.emplace_back(e->fileName);
        }
        return names;
    }
};

// A host's own definition that refuses every value, leaving the report to
// the set.
class RefusingDef : public CParamDef {
public:
    explicit RefusingDef(const char* keyword)
        : CParamDef(keyword, 0, TYPE_INT, "num", "refuses", "is never shown", true, -1) {}
    int dealWith(char*, char*) override { return 0; }
};

std::string lineMessage(const std::string& opening, const std::string& file,
                        const std::string& line) {
    return opening + " in file '" + file + "' at line:\n'" + line + "'." + kHint;
}

std::string missingValue(const std::string& file, const std::string& line) {
    return lineMessage("Missing value", file, line);
}

std::string unknownKeyword(const std::string& file, const std::string& line) {
    return lineMessage("Unknown keyword", file, line);
}

std::string loopDetected(const std::string& file, const std::string& line) {
    return "Loop detected in nested parameter file call in file '" + file + "' at line:\n'" +
           line + "'.\nSkipping parameter file call." + kHint;
}

std::string cannotOpen(const std::string& file) {
    return "Cannot open file '" + file + "'." + kHint;
}

class ParameterFile : public testing::Test {
protected:
    void SetUp() override {
        // A death test run earlier in this process may have removed the
        // shared temporary folder on its way out.
        std::filesystem::create_directories(tempDir());
        params.AddParamDef("TraceLevel", 'T', &trace, 0, "trace", true, "n", -1);
        params.AddParamDef("LexiconFile", 'L', &lexicon, "Lexicon", "lexicon", true, "s", -1);
        params.AddParamDef("All", 'a', &all, false, "all", true, "", -1);
        params.AddParamDef("InputFile", 0, &input, nullptr, "input", true, "infile", 1);
        params.AddParamDef(new RefusingDef("Refused"));
        // Gives the set its program name for the help hint.
        ASSERT_EQ(params.Interpret(program.argv(), program.argc()), CParam::OK);
    }

    struct Outcome {
        int result;
        std::string messages;
    };
    Outcome read(const std::string& path) {
        Outcome outcome{};
        outcome.messages =
            stderrOf([&] { outcome.result = params.read_parameter_file(path.c_str()); });
        return outcome;
    }

    // Writes content as the file "test.par" and reads it; the path is kept
    // in file for the expected messages.
    Outcome readContent(const std::string& content) {
        file = writeTempFile("test.par", content);
        return read(file);
    }

    void expectRead(const std::string& content) {
        const Outcome outcome = readContent(content);
        EXPECT_EQ(outcome.result, CParam::OK);
        EXPECT_EQ(outcome.messages, "");
    }

    std::string source(const char* keyword) {
        const char* name = params.getSourceFromKey(keyword);
        return name == nullptr ? "(null)" : name;
    }

    Args program{"prog"};
    InspectableParam params;
    std::string file;
    int trace = -1;
    char* lexicon = nullptr;
    bool all = false;
    char* input = nullptr;
};

// --- Line format -----------------------------------------------------------

using ParameterFileFormat = ParameterFile;

TEST_F(ParameterFileFormat, SeparatorsAreBlanksTabsAndEqualsInAnyMix) {
    for (const char* line : {"TraceLevel 3", "TraceLevel=3", "TraceLevel = 3",
                             "TraceLevel\t=\t3", "   TraceLevel 3", "\t TraceLevel==3   remark",
                             "TraceLevel 3 # remark", "TraceLevel =\t= 3\tremark"}) {
        SCOPED_TRACE(line);
        trace = 0;
        expectRead(std::string(line) + "\n");
        EXPECT_EQ(trace, 3);
        EXPECT_EQ(source("TraceLevel"), file);
    }
}

TEST_F(ParameterFileFormat, CommentOnlyInTheFirstColumn) {
    expectRead("#TraceLevel 5\nTraceLevel 2\n#Nope\n");
    EXPECT_EQ(trace, 2);

    const Outcome outcome = readContent("TraceLevel 4\n #TraceLevel 5\nTraceLevel 6\n");
    EXPECT_EQ(outcome.result, CParam::PROBLEM_UNKNOWN_KEYWORD_IN_FILE);
    EXPECT_EQ(outcome.messages, unknownKeyword(file, " #TraceLevel 5"));
    EXPECT_EQ(trace, 4);
}

TEST_F(ParameterFileFormat, EmptyAndBlankLinesAreSkippedAnywhere) {
    expectRead("\n \t \nTraceLevel 4\n\n\t\n");
    EXPECT_EQ(trace, 4);
}

TEST_F(ParameterFileFormat, ValueIsTheFirstWordAndMayHoldEquals) {
    expectRead("LexiconFile==a=b more words\n");
    EXPECT_EQ(std::string(lexicon), "a=b");
}

TEST_F(ParameterFileFormat, KeywordMayBeginWithEquals) {
    for (const char* line : {"=TraceLevel 3", "  = 3", "=", "==TraceLevel"}) {
        SCOPED_TRACE(line);
        const Outcome outcome = readContent(std::string(line) + "\n");
        EXPECT_EQ(outcome.result, CParam::PROBLEM_UNKNOWN_KEYWORD_IN_FILE);
        EXPECT_EQ(outcome.messages, unknownKeyword(file, line));
    }
    EXPECT_EQ(trace, 0);
}

TEST_F(ParameterFileFormat, ValueParameterWithoutValueStopsTheReading) {
    for (const char* line : {"TraceLevel", "TraceLevel = \t", "  LexiconFile=", "InputFile "}) {
        SCOPED_TRACE(line);
        const Outcome outcome = readContent(std::string(line) + "\nAll\n");
        EXPECT_EQ(outcome.result, CParam::PROBLEM_MISSING_VALUE_IN_FILE);
        EXPECT_EQ(outcome.messages, missingValue(file, line));
    }
    EXPECT_FALSE(all);
    EXPECT_EQ(std::string(lexicon), "Lexicon");
}

TEST_F(ParameterFileFormat, SwitchIsSetByItsKeywordAloneOrWithAnyValue) {
    for (const char* line : {"All", "All 0", "All=no", "  All  "}) {
        SCOPED_TRACE(line);
        all = false;
        expectRead(std::string(line) + "\n");
        EXPECT_TRUE(all);
        EXPECT_EQ(source("All"), file);
    }
}

TEST_F(ParameterFileFormat, KeywordsAreBareAndCaseSensitive) {
    for (const char* line : {"--TraceLevel 3", "-T 3", "T 3", "tracelevel 3", "help 3"}) {
        SCOPED_TRACE(line);
        const Outcome outcome = readContent(std::string(line) + "\n");
        EXPECT_EQ(outcome.result, CParam::PROBLEM_UNKNOWN_KEYWORD_IN_FILE);
        EXPECT_EQ(outcome.messages, unknownKeyword(file, line));
    }
    EXPECT_EQ(trace, 0);
}

TEST_F(ParameterFileFormat, PositionalParameterIsNamedByItsKeyword) {
    expectRead("InputFile in.txt\n");
    EXPECT_EQ(std::string(input), "in.txt");
    EXPECT_EQ(source("InputFile"), file);
}

TEST_F(ParameterFileFormat, LastLineNeedsNoLineFeed) {
    expectRead("TraceLevel 1\nLexiconFile last");
    EXPECT_EQ(trace, 1);
    EXPECT_EQ(std::string(lexicon), "last");
}

TEST_F(ParameterFileFormat, LongLineIsReadInFullAndLaterLinesStillCount) {
    const std::string value(5000, 'v');
    expectRead("LexiconFile " + value + " remark\nTraceLevel 7\nAll\n");
    EXPECT_EQ(std::string(lexicon), value);
    EXPECT_EQ(trace, 7);
    EXPECT_TRUE(all);

    const std::string longLine = "TraceLevel 8 " + std::string(4500, 'r');
    const Outcome outcome = readContent(longLine + "\nNope " + std::string(4100, 'x') + "\n");
    EXPECT_EQ(outcome.result, CParam::PROBLEM_UNKNOWN_KEYWORD_IN_FILE);
    EXPECT_EQ(outcome.messages, unknownKeyword(file, "Nope " + std::string(4100, 'x')));
    EXPECT_EQ(trace, 8);
}

TEST_F(ParameterFileFormat, CrLfFileReadsLikeLfFile) {
    expectRead("#comment\r\nTraceLevel 3\r\n\r\n  \r\nLexiconFile lex.txt\r\nAll\r\n");
    EXPECT_EQ(trace, 3);
    EXPECT_EQ(std::string(lexicon), "lex.txt");
    EXPECT_TRUE(all);

    expectRead("TraceLevel 4\r\nLexiconFile end\r");
    EXPECT_EQ(std::string(lexicon), "end");

    Outcome outcome = readContent("TraceLevel\r\n");
    EXPECT_EQ(outcome.result, CParam::PROBLEM_MISSING_VALUE_IN_FILE);
    EXPECT_EQ(outcome.messages, missingValue(file, "TraceLevel"));

    outcome = readContent("Nope 1\r\n");
    EXPECT_EQ(outcome.messages, unknownKeyword(file, "Nope 1"));
}

TEST_F(ParameterFileFormat, OtherCarriageReturnsAreOrdinaryCharacters) {
    expectRead("LexiconFile a\rb\r\n");
    EXPECT_EQ(std::string(lexicon), "a\rb");
    expectRead("LexiconFile ab\r\r\n");
    EXPECT_EQ(std::string(lexicon), "ab\r");
}

TEST_F(ParameterFileFormat, ValueRefusedByTheDefinitionEndsTheProcess) {
    const std::string path = writeTempFile("bad.par", "TraceLevel abc\n");
    EXPECT_EXIT(params.read_parameter_file(path.c_str()), testing::ExitedWithCode(255),
                exactRegex("\n'abc' should be an integer\n"));
}

TEST_F(ParameterFileFormat, ValueRefusedByAHostDefinitionIsAGeneralProblem) {
    const Outcome outcome = readContent("TraceLevel 2\n  Refused x  remark\nTraceLevel 5\n");
    EXPECT_EQ(outcome.result, CParam::PROBLEM_GENERAL_PROBLEM_IN_FILE);
    EXPECT_EQ(outcome.messages, lineMessage("General problem", file, "  Refused x  remark"));
    EXPECT_EQ(trace, 2);
}

// --- Files read --------------------------------------------------------------

using ParameterFileRecord = ParameterFile;

TEST_F(ParameterFileRecord, EmptyOrCommentOnlyFileIsReadAndRecorded) {
    const std::string empty = writeTempFile("empty.par", "");
    const std::string comments = writeTempFile("comments.par", "#only\n#comments");
    EXPECT_EQ(read(empty).result, CParam::OK);
    EXPECT_EQ(read(comments).result, CParam::OK);
    EXPECT_EQ(params.filesRead(), (std::vector<std::string>{comments, empty}));
}

TEST_F(ParameterFileRecord, FileThatCannotBeOpenedIsNotRecorded) {
    const std::string missing = tempDir() + "/missing.par";
    const Outcome outcome = read(missing);
    EXPECT_EQ(outcome.result, CParam::PROBLEM_CANNOT_OPEN_FILE);
    EXPECT_EQ(outcome.messages, cannotOpen(missing));
    EXPECT_TRUE(params.filesRead().empty());
}

TEST_F(ParameterFileRecord, DirectoryIsAFileThatCannotBeOpened) {
    const Outcome outcome = read(tempDir());
    EXPECT_EQ(outcome.result, CParam::PROBLEM_CANNOT_OPEN_FILE);
    EXPECT_EQ(outcome.messages, cannotOpen(tempDir()));
    EXPECT_TRUE(params.filesRead().empty());
}

TEST_F(ParameterFileRecord, SourceIsTheSetsOwnCopyOfTheName) {
    writeTempFile("copy.par", "TraceLevel 1\n");
    std::string name = tempDir() + "/copy.par";
    EXPECT_EQ(params.read_parameter_file(name.c_str()), CParam::OK);
    const char* recorded = params.getSourceFromKey("TraceLevel");
    ASSERT_NE(recorded, nullptr);
    EXPECT_NE(recorded, name.c_str());
    name.assign(name.size(), '?');
    EXPECT_EQ(std::string(recorded), tempDir() + "/copy.par");
}

TEST(ParameterFileBeforeInterpretation, HintHasAnEmptyProgramName) {
    CParam params;
    int result = 0;
    const std::string messages =
        stderrOf([&] { result = params.read_parameter_file(""); });
    EXPECT_EQ(result, CParam::PROBLEM_CANNOT_OPEN_FILE);
    EXPECT_EQ(messages, "Cannot open file ''.\nGet help with ' --help'\n\n");
}

// --- Nested files --------------------------------------------------------

using ParameterFileNesting = ParameterFile;

TEST_F(ParameterFileNesting, NestedFileIsReadAtItsPlace) {
    const std::string inner = writeTempFile("inner.par", "TraceLevel 2\nLexiconFile inner\n");
    expectRead("TraceLevel 1\nParameterFile " + inner + "\nLexiconFile outer\n");
    EXPECT_EQ(trace, 2);
    EXPECT_EQ(std::string(lexicon), "outer");
    EXPECT_EQ(source("TraceLevel"), inner);
    EXPECT_EQ(source("LexiconFile"), file);
    EXPECT_EQ(params.filesRead(), (std::vector<std::string>{inner, file}));
}

TEST_F(ParameterFileNesting, FileNamingItselfIsSkippedAndReadingGoesOn) {
    const std::string self = tempDir() + "/self.par";
    const std::string loopLine = "ParameterFile  " + self + "  remark";
    writeTempFile("self.par", "TraceLevel 1\n" + loopLine + "\nLexiconFile after\n");
    const Outcome outcome = read(self);
    EXPECT_EQ(outcome.result, CParam::OK);
    EXPECT_EQ(outcome.messages, loopDetected(self, loopLine));
    EXPECT_EQ(trace, 1);
    EXPECT_EQ(std::string(lexicon), "after");
}

TEST_F(ParameterFileNesting, LoopThroughASecondFileIsReportedThereAndBothGoOn) {
    const std::string a = tempDir() + "/a.par";
    const std::string b = writeTempFile("b.par", "TraceLevel 2\nParameterFile=" + a + "\nAll\n");
    writeTempFile("a.par", "ParameterFile " + b + "\nLexiconFile fromA\n");
    const Outcome outcome = read(a);
    EXPECT_EQ(outcome.result, CParam::OK);
    EXPECT_EQ(outcome.messages, loopDetected(b, "ParameterFile=" + a));
    EXPECT_EQ(trace, 2);
    EXPECT_TRUE(all);
    EXPECT_EQ(std::string(lexicon), "fromA");
}

TEST_F(ParameterFileNesting, FileNamedTwiceIsReadOnce) {
    const std::string inner = writeTempFile("inner.par", "TraceLevel 5\n");
    const Outcome outcome =
        readContent("ParameterFile " + inner + "\nTraceLevel 9\nParameterFile " + inner + "\n");
    EXPECT_EQ(outcome.result, CParam::OK);
    EXPECT_EQ(outcome.messages, loopDetected(file, "ParameterFile " + inner));
    EXPECT_EQ(trace, 9);
}

TEST_F(ParameterFileNesting, FileIsKnownByTheExactTextOfItsName) {
    const std::string inner = writeTempFile("inner.par", "TraceLevel 5\n");
    const std::string otherPath = tempDir() + "/./inner.par";
    const Outcome outcome = readContent("ParameterFile " + inner + "\nParameterFile " +
                                        otherPath + "\nParameterFile " + otherPath + "\n");
    EXPECT_EQ(outcome.result, CParam::OK);
    EXPECT_EQ(outcome.messages, loopDetected(file, "ParameterFile " + otherPath));
    EXPECT_EQ(source("TraceLevel"), otherPath);
    EXPECT_EQ(params.filesRead(), (std::vector<std::string>{otherPath, inner, file}));
}

TEST_F(ParameterFileNesting, MissingNestedFileIsReportedOnceAndEndsEveryEnclosingFile) {
    const std::string missing = tempDir() + "/missing.par";
    const std::string middle =
        writeTempFile("middle.par", "ParameterFile " + missing + "\nTraceLevel 6\n");
    const Outcome outcome = readContent("ParameterFile " + middle + "\nTraceLevel 8\n");
    EXPECT_EQ(outcome.result, CParam::PROBLEM_CANNOT_OPEN_FILE);
    EXPECT_EQ(outcome.messages, cannotOpen(missing));
    EXPECT_EQ(trace, 0);
}

TEST_F(ParameterFileNesting, ProblemInNestedFileNamesThatFile) {
    const std::string inner = writeTempFile("inner.par", "TraceLevel 3\nUnknown 4\nAll\n");
    const Outcome outcome = readContent("ParameterFile " + inner + "\nLexiconFile x\n");
    EXPECT_EQ(outcome.result, CParam::PROBLEM_UNKNOWN_KEYWORD_IN_FILE);
    EXPECT_EQ(outcome.messages, unknownKeyword(inner, "Unknown 4"));
    EXPECT_EQ(trace, 3);
    EXPECT_FALSE(all);
    EXPECT_EQ(std::string(lexicon), "Lexicon");
}

TEST_F(ParameterFileNesting, ParameterFileWithoutValueTriesTheEmptyName) {
    for (const char* line : {"ParameterFile", "ParameterFile = \t"}) {
        SCOPED_TRACE(line);
        const Outcome outcome = readContent(std::string(line) + "\nTraceLevel 2\n");
        EXPECT_EQ(outcome.result, CParam::PROBLEM_CANNOT_OPEN_FILE);
        EXPECT_EQ(outcome.messages, cannotOpen(""));
    }
    EXPECT_EQ(trace, 0);
}

}  // namespace
