#include "NameIndex.h"

#include <cstdint>
#include <algorithm>
#include <cstring>

#include "Memory.h"
#include "Param.h"

namespace param_detail {
// FNV-1a over the keyword's bytes, with the high half folded into the low
// bits, which choose the slot.
std::size_t NameIndex::hashOf(const char* keyword) noexcept {
    std::uint64_t hash = 14695981039346656037ULL;
    for (auto* byte = reinterpret_cast<const unsigned char*>(keyword); *byte != 0; ++byte) {
        hash = (hash ^ *byte) * 1099511628211ULL;
    }
    return static_cast<std::size_t>(hash ^ (hash >> 32));
}

// The keyword as the definition holds it, which is what its understands() compares.
const char* NameIndex::keywordOf(const ParamListElement* element) noexcept {
    return element->definition->keyword.get();
}

bool NameIndex::add(ParamListElement* element, char flag, std::size_t keywordHash) noexcept {
    if ((used + 1) * 2 > capacity && !grow()) return false;
    if (flag != 0 && flagCount == flagCapacity && !growFlagged()) return false;
    place({keywordHash, element});
    ++used;
    if (flag != 0) {
        flagged[flagCount++] = element;
        flagPlace[static_cast<unsigned char>(flag)] = static_cast<unsigned char>(flagCount);
    }
    return true;
}

ParamListElement* NameIndex::withKeyword(const char* keyword, std::size_t hash) const noexcept {
    if (capacity == 0) return nullptr;
    const std::size_t mask = capacity - 1;
    for (std::size_t i = hash & mask; slots[i].element != nullptr; i = (i + 1) & mask) {
        if (slots[i].hash == hash && std::strcmp(keywordOf(slots[i].element), keyword) == 0) {
            return slots[i].element;
        }
    }
    return nullptr;
}

ParamListElement* NameIndex::withFlag(char flag) const noexcept {
    const unsigned char place = flagPlace[static_cast<unsigned char>(flag)];
    return place != 0 ? flagged[place - 1] : nullptr;
}

bool NameIndex::grow() noexcept {
    const std::size_t newCapacity = capacity == 0 ? 16 : capacity * 2;
    std::unique_ptr<Slot[]> old = tryNewArray<Slot>(newCapacity);
    if (!old) return false;
    for (std::size_t i = 0; i < newCapacity; ++i) old[i].element = nullptr;
    old.swap(slots);
    const std::size_t oldCapacity = capacity;
    capacity = newCapacity;
    for (std::size_t i = 0; i < oldCapacity; ++i) {
        if (old[i].element != nullptr) place(old[i]);
    }
    return true;
}

// At most 255 letters can be flags, so the places of flagged fit in a byte.
bool NameIndex::growFlagged() noexcept {
    const std::size_t newCapacity = std::min<std::size_t>(flagCapacity * 2, 255);
    std::unique_ptr<ParamListElement*[]> larger = tryNewArray<ParamListElement*>(newCapacity);
    if (!larger) return false;
    std::copy(flagged, flagged + flagCount, larger.get());
    moreFlagged = std::move(larger);
    flagged = moreFlagged.get();
    flagCapacity = newCapacity;
    return true;
}

void NameIndex::place(const Slot& slot) noexcept {
    const std::size_t mask = capacity - 1;
    std::size_t i = slot.hash & mask;
    while (slots[i].element != nullptr) i = (i + 1) & mask;
    slots[i] = slot;
}

}  // namespace param_detail
