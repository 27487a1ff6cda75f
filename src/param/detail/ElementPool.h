// Where the parameter set's list elements live: blocks of sixteen, so that registering a definition
// costs no allocation of its own for its element.
#ifndef PARAM_DETAIL_ELEMENTPOOL_H
#define PARAM_DETAIL_ELEMENTPOOL_H

#include <cstddef>
#include <memory>

#include "Param.h"

namespace param_detail {

class ElementPool {
public:
    ElementPool() noexcept = default;
    ~ElementPool();
    ElementPool(const ElementPool&) = delete;
    ElementPool& operator=(const ElementPool&) = delete;

    // A new element holding definition, its next null; null when memory runs out. Elements live as
    // long as the pool.
    ParamListElement* take(CParamDef* definition) noexcept;
    // Gives back the element taken last (one that registration could not use after all).
    void giveBackLast() noexcept;

private:
    struct Block {
        static constexpr std::size_t kCapacity = 16;
        std::unique_ptr<Block> older;
        std::size_t used = 0;
        ParamListElement elements[kCapacity];
    };
    Block first;                   // the first sixteen come with the pool
    std::unique_ptr<Block> later;  // newest first
    Block* newest = &first;
};

}  // namespace param_detail

#endif
