// The definitions: names, positions and state of the base, the generic
// definition, the nine scalar classes, the string and the switch.
#include <gtest/gtest.h>

#include <cstring>
#include <iostream>
#include <locale>
#include <map>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "ParamDef.h"
#include "TestSupport.h"

namespace {

// What dealWith writes before ending the process on a refused value.
std::string refused(const std::string& shown, const std::string& errordesc) {
    return "\n'" + shown + "' " + errordesc + "\n";
}

std::string displayed(const CParamDef& d) {
    std::ostringstream out;
    d.display(out);
    return out.str();
}

std::string defaultOf(CParamDef& d) {
    return stderrOf([&] { d.writeDefault(); });
}

// What a definition shows of itself: its listing, its default, whether it is
// satisfied and the file its latest value came from ("-" for none).
std::string stateOf(CParamDef& d) {
    const char* source = d.getSource();
    return displayed(d) + "|" + defaultOf(d) + (d.isSatisfied() ? "|satisfied|" : "|unsatisfied|") +
           (source != nullptr ? source : "-");
}

}  // namespace

static_assert(!std::is_copy_constructible<CParamDef>::value, "definitions own their copies");
static_assert(!std::is_copy_assignable<CParamDef>::value, "definitions own their copies");
static_assert(std::has_virtual_destructor<CParamDef>::value, "the set deletes through the base");

// --- The base and the generic definition ------------------------------------

TEST(DefinitionBase, NamesMatchOnlyWholeAndInSameCaseAndAreOwnCopies) {
    char keyword[] = "TraceLevel";
    char description[] = "upper bound";
    CParamDef d(keyword, 'T', TYPE_INT, "n", description, "e", false, -1);
    CParamDef flagless("LogFile", 0, TYPE_STRING, "s", "d", "e", true, -1);
    keyword[0] = 'X';
    description[0] = 'X';
    EXPECT_STREQ(d.getKeyword(), "TraceLevel");
    EXPECT_TRUE(d.understands("TraceLevel"));
    for (const char* other : {"Trace", "tracelevel", "TraceLevel2", ""}) {
        EXPECT_FALSE(d.understands(other)) << other;
    }
    EXPECT_TRUE(d.understands('T'));
    EXPECT_FALSE(d.understands('t') || d.understands('\0') || flagless.understands('\0'));
    EXPECT_EQ(flagless.getFlag(), '\0');
    EXPECT_EQ(stderrOf([&] { d.writeDesc(); }),
              "\n   -T n, --TraceLevel=n:\n\t\tupper bound"
              "\n\t\t!! This parameter MUST be given !!");
}

TEST(DefinitionBase, OnlyPositionMinusOneMeansNamedByKeyword) {
    for (const int position : {-1, 0, 1, 3, -2}) {
        SCOPED_TRACE(position);
        CParamDef d("Input", 0, TYPE_INT, "n", "d", "e", false, position);
        EXPECT_EQ(d.no_keyword(), position != -1);
        EXPECT_EQ(d.myKWless_param(-1), position == -1);
        EXPECT_TRUE(d.myKWless_param(position));
        EXPECT_FALSE(d.myKWless_param(position == 1 ? 2 : 1));
    }
}

TEST(GenericDefinition, AcceptsNonEmptyTokensAndRecordsOnlySatisfactionAndSource) {
    CParamDef optional("A", 0, TYPE_INT, "n", "d", "e", true, -1);
    CParamDef d("Mode", 'm', TYPE_CHAR, "mode", "d", "e", false, -1);
    EXPECT_TRUE(optional.optional());
    EXPECT_EQ(stateOf(optional), "||satisfied|-");
    EXPECT_FALSE(d.optional());
    EXPECT_EQ(stateOf(d), "||unsatisfied|-");
    for (std::string token : {"x", "\xe9", " "}) EXPECT_NE(d.getVarFromToken(token.data()), 0);
    char empty[] = "";
    EXPECT_EQ(d.getVarFromToken(empty), 0);
    EXPECT_EQ(d.getVarFromToken(nullptr), 0);
    EXPECT_EQ(d.getValue(), nullptr);
    EXPECT_EQ(stderrOf([&] { d.writeDataType(); }), "mode");
    EXPECT_TRUE(d.skipAfter());

    char value[] = "x";
    char fileName[] = "p.txt";
    char otherFile[] = "q.txt";
    EXPECT_EQ(d.dealWith(value, fileName), 1);
    EXPECT_EQ(d.getSource(), fileName);  // the very pointer, not a copy
    EXPECT_EQ(stateOf(d), "||satisfied|p.txt");
    d.dealWith(value, otherFile);
    EXPECT_EQ(d.getSource(), otherFile);
    d.dealWith(value, nullptr);  // from the command line
    EXPECT_EQ(stateOf(d), "||satisfied|-");
}

TEST(GenericDefinitionDeathTest, EmptyOrNullValueEndsTheProcessWithItsOwnErrorText) {
    char errordesc[] = "must not be empty";
    CParamDef d("A", 'a', TYPE_INT, "n", "d", errordesc, false, -1);
    errordesc[0] = 'X';
    char empty[] = "";
    EXPECT_ENDS_PROCESS(d.dealWith(empty, nullptr), refused("", "must not be empty"));
    EXPECT_ENDS_PROCESS(d.dealWith(nullptr, nullptr), refused("", "must not be empty"));
}

// --- The nine scalar classes ------------------------------------------------

namespace {

// Checks one scalar class: its type code, its default as stored and written,
// a value accepted with its source, and every refusal with the class's text.
template <typename T>
void checkScalarClass(types code, T defaultValue, const std::string& defaultShown,
                      const std::string& error) {
    SCOPED_TRACE(error + ", type code " + std::to_string(code));
    struct Probe : CScalarParamDef<T> {  // opens the stored type code
        using CScalarParamDef<T>::CScalarParamDef;
        using CScalarParamDef<T>::type;
    };
    T variable = static_cast<T>(1);
    Probe d("Value", 'v', &variable, defaultValue, "x", "d", false, -1);
    EXPECT_EQ(variable, defaultValue);
    EXPECT_EQ(d.getValue(), &variable);
    EXPECT_EQ(d.type, code);
    EXPECT_TRUE(d.skipAfter());
    char token[] = "7";
    char fileName[] = "p.txt";
    EXPECT_EQ(d.dealWith(token, fileName), 1);
    EXPECT_EQ(variable, static_cast<T>(std::is_same<T, char>::value ? '7' : 7));
    // The listing shows the value; the default stays.
    EXPECT_EQ(stateOf(d), "Value=7\n|" + defaultShown + "|satisfied|p.txt");

    std::vector<std::string> tokens = {std::is_same<T, char>::value ? " " : "abc", ""};
    if (std::is_unsigned<T>::value && !std::is_same<T, char>::value) tokens.push_back(" -1");
    for (std::string& bad : tokens) {
        EXPECT_ENDS_PROCESS(d.dealWith(bad.data(), nullptr), refused(bad, error));
    }
    EXPECT_ENDS_PROCESS(d.dealWith(nullptr, nullptr), refused("", error));
}

// Converts token with a fresh definition: the value as display shows it, or
// "refused".
template <typename T>
std::string conversionOf(const char* token) {
    T variable{};
    CScalarParamDef<T> d("Value", 'v', &variable, T{}, "x", "d", true, -1);
    std::string text = token;
    if (d.getVarFromToken(text.data()) == 0) return "refused";
    const std::string shown = displayed(d);  // "Value=...\n"
    return shown.substr(6, shown.size() - 7);
}

}  // namespace

TEST(ScalarDefinitionDeathTest, EachClassHasItsCodeDefaultValueAndErrorText) {
    const std::string unsignedError = "should be an unsigned integer";
    checkScalarClass<char>(TYPE_CHAR, 'y', "y", "should be a character");
    checkScalarClass<int>(TYPE_INT, -3, "-3", "should be an integer");
    checkScalarClass<unsigned int>(TYPE_UNSIGNEDINT, 3U, "3", unsignedError);
    checkScalarClass<short>(TYPE_SHORTINT, -4, "-4", "should be a (short) integer");
    checkScalarClass<unsigned short>(TYPE_UNSIGNEDSHORT, 40000, "40000", unsignedError);
    checkScalarClass<long>(TYPE_LONGINT, 5L, "5", "should be an integer");
    checkScalarClass<unsigned long>(TYPE_UNSIGNEDLONG, 7UL, "7", unsignedError);
    checkScalarClass<double>(TYPE_DOUBLE, 1234567.0, "1.23457e+06", "should be a double");
    checkScalarClass<float>(TYPE_FLOAT, 0.5F, "0.5", "should be a float");
}

TEST(ScalarConversion, OneFormattedExtractionWithinTheTypesRange) {
    const std::map<std::string, std::string (*)(const char*)> convert = {
        {"char", conversionOf<char>},   {"int", conversionOf<int>},
        {"uint", conversionOf<unsigned>}, {"short", conversionOf<short>},
        {"ushort", conversionOf<unsigned short>}, {"long", conversionOf<long>},
        {"ulong", conversionOf<unsigned long>},   {"double", conversionOf<double>},
        {"float", conversionOf<float>}};
    struct Case {
        const char* type;
        const char* token;
        const char* shown;
    };
    const char* const no = "refused";
    const Case cases[] = {
        // Leading white space is skipped.
        {"int", " 42", "42"}, {"int", "\t\n 7", "7"}, {"double", "  2.5", "2.5"},
        {"int", "   ", no},
        // The longest readable beginning is taken, the rest ignored.
        {"int", "42abc", "42"}, {"int", "3.7", "3"}, {"int", "0x1F", "0"}, {"int", "12 13", "12"},
        {"double", "1e3", "1000"}, {"double", "-2.5kg", "-2.5"}, {"int", "abc42", no},
        // What a type cannot hold is refused.
        {"short", "40000", no}, {"short", "-40000", no}, {"short", "32767", "32767"},
        {"short", "-32768", "-32768"}, {"ushort", "40000", "40000"}, {"ushort", "65536", no},
        {"int", "3000000000", no}, {"int", "-3000000000", no}, {"int", "2147483647", "2147483647"},
        {"uint", "3000000000", "3000000000"}, {"uint", "4294967296", no},
        {"ulong", "18446744073709551615", "18446744073709551615"},
        {"ulong", "18446744073709551616", no}, {"float", "1e40", no}, {"double", "1e40", "1e+40"},
        // The unsigned classes refuse a minus instead of wrapping; signs stay.
        {"uint", "-1", no}, {"uint", "  -1", no}, {"ushort", "-1", no}, {"ulong", "-1", no},
        {"ulong", "-0", no}, {"uint", "+5", "5"}, {"long", " -1", "-1"},
        // The character class takes the first non-blank character.
        {"char", "xyz", "x"}, {"char", "  q", "q"}, {"char", "7", "7"}, {"char", " \t", no},
        // Printed forms: six significant digits.
        {"double", "1234567", "1.23457e+06"}, {"double", "0.1", "0.1"},
        {"float", "1234567", "1.23457e+06"}, {"int", "-2", "-2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(convert.at(c.type)(c.token), c.shown) << c.type << " '" << c.token << "'";
    }
    if (sizeof(long) == 8) {
        EXPECT_EQ(conversionOf<long>("3000000000"), "3000000000");
    }
}

namespace {

struct ThousandsGrouping : std::numpunct<char> {
    char do_thousands_sep() const override { return ','; }
    std::string do_grouping() const override { return "\3"; }
};

}  // namespace

// Conversions reuse one stream; it must still read with the global locale of
// the moment, as a stream made for the token would.
TEST(ScalarConversion, FollowsTheGlobalLocaleOfTheMoment) {
    int value = 0;
    CIntParamDef d("N", 0, &value, 0, "n", "d", true, -1);
    char token[] = "1,000";
    d.dealWith(token, nullptr);
    EXPECT_EQ(value, 1);
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new ThousandsGrouping));
    d.dealWith(token, nullptr);
    std::locale::global(previous);
    EXPECT_EQ(value, 1000);
    d.dealWith(token, nullptr);
    EXPECT_EQ(value, 1);
}

TEST(DefinitionBaseDeathTest, MissingTextsAreAnImpossibleStateOrShownEmpty) {
    EXPECT_DEATH(CParamDef(nullptr, 0, TYPE_INT, "n", "d", "e", true, -1),
                 "^Assertion failed: keyword\n$");
    CParamDef unnamedType("Key", 0, TYPE_INT, nullptr, "d", "e", true, 1);
    EXPECT_STREQ(unnamedType.getPartypeName(), "");
    // The error stream stays usable for what follows.
    EXPECT_EQ(stderrOf([&] {
                  unnamedType.usageInfo();
                  std::cerr << "|next";
              }),
              " []|next");
}

// --- String and switch ------------------------------------------------------

TEST(StringDefinition, VariablePointsAtTheDefaultThenAtAPrivateCopyOfTheLatestValue) {
    static const char defaultText[] = "Lexicon";
    char* file = nullptr;
    CStringParamDef d("LexiconFile", 'L', &file, defaultText, "s", "d", false, -1);
    EXPECT_EQ(file, defaultText);
    EXPECT_EQ(d.getValue(), static_cast<void*>(&file));
    EXPECT_EQ(stateOf(d), "LexiconFile=Lexicon\n|Lexicon|unsatisfied|-");
    char token[] = "lex.txt";
    char fileName[] = "run.par";
    EXPECT_EQ(d.dealWith(token, fileName), 1);
    EXPECT_NE(file, token);
    std::memset(token, 'X', sizeof token - 1);
    EXPECT_EQ(stateOf(d), "LexiconFile=lex.txt\n|Lexicon|satisfied|run.par");
    char second[] = "second";
    d.dealWith(second, nullptr);
    // A value taken from the definition's own current copy is still copied
    // whole before that copy is given up.
    d.dealWith(file, nullptr);
    EXPECT_EQ(stateOf(d), "LexiconFile=second\n|Lexicon|satisfied|-");
}

TEST(StringDefinition, NullDefaultShowsNoDefaultAndValuesAreKeptExactlyAsGiven) {
    char placeholder[] = "stale";
    char* text = placeholder;
    CStringParamDef d("Title", 0, &text, nullptr, "s", "d", true, -1);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(stateOf(d), "Title=\n|No Default given|satisfied|-");
    for (const char* value : {"two words", " padded ", "'quoted'", "\"x\"", "=", "-"}) {
        std::string token = value;
        EXPECT_EQ(d.getVarFromToken(token.data()), static_cast<int>(token.size()));
        EXPECT_STREQ(text, value);
    }
}

TEST(StringDefinitionDeathTest, EmptyOrNullValueEndsTheProcess) {
    char* log = nullptr;
    CStringParamDef d("LogFile", 0, &log, nullptr, "s", "d", true, -1);
    char empty[] = "";
    EXPECT_ENDS_PROCESS(d.dealWith(empty, nullptr), "\n'' should be a non null string\n");
    EXPECT_ENDS_PROCESS(d.dealWith(nullptr, nullptr), "\n'' should be a non null string\n");
}

TEST(SwitchDefinition, AnyMentionTurnsItOnForGoodWhateverTheValue) {
    char fileName[] = "p.txt";
    for (const char* value : {"0", "", "false", static_cast<const char*>(nullptr)}) {
        std::string text = value == nullptr ? "" : value;
        bool verbose = true;
        CBoolParamDef d("Verbose", 'v', &verbose, false, "", "d", false, -1);
        EXPECT_EQ(stateOf(d), "Verbose=0\n|0|unsatisfied|-");
        EXPECT_EQ(d.dealWith(value == nullptr ? nullptr : text.data(), fileName), 1);
        EXPECT_EQ(stateOf(d), "Verbose=1\n|0|satisfied|p.txt");
        d.dealWith(nullptr, nullptr);
        EXPECT_EQ(stateOf(d), "Verbose=1\n|0|satisfied|-");
    }
    bool colour = false;
    CBoolParamDef on("Colour", 'c', &colour, true, "", "d", true, -1);
    on.dealWith(fileName, nullptr);
    EXPECT_EQ(stateOf(on), "Colour=1\n|1|satisfied|-");  // and cannot be turned off
}

TEST(SwitchDefinition, TakesNoValueAndNeverFillsAPosition) {
    bool flag = true;
    CBoolParamDef d("Flag", 0, &flag, false, "", "d", true, 2);
    EXPECT_FALSE(d.skipAfter() || d.no_keyword() || d.myKWless_param(2));
    EXPECT_TRUE(d.myKWless_param(-1));
    EXPECT_EQ(d.getValue(), static_cast<void*>(&flag));
}
