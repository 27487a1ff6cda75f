// A program of the new interface declared from the bytes of an input: param::Command with parameters
// of every kind bound to variables it keeps, special options, relations and groups, and commands two
// deep, each with parameters of its own. The same bytes always declare the same program, so a second
// program can read back what the first wrote.
#ifndef PARAM_FUZZ_COMMANDPROGRAM_H
#define PARAM_FUZZ_COMMANDPROGRAM_H

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Command.h"
#include "ControlCharacters.h"

namespace param_fuzz {

// first excludes second, or needs it.
struct DeclaredRelation {
    bool excludes;
    const param::Parameter* first;
    const param::Parameter* second;
};

// kind: 0 at most one of the members, 1 exactly one, 2 at least one.
struct DeclaredGroup {
    int kind;
    std::vector<const param::Parameter*> members;
};

// What the checks know of a command (or of the program itself).
struct DeclaredCommand {
    param::Command* command = nullptr;
    const DeclaredCommand* parent = nullptr;
    bool commandRequired = false;  // it has commands, and a command line must name one
    bool hasVersion = false;
    std::string version;  // its version text, as the library sees it (up to a NUL byte)
    std::vector<const param::Parameter*> required;
    std::vector<DeclaredRelation> relations;
    std::vector<DeclaredGroup> groups;
    // Each appends the value of one of the command's variables.
    std::vector<std::function<void(std::string&)>> values;
};

class CommandProgram {
public:
    // ReadingBack declares the same, but for the relations and groups (a written file gives every
    // parameter, also those at their defaults), makes the program's commands optional and adds the
    // parameter file option kReadBackOption.
    enum class Purpose { Parsing, ReadingBack };
    static constexpr const char* kReadBackOption = "--fuzz-read-back";

    CommandProgram(std::string_view declarations, Purpose purpose);
    CommandProgram(const CommandProgram&) = delete;
    CommandProgram& operator=(const CommandProgram&) = delete;

    param::Command& program() { return *root; }
    // The program first, then its commands as declared.
    const std::deque<DeclaredCommand>& commands() const { return declared; }
    const DeclaredCommand* find(const param::Command& command) const;
    // The controls the declarations' texts hold (not the defaults: they are values).
    const Controls& declaredControls() const { return controls; }
    // The environment variables to set while the program reads, each name and value.
    const std::vector<std::pair<std::string, std::string>>& variables() const { return environment; }
    // The values of the variables, as a text that tells any two readings apart: of one command, or of
    // every command.
    static std::string values(const DeclaredCommand& command);
    std::string allValues() const;

private:
    friend class ProgramBuilder;
    // The variables outlive the program, which writes into them; the deques keep their places.
    std::deque<int> ints;
    std::deque<double> doubles;
    std::deque<std::string> strings;
    std::deque<std::vector<std::string>> lists;
    std::deque<bool> switches;
    std::unique_ptr<param::Command> root;
    std::deque<DeclaredCommand> declared;
    Controls controls;
    std::vector<std::pair<std::string, std::string>> environment;
};

}  // namespace param_fuzz

#endif
