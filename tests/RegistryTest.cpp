// The parameter set as a registry: refusal of reserved and duplicate names,
// the check of the keyword-less positions, lookups by keyword, the listing,
// and ownership of everything registered.
#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "Param.h"
#include "TestSupport.h"

namespace {

const std::string kBeware = "          BEWARE OF UNPREDICTIBLE BEHAVIOUR!\n\n";

// what: e.g. "flag 'T'" or "keyword 'help'".
std::string registrationWarning(const std::string& what) {
    return "\nCParam.AddParamDef :\n Internal warning: the " + what +
           " is reserved for special purposes or has\n been used for another parameter.\n"
           " It should not be redefined.\n" +
           kBeware;
}

std::string orderWarning(const std::string& partypeName) {
    return "\nCParam::CheckParameters():\nInternal warning: An obligatory kwdless parameter (" +
           partypeName + ") is located  \nbehind an optional one.\n" + kBeware;
}

std::string positionWarning(int position, int users) {
    const std::string use = users == 0 ? "is not used by any parameter.\n"
                                       : "is used by " + std::to_string(users) + " parameters.\n\n";
    return "\nCParam::CheckParameters():\nInternal Warning: Position nr. " +
           std::to_string(position) + " for keyword-less parameters\n" + use + kBeware;
}

}  // namespace

static_assert(std::has_virtual_destructor<CParam>::value, "hosts may delete a subclass as CParam*");
static_assert(!std::is_copy_constructible<CParam>::value, "the set owns its lists");
static_assert(!std::is_copy_assignable<CParam>::value, "the set owns its lists");

// --- Reserved and duplicate names ------------------------------------------

TEST(Registration, ReservedOrUsedNamesAreRefusedWithTheExactWarning) {
    struct Case {
        const char* keyword;
        char flag;
        const char* refusal;  // "" when accepted
    };
    const Case cases[] = {
        {"Timeout", 'T', "flag 'T'"},  // a second T
        {"TraceLevel", 'X', "keyword 'TraceLevel'"},
        {"TraceLevel", 'T', "flag 'T'"},  // clashing on both: the flag alone
        {"Height", 'h', "flag 'h'"},
        {"ParameterFile", 'f', "flag 'f'"},
        {"help", 'x', "keyword 'help'"},
        {"ParameterFile", 0, "keyword 'ParameterFile'"},
        {"Help", 0, ""},  // reserved names compare case-sensitively
        {"parameterfile", 0, ""},
        {"Height", 'H', ""},
        {"FontSize", 'F', ""},
        {"LogFile", 0, ""},  // definitions without a flag do not clash
        {"OutFile", 0, ""},
    };
    std::vector<int> variables(std::size(cases), -1);
    int first = 0;
    double ratio = 9.0;
    char* name = nullptr;
    bool help = true;
    InspectableParam set;
    ASSERT_EQ(set.AddParamDef("TraceLevel", 'T', &first, 0, "d", true, "n", -1), 1);
    int accepted = 1;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.keyword);
        int result = -1;
        const std::string warning = stderrOf([&] {
            result = set.AddParamDef(c.keyword, c.flag, &variables[i], 7, "d", true, "n", -1);
        });
        EXPECT_EQ(variables[i], 7);  // the default is stored before the checks
        const bool refused = *c.refusal != '\0';
        EXPECT_EQ(result, refused ? 0 : 1);
        EXPECT_EQ(warning, refused ? registrationWarning(c.refusal) : "");
        EXPECT_EQ(set.getValueFromKey(c.keyword) == &variables[i], !refused);
        if (!refused) ++accepted;
    }
    // The other overloads, too, destroy what they cannot register.
    stderrOf([&] {
        EXPECT_EQ(set.AddParamDef("Ratio", 'T', &ratio, 0.25, "d", true, "r", -1), 0);
        EXPECT_EQ(set.AddParamDef("LogFile", 'x', &name, "refused", "d", true, "s", -1), 0);
        EXPECT_EQ(set.AddParamDef("Verbose", 'h', &help, false, "d", true, "", -1), 0);
        EXPECT_EQ(set.AddParamDef("Other", 'f', TYPE_INT, "d", "e", true, "n", -1), 0);
    });
    EXPECT_EQ(ratio, 0.25);
    EXPECT_STREQ(name, "refused");
    EXPECT_FALSE(help);
    EXPECT_EQ(set.getValueFromKey("Ratio"), nullptr);
    EXPECT_EQ(set.getValueFromKey("TraceLevel"), &first);
    EXPECT_EQ(set.definitionCount, accepted);
    EXPECT_EQ(set.listLength(), accepted);
}

TEST(Registration, TheSameObjectTwiceIsRefusedAndListedOnce) {
    InspectableParam set;
    auto* flagged = new CParamDef("Mode", 'm', TYPE_INT, "n", "d", "e", true, -1);
    auto* flagless = new CParamDef("Name", 0, TYPE_INT, "n", "d", "e", true, -1);
    ASSERT_EQ(set.AddParamDef(flagged), 1);
    ASSERT_EQ(set.AddParamDef(flagless), 1);
    EXPECT_EQ(stderrOf([&] { EXPECT_EQ(set.AddParamDef(flagged), 0); }),
              registrationWarning("flag 'm'"));
    EXPECT_EQ(stderrOf([&] { EXPECT_EQ(set.AddParamDef(flagless), 0); }),
              registrationWarning("keyword 'Name'"));
    EXPECT_EQ(set.definitionCount, 2);
    EXPECT_EQ(set.listLength(), 2);
    EXPECT_EQ(set.lastElement->definition, flagless);
    EXPECT_EQ(stderrOf([&] { EXPECT_EQ(set.AddParamDef(nullptr), 0); }), "");
    EXPECT_EQ(set.definitionCount, 2);
}  // the set deletes each object once

// The overloads take description, optional, partypeName; the constructors
// take partypeName, description, optional. The usage screens show the typed
// overloads' texts reaching their fields; the generic one's are here.
TEST(RegistrationDeathTest, GenericOverloadHandsOnItsErrorTextAndObligation) {
    CParam set;
    set.AddParamDef("Mode", 'm', TYPE_CHAR, "run mode", "is no mode", false, "mode", -1);
    Args none{"prog"};
    EXPECT_EQ(stderrOf([&] { set.Interpret_returnError(none.argv(), none.argc()); }),
              "Parameter 'Mode' required." + helpHint("prog"));
    Args empty{"prog", "--Mode="};
    EXPECT_ENDS_PROCESS(set.Interpret_returnError(empty.argv(), empty.argc()),
                        "\n'' is no mode\n");
}

// --- Check of the keyword-less positions ------------------------------------

TEST(PositionCheck, WarnsAboutUnusedOrSharedPositionsAndObligatoryBehindOptional) {
    struct Positional {
        const char* keyword;
        const char* partypeName;
        bool optional;
        int position;
    };
    struct Case {
        std::vector<Positional> definitions;
        bool passes;
        std::string warnings;
        int kwlessCount;
    };
    const Case cases[] = {
        {{}, true, "", 0},
        {{{"InputFile", "infile", false, 1}, {"OutputFile", "outfile", true, 2}}, true, "", 2},
        {{{"Second", "second", false, 2}, {"First", "first", true, 1}},
         false, orderWarning("second"), 2},
        // An optional one registered earlier at the same position counts too.
        {{{"Maybe", "maybe", true, 1}, {"Must", "must", false, 1}},
         false, orderWarning("must") + positionWarning(1, 2) + positionWarning(2, 0), 2},
        {{{"A", "a", false, 1}, {"B", "b", false, 1}},
         false, positionWarning(1, 2) + positionWarning(2, 0), 2},
        // Positions beyond the count are not examined.
        {{{"A", "a", false, 1}, {"C", "c", false, 3}}, false, positionWarning(2, 0), 2},
        // Position 0 counts but fills no position.
        {{{"A", "a", false, 0}}, false, positionWarning(1, 0), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.warnings);
        std::vector<char*> strings(c.definitions.size());
        InspectableParam set;
        for (std::size_t i = 0; i < c.definitions.size(); ++i) {
            const Positional& p = c.definitions[i];
            set.AddParamDef(p.keyword, 0, &strings[i], nullptr, "d", p.optional, p.partypeName,
                            p.position);
        }
        for (int check = 0; check < 2; ++check) {  // every check counts afresh
            bool passes = !c.passes;
            EXPECT_EQ(stderrOf([&] { passes = set.CheckParameters(); }), c.warnings);
            EXPECT_EQ(passes, c.passes);
            EXPECT_EQ(set.kwlessCount, c.kwlessCount);
        }
    }
}

TEST(PositionCheck, InterpretationChecksFirstAndAGapMakesLaterPositionsUnreachable) {
    char* first = nullptr;
    bool second = false;
    char* third = nullptr;
    CParam set;
    set.AddParamDef("First", 0, &first, nullptr, "first", true, "first", 1);
    set.AddParamDef("Second", 's', &second, false, "a switch never counts", true, "", 2);
    set.AddParamDef("Third", 0, &third, nullptr, "third", true, "third", 3);
    Args args{"prog", "x", "y"};
    int result = 0;
    EXPECT_EQ(stderrOf([&] { result = set.Interpret_returnError(args.argv(), args.argc()); }),
              positionWarning(2, 0) +
                  "Invalid argument 'y'.\nEach parameter must start with '-' or '--' resp.!" +
                  helpHint("prog"));
    EXPECT_EQ(result, CParam::PROBLEM_MISSING_HYPHEN);
    EXPECT_STREQ(first, "x");
    EXPECT_FALSE(second);
    EXPECT_EQ(third, nullptr);
}

// --- Lookups, listing and ownership ----------------------------------------

// Run under AddressSanitizer, this also shows that the set releases every
// definition, every string copy (replaced ones included) and every recorded
// file name.
TEST(Contents, EveryTypeIsFoundListedInRegistrationOrderAndReleasedWithTheSet) {
    char c = 0;
    int i = 0;
    unsigned int ui = 0;
    short s = 0;
    unsigned short us = 0;
    long l = 0;
    unsigned long ul = 0;
    char* text = nullptr;
    char* none = nullptr;
    char* input = nullptr;
    double d = 0;
    float f = 0;
    bool b = false;
    const std::string path = writeTempFile("ownership.par", "Text from-file\nInput in-file\n");
    std::unique_ptr<CParam> set(new CParam);
    std::ostringstream listing;
    set->Display(listing);
    EXPECT_EQ(listing.str(), "");
    EXPECT_EQ(set->getValueFromKey("Int"), nullptr);
    EXPECT_EQ(set->getSourceFromKey("Int"), nullptr);
    set->AddParamDef("Char", 'c', &c, 'x', "d", true, "c", -1);
    set->AddParamDef("Int", 'i', &i, -2, "d", true, "n", -1);
    set->AddParamDef("Generic", 'g', TYPE_STRING, "d", "e", true, "s", -1);
    set->AddParamDef("UInt", 'u', &ui, 3U, "d", true, "n", -1);
    set->AddParamDef("Short", 's', &s, short{-4}, "d", true, "n", -1);
    set->AddParamDef("UShort", 'U', &us, static_cast<unsigned short>(40000), "d", true, "n", -1);
    set->AddParamDef("Long", 'l', &l, 5L, "d", true, "n", -1);
    set->AddParamDef("ULong", 'L', &ul, 6UL, "d", true, "n", -1);
    set->AddParamDef("Text", 't', &text, "Lexicon", "d", true, "s", -1);
    set->AddParamDef("None", 0, &none, nullptr, "d", true, "s", -1);
    set->AddParamDef("Input", 0, &input, nullptr, "d", true, "infile", 1);
    set->AddParamDef("Double", 'd', &d, 1234567.0, "d", true, "x", -1);
    set->AddParamDef("Float", 'F', &f, 0.5F, "d", true, "x", -1);
    set->AddParamDef("Bool", 'b', &b, true, "d", true, "", -1);
    EXPECT_EQ(set->getValueFromKey("Int"), &i);
    EXPECT_EQ(set->getValueFromKey("Input"), static_cast<void*>(&input));
    EXPECT_STREQ(*static_cast<char**>(set->getValueFromKey("Text")), "Lexicon");
    EXPECT_EQ(set->getValueFromKey("Generic"), nullptr);
    EXPECT_EQ(set->getValueFromKey("int"), nullptr);
    EXPECT_EQ(set->getValueFromKey("Unknown"), nullptr);
    EXPECT_EQ(set->getSourceFromKey("Unknown"), nullptr);
    EXPECT_EQ(set->getValueFromKey(nullptr), nullptr);
    EXPECT_EQ(set->getSourceFromKey(nullptr), nullptr);
    set->Display(listing);
    EXPECT_EQ(listing.str(),
              "Char=x\nInt=-2\nUInt=3\nShort=-4\nUShort=40000\nLong=5\nULong=6\n"
              "Text=Lexicon\nNone=\nInput=\nDouble=1.23457e+06\nFloat=0.5\nBool=1\n");

    stderrOf([&] {  // refused ones are destroyed by the overloads
        set->AddParamDef("Text", 'x', &text, "refused", "d", true, "s", -1);
        set->AddParamDef("Other", 'h', &i, 2, "d", true, "n", -1);
    });
    Args args{"prog", "-t",    "one",  "--Text=two", "-f",  path.c_str(),
              "-t",   "three", "word", "-g",         "any", "-b"};
    ASSERT_EQ(set->Interpret(args.argv(), args.argc()), CParam::OK);
    EXPECT_STREQ(text, "three");
    EXPECT_STREQ(input, "word");
    EXPECT_TRUE(b);
    set.reset();
}
