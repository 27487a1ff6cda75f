// Parameter files: the line format, the problem each line can raise, nested files with loop refusal,
// and the record of the files read.
#include <sys/resource.h>

#include "TestSupport.h"

namespace {

constexpr int kOk = CParam::OK, kMissing = CParam::PROBLEM_MISSING_VALUE_IN_FILE;
constexpr int kUnknown = CParam::PROBLEM_UNKNOWN_KEYWORD_IN_FILE, kCannotOpen = CParam::PROBLEM_CANNOT_OPEN_FILE;
constexpr int kGeneral = CParam::PROBLEM_GENERAL_PROBLEM_IN_FILE;

std::string aboutLine(const std::string& what, const std::string& file, const std::string& line) {
    return what + " in file '" + file + "' at line:\n'" + line + "'.";
}

}  // namespace

TEST(ParameterFile, EveryLineFormNestedFileAndTheProblemItRaises) {
    const std::string file = tempDir() + "/run.par", longValue(40000, 'v'), limit(CParam::MAX_LINE_LENGTH - 8, 'v');
    const std::string inner = writeTempFile("inner.par", "TraceLevel 2\nLogFile inner\n");
    const std::string bad = writeTempFile("bad.par", "TraceLevel 3\nUnknown 4\nAll\n");
    const std::string middle = writeTempFile("middle.par", "ParameterFile missing.par\nAll\n");
    const std::string loopBack = writeTempFile("b.par", "TraceLevel 2\nParameterFile=" + file + "\nAll\n");
    const std::string loop = "Loop detected in nested parameter file call";
    // With today's conventions (T): file messages give the line number and what a refused value should be.
    const auto general = [&](const std::string& line, const std::string& why) {
        return "General problem in file '" + file + "' at line 2:\n'" + line + "'.\n" + why + hint();
    };
    constexpr unsigned T = CParam::CONVENTIONS_TODAY;
    const struct {
        std::string content;
        int result;
        std::string state;
        std::string messages = "";  // checked when given, or when the result is OK
        unsigned conventions = 0;
    } cases[] = {
        // Blanks, tabs and "=" separate in any mix; a remark may follow.
        {"TraceLevel 3", kOk, "T=3@run.par"}, {"  TraceLevel=3 # remark", kOk, "T=3@run.par"},
        {"\t TraceLevel =\t= 3\tremark", kOk, "T=3@run.par"}, {"R 1", kOk, "r='1'@run.par"},
        // A keyword may begin with "="; keywords are bare and case-sensitive.
        {"=TraceLevel 3", kUnknown, ""}, {"  = 3", kUnknown, ""}, {"-T 3", kUnknown, ""}, {"help", kUnknown, ""},
        // A missing value stops the reading; a switch needs none.
        {"TraceLevel = \t\nAll", kMissing, "", aboutLine("Missing value", file, "TraceLevel = \t") + hint()},
        {"InputFile\nAll", kMissing, ""}, {"All 0\n  Verbose  ", kOk, "a@run.par v@run.par"},
        // Comments only in the first column; empty and blank lines anywhere.
        {"\n \t \n#TraceLevel 5\nTraceLevel 2\n", kOk, "T=2@run.par"},
        {"TraceLevel 4\n #TraceLevel 5\nAll", kUnknown, "T=4@run.par", aboutLine("Unknown keyword", file, " #TraceLevel 5") + hint()},
        // No line is too long; the last needs no line feed; CRLF line ends.
        {"LogFile " + longValue + " r\nAll\nTraceLevel 1", kOk, "T=1@run.par a@run.par log=" + longValue + "@run.par"},
        {"#c\r\nTraceLevel 3\r\n\r\nLogFile a\rb\r\nInputFile ab\r\r\nAll\r", kOk,
         "T=3@run.par a@run.par log=a\rb@run.par in=ab\r@run.par"},
        // A byte order mark is skipped; a line with a NUL byte, or longer than the limit, is refused.
        {"\xEF\xBB\xBFTraceLevel 3\n\xEF\xBB\xBF", kUnknown, "T=3@run.par"}, {"LogFile " + limit, kOk, "log=" + limit + "@run.par"},
        {std::string("All\nTraceLevel 2\0x\nVerbose", 22), kGeneral, "a@run.par", aboutLine("General problem", file, "TraceLevel 2") +
         "\nThe line holds a NUL byte, which a parameter file (a text) cannot." + hint()},
        {"LogFile " + limit + "x\nAll", kGeneral, "", aboutLine("General problem", file, "LogFile " + std::string(72, 'v') + "...") +
         "\nThe line is longer than 1048576 characters." + hint()},
        // A value that a host's own definition refuses.
        {"TraceLevel 2\n  R bad  remark\nTraceLevel 5\n", kGeneral, "T=2@run.par r='bad'",
         aboutLine("General problem", file, "  R bad  remark") + hint()},
        // Nested files are read at their place; a problem there names them.
        {"TraceLevel 1\nParameterFile " + inner + "\nLogFile outer\n", kOk, "T=2@inner.par log=outer@run.par"},
        {"ParameterFile " + bad + "\nAll\n", kUnknown, "T=3@bad.par", aboutLine("Unknown keyword", bad, "Unknown 4") + hint()},
        {"ParameterFile " + middle + "\nTraceLevel 8\n", kCannotOpen, "", "Cannot open file 'missing.par'." + hint()},
        {"ParameterFile = \t\nTraceLevel 2\n", CParam::PROBLEM_MISSING_VALUE_IN_FILE, "",
         aboutLine("Missing value", file, "ParameterFile = \t") + hint()},
        // A file already read is a loop: reported and skipped.
        {"TraceLevel 1\nParameterFile  " + file + "  r\nLogFile after\n", kOk, "T=1@run.par log=after@run.par",
         aboutLine(loop, file, "ParameterFile  " + file + "  r") + "\nSkipping parameter file call." + hint()},
        {"ParameterFile " + loopBack + "\nLogFile fromA\n", kOk, "T=2@b.par a@b.par log=fromA@run.par",
         aboutLine(loop, loopBack, "ParameterFile=" + file) + "\nSkipping parameter file call." + hint()},
        // Today's conventions: quoted values, switch words, refusals reported.
        {"LogFile \"a b # = \\\"q\\\" \\\\ \\n\"x  remark\nAll off\nVerbose yes", kOk, "v@run.par log=a b # = \"q\" \\ \\n@run.par", "", T},
        {"InputFile \"in\"\nLogFile \"\"", kGeneral, "in=in@run.par", general("LogFile \"\"", "The value '' of 'LogFile' should be a non null string."), T},
        {"All\nTraceLevel 3x\nAll", kGeneral, "a@run.par", general("TraceLevel 3x", "The value '3x' of 'TraceLevel' should be an integer."), T},
        {"#\nR \"bad\"", kGeneral, "r='bad'", general("R \"bad\"", "The value 'bad' of 'R' should be good."), T},
        {"\nLogFile \"open \\\"", kGeneral, "", general("LogFile \"open \\\"", "The quoted value has no closing quote."), T},
        {"All\nVerbose maybe", kGeneral, "a@run.par", general("Verbose maybe", "The value 'maybe' of 'Verbose' should be true, yes, on, 1, false, no, off or 0."), T},
        {"All\nVerbose \"\"", kGeneral, "a@run.par", general("Verbose \"\"", "The value '' of 'Verbose' should be true, yes, on, 1, false, no, off or 0."), T},
        {"All\nLogFile \x07\x1b]0;x", kOk, "a@run.par log=\x07\x1b]0;x@run.par", "", T},
        {"All\n\x1b[2J \x80", kUnknown, "a@run.par", "Unknown keyword in file '" + file + "' at line 2:\n'\\x1b[2J \\x80'." + hint(), T},
        {"#\nNope", kUnknown, "", "Unknown keyword in file '" + file + "' at line 2:\n'Nope'." + hint(), T},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content.substr(0, 60));
        writeTempFile("run.par", c.content);
        TestHost host(c.conventions);
        host.run("");
        std::string messages;
        EXPECT_EQ(host.read(file, &messages), c.result);
        EXPECT_EQ(host.state(), c.state);
        if (!c.messages.empty() || c.result == kOk) {
            EXPECT_EQ(messages, c.messages);
        }
    }
}

TEST(ParameterFileDeathTest, ValueRefusedByTheDefinitionEndsTheProcess) {
    const std::string path = writeTempFile("refused.par", "TraceLevel abc\n");
    TestHost host;
    EXPECT_ENDS_PROCESS(host.params.read_parameter_file(path.c_str()), "\n'abc' should be an integer\n");
}


// Limits that keep a hostile file from exhausting the stack, the open files or the memory.
TEST(ParameterFile, NestingTooDeepEndlessLinesFilesThatCannotBeReadAndTheSourceAsSpelled) {
    for (int n = 1; n <= CParam::MAX_FILE_NESTING + 1; ++n) {
        writeTempFile("d" + std::to_string(n) + ".par", "All\nParameterFile " + tempDir() + "/d" + std::to_string(n + 1) + ".par\n");
    }
    TestHost host;
    std::string messages;
    EXPECT_EQ(host.read(tempDir() + "/d1.par", &messages), kGeneral);
    EXPECT_EQ(messages, aboutLine("General problem", tempDir() + "/d64.par", "ParameterFile " + tempDir() + "/d65.par") +
                            "\nParameter files may be nested at most 64 deep." + hint(""));
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    EXPECT_EQ(host.read("/dev/zero", &messages), kGeneral);
    getrusage(RUSAGE_SELF, &after);
    EXPECT_EQ(messages, aboutLine("General problem", "/dev/zero", "") + "\nThe line is longer than 1048576 characters." + hint(""));
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, (64 << 10) + (CParam::MAX_LINE_LENGTH >> 10));  // kilobytes
    EXPECT_EQ(host.read(tempDir(), &messages), kCannotOpen);  // a directory opens, but cannot be read
    EXPECT_EQ(messages, "Cannot open file '" + tempDir() + "'." + hint(""));  // before any interpretation
    EXPECT_EQ(host.read(writeTempFile("empty.par", "")), kOk);
    const std::string inner = writeTempFile("inner.par", "LogFile inner\n"), spelled = tempDir() + "/./inner.par";
    EXPECT_EQ(host.read(spelled), kOk);
    EXPECT_EQ(host.params.getSourceFromKey("LogFile"), spelled);
    // Named again by a further path, a file is read again.
    EXPECT_EQ(host.read(writeTempFile("twice.par", "ParameterFile " + inner + "\n")), kOk);
    EXPECT_EQ(host.params.getSourceFromKey("LogFile"), inner);
}
