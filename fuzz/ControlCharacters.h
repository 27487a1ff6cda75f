// The characters a terminal takes for commands rather than for text: C0 controls but the line end,
// DEL, and C1 controls (U+0080 to U+009F as UTF-8, or such a byte standing alone, which a terminal
// reading eight bits takes for one).
#ifndef PARAM_FUZZ_CONTROLCHARACTERS_H
#define PARAM_FUZZ_CONTROLCHARACTERS_H

#include <bitset>
#include <string_view>

namespace param_fuzz {

// Indexed by the control's code: 0 to 0x1F, 0x7F, 0x80 to 0x9F.
using Controls = std::bitset<0xA0>;

// Adds the controls text holds to found.
void addControls(std::string_view text, Controls& found);

// The offset of the first control of text that allowed lacks; npos when there is none.
std::string_view::size_type firstControlOutside(std::string_view text, const Controls& allowed);

}  // namespace param_fuzz

#endif
