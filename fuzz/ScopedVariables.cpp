#include "ScopedVariables.h"

#include <stdlib.h>

#include "FuzzHarness.h"

namespace param_fuzz {

ScopedVariables::ScopedVariables(const std::vector<std::pair<std::string, std::string>>& variables) {
    for (const auto& [name, value] : variables) {
        // A name or value is what the library would see: the text up to a NUL byte.
        const std::string seen = name.c_str();
        if (seen.rfind("PARAMFUZZ_", 0) != 0 || seen.find('=') != std::string::npos) continue;
        if (setenv(seen.c_str(), value.c_str(), 1) != 0) fault("cannot set the variable ", seen.c_str());
        set.push_back(seen);
    }
}

ScopedVariables::~ScopedVariables() {
    for (const std::string& name : set) unsetenv(name.c_str());
}

}  // namespace param_fuzz
