// The command-line grammar: which definition gets which text, and how many
// words each form consumes.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "Param.h"
#include "TestSupport.h"

namespace {

const std::string kHint = "\nGet help with 'prog --help'\n\n";

// A host's own definition that records every value handed to it, keeping an
// absent value (null) apart from the empty text.
class RecordingDef : public CParamDef {
public:
    RecordingDef(const char* keyword, char flag)
        : CParamDef(keyword, flag, TYPE_STRING, "rec", "records its values", "is refused", true,
                    -1) {}

    int dealWith(char* value, char* valueSource) override {
        received.push_back(value == nullptr ? std::nullopt : std::optional<std::string>(value));
        markSatisfied(valueSource);
        return 1;
    }

    std::vector<std::optional<std::string>> received;
};

// Switches a (All) and v (Verbose), a value flag T (TraceLevel), a string
// without a flag (LogFile), two positional strings and a recording
// definition r (Rec). Nothing is obligatory.
class CommandLine : public testing::Test {
protected:
    void SetUp() override {
        params.AddParamDef("TraceLevel", 'T', &trace, 0, "trace level", true, "n", -1);
        params.AddParamDef("All", 'a', &all, false, "all", true, "", -1);
        params.AddParamDef("Verbose", 'v', &verbose, false, "verbose", true, "", -1);
        params.AddParamDef("LogFile", 0, &logFile, nullptr, "log file", true, "s", -1);
        params.AddParamDef("InputFile", 0, &input, nullptr, "input", true, "infile", 1);
        params.AddParamDef("OutputFile", 0, &output, nullptr, "output", true, "outfile", 2);
        recorder = new RecordingDef("Rec", 'r');
        params.AddParamDef(recorder);
    }

    // The words stay alive as long as the set, which keeps argv[0].
    int interpret(std::initializer_list<const char*> words) {
        Args& args = keptArgs.emplace_back(words);
        return params.Interpret_returnError(args.argv(), args.argc());
    }

    struct Outcome {
        int result;
        std::string messages;
    };
    Outcome run(std::initializer_list<const char*> words) {
        Outcome outcome{};
        outcome.messages = stderrOf([&] { outcome.result = interpret(words); });
        return outcome;
    }

    void expectSuccess(std::initializer_list<const char*> words) {
        const Outcome outcome = run(words);
        EXPECT_EQ(outcome.result, CParam::OK);
        EXPECT_EQ(outcome.messages, "");
    }

    std::string text(const char* value) { return value == nullptr ? "(null)" : value; }

    CParam params;
    std::deque<Args> keptArgs;
    int trace = -1;
    bool all = false;
    bool verbose = false;
    char* logFile = nullptr;
    char* input = nullptr;
    char* output = nullptr;
    RecordingDef* recorder = nullptr;
};

using Received = std::vector<std::optional<std::string>>;

// --- Positional words ---------------------------------------------------

using CommandLinePositional = CommandLine;

TEST_F(CommandLinePositional, WordsFillThePositionsInOrderBetweenOptions) {
    expectSuccess({"prog", "in.txt", "-a", "out.txt"});
    EXPECT_EQ(text(input), "in.txt");
    EXPECT_EQ(text(output), "out.txt");
    EXPECT_TRUE(all);
}

TEST_F(CommandLinePositional, OnlyTheProgramNameSucceedsWhenNothingIsObligatory) {
    expectSuccess({"prog"});
    EXPECT_EQ(trace, 0);
}

TEST_F(CommandLinePositional, EveryWordAfterTheDelimiterIsPositional) {
    expectSuccess({"prog", "-aT3", "--", "-in.txt", "--"});
    EXPECT_TRUE(all);
    EXPECT_EQ(trace, 3);
    EXPECT_EQ(text(input), "-in.txt");
    EXPECT_EQ(text(output), "--");
}

TEST_F(CommandLinePositional, NegativeNumberIsPositionalAfterTheDelimiter) {
    expectSuccess({"prog", "--", "-5"});
    EXPECT_EQ(text(input), "-5");
}

TEST_F(CommandLinePositional, DoubleHyphenEqualsAnythingIsTheDelimiterAndTakesNoValue) {
    expectSuccess({"prog", "--=x", "-a", "-v"});
    EXPECT_EQ(text(input), "-a");
    EXPECT_EQ(text(output), "-v");
    EXPECT_FALSE(all);
    EXPECT_FALSE(verbose);
}

TEST_F(CommandLinePositional, WordBeyondTheClaimedPositionsIsAnInvalidArgument) {
    const Outcome outcome = run({"prog", "one", "two", "three", "-a"});
    EXPECT_EQ(outcome.result, CParam::PROBLEM_MISSING_HYPHEN);
    EXPECT_EQ(outcome.messages,
              "Invalid argument 'three'.\nEach parameter must start with '-' or '--' resp.!" +
                  kHint);
    EXPECT_EQ(text(output), "two");
    EXPECT_FALSE(all);  // nothing after the problem is looked at
}

TEST(CommandLineGappedPositions, PositionThreeCannotBeReachedWithoutPositionTwo) {
    CParam params;
    char* first = nullptr;
    char* third = nullptr;
    params.AddParamDef("First", 0, &first, nullptr, "first", true, "first", 1);
    params.AddParamDef("Third", 0, &third, nullptr, "third", true, "third", 3);
    Args args{"prog", "x", "y"};
    int result = 0;
    const std::string messages =
        stderrOf([&] { result = params.Interpret_returnError(args.argv(), args.argc()); });
    EXPECT_EQ(result, CParam::PROBLEM_MISSING_HYPHEN);
    const std::string positionWarning =
        "\nCParam::CheckParameters():\nInternal Warning: Position nr. 2 for keyword-less "
        "parameters\nis not used by any parameter.\n" +
        std::string(kBewareLine) + "\n\n";
    EXPECT_EQ(messages, positionWarning +
                            "Invalid argument 'y'.\nEach parameter must start with '-' or '--' "
                            "resp.!" +
                            kHint);
    EXPECT_EQ(std::string(first), "x");
    EXPECT_EQ(third, nullptr);
}

TEST_F(CommandLinePositional, LoneHyphenIsAnUnknownFlagWithEmptyName) {
    const Outcome outcome = run({"prog", "-", "x"});
    EXPECT_EQ(outcome.result, CParam::PROBLEM_UNKNOWN_FLAG);
    EXPECT_EQ(outcome.messages, "Unknown flag ''." + kHint);
    EXPECT_EQ(input, nullptr);
}

TEST_F(CommandLinePositional, LoneHyphenAfterTheDelimiterIsPositional) {
    expectSuccess({"prog", "--", "-"});
    EXPECT_EQ(text(input), "-");
}

// --- Long form: --keyword[=value] and --keyword value -----------------------

using CommandLineLongForm = CommandLine;

TEST_F(CommandLineLongForm, ValueAfterEqualsOrInTheNextWord) {
    expectSuccess({"prog", "--TraceLevel=4", "--LogFile", "run.log", "in.txt"});
    EXPECT_EQ(trace, 4);
    EXPECT_EQ(text(logFile), "run.log");
    EXPECT_EQ(text(input), "in.txt");
}

TEST_F(CommandLineLongForm, TextAfterTheFirstEqualsIsHandedOnWhole) {
    expectSuccess({"prog", "--Rec=a=b", "--Rec=", "--Rec==c"});
    EXPECT_EQ(recorder->received, (Received{"a=b", "", "=c"}));
}

TEST_F(CommandLineLongForm, NextWordIsTheValueWhateverItLooksLike) {
    expectSuccess({"prog", "--TraceLevel", "-5", "--Rec", "--", "--Rec", "-a"});
    EXPECT_EQ(trace, -5);
    EXPECT_EQ(recorder->received, (Received{"--", "-a"}));
    EXPECT_FALSE(all);
    EXPECT_EQ(input, nullptr);  // "--" was a value, not the delimiter
}

TEST_F(CommandLineLongForm, KeywordAsLastWordHandsOnNull) {
    expectSuccess({"prog", "--Rec"});
    EXPECT_EQ(recorder->received, (Received{std::nullopt}));
}

TEST_F(CommandLineLongForm, SwitchLeavesTheNextWordAlone) {
    expectSuccess({"prog", "--All", "next"});
    EXPECT_TRUE(all);
    EXPECT_EQ(text(input), "next");
}

TEST_F(CommandLineLongForm, SwitchIgnoresTheTextAfterEquals) {
    expectSuccess({"prog", "--Verbose=no", "next"});
    EXPECT_TRUE(verbose);
    EXPECT_EQ(text(input), "next");
}

TEST_F(CommandLineLongForm, SwitchAsLastWordIsSet) {
    expectSuccess({"prog", "--All"});
    EXPECT_TRUE(all);
}

TEST_F(CommandLineLongForm, PositionalDefinitionsKeywordIsUnknownOnTheCommandLine) {
    const Outcome outcome = run({"prog", "--InputFile=in.txt"});
    EXPECT_EQ(outcome.result, CParam::PROBLEM_UNKNOWN_KEYWORD);
    EXPECT_EQ(outcome.messages, "Unknown keyword 'InputFile'." + kHint);
    EXPECT_EQ(input, nullptr);
}

TEST_F(CommandLineLongForm, UnknownKeywordIsNamedWithoutItsValue) {
    Outcome outcome = run({"prog", "--Nope=1=2"});
    EXPECT_EQ(outcome.result, CParam::PROBLEM_UNKNOWN_KEYWORD);
    EXPECT_EQ(outcome.messages, "Unknown keyword 'Nope'." + kHint);

    outcome = run({"prog", "--tracelevel", "3"});  // keywords are case-sensitive
    EXPECT_EQ(outcome.result, CParam::PROBLEM_UNKNOWN_KEYWORD);
    EXPECT_EQ(outcome.messages, "Unknown keyword 'tracelevel'." + kHint);
    EXPECT_EQ(trace, 0);
}

TEST_F(CommandLineLongForm, ValueDefinitionAsLastWordEndsTheProcess) {
    EXPECT_EXIT(interpret({"prog", "--TraceLevel"}), testing::ExitedWithCode(255),
                exactRegex("\n'' should be an integer\n"));
}

// --- Short form: flags, switch runs, attached and separate values ----------

using CommandLineShortForm = CommandLine;

TEST_F(CommandLineShortForm, ValueAttachedOrInTheNextWord) {
    expectSuccess({"prog", "-T5", "in.txt"});
    EXPECT_EQ(trace, 5);
    EXPECT_EQ(text(input), "in.txt");

    expectSuccess({"prog", "-T", "6", "in2.txt"});
    EXPECT_EQ(trace, 6);
    EXPECT_EQ(text(input), "in2.txt");
}

TEST_F(CommandLineShortForm, GroupedSwitches) {
    expectSuccess({"prog", "-va"});
    EXPECT_TRUE(all);
    EXPECT_TRUE(verbose);
}

TEST_F(CommandLineShortForm, SwitchRunEndingInValueFlagWithValueAttached) {
    expectSuccess({"prog", "-aT5", "in.txt"});
    EXPECT_TRUE(all);
    EXPECT_EQ(trace, 5);
    EXPECT_EQ(text(input), "in.txt");
}

TEST_F(CommandLineShortForm, SwitchRunEndingInValueFlagTakesTheNextWord) {
    expectSuccess({"prog", "-avT", "5", "in.txt"});
    EXPECT_TRUE(all);
    EXPECT_TRUE(verbose);
    EXPECT_EQ(trace, 5);
    EXPECT_EQ(text(input), "in.txt");
}

TEST_F(CommandLineShortForm, UnknownLetterAfterSwitchesFailsAndLeavesThemSet) {
    const Outcome outcome = run({"prog", "-a5"});
    EXPECT_EQ(outcome.result, CParam::PROBLEM_UNKNOWN_FLAG);
    EXPECT_EQ(outcome.messages, "Unknown flag '-5'." + kHint);
    EXPECT_TRUE(all);
}

TEST_F(CommandLineShortForm, NegativeNumberIsAFlagUnlessItIsAValue) {
    Outcome outcome = run({"prog", "-5"});
    EXPECT_EQ(outcome.result, CParam::PROBLEM_UNKNOWN_FLAG);
    EXPECT_EQ(outcome.messages, "Unknown flag '-5'." + kHint);

    expectSuccess({"prog", "-T", "-5"});
    EXPECT_EQ(trace, -5);
}

TEST_F(CommandLineShortForm, EverythingAfterTheValueLetterIsTheValue) {
    expectSuccess({"prog", "-r=5", "-rh", "-avr", "x y", "-r-a"});
    EXPECT_EQ(recorder->received, (Received{"=5", "h", "x y", "-a"}));
}

TEST_F(CommandLineShortForm, ValueFlagAsLastWordHandsOnNull) {
    expectSuccess({"prog", "-ar"});
    EXPECT_TRUE(all);
    EXPECT_EQ(recorder->received, (Received{std::nullopt}));
}

TEST_F(CommandLineShortForm, LetterAfterAValueFlagIsItsValueNotHelp) {
    EXPECT_EXIT(interpret({"prog", "-Th"}), testing::ExitedWithCode(255),
                exactRegex("\n'h' should be an integer\n"));
    EXPECT_EXIT(interpret({"prog", "-T=5"}), testing::ExitedWithCode(255),
                exactRegex("\n'=5' should be an integer\n"));
}

TEST_F(CommandLineShortForm, ValueFlagAsLastWordEndsTheProcess) {
    EXPECT_EXIT(interpret({"prog", "-aT"}), testing::ExitedWithCode(255),
                exactRegex("\n'' should be an integer\n"));
}

TEST_F(CommandLineShortForm, UnknownLetterDoesNotLookAtTheNextWord) {
    const Outcome outcome = run({"prog", "-x", "-a"});
    EXPECT_EQ(outcome.result, CParam::PROBLEM_UNKNOWN_FLAG);
    EXPECT_EQ(outcome.messages, "Unknown flag '-x'." + kHint);
    EXPECT_FALSE(all);
}

// --- Help request -------------------------------------------------------

class CommandLineHelp : public testing::Test {
protected:
    void SetUp() override {
        params.AddParamDef("TraceLevel", 'T', &trace, 0, "trace level", true, "n", -1);
        params.AddParamDef("All", 'a', &all, false, "all switches", true, "", -1);
    }

    int interpret(Args args) { return params.Interpret_returnError(args.argv(), args.argc()); }

    static std::string screen(const std::string& program) {
        return "\nusage: " + program +
               " [-a] [-T n] [-h] [-f file] [--]\n"
               "\n   -T n, --TraceLevel=n:\n\t\ttrace level\n\t\tDefault: 0"
               "\n   -a, --All:\n\t\tall switches"
               "\n   -h, --help:\n\t\tPrint this help information"
               "\n   -f file, --ParameterFile=file:\n\t\tUse the parameters given in file"
               "\n   --:\n\t\tDelimiter: '-' won't be interpreted as flag/\n"
               "\t\tkeyword trigger behind this.\n";
    }

    CParam params;
    int trace = 0;
    bool all = false;
};

TEST_F(CommandLineHelp, HelpFlagAloneOrEndingASwitchRunShowsTheUsageScreen) {
    EXPECT_EXIT(interpret({"tool", "-h", "--Nope"}), testing::ExitedWithCode(255),
                exactRegex(screen("tool")));
    EXPECT_EXIT(interpret({"tool", "-ah"}), testing::ExitedWithCode(255),
                exactRegex(screen("tool")));
}

TEST_F(CommandLineHelp, HelpKeywordShowsTheUsageScreenWithOrWithoutValue) {
    EXPECT_EXIT(interpret({"./run", "-a", "--help"}), testing::ExitedWithCode(255),
                exactRegex(screen("./run")));
    EXPECT_EXIT(interpret({"./run", "--help=x"}), testing::ExitedWithCode(255),
                exactRegex(screen("./run")));
}

TEST_F(CommandLineHelp, HelpAfterTheDelimiterIsPositional) {
    int result = 0;
    const std::string messages = stderrOf([&] { result = interpret({"prog", "--", "-h"}); });
    EXPECT_EQ(result, CParam::PROBLEM_MISSING_HYPHEN);
    EXPECT_EQ(messages,
              "Invalid argument '-h'.\nEach parameter must start with '-' or '--' resp.!" + kHint);
}

// --- Parameter files named on the command line ------------------------------

class CommandLineParameterFile : public CommandLine {
protected:
    void SetUp() override {
        CommandLine::SetUp();
        // A death test run earlier in this process may have removed the
        // shared temporary folder on its way out.
        std::filesystem::create_directories(tempDir());
        traceFile = writeTempFile("trace.par", "TraceLevel 7\n");
    }

    std::string traceFile;
};

TEST_F(CommandLineParameterFile, EveryFormReadsTheFileAndConsumesItsWords) {
    const auto readsTheFile = [this](std::initializer_list<const char*> words) {
        trace = 0;
        input = nullptr;
        expectSuccess(words);
        EXPECT_EQ(trace, 7);
        EXPECT_EQ(text(input), "in.txt");
    };
    const char* const file = traceFile.c_str();
    const std::string attached = "-f" + traceFile;
    const std::string withEquals = "--ParameterFile=" + traceFile;
    readsTheFile({"prog", "-f", file, "in.txt"});
    readsTheFile({"prog", attached.c_str(), "in.txt"});
    readsTheFile({"prog", withEquals.c_str(), "in.txt"});
    readsTheFile({"prog", "--ParameterFile", file, "in.txt"});
}

TEST_F(CommandLineParameterFile, FileFlagAfterSwitchesTakesTheNextWord) {
    expectSuccess({"prog", "-af", traceFile.c_str(), "in.txt"});
    EXPECT_TRUE(all);
    EXPECT_EQ(trace, 7);
    EXPECT_EQ(text(input), "in.txt");
}

TEST_F(CommandLineParameterFile, MissingFileNameTriesTheEmptyName) {
    for (const char* word : {"-f", "-af", "--ParameterFile", "--ParameterFile="}) {
        SCOPED_TRACE(word);
        const Outcome outcome = run({"prog", word});
        EXPECT_EQ(outcome.result, CParam::PROBLEM_CANNOT_OPEN_FILE);
        EXPECT_EQ(outcome.messages, "Cannot open file ''." + kHint);
    }
}

TEST_F(CommandLineParameterFile, ProblemInTheFileEndsTheInterpretation) {
    const std::string missing = tempDir() + "/missing.par";
    Outcome outcome = run({"prog", "-f", missing.c_str(), "-a"});
    EXPECT_EQ(outcome.result, CParam::PROBLEM_CANNOT_OPEN_FILE);
    EXPECT_EQ(outcome.messages, "Cannot open file '" + missing + "'." + kHint);
    EXPECT_FALSE(all);

    const std::string bad = writeTempFile("bad.par", "Nope 1\n");
    outcome = run({"prog", "--ParameterFile", bad.c_str(), "-a"});
    EXPECT_EQ(outcome.result, CParam::PROBLEM_UNKNOWN_KEYWORD_IN_FILE);
    EXPECT_EQ(outcome.messages, "Unknown keyword in file '" + bad + "' at line:\n'Nope 1'." + kHint);
    EXPECT_FALSE(all);
}

TEST_F(CommandLineParameterFile, SameFileNamedTwiceIsReadTwice) {
    expectSuccess({"prog", "-f", traceFile.c_str(), "-T", "1", "-f", traceFile.c_str()});
    EXPECT_EQ(trace, 7);
    EXPECT_EQ(std::string(params.getSourceFromKey("TraceLevel")), traceFile);
}

TEST_F(CommandLineParameterFile, SourceIsTheNameAsSpelledOnTheCommandLine) {
    const std::string spelled = tempDir() + "/./trace.par";
    expectSuccess({"prog", "-f", spelled.c_str()});
    ASSERT_NE(params.getSourceFromKey("TraceLevel"), nullptr);
    EXPECT_EQ(std::string(params.getSourceFromKey("TraceLevel")), spelled);
    EXPECT_EQ(params.getSourceFromKey("All"), nullptr);
}

TEST_F(CommandLineParameterFile, LastOccurrenceWinsAcrossCommandLineAndFiles) {
    expectSuccess({"prog", "-T", "1", "-f", traceFile.c_str()});
    EXPECT_EQ(trace, 7);
    EXPECT_EQ(std::string(params.getSourceFromKey("TraceLevel")), traceFile);

    expectSuccess({"prog", "-f", traceFile.c_str(), "--TraceLevel=3"});
    EXPECT_EQ(trace, 3);
    EXPECT_EQ(params.getSourceFromKey("TraceLevel"), nullptr);

    expectSuccess({"prog", "-T2", "-T", "4", "--TraceLevel=5", "--TraceLevel", "6"});
    EXPECT_EQ(trace, 6);
}

}  // namespace
