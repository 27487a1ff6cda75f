// The problem messages: the body of every code, the help hint after it, and
// the code handed back unchanged.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "Param.h"
#include "TestSupport.h"

namespace {

const std::string kDemoHint = "\nGet help with 'demo --help'\n\n";

// A set that has interpreted a command line whose program name is demo.
class ShowError : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(set.Interpret(words.argv(), words.argc()), CParam::OK); }

    // What showError wrote; its result must be the code it was given.
    std::string report(int problem, const char* subject, const char* detail) {
        int result = 0;
        const std::string text =
            stderrOf([&] { result = set.showError(problem, subject, detail); });
        EXPECT_EQ(result, problem);
        return text;
    }

    Args words{"demo"};  // the set keeps a pointer to its first word
    CParam set;
};

struct Body {
    int problem;
    const char* text;
};

}  // namespace

TEST_F(ShowError, EveryCodeHasItsOwnBodyFollowedByTheHelpHint) {
    const Body bodies[] = {
        {0, "Undefined error (0), please check program source code"},
        {-1, "Invalid argument 'word'.\nEach parameter must start with '-' or '--' resp.!"},
        {-2, "Unknown keyword 'word'."},
        {-3, "Unknown flag 'word'."},
        {-4, "Invalid value 'detail' at parameter 'word'."},
        {-5, "Missing value at keyword 'word'."},
        {-6, "Parameter 'word' required."},
        {-7, "Cannot open file 'word'."},
        {-8, "Missing value in file 'word' at line:\n'detail'."},
        {-9, "Unknown keyword in file 'word' at line:\n'detail'."},
        {-10, "General problem in file 'word' at line:\n'detail'."},
        {-11,
         "Loop detected in nested parameter file call in file 'word' at line:\n'detail'."
         "\nSkipping parameter file call."},
    };
    for (const Body& body : bodies) {
        SCOPED_TRACE(body.problem);
        EXPECT_EQ(report(body.problem, "word", "detail"), body.text + kDemoHint);
    }
}

TEST_F(ShowError, FileLineReportReadsAsFourLines) {
    EXPECT_EQ(report(CParam::PROBLEM_UNKNOWN_KEYWORD_IN_FILE, "run.par", "Foo 3"),
              "Unknown keyword in file 'run.par' at line:\n"
              "'Foo 3'.\n"
              "Get help with 'demo --help'\n"
              "\n");
}

TEST_F(ShowError, CodesWithoutABodyOfTheirOwnAreUnknownErrors) {
    EXPECT_EQ(report(CParam::OK, "word", "detail"),
              "Unknown error (1), please check program source code" + kDemoHint);
    EXPECT_EQ(report(-12, "word", "detail"),
              "Unknown error (-12), please check program source code" + kDemoHint);
    EXPECT_EQ(report(INT_MIN, "", ""), "Unknown error (" + std::to_string(INT_MIN) +
                                           "), please check program source code" + kDemoHint);
    EXPECT_EQ(report(INT_MAX, "", ""), "Unknown error (" + std::to_string(INT_MAX) +
                                           "), please check program source code" + kDemoHint);
}

TEST_F(ShowError, NotOkAndUndefinedProblemShareTheBodyOfZero) {
    const std::string zero = "Undefined error (0), please check program source code" + kDemoHint;
    EXPECT_EQ(report(CParam::NOT_OK, "word", "detail"), zero);
    EXPECT_EQ(report(CParam::PROBLEM_UNDEFINED_PROBLEM, "", ""), zero);
}

TEST_F(ShowError, NamedCodesHaveTheirValues) {
    EXPECT_EQ(CParam::OK, 1);
    EXPECT_EQ(CParam::NOT_OK, 0);
    EXPECT_EQ(CParam::PROBLEM_UNDEFINED_PROBLEM, 0);
    const int codes[] = {CParam::PROBLEM_MISSING_HYPHEN,
                         CParam::PROBLEM_UNKNOWN_KEYWORD,
                         CParam::PROBLEM_UNKNOWN_FLAG,
                         CParam::PROBLEM_INVALID_VALUE,
                         CParam::PROBLEM_MISSING_VALUE,
                         CParam::PROBLEM_MISSING_PARAMETER,
                         CParam::PROBLEM_CANNOT_OPEN_FILE,
                         CParam::PROBLEM_MISSING_VALUE_IN_FILE,
                         CParam::PROBLEM_UNKNOWN_KEYWORD_IN_FILE,
                         CParam::PROBLEM_GENERAL_PROBLEM_IN_FILE,
                         CParam::PROBLEM_PARAM_FILE_LOOP};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(codes[i], -(i + 1));
    // Each constant is stored once and has an address of its own.
    const int* address = &CParam::PROBLEM_PARAM_FILE_LOOP;
    EXPECT_EQ(*address, -11);
}

TEST_F(ShowError, OnlyTheMessagesThatQuoteTheDetailShowIt) {
    for (const int problem : {-1, -2, -3, -5, -6, -7}) {
        SCOPED_TRACE(problem);
        EXPECT_EQ(report(problem, "word", "DETAIL").find("DETAIL"), std::string::npos);
    }
    for (const int problem : {0, 1, -12}) {
        SCOPED_TRACE(problem);
        const std::string text = report(problem, "SUBJECT", "DETAIL");
        EXPECT_EQ(text.find("SUBJECT"), std::string::npos);
        EXPECT_EQ(text.find("DETAIL"), std::string::npos);
    }
}

TEST_F(ShowError, EmptyAndNullTextsLeaveTheQuotesSideBySide) {
    EXPECT_EQ(report(CParam::PROBLEM_UNKNOWN_FLAG, "", ""), "Unknown flag ''." + kDemoHint);
    EXPECT_EQ(report(CParam::PROBLEM_UNKNOWN_FLAG, nullptr, nullptr),
              "Unknown flag ''." + kDemoHint);
    EXPECT_EQ(report(CParam::PROBLEM_INVALID_VALUE, nullptr, nullptr),
              "Invalid value '' at parameter ''." + kDemoHint);
    EXPECT_EQ(report(CParam::PROBLEM_GENERAL_PROBLEM_IN_FILE, nullptr, nullptr),
              "General problem in file '' at line:\n''." + kDemoHint);
}

TEST_F(ShowError, LoneHyphenOnTheCommandLineIsAnUnknownFlagWithNoName) {
    Args lone{"demo", "-"};
    int result = 0;
    EXPECT_EQ(stderrOf([&] { result = set.Interpret_returnError(lone.argv(), lone.argc()); }),
              "Unknown flag ''." + kDemoHint);
    EXPECT_EQ(result, CParam::PROBLEM_UNKNOWN_FLAG);
}

TEST(ShowErrorBeforeInterpretation, HintShowsAnEmptyProgramName) {
    CParam set;
    int result = 0;
    EXPECT_EQ(
        stderrOf([&] { result = set.showError(CParam::PROBLEM_CANNOT_OPEN_FILE, "x.par", ""); }),
        "Cannot open file 'x.par'.\nGet help with ' --help'\n\n");
    EXPECT_EQ(result, CParam::PROBLEM_CANNOT_OPEN_FILE);
    // The error stream is still usable afterwards.
    EXPECT_EQ(stderrOf([&] { set.showError(0, nullptr, nullptr); }),
              "Undefined error (0), please check program source code\nGet help with ' --help'\n\n");
}
