// The base definition: names, positions, satisfaction and source, and the
// generic definition that records only that a non-empty value came.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <type_traits>

#include "ParamDef.h"
#include "TestSupport.h"

namespace {

// What dealWith writes before ending the process on a refused value.
std::string refusedValueText(const std::string& shown, const std::string& errordesc) {
    return "\n'" + shown + "' " + errordesc + "\n";
}

CParamDef makeGeneric(const char* keyword, char flag, bool optional, int position) {
    return CParamDef(keyword, flag, TYPE_INT, "n", "a generic parameter", "must not be empty",
                     optional, position);
}

}  // namespace

static_assert(!std::is_copy_constructible<CParamDef>::value, "definitions own their copies");
static_assert(!std::is_copy_assignable<CParamDef>::value, "definitions own their copies");
static_assert(std::has_virtual_destructor<CParamDef>::value, "the set deletes through the base");

TEST(DefinitionNames, KeywordMatchesOnlyWholeAndInSameCase) {
    CParamDef d("TraceLevel", 'T', TYPE_INT, "n", "d", "e", true, -1);
    EXPECT_TRUE(d.understands("TraceLevel"));
    EXPECT_FALSE(d.understands("Trace"));
    EXPECT_FALSE(d.understands("tracelevel"));
    EXPECT_FALSE(d.understands("TraceLevel2"));
    EXPECT_FALSE(d.understands(""));
}

TEST(DefinitionNames, FlagMatchesOnlyItsOwnLetterAndNeverZero) {
    CParamDef flagged("TraceLevel", 'T', TYPE_INT, "n", "d", "e", true, -1);
    CParamDef flagless("LogFile", 0, TYPE_STRING, "s", "d", "e", true, -1);
    EXPECT_TRUE(flagged.understands('T'));
    EXPECT_FALSE(flagged.understands('t'));
    EXPECT_FALSE(flagged.understands('\0'));
    EXPECT_FALSE(flagless.understands('\0'));
    EXPECT_EQ(flagless.getFlag(), '\0');
}

TEST(DefinitionNames, KeepsItsOwnCopiesOfTheCallersTexts) {
    char keyword[] = "Limit";
    char description[] = "upper bound";
    CParamDef d(keyword, 'n', TYPE_INT, "count", description, "e", false, -1);
    keyword[0] = 'X';
    description[0] = 'X';
    EXPECT_STREQ(d.getKeyword(), "Limit");
    EXPECT_EQ(
        stderrOf([&] { d.writeDesc(); }),
        "\n   -n count, --Limit=count:\n\t\tupper bound\n\t\t!! This parameter MUST be given !!");
}

TEST(DefinitionPositions, OnlyMinusOneMeansNamedByKeyword) {
    for (const int position : {0, 1, 3, -2}) {
        SCOPED_TRACE(position);
        CParamDef positional = makeGeneric("Input", 0, false, position);
        EXPECT_TRUE(positional.no_keyword());
        EXPECT_FALSE(positional.myKWless_param(-1));
        EXPECT_TRUE(positional.myKWless_param(position));
    }
    CParamDef named = makeGeneric("Input", 0, false, -1);
    EXPECT_FALSE(named.no_keyword());
    EXPECT_TRUE(named.myKWless_param(-1));
    EXPECT_FALSE(named.myKWless_param(1));
}

TEST(DefinitionState, OptionalIsSatisfiedFromTheStartObligatoryAfterItsFirstValue) {
    CParamDef optional = makeGeneric("A", 0, true, -1);
    CParamDef obligatory = makeGeneric("B", 0, false, -1);
    EXPECT_TRUE(optional.isSatisfied());
    EXPECT_TRUE(optional.optional());
    EXPECT_FALSE(obligatory.isSatisfied());
    EXPECT_FALSE(obligatory.optional());

    char value[] = "x";
    EXPECT_EQ(obligatory.dealWith(value, nullptr), 1);
    EXPECT_TRUE(obligatory.isSatisfied());
    EXPECT_FALSE(obligatory.optional());
}

TEST(DefinitionState, SourceFollowsTheLatestValueAndTheCommandLineClearsIt) {
    CParamDef d = makeGeneric("A", 'a', true, -1);
    EXPECT_EQ(d.getSource(), nullptr);
    char value[] = "x";
    char fileName[] = "p.txt";
    char otherFile[] = "q.txt";
    d.dealWith(value, fileName);
    EXPECT_EQ(d.getSource(), fileName);  // the very pointer, not a copy
    d.dealWith(value, otherFile);
    EXPECT_EQ(d.getSource(), otherFile);
    d.dealWith(value, nullptr);
    EXPECT_EQ(d.getSource(), nullptr);
}

TEST(GenericDefinition, AcceptsExactlyTheNonEmptyTokensAndStoresNothing) {
    CParamDef d = makeGeneric("A", 'a', false, -1);
    char plain[] = "x";
    char highByte[] = "\xe9";
    char blank[] = " ";
    char empty[] = "";
    EXPECT_NE(d.getVarFromToken(plain), 0);
    EXPECT_NE(d.getVarFromToken(highByte), 0);
    EXPECT_NE(d.getVarFromToken(blank), 0);
    EXPECT_EQ(d.getVarFromToken(empty), 0);
    EXPECT_EQ(d.getVarFromToken(nullptr), 0);
    EXPECT_EQ(d.getValue(), nullptr);
}

TEST(GenericDefinition, WritesNoValueNoDefaultOnlyItsTypeName) {
    CParamDef d("Mode", 'm', TYPE_CHAR, "mode", "d", "e", true, -1);
    std::ostringstream listing;
    d.display(listing);
    EXPECT_EQ(listing.str(), "");
    EXPECT_EQ(stderrOf([&] { d.writeDefault(); }), "");
    EXPECT_EQ(stderrOf([&] { d.writeDataType(); }), "mode");
    EXPECT_TRUE(d.skipAfter());
}

TEST(GenericDefinitionDeathTest, EmptyValueEndsTheProcessWithItsErrorText) {
    CParamDef d = makeGeneric("A", 'a', false, -1);
    char empty[] = "";
    EXPECT_EXIT(d.dealWith(empty, nullptr), testing::ExitedWithCode(255),
                exactRegex(refusedValueText("", "must not be empty")));
}

TEST(GenericDefinitionDeathTest, NullValueShowsNothingBetweenTheApostrophes) {
    CParamDef d = makeGeneric("A", 'a', false, -1);
    EXPECT_EXIT(d.dealWith(nullptr, nullptr), testing::ExitedWithCode(255),
                exactRegex(refusedValueText("", "must not be empty")));
}

TEST(GenericDefinitionDeathTest, ErrorTextIsTheDefinitionsOwnCopy) {
    char errordesc[] = "must not be empty";
    CParamDef d("A", 'a', TYPE_INT, "n", "d", errordesc, false, -1);
    errordesc[0] = 'X';
    char empty[] = "";
    EXPECT_EXIT(d.dealWith(empty, nullptr), testing::ExitedWithCode(255),
                exactRegex(refusedValueText("", "must not be empty")));
}
