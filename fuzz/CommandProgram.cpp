#include "CommandProgram.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "DeclarationBytes.h"

namespace param_fuzz {
namespace {

// Names mostly as a program gives them, from short lists, so that two parameters or commands often
// share one (a declaration problem) and a long name often begins another (abbreviations); the
// fuzzer finds them as words through the dictionary. The texts a help screen never breaks (names,
// value names, titles) stay short and hold no line end or blank run, so that the checks can tell
// them from wrapped text.
constexpr const char* kProgramNames[] = {"prog", "tool", "", "a b", "p\x1b[1m"};
constexpr const char* kLongNames[] = {"a",    "ab",      "abc",  "color", "colour", "count",     "size",
                                      "sort", "no-color", "verbose", "file", "help", "version", "name",
                                      "x-y",  "completion", "list", "level", "\xc3\xa9t\xc3\xa9", "add"};
constexpr char kLetters[] = "abchnvxyzNV0?";
constexpr const char* kBadNames[] = {"",   "-",     "--", "---x", "--a=b", "-ab",         "x",
                                     "--a b", "-=", "--\x1b[1m", "- ", "-\t", "-\xc3\xa9", "--no-"};
constexpr const char* kPositionalNames[] = {"FILE", "NAME", "REST", "file", "count", "", "A B"};
constexpr const char* kCommandNames[] = {"add", "remove", "run", "list", "a", "ab", "help", "", "-x", "r m"};
constexpr const char* kValueNames[] = {"N", "COUNT", "FILE", "A B", "\xc3\xa9", "\x1b[7mX", "VALUE", ""};
constexpr const char* kGroupTitles[] = {"Output", "Input options", "\xc3\x89"};
constexpr const char* kChoices[] = {"fast", "slow", "auto", "always", "never", "", "a b", "\xc3\xa9", "x"};
constexpr const char* kPrefixes[] = {"PARAMFUZZ_", "PARAMFUZZ_P_", "PARAMFUZZ_\xc3\xa9_"};
// What follows "PARAMFUZZ_" in a variable the input sets: a keyword of the program, or of a command
// under a prefix.
constexpr const char* kVariables[] = {"a", "count", "file", "FILE", "list", "verbose", "ADD_a", "ADD_count",
                                      "ADD_file", "RUN_RUN_a", "P_a", "P_count", "P_file", "\xc3\xa9_a"};
constexpr double kDoubles[] = {0.0, 0.5, -1.25, 1e300, -0.0, 5e-324, std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity()};

int smallInt(unsigned byte) { return static_cast<std::int8_t>(static_cast<std::uint8_t>(byte)); }

void appendValue(std::string& out, int value) { out += "i" + std::to_string(value) + ";"; }
void appendValue(std::string& out, bool value) { out += value ? "b1;" : "b0;"; }
void appendValue(std::string& out, double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    out += "d" + std::to_string(bits) + ";";
}
void appendValue(std::string& out, const std::string& value) { out += "s" + std::to_string(value.size()) + ":" + value + ";"; }
void appendValue(std::string& out, const std::vector<std::string>& value) {
    out += "l" + std::to_string(value.size()) + ":";
    for (const std::string& element : value) appendValue(out, element);
}

// Calls declare with the names as separate arguments, as the interface takes them (one to three).
template <typename Declare>
decltype(auto) withNames(const std::vector<std::string>& names, Declare declare) {
    switch (names.size()) {
    case 1: return declare(names[0].c_str());
    case 2: return declare(names[0].c_str(), names[1].c_str());
    default: return declare(names[0].c_str(), names[1].c_str(), names[2].c_str());
    }
}

}  // namespace

// Reads the declarations and declares them, command by command.
class ProgramBuilder {
public:
    ProgramBuilder(CommandProgram& made, DeclarationBytes& in, CommandProgram::Purpose purpose)
        : made(made), in(in), readingBack(purpose == CommandProgram::Purpose::ReadingBack) {}

    // Shape byte: the variables the input sets (bits 0-1).
    void build() {
        const unsigned shape = in.byte();
        const std::string name = declared(in.pick(kProgramNames));
        const std::string description = declared(in.text());
        made.root = std::make_unique<param::Command>(name.c_str(), description.c_str());
        command(*made.root, nullptr, 0);
        for (unsigned count = shape % 4, i = 0; i < count; ++i) {
            std::string variable = std::string("PARAMFUZZ_") + in.pick(kVariables);
            made.environment.emplace_back(std::move(variable), in.text());
        }
        if (readingBack) made.root->commandOptional().parameterFile(CommandProgram::kReadBackOption);
    }

private:
    // A parameter declared, and how to relate it to another.
    struct Declared {
        const param::Parameter* parameter;
        std::function<void(bool, const param::Parameter&)> relate;
    };

    CommandProgram& made;
    DeclarationBytes& in;
    const bool readingBack;
    std::vector<Declared> all;  // of every command so far

    std::string declared(std::string text) {
        addControls(text, made.controls);
        return text;
    }

    // A variable at its initial value (the parameter's default), whose value the record shows.
    template <typename T>
    T& bind(std::deque<T>& kept, DeclaredCommand& record, T initial) {
        T& variable = kept.emplace_back(std::move(initial));
        record.values.push_back([&variable](std::string& out) { appendValue(out, variable); });
        return variable;
    }

    // Mostly a name a command line can give ("--word", "-x"); one in eight is none it can.
    std::string optionName() {
        const unsigned kind = in.byte() % 16;
        if (kind < 9) return declared(std::string("--") + in.pick(kLongNames));
        if (kind < 14) return std::string{'-', kLetters[in.byte() % (sizeof kLetters - 1)]};
        return declared(in.pick(kBadNames));
    }
    std::vector<std::string> optionNames(unsigned count) {
        std::vector<std::string> names;
        for (unsigned i = 0; i < count; ++i) names.push_back(optionName());
        return names;
    }

    // Shape bytes: parameters (bits 0-2), commands (3-4), shared (5), commands optional (6),
    // abbreviations (7); then variable prefix (0), parameter file (1), completion (2), version (3),
    // help renamed (4), epilog (5), relations (6), a group (7).
    void command(param::Command& command, const DeclaredCommand* parent, int depth) {
        const unsigned shape = in.byte(), specials = in.byte();
        DeclaredCommand& record = made.declared.emplace_back();
        record.command = &command;
        record.parent = parent;
        if ((shape & 0x20) != 0) command.shared();
        if ((shape & 0x80) != 0) command.abbreviations();
        declareSpecials(command, record, specials);
        const std::size_t first = all.size();
        for (unsigned i = 0; i < (shape & 7); ++i) parameter(command, record);
        if ((specials & 0x40) != 0) relations(record, first);
        if ((specials & 0x80) != 0) group(command, record, first);
        const unsigned commands = depth < 2 ? (shape >> 3) & 3 : 0;
        record.commandRequired = commands > 0 && (shape & 0x40) == 0;
        if (!record.commandRequired) command.commandOptional();
        for (unsigned i = 0; i < commands; ++i) {
            const std::string name = declared(in.pick(kCommandNames));
            const std::string description = declared(in.text());
            this->command(command.command(name.c_str(), description.c_str()), &record, depth + 1);
        }
    }

    void declareSpecials(param::Command& command, DeclaredCommand& record, unsigned specials) {
        if ((specials & 1) != 0) command.environmentPrefix(in.pick(kPrefixes));
        if ((specials & 2) != 0) {
            withNames(optionNames(1 + in.byte() % 2), [&](auto... n) -> auto& { return command.parameterFile(n...); });
        }
        if ((specials & 4) != 0) {
            if (in.byte() % 2 == 0) {
                command.completionOption();
            } else {
                command.completionOption(optionName().c_str());
            }
        }
        if ((specials & 8) != 0) {
            record.hasVersion = true;
            record.version = declared(in.text()).c_str();
            command.version(record.version.c_str());
        }
        if ((specials & 16) != 0) {
            const unsigned count = in.byte() % 3;
            if (count == 0) {
                command.helpOption();
            } else {
                withNames(optionNames(count), [&](auto... n) -> auto& { return command.helpOption(n...); });
            }
        }
        if ((specials & 32) != 0) command.epilog(declared(in.text()).c_str());
    }

    // Kind byte: the kind (bits 0-2; 7 a positional parameter, which has no option names), names less
    // one (3-4), required (5), a variable of its own (6), a byte of settings follows (7).
    void parameter(param::Command& command, DeclaredCommand& record) {
        const unsigned kind = in.byte();
        const unsigned settings = (kind & 0x80) != 0 ? in.byte() : 0;
        const std::vector<std::string> names = kind % 8 != 7 ? optionNames(1 + ((kind >> 3) & 3) % 3) : std::vector<std::string>();
        Declared declaration;
        switch (kind % 8) {
        case 0: declaration = number(command, record, names, kind, settings); break;
        case 1: declaration = fraction(command, record, names, kind, settings); break;
        case 2: declaration = word(command, record, names, kind, settings); break;
        case 3: declaration = list(command, record, names, kind, settings); break;
        case 4: declaration = flag(command, record, names, kind, settings); break;
        case 5: declaration = counter(command, record, names, kind, settings); break;
        case 6: declaration = implicit(command, record, names, kind, settings); break;
        default: declaration = positional(command, record, kind, settings); break;
        }
        if ((kind & 0x20) != 0) record.required.push_back(declaration.parameter);
        all.push_back(std::move(declaration));
    }

    // The settings byte: hidden (bit 0), once (1), value name (2), deprecated (3), a section of its
    // own (4), negatable or gathering (6).
    template <typename Handle>
    Declared settle(Handle& handle, unsigned kind, unsigned settings) {
        handle.help(declared(in.text()).c_str());
        if ((kind & 0x20) != 0) handle.required();
        if ((kind & 0x40) != 0) {
            const std::string variable = "PARAMFUZZ_E" + std::to_string(all.size());
            handle.env(variable.c_str());
            made.environment.emplace_back(variable, in.text());
        }
        if ((settings & 1) != 0) handle.hidden();
        if ((settings & 2) != 0) handle.once();
        if ((settings & 4) != 0) handle.valueName(declared(in.pick(kValueNames)).c_str());
        if ((settings & 8) != 0) handle.deprecated(declared(in.text()).c_str());
        if ((settings & 16) != 0) handle.group(declared(in.pick(kGroupTitles)).c_str());
        return {&handle, [&handle](bool excludes, const param::Parameter& other) {
                    if (excludes) {
                        handle.excludes(other);
                    } else {
                        handle.needs(other);
                    }
                }};
    }

    // An int with a range (from to, at least, at most) or none.
    Declared number(param::Command& command, DeclaredCommand& record, const std::vector<std::string>& names, unsigned kind,
                    unsigned settings) {
        int& variable = bind(made.ints, record, smallInt(in.byte()));
        auto& option = withNames(names, [&](auto... n) -> auto& { return command.option(variable, n...); });
        const unsigned bounds = in.byte();
        const int low = smallInt(in.byte()), high = smallInt(in.byte());
        if (bounds % 4 == 1) option.range(low, high);
        if (bounds % 4 == 2) option.atLeast(low);
        if (bounds % 4 == 3) option.atMost(high);
        return settle(option, kind, settings);
    }

    // A double, its default and (one in four) its upper limit any of a few, NaN and infinity among them.
    Declared fraction(param::Command& command, DeclaredCommand& record, const std::vector<std::string>& names, unsigned kind,
                      unsigned settings) {
        double& variable = bind(made.doubles, record, kDoubles[in.byte() % std::size(kDoubles)]);
        auto& option = withNames(names, [&](auto... n) -> auto& { return command.option(variable, n...); });
        const unsigned limit = in.byte();
        if (limit % 4 == 1) option.atMost(kDoubles[(limit >> 2) % std::size(kDoubles)]);
        return settle(option, kind, settings);
    }

    // A std::string with up to three choices.
    Declared word(param::Command& command, DeclaredCommand& record, const std::vector<std::string>& names, unsigned kind,
                  unsigned settings) {
        std::string& variable = bind(made.strings, record, in.text());
        auto& option = withNames(names, [&](auto... n) -> auto& { return command.option(variable, n...); });
        const unsigned count = in.byte() % 4;
        std::vector<std::string> choices;
        for (unsigned i = 0; i < count; ++i) choices.push_back(declared(in.pick(kChoices)));
        if (count == 1) option.choices({choices[0]});
        if (count == 2) option.choices({choices[0], choices[1]});
        if (count == 3) option.choices({choices[0], choices[1], choices[2]});
        return settle(option, kind, settings);
    }

    Declared list(param::Command& command, DeclaredCommand& record, const std::vector<std::string>& names, unsigned kind,
                  unsigned settings) {
        std::vector<std::string> initial;
        for (unsigned count = in.byte() % 3, i = 0; i < count; ++i) initial.push_back(in.text());
        std::vector<std::string>& variable = bind(made.lists, record, std::move(initial));
        auto& option = withNames(names, [&](auto... n) -> auto& { return command.option(variable, n...); });
        return settle(option, kind, settings);
    }

    Declared flag(param::Command& command, DeclaredCommand& record, const std::vector<std::string>& names, unsigned kind,
                  unsigned settings) {
        bool& variable = bind(made.switches, record, (in.byte() & 1) != 0);
        param::Flag& option = withNames(names, [&](auto... n) -> auto& { return command.flag(variable, n...); });
        if ((settings & 0x40) != 0) option.negatable();
        return settle(option, kind, settings);
    }

    Declared counter(param::Command& command, DeclaredCommand& record, const std::vector<std::string>& names, unsigned kind,
                     unsigned settings) {
        int& variable = bind(made.ints, record, static_cast<int>(in.byte() % 4));
        param::Counter& option = withNames(names, [&](auto... n) -> auto& { return command.counter(variable, n...); });
        return settle(option, kind, settings);
    }

    // An int or a std::string whose value may be left out.
    Declared implicit(param::Command& command, DeclaredCommand& record, const std::vector<std::string>& names, unsigned kind,
                      unsigned settings) {
        if (in.byte() % 2 == 0) {
            int& variable = bind(made.ints, record, smallInt(in.byte()));
            auto& option = withNames(names, [&](auto... n) -> auto& { return command.option(variable, n...); });
            option.implicitValue(smallInt(in.byte()));
            return settle(option, kind, settings);
        }
        std::string& variable = bind(made.strings, record, in.text());
        auto& option = withNames(names, [&](auto... n) -> auto& { return command.option(variable, n...); });
        option.implicitValue(declared(in.text()));
        return settle(option, kind, settings);
    }

    // A std::string, or (gathering) a std::vector that takes every word left.
    Declared positional(param::Command& command, DeclaredCommand& record, unsigned kind, unsigned settings) {
        const std::string name = declared(in.pick(kPositionalNames));
        if ((settings & 0x40) != 0) {
            std::vector<std::string>& variable = bind(made.lists, record, {});
            return settle(command.positional(variable, name.c_str()), kind, settings);
        }
        std::string& variable = bind(made.strings, record, in.text());
        return settle(command.positional(variable, name.c_str()), kind, settings);
    }

    // One to three relations, each of a parameter of this command to one of this command or (with
    // the high bit) to any declared so far, which may be another command's.
    void relations(DeclaredCommand& record, std::size_t first) {
        for (unsigned count = 1 + in.byte() % 3, i = 0; i < count; ++i) {
            const unsigned one = in.byte(), other = in.byte();
            if (first == all.size()) continue;
            const Declared& from = all[first + one % (all.size() - first)];
            const param::Parameter* to = member(other, first);
            const bool excludes = (one & 0x80) != 0;
            if (readingBack) continue;
            from.relate(excludes, *to);
            record.relations.push_back({excludes, from.parameter, to});
        }
    }

    const param::Parameter* member(unsigned choice, std::size_t first) const {
        if ((choice & 0x80) != 0 || first == all.size()) return all[choice % all.size()].parameter;
        return all[first + choice % (all.size() - first)].parameter;
    }

    // Group byte: at most, exactly or at least one (bits 0-1), of one to three members (2-3).
    void group(param::Command& command, DeclaredCommand& record, std::size_t first) {
        const unsigned shape = in.byte();
        std::vector<const param::Parameter*> members;
        for (unsigned count = 1 + (shape >> 2) % 3, i = 0; i < count; ++i) {
            const unsigned choice = in.byte();
            if (!all.empty()) members.push_back(member(choice, first));
        }
        if (members.empty() || readingBack) return;
        const int kind = static_cast<int>(shape % 3);
        record.groups.push_back({kind, members});
        withMembers(members, [&](const auto&... m) -> param::Command& {
            if (kind == 0) return command.atMostOne(m...);
            if (kind == 1) return command.exactlyOne(m...);
            return command.atLeastOne(m...);
        });
    }

    template <typename Declare>
    static void withMembers(const std::vector<const param::Parameter*>& m, Declare declare) {
        if (m.size() == 1) declare(*m[0]);
        if (m.size() == 2) declare(*m[0], *m[1]);
        if (m.size() == 3) declare(*m[0], *m[1], *m[2]);
    }
};

CommandProgram::CommandProgram(std::string_view declarations, Purpose purpose) {
    DeclarationBytes in(declarations);
    ProgramBuilder(*this, in, purpose).build();
}

const DeclaredCommand* CommandProgram::find(const param::Command& command) const {
    for (const DeclaredCommand& record : declared) {
        if (record.command == &command) return &record;
    }
    return nullptr;
}

std::string CommandProgram::values(const DeclaredCommand& command) {
    std::string shown;
    for (const auto& value : command.values) value(shown);
    return shown;
}

std::string CommandProgram::allValues() const {
    std::string shown;
    for (const DeclaredCommand& command : declared) shown += values(command) + "|";
    return shown;
}

}  // namespace param_fuzz
