// Running out of memory.
//
// The library throws nothing, also when memory runs out. Every allocation it
// makes goes through this file, and a failed one has the outcome that the
// place it happens in has promised:
//   - an operation that can refuse refuses: AddParamDef returns 0, with the
//     set unchanged;
//   - a string value that cannot be copied is refused by its definition with
//     the message "could not allocate memory for String parameter" (which
//     ends the process unless the set reports problems to its host);
//   - anything else is an impossible state: the process stops at an
//     assertion naming what was being allocated ("keyword", "WholeParameter").
// Where a standard container must grow (a host's std::string or
// std::vector), tryAllocating turns its exception into a plain false.
#ifndef PARAM_DETAIL_MEMORY_H
#define PARAM_DETAIL_MEMORY_H

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace param_detail {

// A text the library keeps: an array of its length plus one.
using Text = std::unique_ptr<char[]>;

// A new T, or null when memory runs out.
template <typename T, typename... Args>
T* tryNew(Args&&... args) {
    if constexpr (std::is_aggregate_v<T>) {
        return new (std::nothrow) T{std::forward<Args>(args)...};
    } else {
        return new (std::nothrow) T(std::forward<Args>(args)...);
    }
}

// count default-initialised Ts (for plain types: not initialised), or null when memory runs out.
template <typename T>
std::unique_ptr<T[]> tryNewArray(std::size_t count) noexcept {
    return std::unique_ptr<T[]>(new (std::nothrow) T[count]);
}

// A copy of the first length characters of text, terminated; null when
// memory runs out.
Text tryCopyText(const char* text, std::size_t length) noexcept;

// A copy of text (which must not be null); stops at an assertion naming what
// when either is impossible.
Text copyTextOrStop(const char* text, const char* what);
// The texts first and second joined, as copyTextOrStop makes a copy.
Text joinTextsOrStop(const char* first, const char* second, const char* what);

// A growable character buffer, reused from text to text; it always holds a
// terminated text. Running out of memory while it grows stops the process
// at an assertion naming the buffer.
class Buffer {
public:
    explicit Buffer(const char* name) noexcept : name(name) {}
    // Replaces the content with the first length characters of text.
    char* assign(const char* text, std::size_t length);
    // Adds the first length characters of text to the content.
    void append(const char* text, std::size_t length);
    void clear() noexcept {
        used = 0;
        data()[0] = '\0';
    }
    // Drops the last character (there must be one).
    void dropLast() noexcept { data()[--used] = '\0'; }
    char* data() noexcept { return storage ? storage.get() : empty; }
    std::size_t size() const noexcept { return used; }

private:
    const char* name;
    Text storage;
    std::size_t capacity = 0;
    std::size_t used = 0;
    char empty[1] = {'\0'};

    void reserve(std::size_t length);
};

// Runs action; false when it ran out of memory.
template <typename Action>
bool tryAllocating(Action&& action) noexcept {
    try {
        action();
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace param_detail

#endif
