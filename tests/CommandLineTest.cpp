// The command-line interpreter: which definition gets which text, how many words each form consumes, the
// problems it reports, the process ends, the final check of obligatory parameters and the entry points.
#include "TestSupport.h"

namespace {

constexpr int kOk = CParam::OK, kEnds = 255;  // kEnds: the process ends after writing exactly the text
constexpr int kHyphen = CParam::PROBLEM_MISSING_HYPHEN, kFlag = CParam::PROBLEM_UNKNOWN_FLAG;
constexpr int kKeyword = CParam::PROBLEM_UNKNOWN_KEYWORD, kValue = CParam::PROBLEM_INVALID_VALUE;

// Interprets each line (words after "prog", separated by "|") on a fresh TestHost: the result, the host's
// state afterwards and the problem message (its help hint follows), or the text that ends the process.
struct Interpretation {
    std::string words;
    int result;
    std::string state;
    std::string problem = "";
};

void expectInterpretations(const std::vector<Interpretation>& cases, unsigned conventions = 0) {
    for (const Interpretation& c : cases) {
        SCOPED_TRACE(c.words);
        TestHost host(conventions);
        if (c.result == kEnds) {
            Args args("prog|" + c.words);
            EXPECT_ENDS_PROCESS(host.params.Interpret_returnError(args.argv(), args.argc()), c.problem);
            continue;
        }
        std::string messages;
        EXPECT_EQ(host.run(c.words, &messages), c.result);
        EXPECT_EQ(messages, c.problem.empty() ? "" : c.problem + hint());
        EXPECT_EQ(host.state(), c.state);
    }
}

}  // namespace

TEST(CommandLineDeathTest, EveryFormOfWordAndWhatItConsumesParameterFilesIncluded) {
    const std::string f = writeTempFile("trace.par", "TraceLevel 7\n"), bad = writeTempFile("bad.par", "Nope 1\n");
    const std::string unknown = "Unknown keyword in file '" + bad + "' at line:\n'Nope 1'.";
    const int inFile = CParam::PROBLEM_UNKNOWN_KEYWORD_IN_FILE, cannotOpen = CParam::PROBLEM_CANNOT_OPEN_FILE;
    expectInterpretations({
        {"", kOk, ""}, {"in.txt|-a|out.txt", kOk, "a in=in.txt out='out.txt'"},
        {"-aT3|--|-in.txt|--", kOk, "T=3 a in=-in.txt out='--'"}, {"--=x|-a|-", kOk, "in=-a out='-'"},
        {"one|-aT|6|two|three|-v", kHyphen, "T=6 a in=one out='two'",
         "Invalid argument 'three'.\nEach parameter must start with '-' or '--' resp.!"},
        {"-|x", kFlag, "", "Unknown flag ''."},
        {"--|in.txt|bad", kValue, "in=in.txt out='bad'", "Invalid value 'bad' at parameter 'outfile'."},
        // Long forms: the value after "=" or in the next word, whatever it is.
        {"--TraceLevel=4|--LogFile|run.log|--R=a=b|--R=", kOk, "T=4 log=run.log r='a=b',''"},
        {"--TraceLevel|-5|--R|--|--R|-a", kOk, "T=-5 r='--','-a'"}, {"--All|next|--Verbose=no", kOk, "a v in=next"},
        {"--R", kValue, "r=null", "Invalid value '' at parameter '--R'."},
        {"--Quiet|next", kValue, "q='next'", "Invalid value 'next' at parameter '--Quiet'."},
        {"--InputFile=in.txt", kKeyword, "", "Unknown keyword 'InputFile'."}, {"--\x1b", kKeyword, "", "Unknown keyword '\x1b'."},
        {"--tracelevel|3", kKeyword, "", "Unknown keyword 'tracelevel'."},
        {"--TraceLevel", kEnds, "", "\n'' should be an integer\n"},
        // Short forms: switch runs, attached or separate values.
        {"-T5|-T|6|-va|in.txt", kOk, "T=6 a v in=in.txt"}, {"-avT|5", kOk, "T=5 a v"},
        {"-r=5|-rh|-avr|x y|-r-a", kOk, "a v r='=5','h','x y','-a'"}, {"-a5", kFlag, "a", "Unknown flag '-5'."},
        {"-x|-a", kFlag, "", "Unknown flag '-x'."}, {"-ar", kValue, "a r=null", "Invalid value '' at parameter '-r'."},
        {"-Th", kEnds, "", "\n'h' should be an integer\n"},
        {"-aq", kEnds, "", "\nThis shoultn't have been happened...\nAn empty value of a bool flag wasn't accepted!"},
        // Parameter files, read at their place in the walk.
        {"-af|" + f + "|-f" + f + "|--ParameterFile=" + f + "|--ParameterFile|" + f, kOk, "T=7@trace.par a"},
        {"-f", cannotOpen, "", "Cannot open file ''."}, {"-a|--ParameterFile", cannotOpen, "a", "Cannot open file ''."},
        {"--ParameterFile|" + bad + "|-a", inFile, "", unknown}, {"-f|" + bad, inFile, "", unknown},
        {"-T|1|-f|" + f, kOk, "T=7@trace.par"}, {"-f|" + f + "|--TraceLevel=3", kOk, "T=3"},
    });
}

TEST(CommandLine, FirstUnsatisfiedObligatoryParameterIsReportedAfterTheLastWord) {
    char *lexicon = nullptr, *input = nullptr;
    CParam set;
    set.AddParamDef("LexiconFile", 'L', &lexicon, "Lexicon", "d", false, "s", -1);
    set.AddParamDef("InputFile", 0, &input, nullptr, "input", false, "infile", 1);
    Args noWords("prog"), lexiconOnly("prog|-L|lex"), inputOnly("prog|in.txt");
    EXPECT_EQ(stderrOf([&] { set.Interpret_returnError(noWords.argv(), 1); }), "Parameter 'LexiconFile' required." + hint());
    EXPECT_EQ(stderrOf([&] { set.Interpret_returnError(lexiconOnly.argv(), 3); }), "Parameter 'infile' required." + hint());
    EXPECT_EQ(set.Interpret_returnError(inputOnly.argv(), 2), kOk);  // values of an earlier interpretation count
    EXPECT_EQ(set.Interpret_returnError(nullptr, 3), kOk);           // no vector: no words
}

TEST(CommandLineDeathTest, InterpretGivesOkOrNotOkExitOnErrorOneOrTheEnd) {
    TestHost host;
    Args good("prog|-aT|3"), bad("prog|--Nope");
    EXPECT_EQ(host.params.Interpret(good.argv(), good.argc()) + host.params.Interpret_exitOnError(good.argv(), 3), 2);
    EXPECT_EQ(stderrOf([&] { EXPECT_EQ(host.params.Interpret(bad.argv(), 2), 0); }), "Unknown keyword 'Nope'." + hint());
    EXPECT_ENDS_PROCESS(host.params.Interpret_exitOnError(bad.argv(), 2), "Unknown keyword 'Nope'." + hint() + "...exiting.\n");
    EXPECT_EQ(host.run("b"), kOk);  // each interpretation starts afresh
    EXPECT_EQ(host.state(), "T=3 a in=b");
    Args other("./other|-y");
    EXPECT_EQ(stderrOf([&] { host.params.Interpret_returnError(other.argv(), 2); }), "Unknown flag '-y'." + hint("./other"));
}

TEST(CommandLineTodaysConventions, StrictValuesProblemsReturnedDashAsAWordAndSwitchWords) {
    expectInterpretations({
        {"-T|3x", kValue, "", "Invalid value '3x' at parameter '-T'.\nIt should be an integer."},
        {"in.txt|bad", kValue, "in=in.txt out='bad'", "Invalid value 'bad' at parameter 'outfile'.\nIt should be good."},
        {"--TraceLevel", CParam::PROBLEM_MISSING_VALUE, "", "Missing value at keyword '--TraceLevel'."},
        {"-avr", CParam::PROBLEM_MISSING_VALUE, "a v", "Missing value at keyword '-r'."},
        {"-aq", kValue, "a q=null", "Invalid value '' at parameter '-q'.\nIt should be good."},
        {"-|--All=off|--Verbose|x", kOk, "v in=- out='x'"}, {"-a|--All= NO \t|-v|--Verbose=On", kOk, "v"},
        {"--All=maybe", kValue, "", "Invalid value 'maybe' at parameter '--All'.\nIt should be true, yes, on, 1, false, no, off or 0."},
        {"-T| +42 |-vh|-x", CParam::HELP_SHOWN, "T=42 v"},
        {"--All=|-v", kValue, "", "Invalid value '' at parameter '--All'.\nIt should be true, yes, on, 1, false, no, off or 0."},
        // "--=text" would lose the text and take the later options for positional words.
        {"--=x|-a|out.txt", kKeyword, "", "Unknown keyword ''."},
        {"--Tracelevel=3", kKeyword, "", "Unknown keyword 'Tracelevel'.\nDid you mean '--TraceLevel'?"},
        // What a word or a file line would send the terminal is shown, not sent.
        {"-\x1b[31m", kFlag, "", "Unknown flag '-\\x1b'."}, {"--Caf\xc3\xa9\x9b\xff", kKeyword, "", "Unknown keyword 'Caf\xc3\xa9\\x9b\\xff'."},
        // The whole range of a second byte is UTF-8; a lead byte beyond the last plane is none.
        {"--Q\xc2\xbf\xf8\x88\x80\x80", kKeyword, "", "Unknown keyword 'Q\xc2\xbf\\xf8\\x88\\x80\\x80'."},
    }, CParam::CONVENTIONS_TODAY);
}

// A refusal's reason comes with the refusal: a host's own definition refused after a range in another set.
TEST(CommandLineTodaysConventions, EachRefusalGivesItsOwnReason) {
    int top = 0;
    CParam ranged;
    ranged.SetConventions(CParam::CONVENTIONS_TODAY);
    ranged.AddParamDef("Top", 'n', &top, 1, "d", true, "n", -1);
    ranged.SetRange("Top", "1", "9");
    Args zero("prog|-n|0");
    std::string messages;
    EXPECT_EQ(captured([&] { return ranged.Interpret_returnError(zero.argv(), zero.argc()); }, &messages), kValue);
    EXPECT_EQ(messages, "Invalid value '0' at parameter '-n'.\nIt should be an integer from 1 to 9." + hint());
    TestHost host(CParam::CONVENTIONS_TODAY);
    EXPECT_EQ(host.run("-r|bad", &messages), kValue);
    EXPECT_EQ(messages, "Invalid value 'bad' at parameter '-r'.\nIt should be good." + hint());
}

TEST(CommandLineTodaysConventionsDeathTest, HelpGoesToStandardOutputAndEndsOnlyInExitOnError) {
    TestHost host(CParam::CONVENTIONS_TODAY);
    Args help("prog|--help");
    testing::internal::CaptureStdout();
    EXPECT_EQ(host.params.Interpret(help.argv(), 2), CParam::NOT_OK);
    EXPECT_EQ(testing::internal::GetCapturedStdout().substr(0, 53), "\nusage: prog [-av [-q outfile]] [-T n] [--LogFile s] ");
    EXPECT_EXIT(host.params.Interpret_exitOnError(help.argv(), 2), testing::ExitedWithCode(0), "^$");
    host.params.SetConventions(CParam::RETURN_PROBLEMS);  // help on standard error as by default, returned
    std::string onError;
    EXPECT_EQ(captured([&] { return host.params.Interpret_returnError(help.argv(), 2); }, &onError), CParam::HELP_SHOWN);
    EXPECT_EQ(onError.substr(0, 44), "\nusage: prog [-av [-q outfile]] [-T n] [-r o");
}
