// Environment variables set while it lives, and unset when it goes: the process's environment is
// the same before and after every input.
#ifndef PARAM_FUZZ_SCOPEDVARIABLES_H
#define PARAM_FUZZ_SCOPEDVARIABLES_H

#include <string>
#include <utility>
#include <vector>

namespace param_fuzz {

class ScopedVariables {
public:
    // Each name and value. Only names that begin with "PARAMFUZZ_" are set (no input may change how
    // the process itself runs), and none that no environment can hold (with "=").
    explicit ScopedVariables(const std::vector<std::pair<std::string, std::string>>& variables);
    ~ScopedVariables();
    ScopedVariables(const ScopedVariables&) = delete;
    ScopedVariables& operator=(const ScopedVariables&) = delete;

private:
    std::vector<std::string> set;
};

}  // namespace param_fuzz

#endif
