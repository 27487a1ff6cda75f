#include "TestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

const char* const kBewareLine = "          BEWARE OF UNPREDICTIBLE BEHAVIOUR!";

Args::Args(std::initializer_list<const char*> list) : words(list.begin(), list.end()) {
    for (std::string& word : words) pointers.push_back(word.data());
    pointers.push_back(nullptr);
}

namespace {

// Removed only by the process that made it: a death test's child exits
// through the same static destructors while its parent still needs the files.
struct TempFolder {
    std::string path;
    pid_t owner = getpid();
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "param-tests-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        path = pattern;
    }
    ~TempFolder() {
        if (getpid() != owner) return;
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

}  // namespace

std::string tempDir() {
    static TempFolder folder;
    return folder.path;
}

std::string writeTempFile(const std::string& name, const std::string& content) {
    const std::string path = tempDir() + "/" + name;
    std::ofstream out(path, std::ios::binary);
    out << content;
    return path;
}

std::string stderrOf(const std::function<void()>& body) {
    testing::internal::CaptureStderr();
    body();
    return testing::internal::GetCapturedStderr();
}

std::string exactRegex(const std::string& text) {
    static const std::string special = ".[]()*+?{}|^$\\";
    std::string pattern = "^";
    for (const char c : text) {
        if (special.find(c) != std::string::npos) pattern += '\\';
        pattern += c;
    }
    return pattern + "$";
}
