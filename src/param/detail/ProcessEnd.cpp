#include "ProcessEnd.h"

#include <cstdlib>

#include "Texts.h"

namespace param_detail {

void endProcess(int status) { std::exit(status); }

void failAssertion(const char* condition) {
    text::assertionFailed(condition);
    std::abort();
}

}  // namespace param_detail
