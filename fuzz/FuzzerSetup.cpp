#include "FuzzerSetup.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "FuzzHarness.h"

namespace param_fuzz {
namespace {

constexpr std::string_view kPrefixOption = "-artifact_prefix=";

bool namesArtifactPlace(std::string_view argument) {
    return argument.rfind(kPrefixOption, 0) == 0 || argument.rfind("-exact_artifact_path=", 0) == 0;
}

std::string prefix;

}  // namespace

const std::string& artifactPrefix() { return prefix; }

void setUpFuzzer(int* argc, char*** argv) {
    setQuiet(std::getenv("PARAM_FUZZ_VERBOSE") == nullptr);

    bool placed = false;
    for (int i = 1; i < *argc; ++i) {
        const std::string_view argument = (*argv)[i];
        if (argument.rfind(kPrefixOption, 0) == 0) prefix = argument.substr(kPrefixOption.size());
        placed = placed || namesArtifactPlace(argument);
    }
    if (placed) return;
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    if (error) return;

    // libFuzzer keeps using the vector it is handed, so it lives to the end.
    static std::vector<std::string> arguments;
    static std::vector<char*> pointers;
    arguments.assign(*argv, *argv + *argc);
    prefix = (here / "").string();
    arguments.push_back(std::string(kPrefixOption) + prefix);
    for (std::string& argument : arguments) pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    *argc = static_cast<int>(arguments.size());
    *argv = pointers.data();
}

}  // namespace param_fuzz
