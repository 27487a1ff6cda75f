#include "NameIndex.h"

#include <cstdint>
#include <cstring>

#include "Memory.h"

namespace param_detail {
namespace {

// FNV-1a over the keyword's bytes, with the high half folded into the low
// bits, which choose the slot.
std::size_t hashOf(const char* keyword) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (auto* byte = reinterpret_cast<const unsigned char*>(keyword); *byte != 0; ++byte) {
        hash = (hash ^ *byte) * 1099511628211ULL;
    }
    return static_cast<std::size_t>(hash ^ (hash >> 32));
}

}  // namespace

bool NameIndex::add(CParamDef* definition, const char* keyword, char flag) noexcept {
    if ((used + 1) * 2 > capacity && !grow()) return false;
    place({hashOf(keyword), keyword, definition});
    ++used;
    if (flag != 0) {
        const auto letter = static_cast<unsigned char>(flag);
        flags[letter] = definition;
        flagsUsed.set(letter);
    }
    return true;
}

CParamDef* NameIndex::withKeyword(const char* keyword) const noexcept {
    if (capacity == 0) return nullptr;
    const std::size_t hash = hashOf(keyword);
    const std::size_t mask = capacity - 1;
    for (std::size_t i = hash & mask; slots[i].definition != nullptr; i = (i + 1) & mask) {
        if (slots[i].hash == hash && std::strcmp(slots[i].keyword, keyword) == 0) {
            return slots[i].definition;
        }
    }
    return nullptr;
}

CParamDef* NameIndex::withFlag(char flag) const noexcept {
    const auto letter = static_cast<unsigned char>(flag);
    return flag != 0 && flagsUsed.test(letter) ? flags[letter] : nullptr;
}

bool NameIndex::grow() noexcept {
    const std::size_t newCapacity = capacity == 0 ? 16 : capacity * 2;
    std::unique_ptr<Slot[]> old = tryNewArray<Slot>(newCapacity);
    if (!old) return false;
    old.swap(slots);
    const std::size_t oldCapacity = capacity;
    capacity = newCapacity;
    for (std::size_t i = 0; i < oldCapacity; ++i) {
        if (old[i].definition != nullptr) place(old[i]);
    }
    return true;
}

void NameIndex::place(const Slot& slot) noexcept {
    const std::size_t mask = capacity - 1;
    std::size_t i = slot.hash & mask;
    while (slots[i].definition != nullptr) i = (i + 1) & mask;
    slots[i] = slot;
}

}  // namespace param_detail
