// How an interpretation fails, ends the process or is repeated: problem
// codes with their exact messages, the final check of obligatory parameters,
// and the three entry points.
#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <string>

#include "Param.h"
#include "TestSupport.h"

namespace {

std::string hint(const std::string& program) {
    return "\nGet help with '" + program + " --help'\n\n";
}

// A host's own definition that refuses every value, leaving the report to
// the set. As a switch (takesValue false) it refuses even the empty text.
class RefusingDef : public CParamDef {
public:
    RefusingDef(const char* keyword, char flag, int position, bool takesValue)
        : CParamDef(keyword, flag, TYPE_INT, "num", "refuses", "is never shown", true, position),
          takesValue(takesValue) {}

    int dealWith(char*, char*) override { return 0; }
    bool skipAfter() override { return takesValue; }

private:
    bool takesValue;
};

class Interpretation : public testing::Test {
protected:
    int interpret(std::initializer_list<const char*> words) {
        Args& args = keptArgs.emplace_back(words);
        return params.Interpret_returnError(args.argv(), args.argc());
    }

    std::string messagesOf(std::initializer_list<const char*> words, int expectedResult) {
        int result = 0;
        const std::string messages = stderrOf([&] { result = interpret(words); });
        EXPECT_EQ(result, expectedResult);
        return messages;
    }

    CParam params;
    std::deque<Args> keptArgs;
};

// --- A definition refusing a value --------------------------------------

class RefusedValue : public Interpretation {
protected:
    void SetUp() override {
        params.AddParamDef(new RefusingDef("Count", 'c', -1, true));
        params.AddParamDef(new RefusingDef("Number", 0, 1, true));
        params.AddParamDef(new RefusingDef("Quiet", 'q', -1, false));
        params.AddParamDef("All", 'a', &all, false, "all", true, "", -1);
    }

    bool all = false;
};

TEST_F(RefusedValue, NamedByKeywordWithTheValueQuotedFirst) {
    EXPECT_EQ(messagesOf({"prog", "--Count=7"}, CParam::PROBLEM_INVALID_VALUE),
              "Invalid value '7' at parameter '--Count'." + hint("prog"));
    EXPECT_EQ(messagesOf({"prog", "--Count", "8"}, CParam::PROBLEM_INVALID_VALUE),
              "Invalid value '8' at parameter '--Count'." + hint("prog"));
    EXPECT_EQ(messagesOf({"prog", "--Count"}, CParam::PROBLEM_INVALID_VALUE),
              "Invalid value '' at parameter '--Count'." + hint("prog"));
}

TEST_F(RefusedValue, NamedByFlagLetter) {
    EXPECT_EQ(messagesOf({"prog", "-ac9"}, CParam::PROBLEM_INVALID_VALUE),
              "Invalid value '9' at parameter '-c'." + hint("prog"));
    EXPECT_TRUE(all);
    EXPECT_EQ(messagesOf({"prog", "-c"}, CParam::PROBLEM_INVALID_VALUE),
              "Invalid value '' at parameter '-c'." + hint("prog"));
}

TEST_F(RefusedValue, PositionalNamedByItsValueTypeName) {
    EXPECT_EQ(messagesOf({"prog", "--", "-1"}, CParam::PROBLEM_INVALID_VALUE),
              "Invalid value '-1' at parameter 'num'." + hint("prog"));
}

TEST_F(RefusedValue, SwitchRefusingByKeywordReportsTheTextItWasGiven) {
    EXPECT_EQ(messagesOf({"prog", "--Quiet", "next"}, CParam::PROBLEM_INVALID_VALUE),
              "Invalid value 'next' at parameter '--Quiet'." + hint("prog"));
    EXPECT_EQ(messagesOf({"prog", "--Quiet=x"}, CParam::PROBLEM_INVALID_VALUE),
              "Invalid value 'x' at parameter '--Quiet'." + hint("prog"));
}

TEST_F(RefusedValue, SwitchRefusingInASwitchRunEndsTheProcess) {
    EXPECT_EXIT(interpret({"prog", "-aq"}), testing::ExitedWithCode(255),
                exactRegex("\nThis shoultn't have been happened...\n"
                           "An empty value of a bool flag wasn't accepted!"));
}

// --- Obligatory parameters ----------------------------------------------

class ObligatoryParameter : public Interpretation {
protected:
    void SetUp() override {
        params.AddParamDef("TraceLevel", 'T', &trace, 0, "trace", true, "n", -1);
        params.AddParamDef("LexiconFile", 'L', &lexicon, "Lexicon", "lexicon", false, "s", -1);
        params.AddParamDef("InputFile", 0, &input, nullptr, "input", false, "infile", 1);
        params.AddParamDef("GrammarFile", 'G', &grammar, "Grammar", "grammar", false, "s", -1);
    }

    int trace = 0;
    char* lexicon = nullptr;
    char* input = nullptr;
    char* grammar = nullptr;
};

TEST_F(ObligatoryParameter, FirstUnsatisfiedInRegistrationOrderIsReportedByKeyword) {
    EXPECT_EQ(messagesOf({"prog", "-T", "2"}, CParam::PROBLEM_MISSING_PARAMETER),
              "Parameter 'LexiconFile' required." + hint("prog"));
    EXPECT_EQ(trace, 2);  // nothing is undone
}

TEST_F(ObligatoryParameter, PositionalIsReportedByItsValueTypeName) {
    EXPECT_EQ(messagesOf({"prog", "-L", "lex"}, CParam::PROBLEM_MISSING_PARAMETER),
              "Parameter 'infile' required." + hint("prog"));
}

TEST_F(ObligatoryParameter, SatisfiedByAnEarlierInterpretation) {
    EXPECT_EQ(messagesOf({"prog", "-L", "lex", "in.txt"}, CParam::PROBLEM_MISSING_PARAMETER),
              "Parameter 'GrammarFile' required." + hint("prog"));
    EXPECT_EQ(messagesOf({"prog", "-G", "gram"}, CParam::OK), "");
    EXPECT_EQ(std::string(lexicon), "lex");
    EXPECT_EQ(std::string(input), "in.txt");
}

// --- The three entry points and the program name ----------------------------

class EntryPoints : public Interpretation {
protected:
    void SetUp() override {
        params.AddParamDef("TraceLevel", 'T', &trace, 0, "trace", true, "n", -1);
        params.AddParamDef("All", 'a', &all, false, "all", true, "", -1);
        params.AddParamDef("InputFile", 0, &input, nullptr, "input", true, "infile", 1);
    }

    int trace = 0;
    bool all = false;
    char* input = nullptr;
};

TEST_F(EntryPoints, InterpretReducesTheResultToOkOrNotOk) {
    Args good{"prog", "-T", "3"};
    EXPECT_EQ(params.Interpret(good.argv(), good.argc()), CParam::OK);
    EXPECT_EQ(trace, 3);

    Args bad{"prog", "-x"};
    int result = -100;
    const std::string messages =
        stderrOf([&] { result = params.Interpret(bad.argv(), bad.argc()); });
    EXPECT_EQ(result, CParam::NOT_OK);
    EXPECT_EQ(messages, "Unknown flag '-x'." + hint("prog"));
}

TEST_F(EntryPoints, ExitOnErrorReturnsOneOnSuccess) {
    Args good{"prog", "-a"};
    EXPECT_EQ(params.Interpret_exitOnError(good.argv(), good.argc()), 1);
    EXPECT_TRUE(all);
}

TEST_F(EntryPoints, ExitOnErrorEndsTheProcessAfterTheMessage) {
    Args bad{"prog", "-T", "4", "--Nope"};
    EXPECT_EXIT(params.Interpret_exitOnError(bad.argv(), bad.argc()),
                testing::ExitedWithCode(255),
                exactRegex("Unknown keyword 'Nope'." + hint("prog") + "...exiting.\n"));
}

TEST_F(EntryPoints, HintNamesTheProgramOfTheLatestInterpretation) {
    EXPECT_EQ(messagesOf({"first", "-x"}, CParam::PROBLEM_UNKNOWN_FLAG),
              "Unknown flag '-x'." + hint("first"));
    EXPECT_EQ(messagesOf({"./second", "-y"}, CParam::PROBLEM_UNKNOWN_FLAG),
              "Unknown flag '-y'." + hint("./second"));
}

TEST_F(EntryPoints, SecondInterpretationStartsAfreshButKeepsTheValues) {
    EXPECT_EQ(messagesOf({"prog", "-T", "5", "--", "-a"}, CParam::OK), "");
    EXPECT_EQ(std::string(input), "-a");
    EXPECT_FALSE(all);

    // Position 1 and option mode again: -a is a switch, "b" the first word.
    EXPECT_EQ(messagesOf({"prog", "-a", "b"}, CParam::OK), "");
    EXPECT_TRUE(all);
    EXPECT_EQ(std::string(input), "b");
    EXPECT_EQ(trace, 5);
}

TEST_F(EntryPoints, ValuesStoredBeforeAProblemStay) {
    EXPECT_EQ(messagesOf({"prog", "first", "-aT", "6", "second"}, CParam::PROBLEM_MISSING_HYPHEN),
              "Invalid argument 'second'.\nEach parameter must start with '-' or '--' resp.!" +
                  hint("prog"));
    EXPECT_EQ(std::string(input), "first");
    EXPECT_TRUE(all);
    EXPECT_EQ(trace, 6);
}

}  // namespace
