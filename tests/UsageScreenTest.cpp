// The usage screen: the grouped synopsis line, the description blocks
// (obligatory first), the fixed texts, and the end of the process.
#include <gtest/gtest.h>

#include <string>

#include "Param.h"
#include "TestSupport.h"

namespace {

const std::string kFixedTexts =
    "\n   -h, --help:\n\t\tPrint this help information"
    "\n   -f file, --ParameterFile=file:\n\t\tUse the parameters given in file"
    "\n   --:\n\t\tDelimiter: '-' won't be interpreted as flag/\n"
    "\t\tkeyword trigger behind this.\n";

// The screen for a synopsis line (after the program name) and the
// description blocks that follow it.
std::string screen(const std::string& synopsis, const std::string& blocks) {
    return "\nusage: prog" + synopsis + "\n" + blocks + kFixedTexts;
}

void showUsage(CParam& set) {
    set.CheckParameters();
    set.usageInfo("prog");
}

}  // namespace

TEST(UsageScreenDeathTest, DemonstrationProgramsFourParameters) {
    int traceLevel = -1;
    char* lexicon = nullptr;
    char* grammar = nullptr;
    char* log = nullptr;
    CParam set;
    set.AddParamDef("TraceLevel", 'T', &traceLevel, 0,
                    "Trace level: 0 = no, 1 = minimal, 2 = full trace output", true, "n", -1);
    set.AddParamDef("LexiconFile", 'L', &lexicon, "Lexicon", "name of parameter file with lexicon",
                    false, "s", -1);
    set.AddParamDef("GrammarFile", 'G', &grammar, "Grammar", "name of file with grammar", false,
                    "s", -1);
    set.AddParamDef("LogFile", 0, &log, nullptr, "name of log file from ZQ-Tool", true, "s", -1);

    const std::string expected =
        "\n"
        "usage: prog -L s -G s [-T n] [-h] [-f file] [--]\n"
        "\n"
        "   -L s, --LexiconFile=s:\n"
        "\t\tname of parameter file with lexicon\n"
        "\t\t!! This parameter MUST be given !!\n"
        "   -G s, --GrammarFile=s:\n"
        "\t\tname of file with grammar\n"
        "\t\t!! This parameter MUST be given !!\n"
        "   -T n, --TraceLevel=n:\n"
        "\t\tTrace level: 0 = no, 1 = minimal, 2 = full trace output\n"
        "\t\tDefault: 0\n"
        "   --LogFile=s:\n"
        "\t\tname of log file from ZQ-Tool\n"
        "\t\tDefault: No Default given\n"
        "   -h, --help:\n"
        "\t\tPrint this help information\n"
        "   -f file, --ParameterFile=file:\n"
        "\t\tUse the parameters given in file\n"
        "   --:\n"
        "\t\tDelimiter: '-' won't be interpreted as flag/\n"
        "\t\tkeyword trigger behind this.\n";
    Args shortForm{"prog", "-h", "--Unknown"};
    EXPECT_EXIT(set.Interpret(shortForm.argv(), shortForm.argc()), testing::ExitedWithCode(255),
                exactRegex(expected));
    Args longForm{"prog", "-T", "2", "--help"};
    EXPECT_EXIT(set.Interpret(longForm.argv(), longForm.argc()), testing::ExitedWithCode(255),
                exactRegex(expected));
}

TEST(UsageScreenDeathTest, SwitchesAndPositionalParameters) {
    bool verbose = false;
    bool quiet = false;
    char* input = nullptr;
    char* output = nullptr;
    int limit = 0;
    CParam set;
    set.AddParamDef("Verbose", 'v', &verbose, false, "print progress messages", true, "", -1);
    set.AddParamDef("InputFile", 0, &input, nullptr, "file to read", false, "infile", 1);
    set.AddParamDef("Quiet", 'q', &quiet, false, "print nothing", true, "", -1);
    set.AddParamDef("OutputFile", 0, &output, "out.txt", "file to write", true, "outfile", 2);
    set.AddParamDef("Limit", 'n', &limit, 10, "most lines to read", false, "count", -1);

    const std::string expected =
        "\n"
        "usage: prog -n count [-vq] [-h] [-f file] [--] infile [outfile]\n"
        "\n"
        "   infile:\n"
        "\t\tfile to read\n"
        "\t\t!! This parameter MUST be given !!\n"
        "\t\tKeyword in parameter file: InputFile\n"
        "   -n count, --Limit=count:\n"
        "\t\tmost lines to read\n"
        "\t\t!! This parameter MUST be given !!\n"
        "   -v, --Verbose:\n"
        "\t\tprint progress messages\n"
        "   -q, --Quiet:\n"
        "\t\tprint nothing\n"
        "   outfile:\n"
        "\t\tfile to write\n"
        "\t\tDefault: out.txt\n"
        "\t\tKeyword in parameter file: OutputFile" +
        kFixedTexts;
    EXPECT_EXIT(showUsage(set), testing::ExitedWithCode(255), exactRegex(expected));
}

TEST(UsageScreenDeathTest, SetWithoutDefinitions) {
    CParam set;
    EXPECT_EXIT(showUsage(set), testing::ExitedWithCode(255),
                exactRegex("\nusage: prog [-h] [-f file] [--]\n" + kFixedTexts));
}

TEST(UsageScreenDeathTest, ObligatorySwitchRunsIntoTheTextBeforeIt) {
    bool force = false;
    bool all = false;
    CParam set;
    set.AddParamDef("Force", 'F', &force, false, "overwrite", false, "", -1);
    set.AddParamDef("All", 0, &all, false, "every file", false, "", -1);
    EXPECT_EXIT(showUsage(set), testing::ExitedWithCode(255),
                exactRegex(screen("F [-h] [-f file] [--]",
                                  "\n   -F, --Force:\n\t\toverwrite\n   --All:\n\t\tevery file")));
}

TEST(UsageScreenDeathTest, OptionalSwitchesWithoutFlagsLeaveAnEmptyBracket) {
    bool colour = false;
    bool wide = false;
    CParam set;
    set.AddParamDef("Colour", 0, &colour, false, "use colours", true, "", -1);
    set.AddParamDef("Wide", 0, &wide, true, "wide output", true, "", -1);
    EXPECT_EXIT(showUsage(set), testing::ExitedWithCode(255),
                exactRegex(screen(" [-] [-h] [-f file] [--]",
                                  "\n   --Colour:\n\t\tuse colours\n   --Wide:\n\t\twide output")));
}

TEST(UsageScreenDeathTest, GenericOptionalDefinitionHasAnEmptyDefaultLine) {
    CParam set;
    set.AddParamDef("Mode", 'm', TYPE_STRING, "run mode", "is no mode", true, "mode", -1);
    EXPECT_EXIT(showUsage(set), testing::ExitedWithCode(255),
                exactRegex(screen(" [-m mode] [-h] [-f file] [--]",
                                  "\n   -m mode, --Mode=mode:\n\t\trun mode\n\t\tDefault: ")));
}

TEST(UsageScreenDeathTest, UnlistedPositionsAndFlaglessParametersOnlyGetABlock) {
    char* zero = nullptr;
    char* input = nullptr;
    char* later = nullptr;
    int depth = 0;
    CParam set;
    set.AddParamDef("Zero", 0, &zero, nullptr, "at position 0", true, "zero", 0);
    set.AddParamDef("Input", 0, &input, nullptr, "at position 1", false, "in", 1);
    set.AddParamDef("Later", 0, &later, nullptr, "at position 4", true, "later", 4);
    set.AddParamDef("Depth", 0, &depth, 3, "search depth", false, "n", -1);
    // kwlessCount is 3: position 4 lies beyond it, position 0 is never listed.
    const std::string blocks =
        "\n   in:\n\t\tat position 1\n\t\t!! This parameter MUST be given !!"
        "\n\t\tKeyword in parameter file: Input"
        "\n   --Depth=n:\n\t\tsearch depth\n\t\t!! This parameter MUST be given !!"
        "\n   zero:\n\t\tat position 0\n\t\tDefault: No Default given"
        "\n\t\tKeyword in parameter file: Zero"
        "\n   later:\n\t\tat position 4\n\t\tDefault: No Default given"
        "\n\t\tKeyword in parameter file: Later";
    stderrOf([&] { set.CheckParameters(); });
    EXPECT_EXIT(set.usageInfo("prog"), testing::ExitedWithCode(255),
                exactRegex(screen(" [-h] [-f file] [--] in", blocks)));
}

TEST(UsageScreenDeathTest, BeforeAnyCheckNoPositionIsListed) {
    char* input = nullptr;
    CParam set;
    set.AddParamDef("Input", 0, &input, nullptr, "file to read", false, "in", 1);
    EXPECT_EXIT(
        set.usageInfo("prog"), testing::ExitedWithCode(255),
        exactRegex(screen(" [-h] [-f file] [--]",
                          "\n   in:\n\t\tfile to read\n\t\t!! This parameter MUST be given !!"
                          "\n\t\tKeyword in parameter file: Input")));
}

TEST(UsageScreenDeathTest, SharedPositionListsBothInRegistrationOrder) {
    char* first = nullptr;
    char* second = nullptr;
    CParam set;
    set.AddParamDef("First", 0, &first, nullptr, "one", false, "a", 1);
    set.AddParamDef("Second", 0, &second, nullptr, "two", false, "b", 1);
    stderrOf([&] { set.CheckParameters(); });  // warns about positions 1 and 2
    EXPECT_EXIT(set.usageInfo("prog"), testing::ExitedWithCode(255),
                exactRegex(screen(" [-h] [-f file] [--] a b",
                                  "\n   a:\n\t\tone\n\t\t!! This parameter MUST be given !!"
                                  "\n\t\tKeyword in parameter file: First"
                                  "\n   b:\n\t\ttwo\n\t\t!! This parameter MUST be given !!"
                                  "\n\t\tKeyword in parameter file: Second")));
}
