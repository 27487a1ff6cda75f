// The parameter set as a registry: refusal of reserved and duplicate names,
// the check of the keyword-less positions, lookups by keyword, the listing,
// and ownership of everything registered.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <type_traits>

#include "Param.h"
#include "TestSupport.h"

namespace {

// A set whose counters and list the tests may read.
class InspectableParam : public CParam {
public:
    using CParam::definitionCount;
    using CParam::firstElement;
    using CParam::kwlessCount;
    using CParam::lastElement;

    int listLength() const {
        int length = 0;
        for (ParamListElement* e = firstElement; e != nullptr; e = e->next) ++length;
        return length;
    }
};

std::string registrationWarning(const std::string& what, const std::string& name) {
    return "\nCParam.AddParamDef :\n Internal warning: the " + what + " '" + name +
           "' is reserved for special purposes or has\n been used for another parameter.\n"
           " It should not be redefined.\n" +
           kBewareLine + "\n\n";
}

std::string orderWarning(const std::string& partypeName) {
    return "\nCParam::CheckParameters():\nInternal warning: An obligatory kwdless parameter (" +
           partypeName + ") is located  \nbehind an optional one.\n" + kBewareLine + "\n\n";
}

std::string unusedPositionWarning(int position) {
    return "\nCParam::CheckParameters():\nInternal Warning: Position nr. " +
           std::to_string(position) +
           " for keyword-less parameters\nis not used by any parameter.\n" + kBewareLine + "\n\n";
}

std::string sharedPositionWarning(int position, int users) {
    return "\nCParam::CheckParameters():\nInternal Warning: Position nr. " +
           std::to_string(position) + " for keyword-less parameters\nis used by " +
           std::to_string(users) + " parameters.\n\n" + kBewareLine + "\n\n";
}

CParamDef* newGeneric(const char* keyword, char flag) {
    return new CParamDef(keyword, flag, TYPE_INT, "n", "d", "e", true, -1);
}

}  // namespace

static_assert(std::has_virtual_destructor<CParam>::value, "hosts may delete a subclass as CParam*");
static_assert(!std::is_copy_constructible<CParam>::value, "the set owns its lists");
static_assert(!std::is_copy_assignable<CParam>::value, "the set owns its lists");

// --- Reserved and duplicate names ------------------------------------------

TEST(Registration, SecondFlagTIsRefusedWithTheFlagWarning) {
    InspectableParam set;
    int first = 0;
    int second = 0;
    ASSERT_EQ(set.AddParamDef("TraceLevel", 'T', &first, 0, "d", true, "n", -1), 1);
    int result = -1;
    const std::string warning = stderrOf(
        [&] { result = set.AddParamDef("Timeout", 'T', &second, 30, "d", true, "n", -1); });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(warning,
              "\n"
              "CParam.AddParamDef :\n"
              " Internal warning: the flag 'T' is reserved for special purposes or has\n"
              " been used for another parameter.\n"
              " It should not be redefined.\n"
              "          BEWARE OF UNPREDICTIBLE BEHAVIOUR!\n"
              "\n");
    EXPECT_EQ(set.definitionCount, 1);
    EXPECT_EQ(set.listLength(), 1);
}

TEST(Registration, SecondKeywordIsRefusedAndTheFirstStays) {
    InspectableParam set;
    int first = 0;
    int second = -1;
    set.AddParamDef("TraceLevel", 'T', &first, 0, "d", true, "n", -1);
    int result = -1;
    const std::string warning = stderrOf(
        [&] { result = set.AddParamDef("TraceLevel", 'X', &second, 7, "d", true, "n", -1); });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(warning, registrationWarning("keyword", "TraceLevel"));
    // The refused definition was built, so its default reached the variable.
    EXPECT_EQ(second, 7);
    EXPECT_EQ(set.getValueFromKey("TraceLevel"), &first);
    EXPECT_EQ(set.definitionCount, 1);
    EXPECT_EQ(set.listLength(), 1);
}

TEST(Registration, ClashOnFlagAndKeywordGivesOnlyTheFlagWarning) {
    CParam set;
    int first = 0;
    int second = 0;
    set.AddParamDef("TraceLevel", 'T', &first, 0, "d", true, "n", -1);
    EXPECT_EQ(stderrOf([&] { set.AddParamDef("TraceLevel", 'T', &second, 0, "d", true, "n", -1); }),
              registrationWarning("flag", "T"));
}

TEST(Registration, ReservedFlagsAreRefusedWhateverTheKeyword) {
    CParam set;
    int h = 0;
    char* f = nullptr;
    EXPECT_EQ(stderrOf([&] { set.AddParamDef("Height", 'h', &h, 0, "d", true, "n", -1); }),
              registrationWarning("flag", "h"));
    EXPECT_EQ(
        stderrOf([&] { set.AddParamDef("ParameterFile", 'f', &f, nullptr, "d", true, "s", -1); }),
        registrationWarning("flag", "f"));
    EXPECT_EQ(set.getValueFromKey("Height"), nullptr);
    EXPECT_EQ(set.getValueFromKey("ParameterFile"), nullptr);
}

TEST(Registration, ReservedKeywordsAreRefusedWithTheKeywordWarning) {
    CParam set;
    bool help = false;
    char* file = nullptr;
    EXPECT_EQ(stderrOf([&] { set.AddParamDef("help", 'x', &help, false, "d", true, "", -1); }),
              registrationWarning("keyword", "help"));
    EXPECT_EQ(
        stderrOf([&] { set.AddParamDef("ParameterFile", 0, &file, nullptr, "d", true, "s", -1); }),
        registrationWarning("keyword", "ParameterFile"));
}

TEST(Registration, ReservedNamesCompareCaseSensitively) {
    InspectableParam set;
    bool help = false;
    char* file = nullptr;
    int height = 0;
    int fontSize = 0;
    const std::string warnings = stderrOf([&] {
        EXPECT_EQ(set.AddParamDef("Help", 0, &help, false, "d", true, "", -1), 1);
        EXPECT_EQ(set.AddParamDef("parameterfile", 0, &file, nullptr, "d", true, "s", -1), 1);
        EXPECT_EQ(set.AddParamDef("Height", 'H', &height, 0, "d", true, "n", -1), 1);
        EXPECT_EQ(set.AddParamDef("FontSize", 'F', &fontSize, 0, "d", true, "n", -1), 1);
    });
    EXPECT_EQ(warnings, "");
    EXPECT_EQ(set.definitionCount, 4);
}

TEST(Registration, FlaglessDefinitionsWithDifferentKeywordsAreBothAccepted) {
    InspectableParam set;
    char* log = nullptr;
    char* out = nullptr;
    EXPECT_EQ(set.AddParamDef("LogFile", 0, &log, nullptr, "d", true, "s", -1), 1);
    EXPECT_EQ(set.AddParamDef("OutFile", 0, &out, nullptr, "d", true, "s", -1), 1);
    EXPECT_EQ(set.definitionCount, 2);
}

TEST(Registration, TheSameObjectTwiceIsRefusedAndListedOnce) {
    InspectableParam set;
    CParamDef* flagged = newGeneric("Mode", 'm');
    CParamDef* flagless = newGeneric("Name", 0);
    ASSERT_EQ(set.AddParamDef(flagged), 1);
    ASSERT_EQ(set.AddParamDef(flagless), 1);
    EXPECT_EQ(stderrOf([&] { EXPECT_EQ(set.AddParamDef(flagged), 0); }),
              registrationWarning("flag", "m"));
    EXPECT_EQ(stderrOf([&] { EXPECT_EQ(set.AddParamDef(flagless), 0); }),
              registrationWarning("keyword", "Name"));
    EXPECT_EQ(set.definitionCount, 2);
    EXPECT_EQ(set.listLength(), 2);
    EXPECT_EQ(set.lastElement->definition, flagless);
}  // the set deletes each object once

TEST(Registration, RefusedTypedDefinitionIsNotCountedAndLeavesItsDefault) {
    InspectableParam set;
    int level = 0;
    char* kept = nullptr;
    set.AddParamDef("Level", 'l', &level, 1, "d", true, "n", -1);
    set.AddParamDef("Name", 'n', &kept, "kept", "d", true, "s", -1);

    double ratio = 9.0;
    char* name = nullptr;
    bool help = true;
    stderrOf([&] {
        EXPECT_EQ(set.AddParamDef("Ratio", 'l', &ratio, 0.25, "d", true, "r", -1), 0);
        EXPECT_EQ(set.AddParamDef("Name", 'x', &name, "refused", "d", true, "s", -1), 0);
        EXPECT_EQ(set.AddParamDef("Verbose", 'h', &help, false, "d", true, "", -1), 0);
        EXPECT_EQ(set.AddParamDef("Other", 'f', TYPE_INT, "d", "e", true, "n", -1), 0);
    });
    EXPECT_EQ(ratio, 0.25);
    EXPECT_STREQ(name, "refused");
    EXPECT_FALSE(help);
    EXPECT_EQ(set.definitionCount, 2);
    EXPECT_EQ(set.listLength(), 2);
    EXPECT_EQ(set.getValueFromKey("Ratio"), nullptr);
}

// The overloads take description, optional, partypeName; the constructors
// take partypeName, description, optional. Both reach the right fields.
TEST(Registration, OverloadsHandTheirTextsToTheRightFields) {
    InspectableParam set;
    float scale = 0;
    set.AddParamDef("Scale", 's', &scale, 1.5F, "scale factor", true, "factor", -1);
    set.AddParamDef("Mode", 'm', TYPE_CHAR, "run mode", "is no mode", false, "mode", -1);
    ParamListElement* first = set.firstElement;
    ASSERT_NE(first, nullptr);
    ASSERT_NE(first->next, nullptr);
    EXPECT_EQ(stderrOf([&] { first->definition->writeDesc(); }),
              "\n   -s factor, --Scale=factor:\n\t\tscale factor\n\t\tDefault: 1.5");
    CParamDef* generic = first->next->definition;
    EXPECT_EQ(stderrOf([&] { generic->writeDesc(); }),
              "\n   -m mode, --Mode=mode:\n\t\trun mode\n\t\t!! This parameter MUST be given !!");
    EXPECT_FALSE(generic->optional());
    char empty[] = "";
    EXPECT_EXIT(generic->dealWith(empty, nullptr), testing::ExitedWithCode(255),
                exactRegex("\n'' is no mode\n"));
}

// --- Check of the keyword-less positions ------------------------------------

TEST(PositionCheck, EmptySetAndConsistentPositionsPassSilently) {
    InspectableParam empty;
    EXPECT_EQ(stderrOf([&] { EXPECT_TRUE(empty.CheckParameters()); }), "");
    EXPECT_EQ(empty.kwlessCount, 0);

    InspectableParam set;
    char* in = nullptr;
    char* out = nullptr;
    bool verbose = false;
    set.AddParamDef("InputFile", 0, &in, nullptr, "d", false, "infile", 1);
    set.AddParamDef("Verbose", 'v', &verbose, false, "d", true, "", 3);  // a switch never counts
    set.AddParamDef("OutputFile", 0, &out, "out.txt", "d", true, "outfile", 2);
    EXPECT_EQ(stderrOf([&] { EXPECT_TRUE(set.CheckParameters()); }), "");
    EXPECT_EQ(set.kwlessCount, 2);
}

TEST(PositionCheck, ObligatoryBehindOptionalGivesTheOrderWarning) {
    InspectableParam set;
    char* a = nullptr;
    char* b = nullptr;
    set.AddParamDef("Second", 0, &b, nullptr, "d", false, "second", 2);
    set.AddParamDef("First", 0, &a, nullptr, "d", true, "first", 1);
    EXPECT_EQ(stderrOf([&] { EXPECT_FALSE(set.CheckParameters()); }), orderWarning("second"));
}

TEST(PositionCheck, OrderWarningCountsAnOptionalAtTheSamePositionRegisteredEarlier) {
    InspectableParam set;
    char* a = nullptr;
    char* b = nullptr;
    set.AddParamDef("Maybe", 0, &a, nullptr, "d", true, "maybe", 1);
    set.AddParamDef("Must", 0, &b, nullptr, "d", false, "must", 1);
    EXPECT_EQ(stderrOf([&] { EXPECT_FALSE(set.CheckParameters()); }),
              orderWarning("must") + sharedPositionWarning(1, 2) + unusedPositionWarning(2));
}

TEST(PositionCheck, SharedPositionAndTheUnusedOneItLeavesAreBothWarned) {
    InspectableParam set;
    char* a = nullptr;
    char* b = nullptr;
    set.AddParamDef("A", 0, &a, nullptr, "d", false, "a", 1);
    set.AddParamDef("B", 0, &b, nullptr, "d", false, "b", 1);
    EXPECT_EQ(stderrOf([&] { EXPECT_FALSE(set.CheckParameters()); }),
              sharedPositionWarning(1, 2) + unusedPositionWarning(2));
    EXPECT_EQ(set.kwlessCount, 2);
}

TEST(PositionCheck, AGapIsWarnedButPositionsBeyondTheCountAreNotExamined) {
    InspectableParam set;
    char* a = nullptr;
    char* c = nullptr;
    set.AddParamDef("A", 0, &a, nullptr, "d", false, "a", 1);
    set.AddParamDef("C", 0, &c, nullptr, "d", false, "c", 3);
    EXPECT_EQ(stderrOf([&] { EXPECT_FALSE(set.CheckParameters()); }), unusedPositionWarning(2));
    EXPECT_EQ(set.kwlessCount, 2);
}

TEST(PositionCheck, PositionZeroCountsButFillsNoPosition) {
    InspectableParam set;
    char* a = nullptr;
    set.AddParamDef("A", 0, &a, nullptr, "d", false, "a", 0);
    EXPECT_EQ(stderrOf([&] { EXPECT_FALSE(set.CheckParameters()); }), unusedPositionWarning(1));
    EXPECT_EQ(set.kwlessCount, 1);
}

TEST(PositionCheck, EveryCheckRecountsFromZero) {
    InspectableParam set;
    char* a = nullptr;
    set.AddParamDef("A", 0, &a, nullptr, "d", false, "a", 1);
    EXPECT_TRUE(set.CheckParameters());
    EXPECT_TRUE(set.CheckParameters());
    EXPECT_EQ(set.kwlessCount, 1);
}

// --- Lookups and listing -----------------------------------------------------

TEST(Lookup, ValueFromKeyGivesTheHostsVariableAddress) {
    CParam set;
    int level = 0;
    char* lexicon = nullptr;
    char* input = nullptr;
    set.AddParamDef("TraceLevel", 'T', &level, 0, "d", true, "n", -1);
    set.AddParamDef("LexiconFile", 'L', &lexicon, "Lexicon", "d", false, "s", -1);
    set.AddParamDef("InputFile", 0, &input, nullptr, "d", false, "infile", 1);
    set.AddParamDef("Mode", 'm', TYPE_INT, "d", "e", true, "n", -1);

    EXPECT_EQ(set.getValueFromKey("TraceLevel"), &level);
    ASSERT_EQ(set.getValueFromKey("LexiconFile"), static_cast<void*>(&lexicon));
    EXPECT_STREQ(*static_cast<char**>(set.getValueFromKey("LexiconFile")), "Lexicon");
    EXPECT_EQ(set.getValueFromKey("InputFile"), static_cast<void*>(&input));
    EXPECT_EQ(set.getValueFromKey("Mode"), nullptr);
    EXPECT_EQ(set.getValueFromKey("tracelevel"), nullptr);
    EXPECT_EQ(set.getValueFromKey("Unknown"), nullptr);
    EXPECT_EQ(set.getSourceFromKey("Unknown"), nullptr);
}

TEST(Lookup, SourceFromKeyNamesTheFileUntilTheCommandLineGivesAValue) {
    CParam set;
    int level = 0;
    char* input = nullptr;
    char* never = nullptr;
    set.AddParamDef("TraceLevel", 'T', &level, 0, "d", true, "n", -1);
    set.AddParamDef("InputFile", 0, &input, nullptr, "d", true, "infile", 1);
    set.AddParamDef("Never", 'N', &never, nullptr, "d", true, "s", -1);
    const std::string path =
        writeTempFile("registry-source.par", "TraceLevel 2\nInputFile in.txt\n");

    ASSERT_EQ(set.read_parameter_file(path.c_str()), CParam::OK);
    EXPECT_EQ(level, 2);
    ASSERT_NE(set.getSourceFromKey("TraceLevel"), nullptr);
    EXPECT_STREQ(set.getSourceFromKey("TraceLevel"), path.c_str());
    EXPECT_STREQ(set.getSourceFromKey("InputFile"), path.c_str());
    EXPECT_EQ(set.getSourceFromKey("Never"), nullptr);

    Args args{"prog", "-T", "3"};
    ASSERT_EQ(set.Interpret(args.argv(), args.argc()), CParam::OK);
    EXPECT_EQ(level, 3);
    EXPECT_EQ(set.getSourceFromKey("TraceLevel"), nullptr);
    EXPECT_STREQ(set.getSourceFromKey("InputFile"), path.c_str());
}

TEST(Lookup, EmptySetFindsNothingAndListsNothing) {
    const CParam set;
    std::ostringstream out;
    set.Display(out);
    EXPECT_EQ(out.str(), "");
    CParam& writable = const_cast<CParam&>(set);
    EXPECT_EQ(writable.getValueFromKey("TraceLevel"), nullptr);
    EXPECT_EQ(writable.getSourceFromKey("TraceLevel"), nullptr);
}

TEST(Listing, DisplayWritesEveryTypedValueInRegistrationOrder) {
    CParam set;
    char c = 0;
    int i = 0;
    unsigned int ui = 0;
    short s = 0;
    unsigned short us = 0;
    long l = 0;
    unsigned long ul = 0;
    char* text = nullptr;
    char* none = nullptr;
    double d = 0;
    float f = 0;
    bool b = false;
    set.AddParamDef("Char", 'c', &c, 'x', "d", true, "c", -1);
    set.AddParamDef("Int", 'i', &i, -2, "d", true, "n", -1);
    set.AddParamDef("Generic", 'g', TYPE_INT, "d", "e", true, "n", -1);
    set.AddParamDef("UInt", 'u', &ui, 3U, "d", true, "n", -1);
    set.AddParamDef("Short", 's', &s, short{-4}, "d", true, "n", -1);
    set.AddParamDef("UShort", 'U', &us, static_cast<unsigned short>(40000), "d", true, "n", -1);
    set.AddParamDef("Long", 'l', &l, 5L, "d", true, "n", -1);
    set.AddParamDef("ULong", 'L', &ul, 6UL, "d", true, "n", -1);
    set.AddParamDef("Text", 't', &text, "Lexicon", "d", true, "s", -1);
    set.AddParamDef("None", 0, &none, nullptr, "d", true, "s", -1);
    set.AddParamDef("Double", 'd', &d, 1234567.0, "d", true, "x", -1);
    set.AddParamDef("Float", 'F', &f, 0.5F, "d", true, "x", -1);
    set.AddParamDef("Bool", 'b', &b, true, "d", true, "", -1);
    std::ostringstream out;
    set.Display(out);
    EXPECT_EQ(out.str(),
              "Char=x\nInt=-2\nUInt=3\nShort=-4\nUShort=40000\nLong=5\nULong=6\n"
              "Text=Lexicon\nNone=\nDouble=1.23457e+06\nFloat=0.5\nBool=1\n");
}

// --- Ownership ------------------------------------------------------------------
// Run under AddressSanitizer, this shows that the set releases every
// definition, every string copy (replaced ones included) and every recorded
// file name.

TEST(Ownership, EveryTypeRegisteredWithStringValuesIsReleasedWithTheSet) {
    char c = 0;
    int i = 0;
    unsigned int ui = 0;
    short s = 0;
    unsigned short us = 0;
    long l = 0;
    unsigned long ul = 0;
    char* text = nullptr;
    char* positional = nullptr;
    double d = 0;
    float f = 0;
    bool b = false;
    const std::string path = writeTempFile("ownership.par", "Text from-file\nInput in-file\n");
    {
        auto* set = new CParam;
        set->AddParamDef("Char", 'c', &c, 'x', "d", true, "c", -1);
        set->AddParamDef("Int", 'i', &i, 1, "d", true, "n", -1);
        set->AddParamDef("UInt", 'u', &ui, 1U, "d", true, "n", -1);
        set->AddParamDef("Short", 's', &s, short{1}, "d", true, "n", -1);
        set->AddParamDef("UShort", 'U', &us, static_cast<unsigned short>(1), "d", true, "n", -1);
        set->AddParamDef("Long", 'l', &l, 1L, "d", true, "n", -1);
        set->AddParamDef("ULong", 'L', &ul, 1UL, "d", true, "n", -1);
        set->AddParamDef("Text", 't', &text, "default", "d", true, "s", -1);
        set->AddParamDef("Input", 0, &positional, nullptr, "d", true, "infile", 1);
        set->AddParamDef("Double", 'd', &d, 1.0, "d", true, "x", -1);
        set->AddParamDef("Float", 'F', &f, 1.0F, "d", true, "x", -1);
        set->AddParamDef("Bool", 'b', &b, false, "d", true, "", -1);
        set->AddParamDef("Generic", 'g', TYPE_STRING, "d", "e", true, "s", -1);
        stderrOf([&] {  // refused ones are destroyed by the overloads
            set->AddParamDef("Text", 'x', &text, "refused", "d", true, "s", -1);
            set->AddParamDef("Other", 'h', &i, 2, "d", true, "n", -1);
        });

        Args args{"prog", "-t",    "one",  "--Text=two", "-f",  path.c_str(),
                  "-t",   "three", "word", "-g",         "any", "-b"};
        ASSERT_EQ(set->Interpret(args.argv(), args.argc()), CParam::OK);
        EXPECT_STREQ(text, "three");
        EXPECT_STREQ(positional, "word");
        EXPECT_TRUE(b);
        delete set;
    }
}
