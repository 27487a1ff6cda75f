// The value kinds beyond the scalars: std::string, lists (the rest of the words among them), ranges
// and choices, from the command line and from parameter files, by default and with today's conventions.
#include <sstream>

#include "TestSupport.h"

namespace {

// Name -N (std::string, one of alpha, beta), Sizes -s (list of int from 1 to 9, default 5), Tags -t
// (list of strings, default x), Ratio -r (double, at most 1), Files (list of strings, the rest of the
// words from position 1, obligatory).
struct KindsHost {
    explicit KindsHost(unsigned conventions) {
        set.SetConventions(conventions);
        set.AddParamDef("Name", 'N', &name, "alpha", "name", true, "s", -1);
        set.AddParamDef("Sizes", 's', &sizes, {5}, "sizes", true, "n", -1);
        set.AddParamDef("Tags", 't', &tags, {"x"}, "tags", true, "tag", -1);
        set.AddParamDef("Ratio", 'r', &ratio, 0.5, "ratio", true, "x", -1);
        set.AddParamDef("Files", 0, &files, {}, "files", false, "file", 1);
        EXPECT_EQ(set.SetChoices("Name", {"alpha", "beta"}) + set.SetRange("Sizes", "1", "9") +
                      set.SetRange("Ratio", nullptr, "1"),
                  3);
    }
    std::string state() {
        std::ostringstream out;
        set.Display(out);
        return out.str();
    }
    std::string name;
    std::vector<int> sizes;
    std::vector<std::string> tags, files;
    double ratio = 0;
    CParam set;
};

}  // namespace

TEST(ValueKinds, ListsAppendAfterTheDefaultAndTheRestOfTheWordsFillTheLastList) {
    const std::string file = writeTempFile("kinds.par", "Tags a\nSizes 3\nFiles f.txt\nName beta\n");
    const struct {
        std::string words;
        int result;
        std::string state;  // Display: Name, Sizes, Tags, Ratio, Files
    } cases[] = {
        {"in.txt", CParam::OK, "Name=alpha\nSizes=5\nTags=x\nRatio=0.5\nFiles=in.txt\n"},
        {"-s|2|a|-t|b|--Sizes=9|b|--|-c|-s", CParam::OK, "Name=alpha\nSizes=2,9\nTags=b\nRatio=0.5\nFiles=a,b,-c,-s\n"},
        {"-f|" + file + "|-t|c|g.txt|-N|beta", CParam::OK, "Name=beta\nSizes=3\nTags=a,c\nRatio=0.5\nFiles=f.txt,g.txt\n"},
        {"-r|-3|-N|beta", CParam::PROBLEM_MISSING_PARAMETER, "Name=beta\nSizes=5\nTags=x\nRatio=-3\nFiles=\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        for (unsigned conventions : {0U, CParam::CONVENTIONS_TODAY}) {
            KindsHost host(conventions);
            Args args("prog|" + c.words);
            EXPECT_EQ(stderrOf([&] { EXPECT_EQ(host.set.Interpret_returnError(args.argv(), args.argc()), c.result); })
                          .substr(0, c.result == CParam::OK ? 0 : 22),
                      c.result == CParam::OK ? "" : "Parameter 'file' requi");
            EXPECT_EQ(host.state(), c.state);
        }
    }
}

TEST(ValueKindsDeathTest, ValuesOutsideTheRangeOrChoicesAreRefusedAsUnconvertibleOnesAre) {
    const struct {
        std::string words;
        std::string refusal;  // by default: the process ends with it
        std::string problem;  // with today's conventions: the problem message
    } cases[] = {
        {"-s|0", "'0' should be an integer from 1 to 9", "Invalid value '0' at parameter '-s'.\nIt should be an integer from 1 to 9."},
        {"-s|x", "'x' should be an integer", "Invalid value 'x' at parameter '-s'.\nIt should be an integer."},
        {"--Ratio=1.5", "'1.5' should be a double at most 1", "Invalid value '1.5' at parameter '--Ratio'.\nIt should be a double at most 1."},
        {"-N|gamma", "'gamma' should be one of alpha, beta", "Invalid value 'gamma' at parameter '-N'.\nIt should be one of alpha, beta."},
        {"--Name=", "'' should be a non null string", "Invalid value '' at parameter '--Name'.\nIt should be a non null string."},
        {"-t|", "'' should be a non null string", "Invalid value '' at parameter '-t'.\nIt should be a non null string."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        Args args("prog|" + c.words);
        KindsHost plain(0), today(CParam::CONVENTIONS_TODAY);
        EXPECT_ENDS_PROCESS(plain.set.Interpret_returnError(args.argv(), args.argc()), "\n" + c.refusal + "\n");
        EXPECT_EQ(stderrOf([&] { today.set.Interpret_returnError(args.argv(), args.argc()); }), c.problem + hint());
        EXPECT_EQ(today.state(), "Name=alpha\nSizes=5\nTags=x\nRatio=0.5\nFiles=\n");  // nothing stored
    }
}

TEST(ValueKinds, RangesAndChoicesOnlyWhereTheyFitAndTheUsageScreenShowsThem) {
    KindsHost host(CParam::CONVENTIONS_TODAY);
    char* text = nullptr;
    char letter = 0;
    host.set.AddParamDef("Text", 'x', &text, nullptr, "text", true, "s", -1);
    host.set.AddParamDef("Letter", 'l', &letter, 'a', "letter", true, "c", -1);
    EXPECT_EQ(host.set.SetRange("Name", "1", "2") + host.set.SetChoices("Sizes", {"1"}) + host.set.SetRange("Sizes", "2", "1") +
                  host.set.SetRange("Sizes", "1.5", nullptr) + host.set.SetRange("Sizes", nullptr, nullptr) +
                  host.set.SetRange("Letter", "a", "b") + host.set.SetChoices("Text", {}) + host.set.SetRange("Nope", "1", "2"),
              0);
    EXPECT_EQ(host.set.SetChoices("Text", {"a b"}) + host.set.SetChoices("Tags", {"x", "y"}), 2);
    Args args("prog|-x|a b|-t|y|f"), help("prog|--help");
    EXPECT_EQ(host.set.Interpret_returnError(args.argv(), args.argc()), CParam::OK);
    EXPECT_STREQ(text, "a b");
    testing::internal::CaptureStdout();
    host.set.Interpret_returnError(help.argv(), 2);
    const std::string screen = testing::internal::GetCapturedStdout();
    for (const char* shown : {"] [--] file...\n", "   file:\n\t\tfiles\n\t\tTakes this word and every later one.\n\t\t!! This",
                              "\t\tsizes (from 1 to 9)\n\t\tMay be given several times.\n\t\tDefault: 5\n",
                              "\t\tname (one of alpha, beta)\n\t\tDefault: alpha\n", "\t\ttags (one of x, y)\n"}) {
        EXPECT_NE(screen.find(shown), std::string::npos) << shown;
    }
}

TEST(ValueKinds, ThePositionCheckWarnsOnlyAboutAPositionalParameterBehindTheRestOfTheWords) {
    std::vector<std::string> rest;
    char *first = nullptr, *behind = nullptr;
    CParam set;
    set.AddParamDef("First", 0, &first, nullptr, "d", false, "first", 1);
    set.AddParamDef("Rest", 0, &rest, {}, "d", true, "rest", 2);
    EXPECT_EQ(stderrOf([&] { EXPECT_TRUE(set.CheckParameters()); }), "");
    set.AddParamDef("Behind", 0, &behind, nullptr, "d", true, "behind", 3);
    EXPECT_EQ(stderrOf([&] { EXPECT_FALSE(set.CheckParameters()); }),
              "\nCParam::CheckParameters():\nInternal warning: A kwdless parameter (behind) is located  \nbehind a list "
              "that takes the rest of the words.\n          BEWARE OF UNPREDICTIBLE BEHAVIOUR!\n\n");
}
