#include "DeclarationBytes.h"

namespace param_fuzz {
namespace {

// What a help screen wraps, breaks or shows: blanks and line ends, words of every length up to more
// than the widest screen the checks ask for, terminal controls (C0, DEL, C1 as UTF-8 and as a lone
// byte), and UTF-8 that is and is not valid.
constexpr const char* kFragments[] = {
    " ", " ", "  ", "\n", "\n\n", "\t", "\r", "\v", "word", "x", "--", "=", "#", "\"", "\\", "0", "-1", "2.5",
    "a-word-longer-than-twenty",
    "a-word-of-fifty-characters-that-no-narrow-screen-has",
    "a-word-of-ninety-characters-so-long-that-it-stands-alone-on-a-line-of-an-eighty-column-help",
    "\x1b[31m", "\x1b]0;title\x07", "\x07", "\x7f", "\xc2\x9b", "\xc2\x85", "\x9b", "\xc3\xa9", "\xe2\x80\xa8", "\xff",
};

}  // namespace

unsigned DeclarationBytes::byte() {
    if (rest.empty()) return 0;
    const auto value = static_cast<unsigned char>(rest.front());
    rest.remove_prefix(1);
    return value;
}

std::string DeclarationBytes::text() {
    const unsigned head = byte();
    std::string made;
    for (unsigned i = 0; i < (head & 0x1F); ++i) {
        const unsigned b = byte();
        if ((head & 0x80) != 0) {
            made += kFragments[b % std::size(kFragments)];
        } else {
            made += static_cast<char>(b);
        }
    }
    return made;
}

}  // namespace param_fuzz
