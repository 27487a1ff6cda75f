// What a parameter set keeps beside its definition list: the list's elements and their index by name,
// made together with the first registration, and where the values of its lists came from.
#ifndef PARAM_DETAIL_REGISTRY_H
#define PARAM_DETAIL_REGISTRY_H

#include <vector>

#include "ElementPool.h"
#include "NameIndex.h"

namespace param_detail {

// Which source gave a value: a later one takes precedence over an earlier one.
enum Rank : unsigned char { DEFAULT_RANK, ENVIRONMENT_RANK, COMMAND_LINE_RANK };

// The values of a list: which source gave the elements in force (a list keeps those of the latest
// source that gave any), and where each element came from, in order.
struct Gathered {
    const ParamListElement* element;
    Rank rank;
    std::vector<ParamOrigin> origins;
};

struct Registry {
    ElementPool elements;
    NameIndex names;
    // A record for each list that took a value; lists are few, so they are found by a walk.
    std::vector<Gathered> gathered;

    // The record of the list's element; null when it has taken no value.
    Gathered* gatheredBy(const ParamListElement* element) {
        for (Gathered& g : gathered) {
            if (g.element == element) return &g;
        }
        return nullptr;
    }
};

}  // namespace param_detail

#endif
