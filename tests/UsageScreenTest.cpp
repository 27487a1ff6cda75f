// The usage screen: the grouped synopsis line, the description blocks
// (obligatory first), the fixed texts, and the end of the process, as a help
// request on the command line or the host itself brings it up.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "Param.h"
#include "TestSupport.h"

namespace {

const std::string kFixedTexts =
    "\n   -h, --help:\n\t\tPrint this help information"
    "\n   -f file, --ParameterFile=file:\n\t\tUse the parameters given in file"
    "\n   --:\n\t\tDelimiter: '-' won't be interpreted as flag/\n"
    "\t\tkeyword trigger behind this.\n";

class UsageScreenDeathTest : public testing::Test {
protected:
    // The whole screen, given what follows "usage: prog" and the blocks.
    static std::string screen(const std::string& synopsis, const std::string& blocks) {
        return "\nusage: prog" + synopsis + "\n" + blocks + kFixedTexts;
    }

    void expectHelpScreen(std::initializer_list<const char*> words, const std::string& text) {
        Args args(words);
        EXPECT_ENDS_PROCESS(set.Interpret_returnError(args.argv(), args.argc()), text);
    }

    // The screen as the host brings it up, after a check of its positions or
    // before any.
    void expectScreen(bool checked, const std::string& synopsis, const std::string& blocks) {
        if (checked) stderrOf([&] { set.CheckParameters(); });
        EXPECT_ENDS_PROCESS(set.usageInfo("prog"), screen(synopsis, blocks));
    }

    bool switches[2] = {};
    char* strings[4] = {};
    int number = 0;
    CParam set;
};

}  // namespace

TEST_F(UsageScreenDeathTest, DemonstrationProgramsFourParameters) {
    DemoParameters demo(set);
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
        "\t\tDefault: No Default given" +
        kFixedTexts;
    // Words after the request are not looked at.
    expectHelpScreen({"prog", "-h", "--Unknown"}, expected);
    expectHelpScreen({"prog", "-T", "2", "--help"}, expected);
    expectHelpScreen({"prog", "--help=x"}, expected);
}

TEST_F(UsageScreenDeathTest, SwitchesAndPositionalParameters) {
    set.AddParamDef("Verbose", 'v', &switches[0], false, "print progress messages", true, "", -1);
    set.AddParamDef("InputFile", 0, &strings[0], nullptr, "file to read", false, "infile", 1);
    set.AddParamDef("Quiet", 'q', &switches[1], false, "print nothing", true, "", -1);
    set.AddParamDef("OutputFile", 0, &strings[1], "out.txt", "file to write", true, "outfile", 2);
    set.AddParamDef("Limit", 'n', &number, 10, "most lines to read", false, "count", -1);
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
    expectHelpScreen({"prog", "-vh"}, expected);  // h ending a run of switches
}

TEST_F(UsageScreenDeathTest, SetWithoutDefinitionsNamedAsTheProgramWasStarted) {
    expectHelpScreen({"./run", "--help"}, "\nusage: ./run [-h] [-f file] [--]\n" + kFixedTexts);
    expectScreen(false, " [-h] [-f file] [--]", "");
}

TEST_F(UsageScreenDeathTest, ObligatorySwitchRunsIntoTheTextBeforeIt) {
    set.AddParamDef("Force", 'F', &switches[0], false, "overwrite", false, "", -1);
    set.AddParamDef("All", 0, &switches[1], false, "every file", false, "", -1);
    expectScreen(true, "F [-h] [-f file] [--]",
                 "\n   -F, --Force:\n\t\toverwrite\n   --All:\n\t\tevery file");
}

TEST_F(UsageScreenDeathTest, OptionalSwitchesWithoutFlagsLeaveAnEmptyBracket) {
    set.AddParamDef("Colour", 0, &switches[0], false, "use colours", true, "", -1);
    set.AddParamDef("Wide", 0, &switches[1], true, "wide output", true, "", -1);
    expectScreen(true, " [-] [-h] [-f file] [--]",
                 "\n   --Colour:\n\t\tuse colours\n   --Wide:\n\t\twide output");
}

TEST_F(UsageScreenDeathTest, GenericOptionalDefinitionHasAnEmptyDefaultLine) {
    set.AddParamDef("Mode", 'm', TYPE_STRING, "run mode", "is no mode", true, "mode", -1);
    expectScreen(true, " [-m mode] [-h] [-f file] [--]",
                 "\n   -m mode, --Mode=mode:\n\t\trun mode\n\t\tDefault: ");
}

TEST_F(UsageScreenDeathTest, UnlistedPositionsAndFlaglessParametersOnlyGetABlock) {
    set.AddParamDef("Zero", 0, &strings[0], nullptr, "at position 0", true, "zero", 0);
    set.AddParamDef("Input", 0, &strings[1], nullptr, "at position 1", false, "in", 1);
    set.AddParamDef("Later", 0, &strings[2], nullptr, "at position 4", true, "later", 4);
    set.AddParamDef("Depth", 0, &number, 3, "search depth", false, "n", -1);
    // kwlessCount is 3: position 4 lies beyond it, position 0 is never listed.
    const std::string inputBlock =
        "\n   in:\n\t\tat position 1\n\t\t!! This parameter MUST be given !!"
        "\n\t\tKeyword in parameter file: Input";
    const std::string otherBlocks =
        "\n   --Depth=n:\n\t\tsearch depth\n\t\t!! This parameter MUST be given !!"
        "\n   zero:\n\t\tat position 0\n\t\tDefault: No Default given"
        "\n\t\tKeyword in parameter file: Zero"
        "\n   later:\n\t\tat position 4\n\t\tDefault: No Default given"
        "\n\t\tKeyword in parameter file: Later";
    // Before any check no position is listed; the blocks are all there.
    expectScreen(false, " [-h] [-f file] [--]", inputBlock + otherBlocks);
    expectScreen(true, " [-h] [-f file] [--] in", inputBlock + otherBlocks);
}

TEST_F(UsageScreenDeathTest, SharedPositionListsBothInRegistrationOrder) {
    set.AddParamDef("First", 0, &strings[0], nullptr, "one", false, "a", 1);
    set.AddParamDef("Second", 0, &strings[1], nullptr, "two", false, "b", 1);
    expectScreen(true, " [-h] [-f file] [--] a b",
                 "\n   a:\n\t\tone\n\t\t!! This parameter MUST be given !!"
                 "\n\t\tKeyword in parameter file: First"
                 "\n   b:\n\t\ttwo\n\t\t!! This parameter MUST be given !!"
                 "\n\t\tKeyword in parameter file: Second");
}
