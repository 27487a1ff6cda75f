// What a parameter set keeps to take values from environment variables.
#ifndef PARAM_DETAIL_ENVIRONMENT_H
#define PARAM_DETAIL_ENVIRONMENT_H

#include <deque>
#include <string>

namespace param_detail {

struct Environment {
    std::string prefix;  // empty: no values from the environment
    // The names of the variables that gave values, which the values' origins point into for the set's
    // life; a deque keeps them where they are as it grows, and a name read again is kept once.
    std::deque<std::string> names;

    // The kept copy of name. May throw std::bad_alloc.
    const char* keep(const std::string& name) {
        for (const std::string& kept : names) {
            if (kept == name) return kept.c_str();
        }
        return names.emplace_back(name).c_str();
    }
};

}  // namespace param_detail

#endif
