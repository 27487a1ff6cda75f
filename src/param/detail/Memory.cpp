#include "Memory.h"

#include <cstring>

#include "ProcessEnd.h"

namespace param_detail {

Text tryCopyText(const char* text, std::size_t length) noexcept {
    Text copy = tryNewArray<char>(length + 1);
    if (copy) {
        std::memcpy(copy.get(), text, length);
        copy[length] = '\0';
    }
    return copy;
}

Text copyTextOrStop(const char* text, const char* what) {
    if (text == nullptr) failAssertion(what);
    Text copy = tryCopyText(text, std::strlen(text));
    if (!copy) failAssertion(what);
    return copy;
}

Text joinTextsOrStop(const char* first, const char* second, const char* what) {
    const std::size_t head = std::strlen(first), tail = std::strlen(second);
    Text joined = tryNewArray<char>(head + tail + 1);
    if (!joined) failAssertion(what);
    std::memcpy(joined.get(), first, head);
    std::memcpy(joined.get() + head, second, tail + 1);
    return joined;
}

char* Buffer::assign(const char* text, std::size_t length) {
    used = 0;
    append(text, length);
    return data();
}

void Buffer::append(const char* text, std::size_t length) {
    reserve(used + length);
    std::memcpy(storage.get() + used, text, length);
    used += length;
    storage[used] = '\0';
}

void Buffer::reserve(std::size_t length) {
    if (length < capacity) return;
    std::size_t grown = capacity == 0 ? 64 : capacity;
    while (grown <= length) grown *= 2;
    Text larger = tryNewArray<char>(grown);
    if (!larger) failAssertion(name);
    if (used > 0) std::memcpy(larger.get(), storage.get(), used);
    storage = std::move(larger);
    capacity = grown;
}

}  // namespace param_detail
