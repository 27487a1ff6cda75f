// What a parameter set keeps to take values from environment variables.
#ifndef PARAM_DETAIL_ENVIRONMENT_H
#define PARAM_DETAIL_ENVIRONMENT_H

#include <deque>
#include <string>

namespace param_detail {

struct Environment {
    std::string prefix;
    // The names of the variables that gave values, which the values' origins point into; a deque
    // keeps them where they are as it grows.
    std::deque<std::string> names;
};

}  // namespace param_detail

#endif
