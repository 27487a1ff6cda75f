// libFuzzer target: the input is the content of the parameter file "a.par",
// followed, after a line "%%", by that of "b.par"; a.par is read through
// "-f a.par".
#include <cstddef>
#include <cstdint>

#include "FuzzHarness.h"
#include "FuzzerSetup.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    param_fuzz::setUpFuzzer(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto outcome = param_fuzz::runParameterFiles(data, size);
    return outcome == param_fuzz::Outcome::Rejected ? -1 : 0;
}
