// Completion scripts for bash, zsh and fish, written from a model of a program's command line that
// knows nothing of the parameter set: its options, the values they take, and its commands.
//
// Every text of the model is data in the script: written in the quoting of its shell, where the
// script stores it and nowhere else, so that sourcing the script or completing a line never runs,
// expands or splits it. A text that a shell cannot hold is refused, and then nothing is written.
// The scripts are static: they never run the program while completing.
#ifndef PARAM_DETAIL_COMPLETION_H
#define PARAM_DETAIL_COMPLETION_H

#include <string>
#include <vector>

namespace param_detail {

struct CompletionOption {
    // As typed: "-o" (a hyphen and one character) or "--Order" (two hyphens and a word without "=").
    std::vector<std::string> names;
    std::string description;
    // What its value is called ("file", "n"); zsh shows it above the values.
    std::string valueName;
    // OPTIONAL: the value is only ever attached (--x=v, -xv), never the next word.
    enum Value { NONE, REQUIRED, OPTIONAL } value = NONE;
    // Not empty: the values offered for it.
    std::vector<std::string> choices;
    // Its value is a file name (when it has no choices).
    bool files = false;
    // It may be given more than once; zsh offers it again after it was given.
    bool repeatable = false;
};

struct CompletionCommand {
    // Empty for the program itself; a command's name never begins with a hyphen.
    std::string name;
    std::string description;
    // Its options, recognised after it (and, for the program, before the first command).
    std::vector<CompletionOption> options;
    // Words without a hyphen are file names.
    bool positionalFiles = false;
    // Completed where its first positional word could stand; they may have commands of their own.
    std::vector<CompletionCommand> commands;
};

enum class CompletionShell { BASH, ZSH, FISH };

// The shell named "bash", "zsh" or "fish"; false for any other name.
bool completionShellNamed(const char* name, CompletionShell& shell);

// A text the script cannot hold, and why (one of the text::completion... reasons).
struct CompletionRefusal {
    std::string text;
    const char* reason = nullptr;
};

// Composes the script that completes the command program for the shell into script (replacing what
// it held). Returns false, with script empty and refusal filled, when a text cannot be written.
// Running out of memory throws std::bad_alloc.
bool composeCompletionScript(CompletionShell shell, const std::string& program, const CompletionCommand& root,
                             std::string& script, CompletionRefusal& refusal);

}  // namespace param_detail

#endif
