// The definitions: conversion of a token into each value type, what a definition shows of itself,
// the string's copies and the switch.
#include <locale>
#include <sstream>

#include "TestSupport.h"

namespace {

std::string shown(const CParamDef& d) {
    std::ostringstream out;
    d.display(out);
    return out.str();
}

std::string defaultOf(CParamDef& d) { return stderrOf([&] { d.writeDefault(); }); }

// The value a fresh definition of T shows after taking token, or "refused"; strictly, it belongs
// to a set with strict values.
template <typename T>
std::string conversion(const char* token, bool strictly) {
    static CParam strict;
    strict.SetConventions(CParam::STRICT_VALUES);
    struct Owned : CScalarParamDef<T> {
        Owned(T* variable, const CParam* set) : CScalarParamDef<T>("V", 'v', variable, T{}, "x", "d", true, -1) {
            this->owner = set;
        }
    };
    T variable{};
    Owned d(&variable, strictly ? &strict : nullptr);
    std::string text = token;
    return d.getVarFromToken(text.data()) == 0 ? "refused" : shown(d).substr(2, shown(d).size() - 3);
}

struct Grouping : std::numpunct<char> {
    char do_thousands_sep() const override { return ','; }
    std::string do_grouping() const override { return "\3"; }
};

}  // namespace

// By default the longest readable beginning of the token; strictly, the whole token, blanks around it aside.
TEST(ScalarConversion, ByDefaultTheReadableBeginningStrictlyTheWholeTokenWithinTheTypesRange) {
    const char* const no = "refused";
    const struct {
        std::string (*convert)(const char*, bool);
        const char *token, *byDefault, *strictly;
    } cases[] = {
        {conversion<int>, " \t42abc", "42", no}, {conversion<int>, " 42\t", "42", "42"}, {conversion<int>, "3.7", "3", no},
        {conversion<int>, "0x1F", "0", no}, {conversion<int>, "1e3", "1", no}, {conversion<int>, "abc", no, no},
        {conversion<int>, "", no, no}, {conversion<int>, "  ", no, no}, {conversion<int>, "+5", "5", "5"},
        {conversion<int>, "+-5", no, no}, {conversion<int>, "+", no, no}, {conversion<int>, "-2147483648", "-2147483648", "-2147483648"},
        {conversion<int>, "3000000000", no, no}, {conversion<short>, "40000", no, no}, {conversion<short>, "-32768", "-32768", "-32768"},
        {conversion<unsigned short>, "40000", "40000", "40000"}, {conversion<unsigned>, " -1", no, no},
        {conversion<unsigned long>, "-0", no, no}, {conversion<long>, "-9", "-9", "-9"}, {conversion<char>, " xyz", "x", no},
        {conversion<char>, " x ", "x", "x"}, {conversion<char>, " \t", no, no}, {conversion<double>, "1e3kg", "1000", no},
        {conversion<double>, "1234567", "1.23457e+06", "1.23457e+06"}, {conversion<double>, "-1e-3", "-0.001", "-0.001"},
        {conversion<double>, "1,5", "1", no}, {conversion<double>, "inf", no, no}, {conversion<double>, "nan", no, no},
        {conversion<double>, "1e400", no, no}, {conversion<float>, "1e40", no, no},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.convert(c.token, false), c.byDefault) << c.token;
        EXPECT_EQ(c.convert(c.token, true), c.strictly) << c.token;
    }
}

// The conversion stream is reused; it still reads with the global locale of the moment.
TEST(ScalarConversion, FollowsTheGlobalLocaleOfTheMoment) {
    int value = 0;
    CIntParamDef d("N", 0, &value, 0, "n", "d", true, -1);
    char token[] = "1,000";
    const std::locale previous = std::locale::global(std::locale(std::locale(), new Grouping));
    d.getVarFromToken(token);
    const std::string strict = conversion<int>("1,000", true);
    std::locale::global(previous);
    EXPECT_EQ(value, 1000);
    EXPECT_EQ(strict, "refused");
    EXPECT_EQ(conversion<int>("1,000", false), "1");
}

TEST(ScalarDefinitionDeathTest, DefaultShownAndRefusalsEndTheProcessWithTheClassText) {
    unsigned short port = 1;
    CUnsignedshortParamDef d("Port", 'p', &port, 40000, "n", "d", false, -1);
    double ratio = 0;
    CDoubleParamDef r("Ratio", 'r', &ratio, 0.5, "x", "d", true, -1);
    EXPECT_EQ(port, 40000);
    EXPECT_EQ(defaultOf(d) + defaultOf(r), "400000.5");
    char token[] = "7", file[] = "p.par", bad[] = "-1";
    EXPECT_FALSE(d.isSatisfied());
    EXPECT_EQ(d.dealWith(token, file), 1);
    EXPECT_TRUE(d.isSatisfied());
    EXPECT_EQ(d.getSource(), file);
    EXPECT_EQ(d.getValue(), &port);
    EXPECT_EQ(shown(d), "Port=7\n");
    EXPECT_ENDS_PROCESS(d.dealWith(bad, nullptr), "\n'-1' should be an unsigned integer\n");
    EXPECT_ENDS_PROCESS(r.dealWith(nullptr, nullptr), "\n'' should be a double\n");
}

TEST(GenericDefinitionDeathTest, AcceptsNonEmptyTokensStoringNothingAsASwitchTakesAny) {
    CParamDef d("Mode", 'm', TYPE_CHAR, nullptr, "d", "is no mode", false, 3);
    char value[] = "\xe9", empty[] = "";
    EXPECT_EQ(d.dealWith(value, nullptr), 1);
    EXPECT_TRUE(d.isSatisfied());
    EXPECT_EQ(d.getValue(), nullptr);
    EXPECT_EQ(shown(d), "");
    EXPECT_STREQ(d.getPartypeName(), "");
    EXPECT_TRUE(d.no_keyword());
    EXPECT_TRUE(d.myKWless_param(3));
    EXPECT_FALSE(d.myKWless_param(-1));
    EXPECT_TRUE(d.understands('m'));
    EXPECT_FALSE(d.understands('\0'));
    EXPECT_FALSE(d.understands("mode"));
    EXPECT_ENDS_PROCESS(d.dealWith(empty, nullptr), "\n'' is no mode\n");
    EXPECT_DEATH(CParamDef(nullptr, 0, TYPE_INT, "n", "d", "e", true, -1), "^Assertion failed: keyword\n$");
    bool verbose = true;  // a switch: any mention turns it on for good, and it never takes a position
    CBoolParamDef sw("Verbose", 'v', &verbose, false, "", "d", false, 2);
    EXPECT_EQ(shown(sw) + defaultOf(sw), "Verbose=0\n0");
    char no[] = "0";
    EXPECT_EQ(sw.dealWith(no, nullptr) + sw.dealWith(nullptr, nullptr), 2);
    EXPECT_TRUE(verbose);
    EXPECT_TRUE(sw.isSatisfied());
    EXPECT_EQ(sw.getValue(), &verbose);
    EXPECT_TRUE(sw.myKWless_param(-1));
    EXPECT_EQ(shown(sw), "Verbose=1\n");
    EXPECT_FALSE(sw.skipAfter());
    EXPECT_FALSE(sw.no_keyword());
    EXPECT_FALSE(sw.myKWless_param(2));
}

TEST(StringDefinitionDeathTest, PointsAtTheDefaultThenAtItsOwnCopyOfTheLatestValue) {
    static const char defaultText[] = "Lexicon";
    char* file = nullptr;
    CStringParamDef d("Lexicon", 'L', &file, defaultText, "s", "d", false, -1);
    EXPECT_EQ(file, defaultText);
    char token[] = "two words", empty[] = "";
    d.dealWith(token, nullptr);
    token[0] = 'X';
    d.dealWith(file, nullptr);  // its own current copy, copied whole first
    EXPECT_EQ(shown(d) + defaultOf(d), "Lexicon=two words\nLexicon");
    char* none = nullptr;
    CStringParamDef n("Log", 0, &none, nullptr, "s", "d", true, -1);
    EXPECT_EQ(shown(n) + defaultOf(n), "Log=\nNo Default given");
    EXPECT_ENDS_PROCESS(n.dealWith(empty, nullptr), "\n'' should be a non null string\n");
    EXPECT_ENDS_PROCESS(n.dealWith(nullptr, nullptr), "\n'' should be a non null string\n");
}
