// The usage screen: the grouped synopsis line, the description blocks (obligatory ones first) and the
// fixed texts, with each group's edge cases in one screen.
#include "TestSupport.h"

namespace {

const std::string kFixedTexts =
    "\n   -h, --help:\n\t\tPrint this help information\n   -f file, --ParameterFile=file:\n\t\tUse the parameters given in "
    "file\n   --:\n\t\tDelimiter: '-' won't be interpreted as flag/\n\t\tkeyword trigger behind this.\n";

}  // namespace

TEST(UsageScreenDeathTest, EveryKindOfEntryInItsGroupAndBlock) {
    bool force = false, verbose = false, wide = false;
    int depth = 0, limit = 0;
    char *zero = nullptr, *input = nullptr, *output = nullptr, *later = nullptr, *out = nullptr;
    CParam set;
    set.AddParamDef("Verbose", 'v', &verbose, false, "verbose", true, "", -1);
    set.AddParamDef("Force", 'F', &force, false, "overwrite", false, "", -1);
    set.AddParamDef("Zero", 0, &zero, nullptr, "at 0", true, "zero", 0);
    set.AddParamDef("Depth", 0, &depth, 3, "search depth", false, "n", -1);
    set.AddParamDef("Wide", 0, &wide, true, "wide", true, "", -1);
    set.AddParamDef("Mode", 'm', TYPE_STRING, "run mode", "e", true, "mode", -1);
    set.AddParamDef("Input", 0, &input, nullptr, "input", false, "in", 1);
    set.AddParamDef("Output", 'o', &output, "out.txt", "out", true, "s", -1);
    set.AddParamDef("Later", 0, &later, nullptr, "at 5", true, "later", 5);
    set.AddParamDef("Out", 0, &out, "o.txt", "at 4", true, "out", 4);
    set.AddParamDef("Limit", 'n', &limit, 10, "most lines", false, "count", -1);
    const std::string blocks =
        "\n   -F, --Force:\n\t\toverwrite\n   --Depth=n:\n\t\tsearch depth\n\t\t!! This parameter MUST be given !!"
        "\n   in:\n\t\tinput\n\t\t!! This parameter MUST be given !!\n\t\tKeyword in parameter file: Input"
        "\n   -n count, --Limit=count:\n\t\tmost lines\n\t\t!! This parameter MUST be given !!\n   -v, --Verbose:\n\t\tverbose"
        "\n   zero:\n\t\tat 0\n\t\tDefault: No Default given\n\t\tKeyword in parameter file: Zero\n   --Wide:\n\t\twide"
        "\n   -m mode, --Mode=mode:\n\t\trun mode\n\t\tDefault: \n   -o s, --Output=s:\n\t\tout\n\t\tDefault: out.txt"
        "\n   later:\n\t\tat 5\n\t\tDefault: No Default given\n\t\tKeyword in parameter file: Later"
        "\n   out:\n\t\tat 4\n\t\tDefault: o.txt\n\t\tKeyword in parameter file: Out" + kFixedTexts;
    const std::string synopsis = "\nusage: progF -n count [-v] [-m mode] [-o s] [-h] [-f file] [--]";
    EXPECT_ENDS_PROCESS(set.usageInfo("prog"), synopsis + "\n" + blocks);  // before any check: no position
    stderrOf([&] { set.CheckParameters(); });  // four positional definitions: positions 1 to 4 listed, 5 not
    EXPECT_ENDS_PROCESS(set.usageInfo("prog"), synopsis + " in [out]\n" + blocks);
}

// Help on standard output goes there directly: standard error, which another thread may be writing to,
// is never redirected; a host's own piece of the screen is asked in the form for the stream in use.
TEST(UsageScreen, GoesToTheStreamItBelongsOnAndAsksAHostsPiecesForIt) {
    struct Own : CParamDef {
        Own() : CParamDef("Own", 'o', TYPE_STRING, "o", "own", "e", true, -1) {}
        void writeDesc() override { std::cerr << "[own block]"; }
        void writeDescription(std::ostream& out) override {
            out << (std::cerr.rdbuf() == errors ? "[own block, errors untouched]" : "[errors redirected]");
        }
        std::streambuf* const errors = std::cerr.rdbuf();
    };
    for (const unsigned conventions : {CParam::RETURN_PROBLEMS, CParam::RETURN_PROBLEMS | CParam::HELP_ON_STDOUT}) {
        CParam set;
        set.SetConventions(conventions);
        set.AddParamDef(new Own);
        testing::internal::CaptureStdout();
        const std::string errors = stderrOf([&] { set.usageInfo("prog"); });
        const std::string output = testing::internal::GetCapturedStdout();
        const bool onOutput = (conventions & CParam::HELP_ON_STDOUT) != 0;
        const std::string& screen = onOutput ? output : errors;
        EXPECT_EQ(screen.substr(0, 40), "\nusage: prog [-o o] [-h] [-f file] [--]\n");
        EXPECT_NE(screen.find(onOutput ? "[own block, errors untouched]" : "[own block]"), std::string::npos) << screen;
        EXPECT_EQ(onOutput ? errors : output, "");
    }
}
