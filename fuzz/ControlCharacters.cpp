#include "ControlCharacters.h"

namespace param_fuzz {
namespace {

// The length of the valid UTF-8 sequence at text[at] and its code point; 0 when there is none.
std::size_t sequenceAt(std::string_view text, std::size_t at, unsigned& codePoint) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) return 0;
        codePoint = codePoint << 6 | (next & 0x3F);
    }
    return length;
}

// Calls found(code, offset) for every control of text, until it returns true.
template <typename Found>
void eachControl(std::string_view text, Found found) {
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        unsigned code = byte;
        std::size_t length = 1;
        if (byte >= 0x80) {
            unsigned codePoint = 0;
            length = sequenceAt(text, at, codePoint);
            code = length > 0 ? codePoint : byte;
            length = length > 0 ? length : 1;
        }
        const bool control = (code < 0x20 && code != '\n') || (code >= 0x7F && code < 0xA0);
        if (control && found(code, at)) return;
        at += length;
    }
}

}  // namespace

void addControls(std::string_view text, Controls& found) {
    eachControl(text, [&](unsigned code, std::size_t) {
        found.set(code);
        return false;
    });
}

std::string_view::size_type firstControlOutside(std::string_view text, const Controls& allowed) {
    std::string_view::size_type first = std::string_view::npos;
    eachControl(text, [&](unsigned code, std::size_t at) {
        if (allowed.test(code)) return false;
        first = at;
        return true;
    });
    return first;
}

}  // namespace param_fuzz
