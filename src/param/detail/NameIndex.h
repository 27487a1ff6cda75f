// The parameter set's index of its definitions (their list elements) by
// keyword and by flag letter. It sits beside the definition list, which keeps
// the registration order; registration keeps names unique, so each name has
// at most one definition and the index answers every lookup by name.
#ifndef PARAM_DETAIL_NAMEINDEX_H
#define PARAM_DETAIL_NAMEINDEX_H

#include <cstddef>
#include <memory>

struct ParamListElement;

namespace param_detail {

class NameIndex {
public:
    NameIndex() noexcept = default;
    NameIndex(const NameIndex&) = delete;
    NameIndex& operator=(const NameIndex&) = delete;

    // Indexes element under its definition's keyword (which lives as long
    // as the definition) and under flag unless it is 0. The keyword table grows before
    // it is half full, so it never runs full; false, with the index
    // unchanged, when memory for growing runs out.
    // keywordHash: hashOf(the keyword), which registration has at hand.
    bool add(ParamListElement* element, char flag, std::size_t keywordHash) noexcept;

    // The element indexed under the name; null when there is none.
    ParamListElement* withKeyword(const char* keyword) const noexcept { return withKeyword(keyword, hashOf(keyword)); }
    ParamListElement* withKeyword(const char* keyword, std::size_t hash) const noexcept;
    static std::size_t hashOf(const char* keyword) noexcept;
    ParamListElement* withFlag(char flag) const noexcept;

private:
    // Open addressing with linear probing over a power-of-two table.
    struct Slot {
        std::size_t hash;
        ParamListElement* element;  // null in a free slot
    };
    std::unique_ptr<Slot[]> slots;
    std::size_t capacity = 0;
    std::size_t used = 0;
    // Flags: for each letter, 0 or the place (from 1) of its definition in
    // flagged. Kept small, so that a new set allocates little: a large
    // allocation costs the allocator a reorganisation of its free lists.
    unsigned char flagPlace[256] = {};
    static constexpr std::size_t kFewFlags = 8;
    ParamListElement* fewFlagged[kFewFlags];      // the first few, without an allocation
    std::unique_ptr<ParamListElement*[]> moreFlagged;  // all of them, once there are more
    ParamListElement** flagged = fewFlagged;
    std::size_t flagCount = 0;
    std::size_t flagCapacity = kFewFlags;

    bool grow() noexcept;
    bool growFlagged() noexcept;
    static const char* keywordOf(const ParamListElement* element) noexcept;
    void place(const Slot& slot) noexcept;
};

}  // namespace param_detail

#endif
