// Replays the kept inputs of each fuzz target through the same harness the
// target uses. An input replays cleanly when the harness neither aborts (a
// failed check, a failed assertion of the library) nor trips a sanitizer in
// a sanitizer build; interpreting it may still end in a refused value or
// the usage screen, which the harness turns into an ordinary outcome.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzHarness.h"

namespace {

using Runner = param_fuzz::Outcome (*)(const std::uint8_t*, std::size_t);

struct Target {
    const char* name;
    Runner run;
};

const Target kTargets[] = {
    {"fuzz_command_line", &param_fuzz::runCommandLine},
    {"fuzz_parameter_file", &param_fuzz::runParameterFiles},
};

std::vector<std::filesystem::path> inputsIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> inputs;
    if (!std::filesystem::is_directory(folder)) return inputs;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') {
            inputs.push_back(entry.path());
        }
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

std::string contentOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Replays every input of every target found under root; returns how many.
int replayAll(const std::filesystem::path& root) {
    int replayed = 0;
    for (const Target& target : kTargets) {
        for (const auto& input : inputsIn(root / target.name)) {
            SCOPED_TRACE(input.string());
            // Named on standard output first: an abort leaves no other trace.
            std::cout << "replaying " << input.string() << std::endl;
            const std::string data = contentOf(input);
            const auto outcome =
                target.run(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
            EXPECT_NE(outcome, param_fuzz::Outcome::Rejected)
                << "the harness does not interpret this input at all";
            ++replayed;
        }
    }
    return replayed;
}

TEST(FuzzRegressions, EveryKeptInputReplaysCleanly) {
    replayAll(PARAM_REGRESSIONS_DIR);
}

TEST(FuzzRegressions, EverySeedReplaysCleanly) {
    EXPECT_GT(replayAll(PARAM_SEEDS_DIR), 0);
}

}  // namespace
