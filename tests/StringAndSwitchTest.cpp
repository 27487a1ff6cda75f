// The string definition, which owns copies of its values, and the switch,
// which takes no value and can only be turned on.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sstream>
#include <string>

#include "ParamDef.h"
#include "TestSupport.h"

namespace {

std::string displayed(const CParamDef& d) {
    std::ostringstream out;
    d.display(out);
    return out.str();
}

}  // namespace

// --- String definition -------------------------------------------------------

TEST(StringDefinition, HostVariablePointsAtTheDefaultItself) {
    static const char defaultText[] = "Lexicon";
    char* file = nullptr;
    CStringParamDef d("LexiconFile", 'L', &file, defaultText, "s", "d", false, -1);
    EXPECT_EQ(file, defaultText);
    EXPECT_EQ(d.getValue(), static_cast<void*>(&file));
    EXPECT_EQ(stderrOf([&] { d.writeDefault(); }), "Lexicon");
    EXPECT_EQ(displayed(d), "LexiconFile=Lexicon\n");
}

TEST(StringDefinition, NullDefaultIsShownAsNoDefaultOrAsNothing) {
    char placeholder[] = "stale";
    char* log = placeholder;
    CStringParamDef d("LogFile", 0, &log, nullptr, "s", "d", true, -1);
    EXPECT_EQ(log, nullptr);
    EXPECT_EQ(stderrOf([&] { d.writeDefault(); }), "No Default given");
    EXPECT_EQ(displayed(d), "LogFile=\n");
}

TEST(StringDefinition, ValueIsAPrivateCopyIndependentOfTheCallersText) {
    char* file = nullptr;
    CStringParamDef d("LexiconFile", 'L', &file, "Lexicon", "s", "d", false, -1);
    char token[] = "lex.txt";
    char fileName[] = "run.par";
    EXPECT_EQ(d.dealWith(token, fileName), 1);
    ASSERT_NE(file, nullptr);
    EXPECT_NE(file, token);
    std::memset(token, 'X', sizeof token - 1);
    EXPECT_STREQ(file, "lex.txt");
    EXPECT_TRUE(d.isSatisfied());
    EXPECT_EQ(d.getSource(), fileName);
    EXPECT_EQ(stderrOf([&] { d.writeDefault(); }), "Lexicon");
}

TEST(StringDefinition, NonEmptyValueIsKeptExactlyAsGiven) {
    char* text = nullptr;
    CStringParamDef d("Title", 't', &text, nullptr, "s", "d", true, -1);
    for (const char* value : {"two words", " padded ", "'quoted'", "\"x\"", "=", "-"}) {
        std::string token = value;
        EXPECT_EQ(d.getVarFromToken(token.data()), static_cast<int>(token.size()));
        EXPECT_STREQ(text, value);
    }
}

TEST(StringDefinition, LaterValueReplacesTheEarlierOne) {
    char* text = nullptr;
    CStringParamDef d("Title", 't', &text, nullptr, "s", "d", true, -1);
    char first[] = "first";
    char second[] = "second";
    d.dealWith(first, nullptr);
    d.dealWith(second, nullptr);
    EXPECT_STREQ(text, "second");
    EXPECT_EQ(displayed(d), "Title=second\n");
    // A value taken from the definition's own current copy is still copied
    // whole before that copy is given up.
    d.dealWith(text, nullptr);
    EXPECT_STREQ(text, "second");
}

TEST(StringDefinition, DestructionLeavesTheDefaultStringAlone) {
    // A heap default, so that a wrong release would be a double release.
    std::unique_ptr<char[]> defaultText(new char[8]);
    std::strcpy(defaultText.get(), "Grammar");
    char* file = nullptr;
    { CStringParamDef unused("GrammarFile", 'G', &file, defaultText.get(), "s", "d", false, -1); }
    {
        CStringParamDef used("GrammarFile", 'G', &file, defaultText.get(), "s", "d", false, -1);
        char token[] = "gram.txt";
        used.dealWith(token, nullptr);
    }
    EXPECT_STREQ(defaultText.get(), "Grammar");
}

TEST(StringDefinitionDeathTest, EmptyValueEndsTheProcess) {
    char* log = nullptr;
    CStringParamDef d("LogFile", 0, &log, nullptr, "s", "d", true, -1);
    char empty[] = "";
    EXPECT_EXIT(d.dealWith(empty, nullptr), testing::ExitedWithCode(255),
                exactRegex("\n'' should be a non null string\n"));
}

TEST(StringDefinitionDeathTest, NullValueEndsTheProcessShowingNothing) {
    char* log = nullptr;
    CStringParamDef d("LogFile", 0, &log, nullptr, "s", "d", true, -1);
    EXPECT_EXIT(d.dealWith(nullptr, nullptr), testing::ExitedWithCode(255),
                exactRegex("\n'' should be a non null string\n"));
}

// --- Switch ------------------------------------------------------------------

TEST(SwitchDefinition, AnyMentionTurnsItOnWhateverTheValue) {
    char zero[] = "0";
    char empty[] = "";
    char* values[] = {zero, empty, nullptr};
    for (char* value : values) {
        bool verbose = true;
        CBoolParamDef d("Verbose", 'v', &verbose, false, "", "d", false, -1);
        EXPECT_FALSE(verbose);
        EXPECT_FALSE(d.isSatisfied());
        EXPECT_EQ(d.dealWith(value, nullptr), 1);
        EXPECT_TRUE(verbose);
        EXPECT_TRUE(d.isSatisfied());
        EXPECT_EQ(displayed(d), "Verbose=1\n");
    }
}

TEST(SwitchDefinition, StaysOnAndRecordsTheLatestSource) {
    bool quiet = false;
    CBoolParamDef d("Quiet", 'q', &quiet, false, "", "d", true, -1);
    char fileName[] = "p.txt";
    d.dealWith(nullptr, fileName);
    EXPECT_EQ(d.getSource(), fileName);
    d.dealWith(nullptr, nullptr);
    EXPECT_TRUE(quiet);
    EXPECT_EQ(d.getSource(), nullptr);
}

TEST(SwitchDefinition, ADefaultOfTrueCannotBeTurnedOff) {
    bool colour = false;
    CBoolParamDef d("Colour", 'c', &colour, true, "", "d", true, -1);
    EXPECT_TRUE(colour);
    char no[] = "false";
    d.dealWith(no, nullptr);
    EXPECT_TRUE(colour);
}

TEST(SwitchDefinition, ValuesAndDefaultsPrintAsZeroOrOne) {
    bool off = true;
    bool on = false;
    CBoolParamDef offSwitch("Off", 0, &off, false, "", "d", true, -1);
    CBoolParamDef onSwitch("On", 0, &on, true, "", "d", true, -1);
    EXPECT_EQ(displayed(offSwitch), "Off=0\n");
    EXPECT_EQ(displayed(onSwitch), "On=1\n");
    EXPECT_EQ(stderrOf([&] { offSwitch.writeDefault(); }), "0");
    EXPECT_EQ(stderrOf([&] { onSwitch.writeDefault(); }), "1");
}

TEST(SwitchDefinition, TakesNoValueAndNeverFillsAPosition) {
    bool flag = false;
    CBoolParamDef d("Verbose", 'v', &flag, false, "", "d", true, 2);
    EXPECT_FALSE(d.skipAfter());
    EXPECT_FALSE(d.no_keyword());
    EXPECT_FALSE(d.myKWless_param(2));
    EXPECT_TRUE(d.myKWless_param(-1));
    EXPECT_EQ(d.getValue(), static_cast<void*>(&flag));
}
