// Replaces src/param/ProcessEnd.cpp in the fuzz targets and in the
// regression replay test: instead of ending the process, both functions
// throw, and the harness catches what they throw.
#include "ProcessEnd.h"
#include "ProcessEnded.h"

namespace param_internal {

void endProcess(int status) {
    throw param_fuzz::ProcessEnded{status, nullptr};
}

void failAssertion(const char* condition) {
    throw param_fuzz::ProcessEnded{-1, condition};
}

}  // namespace param_internal
