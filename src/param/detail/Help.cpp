// The help screen of the new interface: the synopsis, the description, the parameters in sections
// with their names and help in two columns wrapped to the width, what holds for them, the relations
// and the epilog. What a declaration's text would send a terminal is shown, not sent.
#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "CommandCore.h"
#include "Reference.h"
#include "Texts.h"

#if __has_include(<sys/ioctl.h>) && __has_include(<unistd.h>)
#include <sys/ioctl.h>
#include <unistd.h>
#define PARAM_TERMINAL_SIZE 1
#endif

namespace param_detail {

int terminalWidth() {
    if (const char* columns = std::getenv("COLUMNS")) {
        const int width = std::atoi(columns);
        if (width > 0) return width;
    }
#ifdef PARAM_TERMINAL_SIZE
    winsize size{};
    if (isatty(STDOUT_FILENO) && ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
#endif
    return 80;
}

namespace {

namespace help = text::help;

// The columns a text takes: one for each character of UTF-8 (the bytes that continue one take none).
std::size_t widthOf(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// A declaration's text as a terminal may receive it: control characters and bytes that are no UTF-8
// written as \x1b, a line end as a blank (the layout is the screen's).
std::string shown(const std::string& text) { return text::visibleLine(text); }

// Appends text to screen, its words wrapped at width, every line after the first (and the first, when
// the screen's last line is empty) indented by indent.
void wrap(std::string& screen, const std::string& text, std::size_t indent, std::size_t width) {
    const std::size_t lineStart = screen.rfind('\n') == std::string::npos ? 0 : screen.rfind('\n') + 1;
    std::size_t column = widthOf(screen.substr(lineStart));
    const std::size_t room = width > indent + 10 ? width : indent + 10;  // never less than a few words
    std::istringstream words(shown(text));
    bool first = true;
    for (std::string word; words >> word;) {
        if (!first && column + 1 + widthOf(word) > room) {
            screen += "\n" + std::string(indent, ' ');
            column = indent;
        } else if (!first) {
            screen += ' ';
            ++column;
        }
        screen += word;
        column += widthOf(word);
        first = false;
    }
}

// Paragraphs of text, one a line, each wrapped at the left margin.
void paragraphs(std::string& screen, const std::string& text, std::size_t width) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        wrap(screen, line, 0, width);
        screen += "\n";
    }
}

std::string rightColumn(const ReferenceEntry& entry) {
    std::string right = entry.help;
    for (const std::string& note : entry.notes) right += (right.empty() ? "[" : " [") + note + "]";
    return right;
}

void section(std::string& screen, const ReferenceSection& s, std::size_t width) {
    std::vector<std::string> left;
    std::size_t widest = 0;
    for (const ReferenceEntry& e : s.entries) {
        left.push_back(shown(namesColumn(e)));
        widest = std::max(widest, widthOf(left.back()));
    }
    const std::size_t column = std::min(widest + 4, std::max<std::size_t>(24, width * 2 / 5));
    screen += "\n" + shown(s.title) + ":\n";
    for (std::size_t i = 0; i < s.entries.size(); ++i) {
        screen += "  " + left[i];
        const std::string right = rightColumn(s.entries[i]);
        if (!right.empty()) {
            const std::size_t used = 2 + widthOf(left[i]);
            screen += used + 2 > column ? "\n" + std::string(column, ' ') : std::string(column - used, ' ');
            wrap(screen, right, column, width);
        }
        screen += "\n";
    }
}

}  // namespace

std::string helpScreen(const CommandCore& core, int width) {
    const std::size_t columns = width > 20 ? static_cast<std::size_t>(width) : 20;
    const Reference reference = screenReference(core);
    std::string screen;
    wrap(screen, help::usage() + reference.path + reference.synopsis, 7, columns);
    screen += "\n";
    paragraphs(screen, reference.description, columns);
    for (const ReferenceSection& s : reference.sections) section(screen, s, columns);
    if (!reference.relations.empty()) screen += "\n";
    for (const std::string& relation : reference.relations) {
        wrap(screen, relation, 0, columns);
        screen += "\n";
    }
    if (!reference.epilog.empty()) {
        screen += "\n";
        paragraphs(screen, reference.epilog, columns);
    }
    return screen;
}

}  // namespace param_detail
