// The command-line interpreter: which definition gets which text, how many
// words each form consumes, every problem it reports or ends the process
// with, the final check of obligatory parameters, and the three entry points.
#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

#include "Param.h"
#include "TestSupport.h"

namespace {

constexpr int kOk = CParam::OK;
constexpr int kInvalidValue = CParam::PROBLEM_INVALID_VALUE;
constexpr int kUnknownFlag = CParam::PROBLEM_UNKNOWN_FLAG;
constexpr int kUnknownKeyword = CParam::PROBLEM_UNKNOWN_KEYWORD;
constexpr int kCannotOpen = CParam::PROBLEM_CANNOT_OPEN_FILE;
constexpr int kEnds = 255;  // the process ends with this status after exactly the text

std::string joined(const std::vector<const char*>& words) {
    std::string text;
    for (const char* word : words) text += std::string(text.empty() ? "" : " ") + word;
    return text;
}

// One interpretation on a fresh TestHost: the words, the result, the problem
// message (the help hint follows it) and the host's state afterwards; or the
// words that end the process and the whole text written before.
struct Interpretation {
    std::vector<const char*> words;
    int result;
    std::string problem;
    std::string state = "";
};

void expectInterpretations(const std::vector<Interpretation>& cases) {
    for (const Interpretation& c : cases) {
        SCOPED_TRACE(joined(c.words));
        TestHost host;
        if (c.result == kEnds) {
            Args args(c.words);
            EXPECT_ENDS_PROCESS(host.params.Interpret_returnError(args.argv(), args.argc()),
                                c.problem);
            continue;
        }
        const TestHost::Outcome outcome = host.run(c.words);
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(outcome.messages, c.problem.empty() ? "" : c.problem + helpHint("prog"));
        EXPECT_EQ(host.state(), c.state);
    }
}

}  // namespace

TEST(CommandLineGrammar, PositionalWordsAndTheDelimiter) {
    expectInterpretations({
        {{"prog"}, kOk, "", ""},
        {{"prog", "in.txt", "-a", "out.txt"}, kOk, "", "a in=in.txt out='out.txt'"},
        {{"prog", "-aT3", "--", "-in.txt", "--"}, kOk, "", "T=3 a in=-in.txt out='--'"},
        {{"prog", "--", "-5"}, kOk, "", "in=-5"},
        {{"prog", "--", "-"}, kOk, "", "in=-"},
        {{"prog", "--", "-h"}, kOk, "", "in=-h"},
        // Any word starting with "--=" is the delimiter and takes no value.
        {{"prog", "--=x", "-a", "-v"}, kOk, "", "in=-a out='-v'"},
        // Values stored before a problem stay; nothing after it is looked at.
        {{"prog", "one", "-aT", "6", "two", "three", "-v"}, CParam::PROBLEM_MISSING_HYPHEN,
         "Invalid argument 'three'.\nEach parameter must start with '-' or '--' resp.!",
         "T=6 a in=one out='two'"},
        {{"prog", "-", "x"}, kUnknownFlag, "Unknown flag ''.", ""},
        {{"prog", "--", "in.txt", "bad"}, kInvalidValue,
         "Invalid value 'bad' at parameter 'outfile'.", "in=in.txt out='bad'"},
    });
}

TEST(CommandLineGrammarDeathTest, LongFormWithTheValueAfterEqualsOrInTheNextWord) {
    expectInterpretations({
        {{"prog", "--TraceLevel=4", "--LogFile", "run.log", "in.txt"}, kOk, "",
         "T=4 log=run.log in=in.txt"},
        {{"prog", "--Rec=a=b", "--Rec=", "--Rec==c"}, kOk, "", "rec='a=b','','=c'"},
        // The next word is the value whatever it looks like.
        {{"prog", "--TraceLevel", "-5", "--Rec", "--", "--Rec", "-a"}, kOk, "",
         "T=-5 rec='--','-a'"},
        // A switch leaves the next word alone and ignores a value after "=".
        {{"prog", "--All", "next"}, kOk, "", "a in=next"},
        {{"prog", "--Verbose=no", "next"}, kOk, "", "v in=next"},
        {{"prog", "--All"}, kOk, "", "a"},
        // The keyword as last word hands on null.
        {{"prog", "--Rec"}, kInvalidValue, "Invalid value '' at parameter '--Rec'.", "rec=null"},
        {{"prog", "--Rec=bad"}, kInvalidValue, "Invalid value 'bad' at parameter '--Rec'.",
         "rec='bad'"},
        {{"prog", "--Rec", "bad"}, kInvalidValue, "Invalid value 'bad' at parameter '--Rec'.",
         "rec='bad'"},
        // A switch of the host's that refuses reports the text it was given.
        {{"prog", "--Quiet", "next"}, kInvalidValue,
         "Invalid value 'next' at parameter '--Quiet'.", "q='next'"},
        {{"prog", "--Quiet=x"}, kInvalidValue, "Invalid value 'x' at parameter '--Quiet'.",
         "q='x'"},
        // A keyword-less definition's keyword is for parameter files only.
        {{"prog", "--InputFile=in.txt"}, kUnknownKeyword, "Unknown keyword 'InputFile'.", ""},
        {{"prog", "--Nope=1=2"}, kUnknownKeyword, "Unknown keyword 'Nope'.", ""},
        {{"prog", "--tracelevel", "3"}, kUnknownKeyword, "Unknown keyword 'tracelevel'.", ""},
        {{"prog", "--TraceLevel"}, kEnds, "\n'' should be an integer\n"},
    });
}

TEST(CommandLineGrammarDeathTest, ShortFormWithSwitchRunsAndAttachedOrSeparateValues) {
    expectInterpretations({
        {{"prog", "-T5", "in.txt"}, kOk, "", "T=5 in=in.txt"},
        {{"prog", "-T", "6", "in.txt"}, kOk, "", "T=6 in=in.txt"},
        {{"prog", "-va"}, kOk, "", "a v"},
        {{"prog", "-aT5", "in.txt"}, kOk, "", "T=5 a in=in.txt"},
        {{"prog", "-avT", "5", "in.txt"}, kOk, "", "T=5 a v in=in.txt"},
        {{"prog", "-a5"}, kUnknownFlag, "Unknown flag '-5'.", "a"},
        {{"prog", "-5"}, kUnknownFlag, "Unknown flag '-5'.", ""},
        {{"prog", "-T", "-5"}, kOk, "", "T=-5"},
        // Everything after the value letter is the value.
        {{"prog", "-r=5", "-rh", "-avr", "x y", "-r-a"}, kOk, "", "a v rec='=5','h','x y','-a'"},
        {{"prog", "-ar"}, kInvalidValue, "Invalid value '' at parameter '-r'.", "a rec=null"},
        {{"prog", "-arbad"}, kInvalidValue, "Invalid value 'bad' at parameter '-r'.",
         "a rec='bad'"},
        // An unknown letter does not look at the next word.
        {{"prog", "-x", "-a"}, kUnknownFlag, "Unknown flag '-x'.", ""},
        {{"prog", "-aT"}, kEnds, "\n'' should be an integer\n"},
        {{"prog", "-Th"}, kEnds, "\n'h' should be an integer\n"},  // a value, not help
        {{"prog", "-T=5"}, kEnds, "\n'=5' should be an integer\n"},
        {{"prog", "-aq"}, kEnds,
         "\nThis shoultn't have been happened...\nAn empty value of a bool flag wasn't accepted!"},
    });
}

TEST(CommandLineGrammar, ParameterFilesInEveryFormAndTheLastOccurrenceWins) {
    const std::string file = writeTempFile("trace.par", "TraceLevel 7\n");
    const std::string attached = "-f" + file;
    const std::string withEquals = "--ParameterFile=" + file;
    const std::string missing = tempDir() + "/missing.par";
    const std::string bad = writeTempFile("bad.par", "Nope 1\n");
    const char* const f = file.c_str();
    expectInterpretations({
        {{"prog", "-f", f, "in.txt"}, kOk, "", "T=7@trace.par in=in.txt"},
        {{"prog", attached.c_str(), "in.txt"}, kOk, "", "T=7@trace.par in=in.txt"},
        {{"prog", withEquals.c_str(), "in.txt"}, kOk, "", "T=7@trace.par in=in.txt"},
        {{"prog", "--ParameterFile", f, "in.txt"}, kOk, "", "T=7@trace.par in=in.txt"},
        {{"prog", "-af", f, "in.txt"}, kOk, "", "T=7@trace.par a in=in.txt"},
        // Without a file name the empty name is tried.
        {{"prog", "-f"}, kCannotOpen, "Cannot open file ''.", ""},
        {{"prog", "-af"}, kCannotOpen, "Cannot open file ''.", "a"},
        {{"prog", "--ParameterFile"}, kCannotOpen, "Cannot open file ''.", ""},
        {{"prog", "--ParameterFile="}, kCannotOpen, "Cannot open file ''.", ""},
        // A problem in the file ends the interpretation.
        {{"prog", "-f", missing.c_str(), "-a"}, kCannotOpen,
         "Cannot open file '" + missing + "'.", ""},
        {{"prog", "--ParameterFile", bad.c_str(), "-a"}, CParam::PROBLEM_UNKNOWN_KEYWORD_IN_FILE,
         "Unknown keyword in file '" + bad + "' at line:\n'Nope 1'.", ""},
        // The same file named twice is read twice; the last occurrence wins,
        // across the command line and files.
        {{"prog", "-f", f, "-T", "1", "-f", f}, kOk, "", "T=7@trace.par"},
        {{"prog", "-T", "1", "-f", f}, kOk, "", "T=7@trace.par"},
        {{"prog", "-f", f, "--TraceLevel=3"}, kOk, "", "T=3"},
        {{"prog", "-T2", "-T", "4", "--TraceLevel=5", "--TraceLevel", "6"}, kOk, "", "T=6"},
    });
    // The source is the name as spelled on the command line.
    const std::string spelled = tempDir() + "/./trace.par";
    TestHost host;
    ASSERT_EQ(host.run({"prog", "-f", spelled.c_str()}).result, kOk);
    EXPECT_STREQ(host.params.getSourceFromKey("TraceLevel"), spelled.c_str());
}

TEST(CommandLineObligatory, FirstUnsatisfiedInRegistrationOrderIsReportedAfterTheLastWord) {
    char* input = nullptr;
    std::deque<Args> words;
    CParam set;
    DemoParameters demo(set);
    set.AddParamDef("InputFile", 0, &input, nullptr, "input", false, "infile", 1);
    const auto problemOf = [&](std::initializer_list<const char*> list, int expected) {
        Args& args = words.emplace_back(list);
        int result = 0;
        const std::string messages =
            stderrOf([&] { result = set.Interpret_returnError(args.argv(), args.argc()); });
        EXPECT_EQ(result, expected);
        return messages;
    };
    EXPECT_EQ(problemOf({"prog", "-T", "2"}, CParam::PROBLEM_MISSING_PARAMETER),
              "Parameter 'LexiconFile' required." + helpHint("prog"));
    EXPECT_EQ(demo.traceLevel, 2);  // nothing is undone
    EXPECT_EQ(problemOf({"prog", "-L", "lex", "-G", "gram"}, CParam::PROBLEM_MISSING_PARAMETER),
              "Parameter 'infile' required." + helpHint("prog"));
    // Values of an earlier interpretation count.
    EXPECT_EQ(problemOf({"prog", "in.txt"}, kOk), "");
    EXPECT_STREQ(demo.lexicon, "lex");
    EXPECT_STREQ(input, "in.txt");
}

TEST(CommandLineEntryPointsDeathTest, InterpretGivesOkOrNotOkExitOnErrorOneOrTheEnd) {
    TestHost host;
    Args good{"prog", "-aT", "3"};
    Args bad{"prog", "-T", "4", "--Nope"};
    EXPECT_EQ(host.params.Interpret(good.argv(), good.argc()), kOk);
    EXPECT_EQ(host.state(), "T=3 a");
    int result = -100;
    EXPECT_EQ(stderrOf([&] { result = host.params.Interpret(bad.argv(), bad.argc()); }),
              "Unknown keyword 'Nope'." + helpHint("prog"));
    EXPECT_EQ(result, CParam::NOT_OK);
    EXPECT_EQ(host.params.Interpret_exitOnError(good.argv(), good.argc()), 1);
    EXPECT_ENDS_PROCESS(host.params.Interpret_exitOnError(bad.argv(), bad.argc()),
                        "Unknown keyword 'Nope'." + helpHint("prog") + "...exiting.\n");
}

TEST(CommandLineEntryPoints, LaterInterpretationStartsAfreshButKeepsTheValues) {
    TestHost host;
    EXPECT_EQ(host.run({"prog", "-T", "5", "--", "-a"}).result, kOk);
    EXPECT_EQ(host.state(), "T=5 in=-a");
    // Position 1 and option mode again: -a is a switch, "b" the first word.
    EXPECT_EQ(host.run({"prog", "-a", "b"}).result, kOk);
    EXPECT_EQ(host.state(), "T=5 a in=b");
    // The help hint names the program of the latest interpretation.
    EXPECT_EQ(host.run({"first", "-x"}).messages, "Unknown flag '-x'." + helpHint("first"));
    EXPECT_EQ(host.run({"./second", "-y"}).messages, "Unknown flag '-y'." + helpHint("./second"));
    // No vector at all is an empty command line, whatever the count says.
    CParam empty;
    EXPECT_EQ(empty.Interpret_returnError(nullptr, 3), kOk);
}
