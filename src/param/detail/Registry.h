// What a parameter set keeps beside its definition list: the list's elements and their index by name,
// made together with the first registration.
#ifndef PARAM_DETAIL_REGISTRY_H
#define PARAM_DETAIL_REGISTRY_H

#include "ElementPool.h"
#include "NameIndex.h"

namespace param_detail {

struct Registry {
    ElementPool elements;
    NameIndex names;
};

}  // namespace param_detail

#endif
