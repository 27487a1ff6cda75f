// The problem messages: the body of every code, the help hint after it, and
// the code handed back unchanged.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "Param.h"
#include "TestSupport.h"

static_assert(CParam::OK == 1 && CParam::NOT_OK == 0 && CParam::PROBLEM_UNDEFINED_PROBLEM == 0,
              "the results");

TEST(ShowError, EveryCodeHasItsBodyFollowedByTheHelpHintAndIsReturned) {
    struct Case {
        int problem;
        std::string body;
        const char* subject = "word";
        const char* detail = "detail";
    };
    const std::string unknown = "), please check program source code";
    const Case cases[] = {
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
        {-11, "Loop detected in nested parameter file call in file 'word' at line:\n'detail'."
         "\nSkipping parameter file call."},
        // Codes without a body of their own.
        {CParam::OK, "Unknown error (1" + unknown},
        {-12, "Unknown error (-12" + unknown},
        {INT_MIN, "Unknown error (" + std::to_string(INT_MIN) + unknown, "", ""},
        {INT_MAX, "Unknown error (" + std::to_string(INT_MAX) + unknown, "", ""},
        // Empty and absent texts leave the quotes side by side.
        {-3, "Unknown flag ''.", "", ""},
        {-3, "Unknown flag ''.", nullptr, nullptr},
        {-4, "Invalid value '' at parameter ''.", nullptr, nullptr},
        {-10, "General problem in file '' at line:\n''.", nullptr, nullptr},
    };
    Args words{"demo"};  // the set keeps a pointer to its first word
    CParam set;
    ASSERT_EQ(set.Interpret(words.argv(), words.argc()), CParam::OK);
    // The bodies are chosen by the named codes, so these numbers check their
    // values too. Each is a class constant with an address of its own.
    const int* const loop = &CParam::PROBLEM_PARAM_FILE_LOOP;
    EXPECT_EQ(*loop, -11);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.problem);
        int result = 0;
        EXPECT_EQ(stderrOf([&] { result = set.showError(c.problem, c.subject, c.detail); }),
                  c.body + helpHint("demo"));
        EXPECT_EQ(result, c.problem);
    }
}

TEST(ShowError, BeforeAnyInterpretationTheHintShowsAnEmptyProgramName) {
    CParam set;
    int result = 0;
    EXPECT_EQ(stderrOf([&] { result = set.showError(-7, "x.par", ""); }),
              "Cannot open file 'x.par'.\nGet help with ' --help'\n\n");
    EXPECT_EQ(result, CParam::PROBLEM_CANNOT_OPEN_FILE);
    EXPECT_EQ(stderrOf([&] { result = set.read_parameter_file(""); }),
              "Cannot open file ''.\nGet help with ' --help'\n\n");
    EXPECT_EQ(result, CParam::PROBLEM_CANNOT_OPEN_FILE);
    // The error stream is still usable afterwards.
    EXPECT_EQ(stderrOf([&] { set.showError(0, nullptr, nullptr); }),
              "Undefined error (0), please check program source code\nGet help with ' --help'\n\n");
}
