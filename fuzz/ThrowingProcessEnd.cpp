// Replaces src/param/detail/ProcessEnd.cpp in the fuzz targets: instead of
// ending the process, both functions throw, and the harness catches what
// they throw.
#include "detail/ProcessEnd.h"
#include "ProcessEnded.h"

namespace param_detail {

void endProcess(int status) {
    throw param_fuzz::ProcessEnded{status, nullptr};
}

void failAssertion(const char* condition) {
    throw param_fuzz::ProcessEnded{-1, condition};
}

}  // namespace param_detail
