// The parameter set's index of its definitions by keyword and by flag
// letter. It sits beside the definition list, which keeps the registration
// order; registration keeps names unique, so each name has at most one
// definition and the index answers every lookup by name.
#ifndef PARAM_DETAIL_NAMEINDEX_H
#define PARAM_DETAIL_NAMEINDEX_H

#include <bitset>
#include <cstddef>
#include <memory>

class CParamDef;

namespace param_detail {

class NameIndex {
public:
    NameIndex() noexcept = default;
    NameIndex(const NameIndex&) = delete;
    NameIndex& operator=(const NameIndex&) = delete;

    // Indexes definition under keyword (which must live as long as the
    // index) and under flag unless it is 0. The keyword table grows before
    // it is half full, so it never runs full; false, with the index
    // unchanged, when memory for growing runs out.
    bool add(CParamDef* definition, const char* keyword, char flag) noexcept;

    // The definition indexed under the name; null when there is none.
    CParamDef* withKeyword(const char* keyword) const noexcept;
    CParamDef* withFlag(char flag) const noexcept;

private:
    // Open addressing with linear probing over a power-of-two table.
    struct Slot {
        std::size_t hash;
        const char* keyword;
        CParamDef* definition;  // null in a free slot
    };
    std::unique_ptr<Slot[]> slots;
    std::size_t capacity = 0;
    std::size_t used = 0;
    // Only the entries of the letters in flagsUsed are ever written or read,
    // so a new index need not clear the whole table.
    CParamDef* flags[256];
    std::bitset<256> flagsUsed;

    bool grow() noexcept;
    void place(const Slot& slot) noexcept;
};

}  // namespace param_detail

#endif
