#include "ElementPool.h"

#include "Memory.h"

namespace param_detail {

// One block at a time, so that a long chain of blocks does not recurse.
ElementPool::~ElementPool() {
    while (later) later = std::move(later->older);
}

ParamListElement* ElementPool::take(CParamDef* definition) noexcept {
    if (newest->used == Block::kCapacity) {
        std::unique_ptr<Block> block(tryNew<Block>());
        if (!block) return nullptr;
        block->older = std::move(later);
        later = std::move(block);
        newest = later.get();
    }
    ParamListElement* element = &newest->elements[newest->used++];
    *element = {nullptr, definition, {}};
    return element;
}

void ElementPool::giveBackLast() noexcept { --newest->used; }

}  // namespace param_detail
