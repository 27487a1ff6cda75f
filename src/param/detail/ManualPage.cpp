// The manual page of a program in the man(7) format, from its reference: NAME, SYNOPSIS, DESCRIPTION,
// COMMANDS, OPTIONS, ENVIRONMENT, FILES, EXIT STATUS, NOTES and SEE ALSO. Every text of the
// declarations is escaped so that roff reads it as text: no line it begins is a request, no backslash
// an escape, no quote ends a macro's argument.
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <string>

#include "CommandCore.h"
#include "Reference.h"
#include "Texts.h"

namespace param_detail {

namespace {

namespace page = text::help::page;

// The code point of the UTF-8 sequence of length bytes at c.
unsigned long codePoint(const unsigned char* c, std::size_t length) {
    unsigned long point = length == 2 ? c[0] & 0x1Fu : length == 3 ? c[0] & 0x0Fu : c[0] & 0x07u;
    for (std::size_t i = 1; i < length; ++i) point = (point << 6) | (c[i] & 0x3Fu);
    return point;
}

// text escaped for roff, on one line: a backslash as \e, a quote as \(dq, a hyphen of a name as \-,
// every character beyond ASCII as \[uXXXX]; control characters and bytes that are no UTF-8 shown as
// \x1b first. name: the text is an option's name, whose hyphens are minus signs.
std::string roff(const std::string& text, bool name = false) {
    std::string shown;
    for (const char c : text::visibleLine(text)) {
        if (c != ' ' || (!shown.empty() && shown.back() != ' ')) shown += c;  // a blank at most between words
    }
    std::string escaped;
    const auto* c = reinterpret_cast<const unsigned char*>(shown.c_str());
    while (*c != '\0') {
        if (*c >= 0x80) {
            const std::size_t length = *c >= 0xF0 ? 4 : *c >= 0xE0 ? 3 : 2;  // visible() left only whole sequences
            static const char kDigits[] = "0123456789ABCDEF";
            std::string hex;
            for (unsigned long point = codePoint(c, length); point != 0 || hex.size() < 4; point >>= 4) hex.insert(hex.begin(), kDigits[point & 15]);
            escaped += "\\[u" + hex + "]";
            c += length;
            continue;
        }
        if (*c == '\\') {
            escaped += "\\e";
        } else if (*c == '"') {
            escaped += "\\(dq";
        } else if (*c == '-' && name) {
            escaped += "\\-";
        } else {
            escaped += static_cast<char>(*c);
        }
        ++c;
    }
    return escaped;
}

// Lines of text of at most 80 bytes where the words allow, broken at blanks; a line that begins with a
// period or an apostrophe would be a request, and begins with \& instead.
std::string line(const std::string& escaped) {
    std::string lines;
    std::size_t start = 0;
    while (start < escaped.size() || lines.empty()) {
        std::size_t end = escaped.size();
        if (end - start > 80) {
            const std::size_t blank = escaped.rfind(' ', start + 80);
            end = blank != std::string::npos && blank > start ? blank : escaped.find(' ', start + 80);
            end = std::min(end, escaped.size());
        }
        const std::string part = escaped.substr(start, end - start);
        lines += (!part.empty() && (part[0] == '.' || part[0] == '\'') ? "\\&" : "") + part + "\n";
        start = end + 1;
    }
    return lines;
}

// A line that must stay one, a .TP entry's tag: guarded as a line of text, never broken.
std::string tag(const std::string& escaped) {
    return (!escaped.empty() && (escaped[0] == '.' || escaped[0] == '\'') ? "\\&" : "") + escaped + "\n";
}

// Paragraphs, one a line of text.
void paragraphs(std::string& out, const std::string& text) {
    std::size_t start = 0;
    bool first = true;
    while (start <= text.size() && !text.empty()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string part = text.substr(start, end - start);
        if (part.find_first_not_of(' ') != std::string::npos) {
            out += first ? "" : ".PP\n";
            out += line(roff(part));
            first = false;
        }
        start = end + 1;
    }
}

// "\fB\-n\fR, \fB\-\-lines\fR=\fICOUNT\fR", a positional "\fIFILE\fR...".
std::string names(const ReferenceEntry& entry) {
    if (entry.positional) return "\\fI" + roff(entry.value) + "\\fR" + (entry.many ? "..." : "");
    std::string shown;
    bool longSeen = false;
    for (const std::string& name : entry.names) {
        shown += (shown.empty() ? "\\fB" : ", \\fB") + roff(name, true) + "\\fR";
        longSeen = longSeen || (name.size() > 2 && name[1] == '-');
    }
    if (!entry.value.empty()) {
        const std::string value = "\\fI" + roff(entry.value) + "\\fR";
        shown += entry.optionalValue ? (longSeen ? "[=" : "[") + value + "]" : (longSeen ? "=" : " ") + value;
    }
    return shown;
}

void entries(std::string& out, const std::vector<ReferenceEntry>& list) {
    for (const ReferenceEntry& entry : list) {
        std::string about = entry.help;
        for (const std::string& note : entry.notes) about += (about.empty() ? "[" : " [") + note + "]";
        out += ".TP\n" + tag(names(entry)) + (about.empty() ? "" : line(roff(about)));
    }
}

// The sections of a command's parameters (its list of commands aside: each has a part of its own, and
// the options of the commands above are on the page already): of the program under OPTIONS, each
// group a subsection; of a command after its description, each group under its title in italics.
void parameterSections(std::string& out, const Reference& reference, bool program) {
    const auto own = [](const ReferenceSection& s) { return s.title != text::help::commandsTitle() && !s.inherited; };
    const bool titled = std::count_if(reference.sections.begin(), reference.sections.end(), own) > 1;
    for (const ReferenceSection& s : reference.sections) {
        if (!own(s)) continue;
        if (!program) {
            out += ".PP\n" + line("\\fI" + roff(s.title) + ":\\fR");
        } else if (titled) {
            out += ".SS \"" + roff(s.title) + "\"\n";
        }
        entries(out, s.entries);
    }
    for (const std::string& relation : reference.relations) out += ".PP\n" + line(roff(relation));
}

void synopsis(std::string& out, const Reference& reference) {
    out += ".B \"" + roff(reference.path, true) + "\"\n" + line(roff(reference.synopsis.substr(reference.synopsis.empty() ? 0 : 1)));
    for (const Reference& command : reference.commands) {
        out += ".br\n";
        synopsis(out, command);
    }
}

void commands(std::string& out, const Reference& reference) {
    for (const Reference& command : reference.commands) {
        out += ".SS \"" + roff(command.path + command.synopsis, true) + "\"\n";
        paragraphs(out, command.description);
        parameterSections(out, command, false);
        if (!command.epilog.empty()) out += ".PP\n";
        paragraphs(out, command.epilog);
        commands(out, command);
    }
}

void items(std::string& out, const char* title, const std::vector<ReferenceItem>& list, const char* font) {
    if (list.empty()) return;
    out += ".SH \"" + std::string(title) + "\"\n";
    for (const ReferenceItem& item : list) out += ".TP\n" + tag(font + roff(item.first) + "\\fR") + line(roff(item.second));
}

// "cut(1)" in bold with its section after it; another text as it is.
std::string pageReference(const std::string& reference) {
    const std::size_t open = reference.rfind('(');
    if (open == std::string::npos || open == 0 || reference.back() != ')') return roff(reference);
    return "\\fB" + roff(reference.substr(0, open)) + "\\fR" + roff(reference.substr(open));
}

std::string upper(std::string text) {
    for (char& c : text) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c == ' ' ? '-' : c;
    return text;
}

}  // namespace

std::string pageDate() {
    std::time_t when = std::time(nullptr);
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
        char* end = nullptr;
        const long long seconds = std::strtoll(epoch, &end, 10);
        if (end != epoch && *end == '\0' && seconds >= 0) when = static_cast<std::time_t>(seconds);
    }
    char date[16] = "";
    std::tm parts{};
    const std::tm* utc = std::gmtime(&when);
    if (utc != nullptr) parts = *utc;
    std::strftime(date, sizeof date, "%Y-%m-%d", &parts);
    return date;
}

std::string manualPage(const CommandCore& program, int section, const std::string& date) {
    const Reference reference = referenceOf(program);
    std::string out = ".\\\" The manual page of " + roff(reference.path) + ", written by it from its parameters.\n";
    out += ".TH \"" + roff(upper(reference.path)) + "\" \"" + std::to_string(section) + "\" \"" + roff(date) + "\" \"" +
           roff(reference.version) + "\" \"" + page::manual() + "\"\n";
    // Names and variables are not words to hyphenate, nor to spread out.
    out += ".nh\n.ad l\n";
    const std::string summary = summaryOf(reference.description);
    out += ".SH \"" + std::string(page::name()) + "\"\n" + line(roff(reference.path, true) + (summary.empty() ? "" : " \\- " + roff(summary)));
    out += ".SH \"" + std::string(page::synopsis()) + "\"\n";
    synopsis(out, reference);
    if (!reference.description.empty()) {
        out += ".SH \"" + std::string(page::description()) + "\"\n";
        paragraphs(out, reference.description);
    }
    if (!reference.commands.empty()) {
        out += ".SH \"" + std::string(page::commands()) + "\"\n";
        commands(out, reference);
    }
    const bool options = reference.sections.size() > (reference.commands.empty() ? 0u : 1u) || !reference.relations.empty();
    if (options) {
        out += ".SH \"" + std::string(page::options()) + "\"\n";
        parameterSections(out, reference, true);
    }
    items(out, page::environment(), reference.environment, "\\fB");
    items(out, page::files(), reference.files, "\\fI");
    items(out, page::exitStatus(), reference.statuses, "\\fB");
    if (!reference.epilog.empty()) {
        out += ".SH \"" + std::string(page::notes()) + "\"\n";
        paragraphs(out, reference.epilog);
    }
    if (!reference.seeAlso.empty()) {
        out += ".SH \"" + std::string(page::seeAlso()) + "\"\n";
        std::string list;
        for (const std::string& related : reference.seeAlso) list += (list.empty() ? "" : ", ") + pageReference(related);
        out += line(list);
    }
    return out;
}

}  // namespace param_detail
