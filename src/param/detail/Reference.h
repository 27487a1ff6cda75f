// What a command's help screen, manual page and Markdown reference say, read once from the
// declarations: each writer only lays it out for its medium.
#ifndef PARAM_DETAIL_REFERENCE_H
#define PARAM_DETAIL_REFERENCE_H

#include <string>
#include <utility>
#include <vector>

namespace param_detail {

class CommandCore;

// A parameter, or a command in a list of commands.
struct ReferenceEntry {
    std::vector<std::string> names;  // "-n", "--lines", "--[no-]color"; a command's name; none for a positional
    std::string value;               // the value's name; empty: the parameter takes none
    bool optionalValue = false;      // the value may be left out (--color[=WHEN])
    bool positional = false;
    bool many = false;               // a positional that takes every word left: "FILE..."
    std::string help;
    std::vector<std::string> notes;  // "default: 10", "from 1 to 9", "env: LINES"
};

struct ReferenceSection {
    std::string title;
    std::vector<ReferenceEntry> entries;
    bool inherited = false;  // options of a command above, which may be given here too
};

// A name and what it means: an environment variable, a file, an exit status.
using ReferenceItem = std::pair<std::string, std::string>;

struct Reference {
    std::string path;         // "kv put": the program's name and the commands to this one
    std::string synopsis;     // after the path: " [OPTIONS] KEY VALUE"
    std::string description;  // paragraphs, one a line
    std::string epilog;
    std::string version;
    std::vector<ReferenceSection> sections;  // commands, positional words, options by group, options of the commands above
    std::vector<std::string> relations;      // "Exactly one of -b, -c and -f must be given."
    std::vector<Reference> commands;
    // Of the program and all its commands, for a manual page.
    std::vector<ReferenceItem> environment, files, statuses;
    std::vector<std::string> seeAlso;
};

// The reference of a command and of the commands below it (building their engines), with the
// program's variables, files and exit statuses: what a manual page says.
Reference referenceOf(const CommandCore& core);
// What a command's help screen says: its own reference, without the commands below.
Reference screenReference(const CommandCore& core);
// What the left column of a screen shows of an entry: "-n, --lines=COUNT", "    --output=FILE".
std::string namesColumn(const ReferenceEntry& entry);
// The first line of a description: what a list of commands and a manual page's NAME show.
std::string summaryOf(const std::string& description);

}  // namespace param_detail

#endif
