// The part of an input that declares a program, read as a stream of choices and texts. Past its end
// every byte is 0: no more parameters or commands, and empty texts.
#ifndef PARAM_FUZZ_DECLARATIONBYTES_H
#define PARAM_FUZZ_DECLARATIONBYTES_H

#include <cstddef>
#include <string>
#include <string_view>

namespace param_fuzz {

class DeclarationBytes {
public:
    explicit DeclarationBytes(std::string_view bytes) : rest(bytes) {}

    unsigned byte();
    // Up to 31 pieces. The head byte's high bit chooses them: each the next byte as it is (so every
    // byte value occurs), or each a fragment chosen by the next byte (blanks, line ends, words short
    // and longer than a screen, control sequences, bytes beyond ASCII).
    std::string text();
    // One of the words of a list, chosen by the next byte.
    template <std::size_t N>
    const char* pick(const char* const (&words)[N]) {
        return words[byte() % N];
    }

private:
    std::string_view rest;
};

}  // namespace param_fuzz

#endif
