// The reference of a command, read from its declarations: the synopsis, the parameters in sections
// with their names, help and what holds for them (default, choices or range, environment variable,
// relations), the commands below, and for a manual page the variables, files and exit statuses.
#include "Reference.h"

#include <algorithm>
#include <sstream>

#include "CommandCore.h"
#include "Texts.h"
#include "ValueCheck.h"

namespace param_detail {

namespace help = text::help;

namespace {

std::string valueName(const Declaration& d) {
    if (!d.valueName.empty()) return d.valueName;
    if (d.kind == kFile) return text::fileValueName();
    if (d.kind == kCompletion) return text::shellValueName();
    if (d.kind == kManual) return text::formatValueName();
    if (d.kind == kPositional) return d.positionalName;
    const CParamDef* definition = d.element != nullptr ? d.element->definition : nullptr;
    const ValueOps* ops = definition != nullptr ? CommandCore::valueTypeOf(*definition) : nullptr;
    return ops != nullptr && ops->valueName != nullptr ? ops->valueName : help::value();
}

bool isList(const Declaration& d) { return d.element != nullptr && d.element->definition->isList(); }

// The variable that gives the parameter's value; empty for none.
std::string variableOf(const CommandCore& core, const Declaration& d) {
    if (d.kind == kFile) return core.fileVariable();
    if (!d.environment.empty()) return d.environment;
    const std::string prefix = core.prefix();
    const bool named = d.kind == kPositional || !d.longNames.empty();
    return !prefix.empty() && named && d.element != nullptr ? prefix + d.keyword() : std::string();
}

// What holds for the parameter beyond its help: "default: 10", "from 1 to 9", "env: LINES".
std::vector<std::string> notesOf(const CommandCore& core, const Declaration& d) {
    std::vector<std::string> said;
    CParamDef* definition = d.element != nullptr ? d.element->definition : nullptr;
    if (definition != nullptr) {
        std::ostringstream shown;
        definition->writeDefaultValue(shown);
        const std::string text = shown.str();
        const bool nothing = text.empty() || text == help::noElements() || ((d.kind == kFlag || d.kind == kCounter) && text == "0");
        if (!nothing && d.kind != kPositional) said.push_back(help::defaultIs(d.kind == kFlag ? help::on() : text));
        for (const std::string& summary : CommandCore::summariesOf(*definition)) said.push_back(summary);
        if (definition->isList() && d.kind != kPositional) said.push_back(help::repeatable());
    }
    const std::string variable = variableOf(core, d);
    if (!variable.empty()) said.push_back(help::environment(variable));
    for (const auto& relation : d.relations) {
        const std::string other = CommandCore::declared(*relation.second).displayName();
        said.push_back(relation.first ? help::excludes(other) : help::needs(other));
    }
    if (d.isDeprecated) said.push_back(help::deprecated(d.deprecated));
    return said;
}

ReferenceEntry entryOf(const CommandCore& core, const Declaration& d) {
    ReferenceEntry entry;
    entry.positional = d.kind == kPositional;
    entry.many = entry.positional && isList(d);
    for (const char letter : d.letters) entry.names.push_back(std::string{'-', letter});
    for (const std::string& longName : d.longNames) entry.names.push_back("--" + std::string(d.negatable ? "[no-]" : "") + longName);
    if (d.takesValue() || entry.positional) entry.value = valueName(d);
    entry.optionalValue = d.hasImplicit;
    entry.help = d.helpText();
    entry.notes = notesOf(core, d);
    return entry;
}

bool shown(const Declaration& d) { return !d.hidden && (d.kind == kPositional || !d.longNames.empty() || !d.letters.empty()); }

// Whether the command gives one of the names of d (an option of a command above) to its own.
bool shadowed(const CommandCore& core, const Declaration& d) {
    for (const char letter : d.letters) {
        if (core.withLetter(letter) != nullptr) return true;
    }
    return std::any_of(d.longNames.begin(), d.longNames.end(), [&](const std::string& n) { return core.withLongName(n) != nullptr; });
}

ReferenceSection& sectionTitled(std::vector<ReferenceSection>& sections, const std::string& title) {
    auto found = std::find_if(sections.begin(), sections.end(), [&](const ReferenceSection& s) { return s.title == title; });
    return found != sections.end() ? *found : sections.emplace_back(ReferenceSection{title, {}, false});
}

std::string synopsisOf(const CommandCore& core) {
    std::string line;
    bool optionsSeen = false;
    for (const auto& parameter : core.parameters) {
        const Declaration& d = CommandCore::declared(*parameter);
        if (d.kind == kPositional || !shown(d)) continue;
        if (d.required) {
            line += " " + namesColumn(entryOf(core, d)).substr(d.letters.empty() ? 4 : 0);
        } else {
            optionsSeen = true;
        }
    }
    if (optionsSeen) line += help::options();
    if (!core.commands.empty()) line += core.commandRequired ? help::commandWord() : help::optionalCommandWord();
    for (const auto& parameter : core.parameters) {
        const Declaration& d = CommandCore::declared(*parameter);
        if (d.kind != kPositional || d.hidden) continue;
        const std::string more = CommandCore::gathersWords(*parameter) ? "..." : "";
        line += d.required ? " " + valueName(d) + more : " [" + valueName(d) + "]" + more;
    }
    return line;
}

// The parameters in sections: the commands, the positional words, the options by their group (help,
// version and the other options that end the reading close the options), then the options of the
// commands above that may be given here too.
void sectionsOf(const CommandCore& core, Reference& reference) {
    ReferenceSection commands{help::commandsTitle(), {}, false}, arguments{help::argumentsTitle(), {}, false};
    ReferenceSection specials{help::optionsTitle(), {}, false};
    for (const auto& command : core.commands) {
        ReferenceEntry entry;
        entry.names.push_back(command->name());
        entry.help = summaryOf(CommandCore::descriptionOf(*command));
        commands.entries.push_back(entry);
    }
    std::vector<ReferenceSection> groups;
    for (const auto& parameter : core.parameters) {
        const Declaration& d = CommandCore::declared(*parameter);
        if (!shown(d)) continue;
        if (d.kind == kPositional) {
            arguments.entries.push_back(entryOf(core, d));
        } else if (d.kind == kHelp || d.kind == kVersion || d.kind == kCompletion || d.kind == kManual) {
            specials.entries.push_back(entryOf(core, d));
        } else {
            sectionTitled(groups, d.group.empty() ? help::optionsTitle() : d.group).entries.push_back(entryOf(core, d));
        }
    }
    if (!specials.entries.empty()) {
        auto& options = sectionTitled(groups, help::optionsTitle()).entries;
        options.insert(options.end(), specials.entries.begin(), specials.entries.end());
    }
    for (ReferenceSection* s : {&commands, &arguments}) {
        if (!s->entries.empty()) reference.sections.push_back(std::move(*s));
    }
    for (ReferenceSection& s : groups) reference.sections.push_back(std::move(s));
    for (const CommandCore* above = core.parent; above != nullptr; above = above->parent) {
        if (!above->isShared) continue;
        ReferenceSection shared{help::sharedTitle(above->path()), {}, true};
        for (const auto& parameter : above->parameters) {
            const Declaration& d = CommandCore::declared(*parameter);
            if (shown(d) && d.kind != kPositional && !shadowed(core, d)) shared.entries.push_back(entryOf(*above, d));
        }
        if (!shared.entries.empty()) reference.sections.push_back(std::move(shared));
    }
}

// The variables, files and exit statuses of the program and its commands, for a manual page.
void gather(const CommandCore& core, Reference& program) {
    for (const auto& parameter : core.parameters) {
        const Declaration& d = CommandCore::declared(*parameter);
        const std::string variable = variableOf(core, d);
        if (d.hidden || variable.empty() || d.kind == kFile) continue;
        const std::string name = (core.parent != nullptr ? core.path() + " " : "") + d.displayName();
        program.environment.emplace_back(variable, help::variableGives(name, d.helpText()));
    }
    const Declaration* file = core.special(kFile);
    if (file != nullptr && !file->hidden) {
        std::vector<std::string> namedBy;
        for (const char letter : file->letters) namedBy.push_back(std::string{'-', letter});
        for (const std::string& longName : file->longNames) namedBy.push_back("--" + longName);
        const std::string variable = core.fileVariable();
        if (!variable.empty()) {
            namedBy.push_back("$" + variable);
            program.environment.emplace_back(variable, help::variableNamesFile());
        }
        program.files.emplace_back(text::fileValueName(), help::parameterFiles(namedBy, file->longNames.empty() ? "" : file->keyword()));
    }
    for (const auto& command : core.commands) gather(CommandCore::of(*command), program);
}

Reference commandReference(const CommandCore& core, bool deep) {
    Reference reference;
    reference.path = core.path();
    reference.synopsis = synopsisOf(core);
    reference.description = core.description;
    reference.epilog = core.epilog;
    reference.version = core.versionText;
    sectionsOf(core, reference);
    for (const Group& group : core.groups) {
        std::vector<std::string> members;
        for (const param::Parameter* member : group.members) members.push_back(CommandCore::declared(*member).displayName());
        reference.relations.push_back(help::group(group.kind, members));
    }
    if (!deep) return reference;
    for (const auto& command : core.commands) {
        CommandCore& below = CommandCore::of(*command);
        below.ensureBuilt();
        reference.commands.push_back(commandReference(below, true));
    }
    return reference;
}

}  // namespace

std::string summaryOf(const std::string& description) { return description.substr(0, description.find('\n')); }

std::string namesColumn(const ReferenceEntry& entry) {
    if (entry.positional) return entry.value + (entry.many ? "..." : "");
    std::string shown;
    bool longSeen = false;
    for (const std::string& name : entry.names) {
        const bool isLong = name.size() > 2 && name[1] == '-';
        // The long names line up with those after a letter.
        if (isLong && shown.empty()) shown = "   ";
        shown += shown.empty() || shown == "   " ? (shown.empty() ? "" : " ") : ", ";
        shown += name;
        longSeen = longSeen || isLong;
    }
    if (!entry.value.empty()) {
        shown += entry.optionalValue ? (longSeen ? "[=" : "[") + entry.value + "]" : (longSeen ? "=" : " ") + entry.value;
    }
    return shown;
}

Reference screenReference(const CommandCore& core) { return commandReference(core, false); }

Reference referenceOf(const CommandCore& core) {
    Reference reference = commandReference(core, true);
    gather(core, reference);
    for (const auto& item : core.files) reference.files.push_back(item);
    reference.statuses = core.statuses;
    if (reference.statuses.empty()) {
        reference.statuses = {{"0", help::successStatus()}, {"2", help::problemStatus()}};
    }
    reference.seeAlso = core.seeAlso;
    return reference;
}

}  // namespace param_detail
