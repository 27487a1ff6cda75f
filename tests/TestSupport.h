// Small helpers shared by the tests: argument vectors, temporary parameter
// files and captured standard error.
#ifndef PARAM_TESTS_TESTSUPPORT_H
#define PARAM_TESTS_TESTSUPPORT_H

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// A mutable argument vector, argv[0] included, as a program's main gets it.
class Args {
public:
    Args(std::initializer_list<const char*> words);
    char** argv() { return pointers.data(); }
    int argc() const { return static_cast<int>(words.size()); }

private:
    std::vector<std::string> words;
    std::vector<char*> pointers;
};

// Creates a file with the given content in a fresh temporary folder and
// returns its path. The folder is removed at the end of the test program.
std::string writeTempFile(const std::string& name, const std::string& content);

// The path of the test's own temporary folder (created on first use).
std::string tempDir();

// Runs body and returns what it wrote to standard error.
std::string stderrOf(const std::function<void()>& body);

// The exact text of a line warning: "          BEWARE OF UNPREDICTIBLE BEHAVIOUR!".
extern const char* const kBewareLine;

// A regular expression (POSIX extended, as death tests use) that matches
// exactly the given text, from its first character to its last.
std::string exactRegex(const std::string& text);

#endif
