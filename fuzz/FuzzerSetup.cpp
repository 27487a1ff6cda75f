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

bool namesArtifactPlace(std::string_view argument) {
    return argument.rfind("-artifact_prefix=", 0) == 0 ||
           argument.rfind("-exact_artifact_path=", 0) == 0;
}

}  // namespace

void setUpFuzzer(int* argc, char*** argv) {
    setQuiet(std::getenv("PARAM_FUZZ_VERBOSE") == nullptr);

    for (int i = 1; i < *argc; ++i) {
        if (namesArtifactPlace((*argv)[i])) return;
    }
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    if (error) return;

    // libFuzzer keeps using the vector it is handed, so it lives to the end.
    static std::vector<std::string> arguments;
    static std::vector<char*> pointers;
    arguments.assign(*argv, *argv + *argc);
    arguments.push_back("-artifact_prefix=" + (here / "").string());
    for (std::string& argument : arguments) pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    *argc = static_cast<int>(arguments.size());
    *argv = pointers.data();
}

}  // namespace param_fuzz
