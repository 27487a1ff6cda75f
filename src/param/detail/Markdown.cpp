// The reference of a program in Markdown (CommonMark), from its reference: the synopsis, the
// description, the commands, the options, the variables, files and exit statuses. Every text of the
// declarations is escaped so that Markdown reads it as text: no character of it makes emphasis, a
// link, a table, HTML, a heading or a list, and names stand in code spans no backquote of theirs ends.
#include <algorithm>
#include <cstring>
#include <string>

#include "CommandCore.h"
#include "Reference.h"
#include "Texts.h"

namespace param_detail {

namespace {

namespace page = text::help::page;

// text on one line, every character that Markdown could read as syntax escaped with a backslash:
// those that make emphasis, code, links, HTML, tables and headings anywhere, and at the start those
// that make a list; control characters and bytes that are no UTF-8 shown as \x1b first.
std::string markdown(const std::string& text) {
    const std::string shown = text::visibleLine(text);
    // Blanks at the start would make a code block.
    const std::size_t start = std::min(shown.find_first_not_of(' '), shown.size());
    const std::size_t digits = std::min(shown.find_first_not_of("0123456789", start), shown.size());
    std::string escaped;
    for (std::size_t i = start; i < shown.size(); ++i) {
        const char c = shown[i];
        const bool listMark = (i == start && (c == '-' || c == '+' || c == '=')) || (i == digits && i > start && (c == '.' || c == ')'));
        if (listMark || std::strchr("\\`*_[]<>|~&#", c) != nullptr) escaped += '\\';
        escaped += c;
    }
    return escaped;
}

// text in a code span: fenced by one backquote more than the longest run of them in it.
std::string code(const std::string& text) {
    const std::string shown = text::visibleLine(text);
    std::size_t longest = 0, run = 0;
    for (const char c : shown) {
        run = c == '`' ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    const std::string fence(longest + 1, '`');
    const bool pad = !shown.empty() && (shown.front() == '`' || shown.back() == '`' || shown.front() == ' ');
    return fence + (pad ? " " : "") + shown + (pad ? " " : "") + fence;
}

void paragraphs(std::string& out, const std::string& text) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string part = markdown(text.substr(start, end - start));
        if (!part.empty()) out += part + "\n\n";
        start = end + 1;
    }
}

void entries(std::string& out, const std::vector<ReferenceEntry>& list) {
    for (const ReferenceEntry& entry : list) {
        out += "- " + code(namesColumn(entry).substr(entry.positional || entry.names.front()[1] != '-' ? 0 : 4));
        std::string about = markdown(entry.help);
        for (const std::string& note : entry.notes) about += (about.empty() ? "" : " ") + ("\\[" + markdown(note) + "\\]");
        out += (about.empty() ? "" : ": " + about) + "\n";
    }
    out += "\n";
}

// The sections of a command's parameters (its list of commands aside: each has a part of its own, and
// the options of the commands above are in the reference already), under headings of level, the
// program's only where it has more than one.
void parameterSections(std::string& out, const Reference& reference, const std::string& level, bool program) {
    const auto own = [](const ReferenceSection& s) { return s.title != text::help::commandsTitle() && !s.inherited; };
    const bool titled = !program || std::count_if(reference.sections.begin(), reference.sections.end(), own) > 1;
    for (const ReferenceSection& s : reference.sections) {
        if (!own(s)) continue;
        if (titled) out += level + " " + markdown(s.title) + "\n\n";
        entries(out, s.entries);
    }
    for (const std::string& relation : reference.relations) out += markdown(relation) + "\n\n";
}

void synopsisLines(std::string& out, const Reference& reference) {
    out += reference.path + reference.synopsis + "\n";
    for (const Reference& command : reference.commands) synopsisLines(out, command);
}

// A block of code: fenced by one backquote more than any line's run of them (at least three).
std::string block(const std::string& lines) {
    std::size_t longest = 2, run = 0;
    for (const char c : lines) {
        run = c == '`' ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    const std::string fence(longest + 1, '`');
    std::string shown;
    std::size_t start = 0;
    while (start < lines.size()) {
        const std::size_t end = std::min(lines.find('\n', start), lines.size());
        shown += text::visible(lines.substr(start, end - start).c_str()) + "\n";
        start = end + 1;
    }
    return fence + "\n" + shown + fence + "\n\n";
}

void commands(std::string& out, const Reference& reference) {
    for (const Reference& command : reference.commands) {
        out += "### " + markdown(command.path) + "\n\n" + block(command.path + command.synopsis);
        paragraphs(out, command.description);
        parameterSections(out, command, "####", false);
        paragraphs(out, command.epilog);
        commands(out, command);
    }
}

// A page's section title as a heading: "Exit status".
std::string titled(const char* title) {
    std::string heading = title;
    for (std::size_t i = 1; i < heading.size(); ++i) heading[i] = heading[i] >= 'A' && heading[i] <= 'Z' ? static_cast<char>(heading[i] - 'A' + 'a') : heading[i];
    return heading;
}

void items(std::string& out, const char* title, const std::vector<ReferenceItem>& list) {
    if (list.empty()) return;
    out += "## " + titled(title) + "\n\n";
    for (const ReferenceItem& item : list) out += "- " + code(item.first) + ": " + markdown(item.second) + "\n";
    out += "\n";
}

}  // namespace

std::string markdownReference(const CommandCore& program) {
    const Reference reference = referenceOf(program);
    std::string out = "# " + markdown(reference.path) + "\n\n";
    paragraphs(out, reference.description);
    out += "## " + titled(page::synopsis()) + "\n\n";
    std::string lines;
    synopsisLines(lines, reference);
    out += block(lines);
    if (!reference.commands.empty()) {
        out += "## " + titled(page::commands()) + "\n\n";
        commands(out, reference);
    }
    if (reference.sections.size() > (reference.commands.empty() ? 0u : 1u) || !reference.relations.empty()) {
        out += "## " + titled(page::options()) + "\n\n";
        parameterSections(out, reference, "###", true);
    }
    items(out, page::environment(), reference.environment);
    items(out, page::files(), reference.files);
    items(out, page::exitStatus(), reference.statuses);
    if (!reference.epilog.empty()) {
        out += "## " + titled(page::notes()) + "\n\n";
        paragraphs(out, reference.epilog);
    }
    if (!reference.seeAlso.empty()) {
        std::string list;
        for (const std::string& related : reference.seeAlso) list += (list.empty() ? "" : ", ") + markdown(related);
        out += "## " + titled(page::seeAlso()) + "\n\n" + list + "\n";
    }
    return out;
}

}  // namespace param_detail
