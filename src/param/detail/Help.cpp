// The help screen of the new interface: a synopsis, the description, the parameters in sections with
// their names and help in two columns wrapped to the width, and what holds for them (default,
// choices or range, environment variable, relations).
#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "CommandCore.h"
#include "Texts.h"
#include "ValueCheck.h"

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

using param::Command;
namespace help = text::help;

// Appends text to screen, its words wrapped at width, every line after the first (and the first, when
// the screen's last line is empty) indented by indent; column: where the screen's last line ends now.
void wrap(std::string& screen, const std::string& text, std::size_t indent, std::size_t width) {
    std::size_t column = screen.size() - (screen.rfind('\n') == std::string::npos ? 0 : screen.rfind('\n') + 1);
    const std::size_t room = width > indent + 10 ? width : indent + 10;  // never less than a few words
    std::istringstream words(text);
    bool first = true;
    for (std::string word; words >> word;) {
        if (!first && column + 1 + word.size() > room) {
            screen += "\n" + std::string(indent, ' ');
            column = indent;
        } else if (!first) {
            screen += ' ';
            ++column;
        }
        screen += word;
        column += word.size();
        first = false;
    }
}

// Paragraphs of text, each wrapped, at the left margin.
void paragraphs(std::string& screen, const std::string& text, std::size_t width) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        wrap(screen, line, 0, width);
        screen += "\n";
    }
}

std::string valueName(const Declaration& d) {
    if (!d.valueName.empty()) return d.valueName;
    if (d.kind == kFile) return text::fileValueName();
    if (d.kind == kCompletion) return text::shellValueName();
    if (d.kind == param_detail::kPositional) return d.positionalName;
    const CParamDef* definition = d.element != nullptr ? d.element->definition : nullptr;
    const ValueOps* ops = definition != nullptr ? CommandCore::valueTypeOf(*definition) : nullptr;
    return ops != nullptr && ops->valueName != nullptr ? ops->valueName : help::value();
}

// "-n, --lines=COUNT", "    --output=FILE", "-v, --verbose", "--[no-]color".
std::string names(const Declaration& d) {
    if (d.kind == param_detail::kPositional) return valueName(d) + (d.element != nullptr && d.element->definition->isList() ? "..." : "");
    std::string shown;
    for (const char letter : d.letters) shown += (shown.empty() ? "-" : ", -") + std::string(1, letter);
    if (shown.empty()) shown = "   ";  // the long names line up with those after a letter
    bool first = d.letters.empty();
    for (const std::string& longName : d.longNames) {
        shown += (first ? " --" : ", --") + std::string(d.negatable ? "[no-]" : "") + longName;
        first = false;
    }
    if (d.takesValue()) {
        const std::string value = valueName(d);
        const bool attached = !d.longNames.empty();
        shown += d.hasImplicit ? (attached ? "[=" : "[") + value + "]" : (attached ? "=" : " ") + value;
    }
    return shown;
}

// What holds for the parameter beyond its help: "[default: 10] [from 1 to 9] [env: LINES]".
std::string notes(const CommandCore& core, const Declaration& d) {
    std::vector<std::string> said;
    CParamDef* definition = d.element != nullptr ? d.element->definition : nullptr;
    if (definition != nullptr) {
        std::ostringstream shown;
        definition->writeDefaultValue(shown);
        const std::string text = shown.str();
        const bool nothing = text.empty() || text == help::noElements() || (d.kind == param_detail::kFlag && text == "0") ||
                             (d.kind == param_detail::kCounter && text == "0");
        if (!nothing && d.kind != param_detail::kPositional) {
            said.push_back(help::defaultIs(d.kind == param_detail::kFlag ? help::on() : text::visible(text.c_str())));
        }
        for (const std::string& summary : CommandCore::summariesOf(*definition)) said.push_back(summary);
        if (definition->isList() && d.kind != param_detail::kPositional) said.push_back(help::repeatable());
    }
    std::string variable = d.kind == kFile ? core.fileVariable() : d.environment;
    const std::string prefix = core.prefix();
    if (variable.empty() && !prefix.empty() && (d.kind == kPositional || !d.longNames.empty()) && d.element != nullptr) {
        variable = prefix + d.keyword();
    }
    if (!variable.empty()) said.push_back(help::environment(variable));
    for (const auto& relation : d.relations) {
        said.push_back((relation.first ? help::excludes(CommandCore::declared(*relation.second).displayName())
                                       : help::needs(CommandCore::declared(*relation.second).displayName())));
    }
    if (d.isDeprecated) said.push_back(help::deprecated(d.deprecated));
    std::string joined;
    for (const std::string& s : said) joined += (joined.empty() ? "[" : " [") + s + "]";
    return joined;
}

struct Entry {
    std::string left, right;
};

void section(std::string& screen, const std::string& title, const std::vector<Entry>& entries, std::size_t width) {
    if (entries.empty()) return;
    std::size_t widest = 0;
    for (const Entry& e : entries) widest = std::max(widest, e.left.size());
    const std::size_t column = std::min(widest + 4, std::max<std::size_t>(24, width * 2 / 5));
    screen += "\n" + title + ":\n";
    for (const Entry& e : entries) {
        screen += "  " + e.left;
        if (e.right.empty()) {
            screen += "\n";
            continue;
        }
        if (2 + e.left.size() + 2 > column) {
            screen += "\n" + std::string(column, ' ');
        } else {
            screen += std::string(column - 2 - e.left.size(), ' ');
        }
        wrap(screen, e.right, column, width);
        screen += "\n";
    }
}

std::string synopsis(const CommandCore& core) {
    std::string line = help::usage() + core.path();
    bool optionsSeen = false;
    for (const auto& parameter : core.parameters) {
        const Declaration& d = CommandCore::declared(*parameter);
        if (d.kind == param_detail::kPositional || d.hidden || (d.longNames.empty() && d.letters.empty())) continue;
        if (d.required) {
            line += " " + names(d).substr(d.letters.empty() ? 4 : 0);
        } else {
            optionsSeen = true;
        }
    }
    if (optionsSeen) line += help::options();
    if (!core.commands.empty()) line += help::commandWord();
    for (const auto& parameter : core.parameters) {
        const Declaration& d = CommandCore::declared(*parameter);
        if (d.kind != param_detail::kPositional || d.hidden) continue;
        const std::string more = CommandCore::gathersWords(*parameter) ? "..." : "";
        line += d.required ? " " + valueName(d) + more : " [" + valueName(d) + "]" + more;
    }
    return line;
}

// Whether the command gives one of the names of d (an option of a command above) to its own.
bool shadowed(const CommandCore& core, const Declaration& d) {
    for (const char letter : d.letters) {
        if (core.withLetter(letter) != nullptr) return true;
    }
    return std::any_of(d.longNames.begin(), d.longNames.end(), [&](const std::string& n) { return core.withLongName(n) != nullptr; });
}

// The options of the commands above that may be given after this one, a section for each command.
void sharedSections(std::string& screen, const CommandCore& core, std::size_t columns) {
    for (const CommandCore* above = core.parent; above != nullptr; above = above->parent) {
        if (!above->isShared) continue;
        std::vector<Entry> entries;
        for (const auto& parameter : above->parameters) {
            const Declaration& d = CommandCore::declared(*parameter);
            if (d.hidden || d.kind == param_detail::kPositional || (d.longNames.empty() && d.letters.empty()) || shadowed(core, d)) continue;
            const std::string help = d.helpText();
            entries.push_back({names(d), help + (help.empty() ? "" : " ") + notes(*above, d)});
        }
        section(screen, help::sharedTitle(above->path()), entries, columns);
    }
}

}  // namespace

std::string helpScreen(const CommandCore& core, int width) {
    const std::size_t columns = width > 20 ? static_cast<std::size_t>(width) : 20;
    std::string screen;
    wrap(screen, synopsis(core), 7, columns);
    screen += "\n";
    if (!core.description.empty()) paragraphs(screen, core.description, columns);
    std::vector<Entry> arguments, specials;
    std::vector<std::pair<std::string, std::vector<Entry>>> sections;  // by the title of the group
    for (const auto& parameter : core.parameters) {
        const Declaration& d = CommandCore::declared(*parameter);
        if (d.hidden || (d.kind != param_detail::kPositional && d.longNames.empty() && d.letters.empty())) continue;
        const std::string help = d.helpText();
        const std::string right = help + (help.empty() ? "" : " ") + notes(core, d);
        Entry entry{names(d), right};
        if (d.kind == param_detail::kPositional) {
            arguments.push_back(entry);
            continue;
        }
        // Help and version close the options, as they do in most programs' help.
        if (d.kind == param_detail::kHelp || d.kind == param_detail::kVersion || d.kind == param_detail::kCompletion) {
            specials.push_back(entry);
            continue;
        }
        const std::string title = d.group.empty() ? help::optionsTitle() : d.group;
        auto found = std::find_if(sections.begin(), sections.end(), [&](const auto& s) { return s.first == title; });
        if (found == sections.end()) found = sections.insert(sections.end(), {title, {}});
        found->second.push_back(entry);
    }
    if (!specials.empty()) {
        auto found = std::find_if(sections.begin(), sections.end(), [&](const auto& s) { return s.first == help::optionsTitle(); });
        if (found == sections.end()) found = sections.insert(sections.end(), {help::optionsTitle(), {}});
        found->second.insert(found->second.end(), specials.begin(), specials.end());
    }
    std::vector<Entry> commands;
    for (const auto& command : core.commands) commands.push_back({command->name(), CommandCore::descriptionOf(*command)});
    section(screen, help::commandsTitle(), commands, columns);
    section(screen, help::argumentsTitle(), arguments, columns);
    for (const auto& s : sections) section(screen, s.first, s.second, columns);
    sharedSections(screen, core, columns);
    bool relationSeen = false;
    for (const Group& group : core.groups) {
        std::vector<std::string> members;
        for (const param::Parameter* member : group.members) members.push_back(CommandCore::declared(*member).displayName());
        screen += relationSeen ? "" : "\n";
        relationSeen = true;
        wrap(screen, help::group(group.kind, members), 0, columns);
        screen += "\n";
    }
    if (!core.epilog.empty()) {
        screen += "\n";
        paragraphs(screen, core.epilog, columns);
    }
    return screen;
}

}  // namespace param_detail
