// libFuzzer target: the input is a command line, one argument word per line
// (or per NUL byte).
#include <cstddef>
#include <cstdint>

#include "FuzzHarness.h"
#include "FuzzerSetup.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    param_fuzz::setUpFuzzer(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto outcome = param_fuzz::runCommandLine(data, size);
    return outcome == param_fuzz::Outcome::Rejected ? -1 : 0;
}
