#include "CommandChecks.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "FuzzHarness.h"

namespace param_fuzz {
namespace {

// text with every byte outside printable ASCII as \xNN, cut after 4000 bytes, for a fault's message.
std::string escaped(std::string_view text) {
    std::string shown;
    for (const char c : text.substr(0, 4000)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= ' ' && byte < 0x7F && c != '\\') {
            shown += c;
        } else if (c == '\n') {
            shown += "\\n\n";
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02x", byte);
            shown += code;
        }
    }
    return text.size() > 4000 ? shown + "..." : shown;
}

[[noreturn]] void faultIn(const char* what, std::string_view text) { fault(what, ("\n" + escaped(text)).c_str()); }

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// Control characters come from the declarations only: every word, variable and file line that a
// message or a screen quotes is shown with its controls escaped.
void checkControls(const CommandProgram& program, std::string_view text, const char* what) {
    const auto at = firstControlOutside(text, program.declaredControls());
    if (at != std::string_view::npos) {
        fault(what, (" at offset " + std::to_string(at) + ":\n" + escaped(text)).c_str());
    }
}

// A problem is told with a message, then (unless the program declared its parameters wrongly, when
// no help could help) the line naming the help option, and a blank line.
void checkProblem(const CommandProgram& program, const param::Result& result) {
    const std::string& text = result.text();
    if (result.code() >= 0 || result.code() < param::PROBLEM_AMBIGUOUS_NAME) faultIn("a PROBLEM with an unknown code", text);
    if (text.empty() || text.back() != '\n') faultIn("a PROBLEM's text is empty or ends without a line end", text);
    if (result.code() != param::PROBLEM_DECLARATION) {
        const auto hint = text.rfind("\nGet help with '");
        if (!endsWith(text, " --help'\n\n") || hint == std::string::npos || text.find('\n', hint + 1) != text.size() - 2) {
            faultIn("a PROBLEM's text does not end with the help hint line and a blank line", text);
        }
    }
    checkControls(program, text, "a PROBLEM's text holds a control character that no declaration holds");
}

void checkRelations(const DeclaredCommand& command) {
    for (const DeclaredRelation& r : command.relations) {
        if (!r.first->given()) continue;
        if (r.excludes && r.second->given()) fault("SUCCESS, but a parameter was given with one it excludes: ", r.first->givenAs().c_str());
        if (!r.excludes && !r.second->given()) fault("SUCCESS, but a parameter was given without one it needs: ", r.first->givenAs().c_str());
    }
    for (const DeclaredGroup& g : command.groups) {
        const auto given = std::count_if(g.members.begin(), g.members.end(), [](const param::Parameter* p) { return p->given(); });
        if ((g.kind != 2 && given > 1) || (g.kind != 0 && given == 0)) {
            fault("SUCCESS, but a group got a number of its members it does not allow: ", std::to_string(given).c_str());
        }
    }
}

// What a success promises of the command reached and of the commands on the way to it.
void checkSuccess(const DeclaredCommand& reached) {
    if (reached.commandRequired) fault("SUCCESS without a command, where one is required: ", reached.command->name());
    for (const DeclaredCommand* command = &reached; command != nullptr; command = command->parent) {
        for (const param::Parameter* required : command->required) {
            if (!required->given()) fault("SUCCESS without a required parameter, in command ", command->command->name());
        }
        checkRelations(*command);
    }
}

// The version shown is the one the command reached declared, or one above it whose version option
// its commands share.
void checkVersion(const DeclaredCommand& reached, const std::string& text) {
    for (const DeclaredCommand* command = &reached; command != nullptr; command = command->parent) {
        if (command->hasVersion && text == command->version + "\n") return;
    }
    faultIn("VERSION with a text that no command on the way to the one reached declared", text);
}

// The screen counts a column for each character of UTF-8: where the column after the first width of
// them begins in line (its length when it has no more).
std::size_t columnAt(std::string_view line, std::size_t width) {
    std::size_t column = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if ((static_cast<unsigned char>(line[i]) & 0xC0) == 0x80) continue;
        if (column++ == width) return i;
    }
    return line.size();
}

// A line the help screen writes longer than the width: the screen breaks lines only between the
// words of a text, so one that overflows by more than a word is at fault, unless it is an entry's
// names alone (indented two, or six where the option has no letter), which the screen never breaks.
bool mayBeLonger(std::string_view line, std::size_t width) {
    if (line.find(' ', columnAt(line, width)) == std::string_view::npos) return true;
    const auto indent = line.find_first_not_of(' ');
    return (indent == 2 || indent == 6) && line.find("  ", indent) == std::string_view::npos;
}

void checkHelpScreen(const CommandProgram& program, const std::string& screen, int width) {
    if (screen.compare(0, 6, "Usage:") != 0 || screen.back() != '\n') faultIn("a help screen without its synopsis or final line end", screen);
    checkControls(program, screen, "a help screen holds a control character that no declaration holds");
    // Below ten columns beside the widest help column (24) the screen keeps that much room instead.
    if (width < 34) return;
    for (std::size_t start = 0, end; start < screen.size(); start = end + 1) {
        end = screen.find('\n', start);
        const std::string_view line = std::string_view(screen).substr(start, end - start);
        const auto columns = static_cast<std::size_t>(width);
        if (columnAt(line, columns) < line.size() && !mayBeLonger(line, columns)) {
            fault(("a help screen " + std::to_string(width) + " wide has a longer line that holds more than one word beyond the width:\n" +
                   escaped(line) + "\nin:\n").c_str(),
                  escaped(screen).c_str());
        }
    }
}

std::size_t indexOf(const CommandProgram& program, const param::Result& result) {
    const auto& commands = program.commands();
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (commands[i].command == &result.command()) return i;
    }
    return commands.size();
}

}  // namespace

void checkResult(const CommandProgram& program, const param::Result& result) {
    const DeclaredCommand* reached = program.find(result.command());
    if (reached == nullptr) fault("result.command() is neither the program nor one of its commands");
    if (!result.chose(result.command())) fault("result.chose(result.command()) is false");
    if (static_cast<bool>(result) != (result.status() == param::Result::SUCCESS)) fault("a result is true but for SUCCESS, or false for it");
    if (result.status() != param::Result::PROBLEM && result.code() != 0) faultIn("a code beside a status other than PROBLEM", result.text());
    switch (result.status()) {
    case param::Result::SUCCESS:
        if (!result.text().empty()) faultIn("SUCCESS with a text", result.text());
        checkSuccess(*reached);
        break;
    case param::Result::HELP:
        if (result.text() != result.command().helpText(0)) faultIn("HELP with a text other than the help screen of result.command()", result.text());
        break;
    case param::Result::VERSION: checkVersion(*reached, result.text()); break;
    case param::Result::COMPLETION:
        if (result.text().empty() || result.text().back() != '\n') faultIn("a completion script without its final line end", result.text());
        break;
    case param::Result::PROBLEM: checkProblem(program, result); break;
    default: fault("a result with an unknown status");
    }
}

void checkHelpScreens(const CommandProgram& program) {
    for (const DeclaredCommand& command : program.commands()) {
        for (const int width : {20, 40, 80, 200}) checkHelpScreen(program, command.command->helpText(width), width);
    }
}

void checkSameReading(const CommandProgram& later, const param::Result& laterResult, const CommandProgram& fresh,
                      const param::Result& freshResult) {
    if (laterResult.status() != freshResult.status() || laterResult.code() != freshResult.code()) {
        fault("a reading after others came to another status or code than the same reading before any: ",
              (std::to_string(laterResult.status()) + " " + std::to_string(laterResult.code()) + " against " +
               std::to_string(freshResult.status()) + " " + std::to_string(freshResult.code()))
                  .c_str());
    }
    if (laterResult.text() != freshResult.text() || laterResult.parameter() != freshResult.parameter() ||
        laterResult.value() != freshResult.value()) {
        faultIn("a reading after others came to another text, parameter or value than the same reading before any:",
                laterResult.text() + "\n--- against ---\n" + freshResult.text());
    }
    if (indexOf(later, laterResult) != indexOf(fresh, freshResult)) fault("a reading after others reached another command");
    const std::string laterValues = later.allValues(), freshValues = fresh.allValues();
    if (laterValues != freshValues) {
        faultIn("a reading after others left other values than the same reading before any:", laterValues + "\n--- against ---\n" + freshValues);
    }
}

}  // namespace param_fuzz
