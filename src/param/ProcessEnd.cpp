#include "ProcessEnd.h"

#include <cstdio>
#include <cstdlib>

namespace param_internal {

void endProcess(int status) {
    std::exit(status);
}

void failAssertion(const char* condition) {
    std::fprintf(stderr, "Assertion failed: %s\n", condition);
    std::fflush(stderr);
    std::abort();
}

}  // namespace param_internal
