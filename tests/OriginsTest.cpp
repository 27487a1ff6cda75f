// Where values come from (defaults, the command line, environment variables, file lines) and the
// parameter file written back from them: a round trip for every kind of value, and the values the
// writer must refuse.
#include <cstdlib>
#include <fstream>
#include <locale>
#include <sstream>

#include "TestSupport.h"

namespace {

// One parameter of every kind, the positional list last.
struct EveryKind {
    explicit EveryKind(unsigned conventions) {
        set.SetConventions(conventions);
        set.SetEnvironmentPrefix("PARAMTEST_");
        set.AddParamDef("C", 'c', &c, 'c', "d", true, "c", -1);
        set.AddParamDef("I", 'i', &i, -1, "d", true, "n", -1);
        set.AddParamDef("U", 'u', &u, 1U, "d", true, "n", -1);
        set.AddParamDef("S", 's', &s, short{2}, "d", true, "n", -1);
        set.AddParamDef("W", 'w', &w, static_cast<unsigned short>(3), "d", true, "n", -1);
        set.AddParamDef("L", 'l', &l, 4L, "d", true, "n", -1);
        set.AddParamDef("M", 'm', &m, 5UL, "d", true, "n", -1);
        set.AddParamDef("D", 'd', &d, 0.5, "d", true, "x", -1);
        set.AddParamDef("F", 'F', &f, 0.25F, "d", true, "x", -1);
        set.AddParamDef("T", 't', &text, nullptr, "d", true, "s", -1);
        set.AddParamDef("Str", 'S', &str, "std", "d", true, "s", -1);
        set.AddParamDef("On", 'o', &on, false, "d", true, "", -1);
        set.AddParamDef("Off", 0, &off, true, "d", true, "", -1);
        set.AddParamDef("Ints", 'n', &ints, {7, 8}, "d", true, "n", -1);
        set.AddParamDef("Words", 0, &words, {}, "d", true, "w", 1);
    }
    int interpret(const std::string& words) {
        Args& args = kept.emplace_back(words.empty() ? "prog" : "prog|" + words);
        return set.Interpret_returnError(args.argv(), args.argc());
    }
    std::string values() const {
        std::ostringstream out;
        set.Display(out);
        return out.str();
    }
    // The host's variables, in the order above.
    char c, *text;
    int i;
    unsigned u;
    short s;
    unsigned short w;
    long l;
    unsigned long m;
    double d;
    float f;
    std::string str;
    bool on, off;
    std::vector<int> ints;
    std::vector<std::string> words;
    std::deque<Args> kept;
    CParam set;
};

std::string written(CParam& set, int expected = CParam::OK) {
    std::ostringstream out;
    EXPECT_EQ(set.WriteParameters(out), expected);
    return out.str();
}

}  // namespace

TEST(Origins, EachValueKnowsItsDefaultCommandLineVariableOrFileLineAndAVariableIsOverridden) {
    const std::string file = writeTempFile("origins.par", "# first\nI 3\nInts 9\n");
    setenv("PARAMTEST_S", "6", 1);
    setenv("PARAMTEST_Ints", " 1 2 ", 1);
    EveryKind kinds(0);
    EXPECT_EQ(kinds.interpret("-l|8|-f" + file + "|w"), CParam::OK);
    unsetenv("PARAMTEST_S");
    unsetenv("PARAMTEST_Ints");
    EXPECT_EQ(kinds.set.getSourceFromKey("I"), file);
    EXPECT_EQ(kinds.set.getOriginFromKey("I").line, 2);
    EXPECT_STREQ(kinds.set.getOriginFromKey("S").name, "PARAMTEST_S");
    EXPECT_EQ(kinds.set.getOriginFromKey("Nope").kind, ParamOrigin::DEFAULT);
    const std::string lines = written(kinds.set);
    for (const std::string& line : std::vector<std::string>{"C c  # default\n", "I 3  # from " + file + ", line 2\n", "S 6  # from $PARAMTEST_S\n",
                                    "L 8  # from the command line\n", "\nInts 9  # from " + file + ", line 3\nWords w  #",
                                    "# T: nothing to write, the default holds\n", "# On: nothing to write, the default holds\n"}) {
        EXPECT_NE(lines.find(line), std::string::npos) << line << " in\n" << lines;
    }
    // A refused value names its variable, the command line overrides the environment.
    setenv("PARAMTEST_I", "x", 1);
    EveryKind again(0);
    std::string messages;
    EXPECT_EQ(captured([&] { return again.interpret(""); }, &messages), CParam::PROBLEM_INVALID_VALUE);
    EXPECT_EQ(messages, "Invalid value 'x' at parameter '$PARAMTEST_I'.\nIt should be an integer." + hint());
    setenv("PARAMTEST_I", "4", 1);
    setenv("PARAMTEST_ParameterFile", "missing.par", 1);
    EXPECT_EQ(captured([&] { return again.interpret(""); }, &messages), CParam::PROBLEM_CANNOT_OPEN_FILE);
    EXPECT_EQ(messages, "Cannot open file 'missing.par'.\nIt is named by $PARAMTEST_ParameterFile." + hint());
    unsetenv("PARAMTEST_ParameterFile");
    EXPECT_EQ(again.interpret("-i|5"), CParam::OK);
    unsetenv("PARAMTEST_I");
    EXPECT_EQ(again.i, 5);
}

TEST(Origins, AnEmptyVariableIsNoWordForAStrictSwitch) {
    setenv("PARAMTEST_On", "", 1);
    EveryKind kinds(CParam::CONVENTIONS_TODAY);
    std::string messages;
    EXPECT_EQ(captured([&] { return kinds.interpret(""); }, &messages), CParam::PROBLEM_INVALID_VALUE);
    unsetenv("PARAMTEST_On");
    EXPECT_EQ(messages, "Invalid value '' at parameter '$PARAMTEST_On'.\nIt should be true, yes, on, 1, false, no, off or 0." + hint());
}

TEST(WrittenParameters, EveryKindOfValueReadsBackTheSame) {
    const char* given[] = {"-c|#|-i|-7|-u|4000000000|-s|-300|-w|65535|-l|-9|-m|18446744073709551615|-d|0.1|-F|3e+38|-t|a=b|-S|\"x|-o|-n|1|-n|2|p|q",
                           "-t|two words|--Off=no|-S|a\\\"b\\\\|--|-p q|=r"};
    const unsigned conventions[] = {0, CParam::CONVENTIONS_TODAY};
    for (int mode = 0; mode < 2; ++mode) {
        SCOPED_TRACE(given[mode]);
        EveryKind first(conventions[mode]), second(conventions[mode]);
        ASSERT_EQ(first.interpret(given[mode]), CParam::OK);
        const std::string path = writeTempFile("written.par", written(first.set));
        ASSERT_EQ(second.interpret("-f|" + path), CParam::OK) << written(first.set);
        EXPECT_EQ(second.values(), first.values());
    }
}

TEST(WrittenParameters, RemarksAndLocalNumbersReadBackToo) {
    // A file name holding a line end goes into a remark, where it must not start a line of its own.
    const std::string named = writeTempFile("p\nI 99 .par", "I 3\n");
    struct DecimalComma : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new DecimalComma));
    EveryKind first(0), second(0);
    ASSERT_EQ(first.interpret("-f|" + named + "|-d|0,001"), CParam::OK);
    const std::string text = written(first.set);
    const std::string path = writeTempFile("written.par", text);
    EXPECT_EQ(second.interpret("-f|" + path), CParam::OK);
    std::locale::global(previous);
    EXPECT_NE(text.find("D 0,001  #"), std::string::npos) << text;
    EXPECT_NE(text.find("p\\x0aI 99 .par, line 1\n"), std::string::npos) << text;
    EXPECT_EQ(second.values(), first.values());
}

TEST(WrittenParameters, AValueThatWouldNotReadBackIsNamedAndNothingIsWritten) {
    constexpr unsigned kToday = CParam::CONVENTIONS_TODAY;
    const std::string long1MiB(CParam::MAX_LINE_LENGTH, 'x');
    const struct {
        const char* what;
        unsigned conventions;
        std::string words;
        void (*change)(EveryKind&);  // what the host does after interpreting
        const char* keyword;
        std::string value;  // "": the message says that no line can give the value
    } cases[] = {
        {"a blank, unquoted", 0, "-t|two words", nullptr, "T", "two words"},
        {"a leading =", 0, "-S|=x", nullptr, "Str", "=x"},
        {"a tab, unquoted", 0, "-t|tab\there", nullptr, "T", "tab\there"},
        {"a blank, strict but unquoted", CParam::STRICT_VALUES, "-t|x y", nullptr, "T", "x y"},
        {"a line end", kToday, "-S|line\nend", nullptr, "Str", "line\nend"},
        {"a line longer than a file may hold", kToday, "-t|" + long1MiB, nullptr, "T", long1MiB},
        {"a white-space character", 0, "", [](EveryKind& k) { k.c = ' '; }, "C", ""},
        {"a white-space character, quoted", kToday, "", [](EveryKind& k) { k.c = ' '; }, "C", " "},
        {"a default outside its own range", 0, "", [](EveryKind& k) { k.set.SetRange("I", "0", "9"); }, "I", "-1"},
        {"a range set after interpreting", kToday, "-u|7", [](EveryKind& k) { k.set.SetRange("U", "1", "5"); }, "U", "7"},
        {"a default outside its choices", kToday, "", [](EveryKind& k) { k.set.SetChoices("Str", {"a"}); }, "Str", "std"},
        {"a switch on by default, turned off", 0, "", [](EveryKind& k) { k.off = false; }, "Off", ""},
        {"an empty text where none is the default", 0, "", [](EveryKind& k) { static char empty[] = ""; k.text = empty; }, "T", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EveryKind kinds(c.conventions);
        ASSERT_EQ(kinds.interpret(c.words), CParam::OK);
        if (c.change != nullptr) c.change(kinds);
        const std::string message = std::string("Cannot write parameter '") + c.keyword + "' to a parameter file: " +
                                    (c.value.empty() ? "a parameter file cannot give its value.\n"
                                                     : "its value '" + c.value + "' would not read back the same.\n");
        std::string text;
        EXPECT_EQ(stderrOf([&] { text = written(kinds.set, CParam::NOT_OK); }), message);
        EXPECT_EQ(text, "");
        const std::string path = tempDir() + "/unwritten.par";
        EXPECT_EQ(stderrOf([&] { EXPECT_EQ(kinds.set.WriteParameterFile(path.c_str()), CParam::NOT_OK); }), message);
        EXPECT_FALSE(std::ifstream(path));
    }
    EveryKind plain(0);
    plain.set.AddParamDef("Mode", 'M', TYPE_STRING, "d", "e", true, "m", -1);
    ASSERT_EQ(plain.interpret("-M|any"), CParam::OK);
    EXPECT_EQ(stderrOf([&] { written(plain.set, CParam::NOT_OK); }),
              "Cannot write parameter 'Mode' to a parameter file: a parameter file cannot give its value.\n");
}

TEST(WrittenParameters, OriginsOfVariablesOutliveAnotherPrefix) {
    setenv("PARAMTEST_S", "6", 1);
    EveryKind kinds(0);
    EXPECT_EQ(kinds.interpret(""), CParam::OK);
    unsetenv("PARAMTEST_S");
    kinds.set.SetEnvironmentPrefix("OTHER_");
    kinds.set.SetEnvironmentPrefix(nullptr);
    EXPECT_STREQ(kinds.set.getOriginFromKey("S").name, "PARAMTEST_S");
    EXPECT_NE(written(kinds.set).find("S 6  # from $PARAMTEST_S\n"), std::string::npos);
}
