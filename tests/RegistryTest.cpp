// The parameter set as a registry: reserved and duplicate names, the check of the positional
// parameters and lookups.

#include "TestSupport.h"

namespace {

const std::string kBeware = "          BEWARE OF UNPREDICTIBLE BEHAVIOUR!\n\n";

std::string positionWarning(int position, const std::string& use) {
    return "\nCParam::CheckParameters():\nInternal Warning: Position nr. " + std::to_string(position) +
           " for keyword-less parameters\n" + use + kBeware;
}

}  // namespace

TEST(Registration, ReservedUsedOrUnusableNamesAreRefusedAndTheOthersFound) {
    const char* const flagWhy = " It cannot be used: a flag is a printable character other than a blank, '-' and '='.\n";
    const char* const emptyWhy = " It cannot be used: a keyword is not empty.\n";
    const char* const leadWhy = " It cannot be used: a keyword does not begin with '-' or '#'.\n";
    const char* const holdsWhy = " It cannot be used: a keyword holds no blank, '=' or control character.\n";
    const struct {
        const char* keyword;
        char flag;
        const char* refusal;  // the name the warning gives; null when accepted
        const char* why = "";  // the line that says why no command line or file could give the name
    } cases[] = {
        {"Timeout", 'T', "flag 'T'"}, {"TraceLevel", 'X', "keyword 'TraceLevel'"}, {"TraceLevel", 'T', "flag 'T'"},
        {"Height", 'h', "flag 'h'"}, {"ParameterFile", 'f', "flag 'f'"}, {"help", 'x', "keyword 'help'"},
        {"ParameterFile", 0, "keyword 'ParameterFile'"}, {"Help", 0, nullptr}, {"parameterfile", 0, nullptr},
        {"Height", 'H', nullptr}, {"LogFile", 0, nullptr}, {"OutFile", 0, nullptr}, {"Caf\xc3\xa9", 0, nullptr},
        {"", 0, "keyword ''", emptyWhy}, {"-x", 0, "keyword '-x'", leadWhy}, {"#x", 0, "keyword '#x'", leadWhy},
        {"a b", 0, "keyword 'a b'", holdsWhy}, {"a\tb", 0, "keyword 'a\\x09b'", holdsWhy}, {"a=b", 'y', "keyword 'a=b'", holdsWhy},
        {"Blank", ' ', "flag ' '", flagWhy}, {"Dash", '-', "flag '-'", flagWhy}, {"Equals", '=', "flag '='", flagWhy},
        {"Escape", '\x1b', "flag '\\x1b'", flagWhy}, {"Byte", '\xe9', "flag '\\xe9'", flagWhy},
    };
    int first = 0, variables[std::size(cases)];
    CParam set;
    EXPECT_EQ(set.getValueFromKey("TraceLevel"), nullptr);
    set.AddParamDef("TraceLevel", 'T', &first, 0, "d", true, "n", -1);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.keyword);
        std::string warning;
        const int result = captured([&] { return set.AddParamDef(c.keyword, c.flag, &variables[i], 7, "d", true, "n", -1); }, &warning);
        EXPECT_EQ(variables[i], 7);  // the default is stored before the checks
        EXPECT_EQ(result, c.refusal ? 0 : 1);
        EXPECT_EQ(warning, c.refusal ? "\nCParam.AddParamDef :\n Internal warning: the " + std::string(c.refusal) +
                                           " is reserved for special purposes or has\n been used for another "
                                           "parameter.\n It should not be redefined.\n" + c.why + kBeware
                                     : "");
        EXPECT_EQ(set.getValueFromKey(c.keyword) == &variables[i], !c.refusal);
    }
    EXPECT_EQ(set.getValueFromKey("TraceLevel"), &first);
    EXPECT_EQ(set.getValueFromKey(nullptr), set.getSourceFromKey(nullptr));
    auto* flagged = new CParamDef("Mode", 'm', TYPE_INT, "n", "d", "e", true, -1);
    EXPECT_EQ(set.AddParamDef(flagged) + set.AddParamDef(nullptr), 1);
    EXPECT_NE(stderrOf([&] { EXPECT_EQ(set.AddParamDef(flagged), 0); }).find("flag 'm'"), std::string::npos);
}

TEST(PositionCheck, WarnsAboutUnusedOrSharedPositionsAndObligatoryBehindOptional) {
    const auto order = [](const char* name) {
        return "\nCParam::CheckParameters():\nInternal warning: An obligatory kwdless parameter (" + std::string(name) +
               ") is located  \nbehind an optional one.\n" + kBeware;
    };
    const std::string unused2 = positionWarning(2, "is not used by any parameter.\n");
    const struct {
        std::vector<std::pair<bool, int>> definitions;  // optional, position
        std::string warnings;
    } cases[] = {
        {{}, ""},
        {{{false, 1}, {true, 2}}, ""},
        {{{false, 2}, {true, 1}}, order("a")},  // the mark spans positions
        {{{true, 1}, {false, 1}}, order("b") + positionWarning(1, "is used by 2 parameters.\n\n") + unused2},
        {{{false, 1}, {false, 3}}, unused2},  // beyond the count: not examined
        {{{false, 0}, {true, -2}}, positionWarning(1, "is not used by any parameter.\n") + unused2},
    };
    for (const auto& c : cases) {
        char* strings[2] = {};
        CParam set;
        const char* names[] = {"a", "b"};
        for (std::size_t i = 0; i < c.definitions.size(); ++i) {
            set.AddParamDef(names[i], 0, &strings[i], nullptr, "d", c.definitions[i].first, names[i],
                            c.definitions[i].second);
        }
        bool passes = false;
        EXPECT_EQ(stderrOf([&] { passes = set.CheckParameters(); }), c.warnings);
        EXPECT_EQ(passes, c.warnings.empty());
    }
}
