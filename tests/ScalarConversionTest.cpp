// The nine scalar definitions: the default written at construction, the
// conversion of a token by one formatted extraction, the refused-value
// message of each class, and the printed forms of values and defaults.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <type_traits>

#include "ParamDef.h"
#include "TestSupport.h"

namespace {

// Per class: a default, a token it refuses, and its refused-value text.
template <typename Definition, typename Value, types Code>
struct Scalar {
    using Def = Definition;
    using T = Value;
    static constexpr types code = Code;
};

struct CharCase : Scalar<CCharParamDef, char, TYPE_CHAR> {
    static constexpr const char* name = "Char";
    static constexpr char fallback = 'd';
    static constexpr const char* unreadable = " ";
    static constexpr const char* error = "should be a character";
};
struct IntCase : Scalar<CIntParamDef, int, TYPE_INT> {
    static constexpr const char* name = "Int";
    static constexpr int fallback = 5;
    static constexpr const char* unreadable = "abc";
    static constexpr const char* error = "should be an integer";
};
struct UnsignedIntCase : Scalar<CUnsignedintParamDef, unsigned int, TYPE_UNSIGNEDINT> {
    static constexpr const char* name = "UnsignedInt";
    static constexpr unsigned int fallback = 5;
    static constexpr const char* unreadable = "abc";
    static constexpr const char* error = "should be an unsigned integer";
};
struct ShortCase : Scalar<CShortintParamDef, short, TYPE_SHORTINT> {
    static constexpr const char* name = "Short";
    static constexpr short fallback = 5;
    static constexpr const char* unreadable = "abc";
    static constexpr const char* error = "should be a (short) integer";
};
struct UnsignedShortCase : Scalar<CUnsignedshortParamDef, unsigned short, TYPE_UNSIGNEDSHORT> {
    static constexpr const char* name = "UnsignedShort";
    static constexpr unsigned short fallback = 5;
    static constexpr const char* unreadable = "abc";
    static constexpr const char* error = "should be an unsigned integer";
};
struct LongCase : Scalar<CLongintParamDef, long, TYPE_LONGINT> {
    static constexpr const char* name = "Long";
    static constexpr long fallback = 5;
    static constexpr const char* unreadable = "abc";
    static constexpr const char* error = "should be an integer";
};
struct UnsignedLongCase : Scalar<CUnsignedlongParamDef, unsigned long, TYPE_UNSIGNEDLONG> {
    static constexpr const char* name = "UnsignedLong";
    static constexpr unsigned long fallback = 5;
    static constexpr const char* unreadable = "abc";
    static constexpr const char* error = "should be an unsigned integer";
};
struct DoubleCase : Scalar<CDoubleParamDef, double, TYPE_DOUBLE> {
    static constexpr const char* name = "Double";
    static constexpr double fallback = 0.5;
    static constexpr const char* unreadable = "abc";
    static constexpr const char* error = "should be a double";
};
struct FloatCase : Scalar<CFloatParamDef, float, TYPE_FLOAT> {
    static constexpr const char* name = "Float";
    static constexpr float fallback = 0.5F;
    static constexpr const char* unreadable = "abc";
    static constexpr const char* error = "should be a float";
};

std::string refusedValueText(const std::string& shown, const std::string& errordesc) {
    return "\n'" + shown + "' " + errordesc + "\n";
}

// Converts one token with a fresh definition; the variable is left as the
// conversion left it.
template <typename Def, typename T>
int convert(const char* token, T& variable) {
    Def d("Value", 'v', &variable, T{}, "x", "d", true, -1);
    std::string text = token;
    return d.getVarFromToken(text.data());
}

template <typename Def, typename T>
bool accepts(const char* token) {
    T variable{};
    return convert<Def>(token, variable) != 0;
}

template <typename Def, typename T>
std::string displayed(T value) {
    T variable{};
    Def d("Value", 'v', &variable, T{}, "x", "d", true, -1);
    variable = value;
    std::ostringstream out;
    d.display(out);
    return out.str();
}

template <typename Def, typename T>
std::string defaultWritten(T defaultValue) {
    T variable{};
    Def d("Value", 'v', &variable, defaultValue, "x", "d", true, -1);
    return stderrOf([&] { d.writeDefault(); });
}

}  // namespace

// --- What every scalar class shares, each with its own type and texts ----

template <typename Case>
class ScalarDefinition : public testing::Test {
protected:
    using Def = typename Case::Def;
    using T = typename Case::T;
    // Gives the test access to the stored type code.
    struct Probe : Def {
        using Def::Def;
        using Def::type;
    };
};

using ScalarCases = testing::Types<CharCase, IntCase, UnsignedIntCase, ShortCase, UnsignedShortCase,
                                   LongCase, UnsignedLongCase, DoubleCase, FloatCase>;
struct ScalarCaseName {
    template <typename Case>
    static std::string GetName(int) {
        return Case::name;
    }
};
TYPED_TEST_SUITE(ScalarDefinition, ScalarCases, ScalarCaseName);

TYPED_TEST(ScalarDefinition, ConstructionOverwritesTheHostsVariableWithTheDefault) {
    using T = typename TestFixture::T;
    T variable = static_cast<T>(1);
    typename TestFixture::Probe d("Value", 'v', &variable, TypeParam::fallback, "x", "d", false,
                                  -1);
    EXPECT_EQ(variable, TypeParam::fallback);
    EXPECT_EQ(d.getValue(), &variable);
    EXPECT_EQ(d.type, TypeParam::code);
    EXPECT_TRUE(d.skipAfter());
}

TYPED_TEST(ScalarDefinition, AcceptedValueIsStoredAndRecordsItsSource) {
    using T = typename TestFixture::T;
    T variable{};
    typename TestFixture::Def d("Value", 'v', &variable, TypeParam::fallback, "x", "d", false, -1);
    char token[] = "7";
    char fileName[] = "p.txt";
    EXPECT_EQ(d.dealWith(token, fileName), 1);
    EXPECT_EQ(variable, static_cast<T>(std::is_same<T, char>::value ? '7' : 7));
    EXPECT_TRUE(d.isSatisfied());
    EXPECT_EQ(d.getSource(), fileName);
}

TYPED_TEST(ScalarDefinition, UnreadableValueEndsTheProcessWithTheClassText) {
    using T = typename TestFixture::T;
    T variable{};
    typename TestFixture::Def d("Value", 'v', &variable, TypeParam::fallback, "x", "d", false, -1);
    std::string token = TypeParam::unreadable;
    EXPECT_EXIT(d.dealWith(token.data(), nullptr), testing::ExitedWithCode(255),
                exactRegex(refusedValueText(token, TypeParam::error)));
}

TYPED_TEST(ScalarDefinition, EmptyAndNullValuesEndTheProcessShowingNothing) {
    using T = typename TestFixture::T;
    T variable{};
    typename TestFixture::Def d("Value", 'v', &variable, TypeParam::fallback, "x", "d", false, -1);
    char empty[] = "";
    EXPECT_EXIT(d.dealWith(empty, nullptr), testing::ExitedWithCode(255),
                exactRegex(refusedValueText("", TypeParam::error)));
    EXPECT_EXIT(d.dealWith(nullptr, nullptr), testing::ExitedWithCode(255),
                exactRegex(refusedValueText("", TypeParam::error)));
}

// --- How a token is read -------------------------------------------------

TEST(ScalarConversion, LeadingWhiteSpaceIsSkipped) {
    int i = 0;
    EXPECT_NE(convert<CIntParamDef>(" 42", i), 0);
    EXPECT_EQ(i, 42);
    EXPECT_NE(convert<CIntParamDef>("\t\n 7", i), 0);
    EXPECT_EQ(i, 7);
    double d = 0;
    EXPECT_NE(convert<CDoubleParamDef>("  2.5", d), 0);
    EXPECT_EQ(d, 2.5);
    EXPECT_FALSE((accepts<CIntParamDef, int>("   ")));
}

TEST(ScalarConversion, TheLongestReadableBeginningIsTakenAndTheRestIgnored) {
    int i = 0;
    EXPECT_NE(convert<CIntParamDef>("42abc", i), 0);
    EXPECT_EQ(i, 42);
    EXPECT_NE(convert<CIntParamDef>("3.7", i), 0);
    EXPECT_EQ(i, 3);
    EXPECT_NE(convert<CIntParamDef>("0x1F", i), 0);
    EXPECT_EQ(i, 0);
    EXPECT_NE(convert<CIntParamDef>("12 13", i), 0);
    EXPECT_EQ(i, 12);
    double d = 0;
    EXPECT_NE(convert<CDoubleParamDef>("1e3", d), 0);
    EXPECT_EQ(d, 1000.0);
    EXPECT_NE(convert<CDoubleParamDef>("-2.5kg", d), 0);
    EXPECT_EQ(d, -2.5);
    EXPECT_FALSE((accepts<CIntParamDef, int>("abc42")));
}

TEST(ScalarConversion, EachTypeRefusesWhatItCannotHold) {
    EXPECT_FALSE((accepts<CShortintParamDef, short>("40000")));
    EXPECT_FALSE((accepts<CShortintParamDef, short>("-40000")));
    EXPECT_TRUE((accepts<CShortintParamDef, short>("32767")));
    EXPECT_TRUE((accepts<CShortintParamDef, short>("-32768")));

    unsigned short us = 0;
    EXPECT_NE(convert<CUnsignedshortParamDef>("40000", us), 0);
    EXPECT_EQ(us, 40000);
    EXPECT_FALSE((accepts<CUnsignedshortParamDef, unsigned short>("65536")));

    EXPECT_FALSE((accepts<CIntParamDef, int>("3000000000")));
    EXPECT_FALSE((accepts<CIntParamDef, int>("-3000000000")));
    EXPECT_TRUE((accepts<CIntParamDef, int>("2147483647")));

    unsigned int ui = 0;
    EXPECT_NE(convert<CUnsignedintParamDef>("3000000000", ui), 0);
    EXPECT_EQ(ui, 3000000000U);
    EXPECT_FALSE((accepts<CUnsignedintParamDef, unsigned int>("4294967296")));

    EXPECT_TRUE((accepts<CUnsignedlongParamDef, unsigned long>("18446744073709551615")));
    EXPECT_FALSE((accepts<CUnsignedlongParamDef, unsigned long>("18446744073709551616")));
    if (sizeof(long) == 8) {
        long l = 0;
        EXPECT_NE(convert<CLongintParamDef>("3000000000", l), 0);
        EXPECT_EQ(l, 3000000000L);
    }

    EXPECT_FALSE((accepts<CFloatParamDef, float>("1e40")));
    EXPECT_TRUE((accepts<CDoubleParamDef, double>("1e40")));
}

TEST(ScalarConversion, UnsignedClassesRefuseANegativeNumberInsteadOfWrappingIt) {
    EXPECT_FALSE((accepts<CUnsignedintParamDef, unsigned int>("-1")));
    EXPECT_FALSE((accepts<CUnsignedintParamDef, unsigned int>("  -1")));
    EXPECT_FALSE((accepts<CUnsignedshortParamDef, unsigned short>("-1")));
    EXPECT_FALSE((accepts<CUnsignedlongParamDef, unsigned long>("-1")));
    EXPECT_FALSE((accepts<CUnsignedlongParamDef, unsigned long>("-0")));

    unsigned int ui = 0;
    EXPECT_NE(convert<CUnsignedintParamDef>("+5", ui), 0);
    EXPECT_EQ(ui, 5U);
    // The signed classes keep their sign.
    long l = 0;
    EXPECT_NE(convert<CLongintParamDef>(" -1", l), 0);
    EXPECT_EQ(l, -1L);
}

TEST(ScalarConversionDeathTest, NegativeUnsignedValueIsReportedWithTheUnsignedText) {
    unsigned long variable = 0;
    CUnsignedlongParamDef d("Count", 'c', &variable, 1UL, "n", "d", true, -1);
    char token[] = "-1";
    EXPECT_EXIT(d.dealWith(token, nullptr), testing::ExitedWithCode(255),
                exactRegex(refusedValueText("-1", "should be an unsigned integer")));
}

TEST(ScalarConversion, CharacterClassTakesTheFirstNonBlankCharacter) {
    char c = 0;
    EXPECT_NE(convert<CCharParamDef>("xyz", c), 0);
    EXPECT_EQ(c, 'x');
    EXPECT_NE(convert<CCharParamDef>("  q", c), 0);
    EXPECT_EQ(c, 'q');
    EXPECT_NE(convert<CCharParamDef>("7", c), 0);
    EXPECT_EQ(c, '7');  // a digit is a character, not the number 7
    EXPECT_FALSE((accepts<CCharParamDef, char>(" \t")));
}

// --- Printed forms ----------------------------------------------------------

TEST(ScalarPrinting, DisplayWritesKeywordEqualsValueAndEndOfLine) {
    EXPECT_EQ((displayed<CIntParamDef, int>(-2)), "Value=-2\n");
    EXPECT_EQ((displayed<CUnsignedshortParamDef, unsigned short>(40000)), "Value=40000\n");
    EXPECT_EQ((displayed<CCharParamDef, char>('x')), "Value=x\n");
    EXPECT_EQ((displayed<CDoubleParamDef, double>(1234567.0)), "Value=1.23457e+06\n");
    EXPECT_EQ((displayed<CDoubleParamDef, double>(0.1)), "Value=0.1\n");
    EXPECT_EQ((displayed<CDoubleParamDef, double>(1000.0)), "Value=1000\n");
    EXPECT_EQ((displayed<CFloatParamDef, float>(1234567.0F)), "Value=1.23457e+06\n");
}

TEST(ScalarPrinting, DisplayShowsTheCurrentValueNotTheDefault) {
    int variable = 0;
    CIntParamDef d("TraceLevel", 'T', &variable, 0, "n", "d", true, -1);
    char token[] = "2";
    d.dealWith(token, nullptr);
    std::ostringstream out;
    d.display(out);
    EXPECT_EQ(out.str(), "TraceLevel=2\n");
}

TEST(ScalarPrinting, WriteDefaultWritesTheBareDefaultWithoutEndOfLine) {
    EXPECT_EQ((defaultWritten<CDoubleParamDef, double>(0.5)), "0.5");
    EXPECT_EQ((defaultWritten<CDoubleParamDef, double>(1234567.0)), "1.23457e+06");
    EXPECT_EQ((defaultWritten<CCharParamDef, char>('y')), "y");
    EXPECT_EQ((defaultWritten<CIntParamDef, int>(-3)), "-3");
    EXPECT_EQ((defaultWritten<CUnsignedlongParamDef, unsigned long>(7UL)), "7");
}

TEST(ScalarPrinting, WriteDefaultKeepsTheDefaultAfterValuesCame) {
    short variable = 0;
    CShortintParamDef d("Level", 'l', &variable, 4, "n", "d", true, -1);
    char token[] = "9";
    d.dealWith(token, nullptr);
    EXPECT_EQ(variable, 9);
    EXPECT_EQ(stderrOf([&] { d.writeDefault(); }), "4");
}
