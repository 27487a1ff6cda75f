// What a param::Command keeps: its declarations, and the engine (a parameter set) that each reading
// of a command line builds from them.
#ifndef PARAM_DETAIL_COMMANDCORE_H
#define PARAM_DETAIL_COMMANDCORE_H

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Command.h"
#include "Interpretation.h"
#include "Param.h"

namespace param_detail {

class ValueCheck;

// A group of parameters of which at most one, exactly one or at least one may be given.
struct Group {
    int kind;  // 0 at most one, 1 exactly one, 2 at least one
    std::vector<const param::Parameter*> members;
};

class CommandCore {
public:
    CommandCore(param::Command& self, const char* name, const char* description);

    param::Command& self;
    std::string name, description, epilog, versionText, environmentPrefix;
    bool abbreviate = false;
    bool commandRequired = true;  // with commands: one must be named
    bool isShared = false;  // its parameters may be given after its commands too
    std::vector<std::unique_ptr<param::Parameter>> parameters;  // in the order declared
    std::vector<Group> groups;
    // What a manual page says beyond the parameters: files the program reads or writes, its exit
    // statuses (none: those of Result::report), and related pages ("cut(1)").
    std::vector<std::pair<std::string, std::string>> files, statuses;
    std::vector<std::string> seeAlso;
    std::vector<std::unique_ptr<param::Command>> commands;
    CommandCore* parent = nullptr;

    // Of the latest reading: the engine with the definitions made from the declarations, and the words.
    std::optional<CParam> engine;
    std::vector<std::string> words;
    std::string invokedAs;  // the program's name as invoked and the commands to this one

    param::Result parse(int argc, const char* const* argv);
    param::Result problem(int code, const char* subject, const char* value) const;
    // Builds the engine from the declarations, every variable at its default, for the program named
    // programName (null: the engine's own default); false when memory ran out.
    bool build(const char* programName = nullptr);
    // The variables that give values: a parameter's own, else the prefix and its keyword.
    std::vector<Variable> variables() const;
    // The variable that names a parameter file; empty for none.
    std::string fileVariable() const;
    // A further check of a definition of the new interface.
    static void appendCheck(CParamDef& definition, std::unique_ptr<ValueCheck> check);
    // What the help screen and completion read of a definition: its value type's description (null
    // for a switch), what its checks say ("from 1 to 9", "one of count, alpha"), and the words its
    // choices allow (empty: any).
    static const ValueOps* valueTypeOf(const CParamDef& definition);
    static std::vector<std::string> summariesOf(const CParamDef& definition);
    static std::vector<std::string> choicesOf(const CParamDef& definition);
    static const std::string& descriptionOf(const param::Command& command);
    static CommandCore& of(const param::Command& command);
    // The declaration of a parameter the core owns (the parameters are its own, never const).
    static Declaration& declared(const param::Parameter& parameter) { return const_cast<Declaration&>(parameter.declared); }
    static bool gathersWords(const param::Parameter& parameter) { return parameter.gathersWords(); }
    // Builds the engine unless a reading has.
    void ensureBuilt();
    // The declaration of the special option of kind (help, version, parameter file); null when none.
    Declaration* special(int kind) const;
    // The parameters by the names the command line gives.
    const param::Parameter* withLongName(const std::string& name) const;
    const param::Parameter* withLetter(char letter) const;
    // The keywords a written configuration leaves out: those the program names, and those of the
    // parameters in a relation or group that hold their defaults (a file line would count them as
    // given, and the file would not read back).
    std::vector<std::string> unwritten(const std::vector<std::string>& leaveOut) const;
    // The first problem in the declarations, as a message; empty when there is none.
    std::string declarationProblem() const;
    std::string commandProblem() const;
    // The prefix of the variables of this command's parameters: its own, else (for a command of a
    // program that has one) the prefix above, the command's name in capitals and "_": KV_PUT_.
    std::string prefix() const;
    // This command and every command below it built anew, for the program named programName: at their
    // defaults, nothing given. A reading does so first, so that writing a page or a script afterwards
    // builds nothing and leaves the values read in the variables.
    void buildAll(const char* programName);
    // The command as the reading names it: the program's name as invoked and the commands to this one.
    void invoked(std::string as);
    // The path of commands to this one, from the program's base name: "kv put".
    std::string path() const;

};

// Checks the relations between the parameters after a reading: OK, or PROBLEM_RELATION after
// reporting it.
int checkRelations(const CommandCore& core, Interpretation& run);
// Reports the first required parameter without a value.
int checkRequired(const CommandCore& core, Interpretation& run);
// What came of reading a command line: the command reached (the program, or the command named last),
// the command whose help was asked for, the one whose version was (a command may have its own), the
// shell or format of what was asked to be written, and the first problem with its messages.
struct Reading {
    CommandCore* deepest = nullptr;
    CommandCore* helpOf = nullptr;
    const CommandCore* versionOf = nullptr;
    std::string format;  // the shell whose completion script, or the format in which the manual, was asked for
    std::string text;
    Reported reported;
};
// Reads the words of a program and of the commands they name: OK, a problem's code, or kHelpAsked,
// kVersionAsked.
constexpr int kHelpAsked = 2, kVersionAsked = 3, kCommandChosen = 4, kCompletionAsked = 5, kManualAsked = 6;
int readCommandLine(CommandCore& program, std::vector<std::string>& words, Reading& reading);
// The completion script of a program for shell (bash, zsh or fish); false, with the reason in refused
// when the script cannot be written safely (empty for an unknown shell).
bool completionScript(CommandCore& program, const char* shell, std::string& script, std::string& refused);
// The manual page (man(7), in section, dated date) and the Markdown reference of a program.
std::string manualPage(const CommandCore& program, int section, const std::string& date);
std::string markdownReference(const CommandCore& program);
// The date a manual page bears: that of SOURCE_DATE_EPOCH where it is set (a reproducible build),
// else today's; YYYY-MM-DD.
std::string pageDate();
// The help screen of a command, width columns wide.
std::string helpScreen(const CommandCore& core, int width);
// The width of the terminal: COLUMNS, the terminal's own where standard output is one, else 80.
int terminalWidth();

}  // namespace param_detail

#endif
