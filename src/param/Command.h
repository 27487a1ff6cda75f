// The program's parameters, declared by name: a Command holds them, reads the command line (and, where
// the program asks, environment variables and parameter files) and says what came of it.
//
//     #include <param/Command.h>
//
//     int main(int argc, char** argv) {
//         int limit = 10;
//         bool numbered = false;
//         std::vector<std::string> files;
//         param::Command cli("linecount", "Print the first lines of each file.");
//         cli.option(limit, "-n", "--lines").valueName("COUNT").help("how many lines to print").atLeast(1);
//         cli.flag(numbered, "-N", "--numbered").help("number the lines");
//         cli.positional(files, "FILE").help("the files to read").required();
//         const param::Result result = cli.parse(argc, argv);
//         if (!result) return result.report();  // help, version or a problem: shown, with its exit status
//         ...
//     }
//
// Today's conventions hold from the first line: a value is the whole word or nothing (-n 3x is a
// problem), help goes to standard output with status 0, nothing is reserved but -h and --help (which
// the program may rename or drop), and parse() writes nothing and ends nothing: report() does what
// the result asks for. The values land in the program's own variables; a variable's value when it is
// declared is the parameter's default.
#ifndef PARAM_COMMAND_H
#define PARAM_COMMAND_H

#include <initializer_list>
#include <iosfwd>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "ParamDef.h"
#include "ParamValue.h"

#define PARAM_VERSION_MAJOR 2
#define PARAM_VERSION_MINOR 0
#define PARAM_VERSION_PATCH 0
#define PARAM_VERSION "2.0.0"

struct ParamListElement;

namespace param {
class Parameter;
}

namespace param_detail {
class CommandCore;

// The kinds of parameter a command declares; from kHelp on, the special options, which end the reading
// or read a file and bind no variable.
constexpr int kValue = 0, kPositional = 1, kFlag = 2, kCounter = 3, kHelp = 4, kVersion = 5, kFile = 6, kCompletion = 7, kManual = 8;

// A parameter as declared.
struct Declaration {
    explicit Declaration(int kind) : kind(kind) {}
    int kind;                            // param_detail::kValue, kPositional, ...
    std::vector<std::string> longNames;  // without "--"
    std::string letters;
    std::string positionalName;
    std::vector<std::string> badNames;  // names no command line can give, refused when it is read
    std::string help, valueName, environment, implicitValue, group, deprecated;
    bool hasImplicit = false, required = false, hidden = false, negatable = false, isDeprecated = false, once = false;
    std::vector<std::pair<bool, const param::Parameter*>> relations;  // excludes (true) or needs (false)

    // Of the latest reading: the definition's element in the engine, and the name the value was given
    // by on the command line.
    ParamListElement* element = nullptr;
    std::string givenAs;

    bool takesValue() const { return kind == kValue || kind == kFile || kind == kCompletion || kind == kManual; }
    // The name that stands for the parameter where the user gave none: --lines, -n, or a positional's name.
    std::string displayName() const;
    // Whether the latest reading gave it a value, and the name it was given by: as typed on the command
    // line, "$VARIABLE", or the keyword of a file line.
    bool isGiven() const;
    std::string givenName() const;
    // The program's help text, or that of the kind of special option (help, version, parameter file).
    std::string helpText() const;
    // In parameter files, variables and the written configuration: the first long name (a positional:
    // its name); a name no file line can give ("") for a parameter without one.
    std::string keyword() const;
};

// A check of the program's own on a value: empty when it takes the value, else what the value should
// be, completing "It ..." in the message ("must be even").
class HostCheck {
public:
    virtual ~HostCheck() = default;
    virtual std::string reason(const void* value) const = 0;
};

const char* refusedByCheck();

template <typename T, typename F>
class HostCheckOf final : public HostCheck {
public:
    explicit HostCheckOf(F f) : f(std::move(f)) {}
    std::string reason(const void* value) const override {
        const auto said = f(*static_cast<const T*>(value));
        if constexpr (std::is_same<std::decay_t<decltype(said)>, bool>::value) {
            return said ? std::string() : std::string(refusedByCheck());
        } else if constexpr (std::is_convertible<decltype(said), const char*>::value) {
            return said != nullptr ? std::string(said) : std::string();
        } else {
            return std::string(said);
        }
    }

private:
    F f;
};

// What a variable of type T binds: a value of T, or the elements of a std::vector.
template <typename T>
struct Binding {
    using Element = T;
};
template <typename E>
struct Binding<std::vector<E>> {
    using Element = E;
};

// The engine's definition of a value of T (a list for a std::vector), made from the declaration.
template <typename T>
CParamDef* makeDefinition(const char* keyword, T* var, const T& defaultValue, const char* valueName, const char* help,
                          bool optional, int position) {
    try {
        return new (std::nothrow) CScalarParamDef<T>(keyword, 0, var, defaultValue, valueName, help, optional, position);
    } catch (...) {
        return nullptr;
    }
}
template <typename E>
CParamDef* makeDefinition(const char* keyword, std::vector<E>* var, const std::vector<E>& defaultValue, const char* valueName,
                          const char* help, bool optional, int position) {
    try {
        return new (std::nothrow) CListParamDef<E>(keyword, 0, var, defaultValue, valueName, help, optional, position);
    } catch (...) {
        return nullptr;
    }
}

// What the typed options give the definitions they make: a range, choices and the program's checks.
void addRange(CParamDef& definition, const ValueOps& ops, const void* lower, const void* upper);
void addChoices(CParamDef& definition, const ValueOps& ops, const void* const* values, std::size_t count);
void addCheck(CParamDef& definition, std::shared_ptr<const HostCheck> check);
// The text of a value, as the description writes it (the implicit value of an optional one).
std::string textOf(const ValueOps& ops, const void* value);
}  // namespace param_detail

namespace param {

// What writing and the problems report, as the parameter set has them (CParam::OK and so on): a word
// no parameter takes, an unknown long name or letter, a value refused, a value missing, a required
// parameter not given, and the problems of parameter files.
constexpr int OK = 1, NOT_OK = 0;
constexpr int PROBLEM_MISSING_HYPHEN = -1, PROBLEM_UNKNOWN_KEYWORD = -2, PROBLEM_UNKNOWN_FLAG = -3,
              PROBLEM_INVALID_VALUE = -4, PROBLEM_MISSING_VALUE = -5, PROBLEM_MISSING_PARAMETER = -6,
              PROBLEM_CANNOT_OPEN_FILE = -7, PROBLEM_MISSING_VALUE_IN_FILE = -8, PROBLEM_UNKNOWN_KEYWORD_IN_FILE = -9,
              PROBLEM_GENERAL_PROBLEM_IN_FILE = -10;
// Problems the new interface reports besides those of the parameter set.
// Parameters given together that exclude each other, one without another it needs, or a group of
// which too many or too few were given.
constexpr int PROBLEM_RELATION = -12;
// The program declared its parameters wrongly (two with one name, a name no command line can give).
constexpr int PROBLEM_DECLARATION = -13;
// A word that names no command of the program, or no command where one is needed.
constexpr int PROBLEM_UNKNOWN_COMMAND = -14;
constexpr int PROBLEM_MISSING_COMMAND = -15;
// An abbreviated long name that more than one name begins with.
constexpr int PROBLEM_AMBIGUOUS_NAME = -16;

class Command;

// What came of reading a command line.
class Result {
public:
    enum Status { SUCCESS, HELP, VERSION, PROBLEM, COMPLETION, MANUAL };

    Status status() const { return status_; }
    // True after success: the values are in the variables.
    explicit operator bool() const { return status_ == SUCCESS; }
    // A problem's code (param::PROBLEM_*); 0 for no problem.
    int code() const { return code_; }
    // The parameter as the user gave it ("-n", "--lines", "$LINES", a file's name), and the value.
    const std::string& parameter() const { return parameter_; }
    const std::string& value() const { return value_; }
    // What report() writes: the problem's message and the help hint, the help screen, the version, the
    // completion script, or the manual page.
    const std::string& text() const { return text_; }
    // The command chosen, or the program itself.
    const Command& command() const { return *command_; }
    // Whether the command line chose this command (the one named last).
    bool chose(const Command& command) const { return command_ == &command; }

    // Writes the text where it belongs (a problem to standard error, anything else to standard output;
    // 1 when that cannot be written) and returns the exit status to end with: 0 after success, help and version,
    // problemStatus after a problem.
    int report(int problemStatus = 2) const;
    int report(std::ostream& out, std::ostream& errors, int problemStatus = 2) const;

private:
    friend class param_detail::CommandCore;
    Status status_ = SUCCESS;
    int code_ = 0;
    std::string parameter_, value_, text_;
    const Command* command_ = nullptr;
};

// A declared parameter, as the program names and describes it. The typed handles below (Option,
// Flag, Counter) give each setting back for the next: cli.option(n, "-n").help("...").atLeast(1).
class Parameter {
public:
    virtual ~Parameter();
    Parameter(const Parameter&) = delete;
    Parameter& operator=(const Parameter&) = delete;

    // After parse(): whether the parameter got a value (on the command line, from a file or a
    // variable), the name it was given by ("-n", "--lines", "$LINES", a file's name), and where the
    // value came from.
    bool given() const;
    std::string givenAs() const;
    ParamOrigin origin() const;

protected:
    explicit Parameter(int kind);
    // The engine's definition of the parameter, made anew for each reading of a command line.
    virtual CParamDef* makeDefinition(const char* keyword, const char* valueName, const char* help, bool optional,
                                      int position) const;
    // True for a parameter bound to a std::vector: at a position, it takes every word left.
    virtual bool gathersWords() const;
    void setHelp(const char* text);
    void setValueName(const char* name);
    void setRequired();
    void setEnvironment(const char* variable);
    void setHidden();
    void setDeprecated(const char* note);
    void setGroup(const char* title);
    void setImplicit(std::string text);
    void setNegatable();
    void setOnce();
    void relate(bool excludes, const Parameter& other);
    void name(const char* name);

    friend class Command;
    friend class param_detail::CommandCore;
    param_detail::Declaration declared;
};

// The settings every kind of parameter has, each giving the handle back.
template <typename Self>
class Settings : public Parameter {
public:
    // The help text beside the parameter on the help screen.
    Self& help(const char* text) { return setHelp(text), self(); }
    // The value's name on the help screen (--lines=COUNT).
    Self& valueName(const char* name) { return setValueName(name), self(); }
    // The parameter must be given.
    Self& required() { return setRequired(), self(); }
    // An environment variable that gives the value when the command line does not.
    Self& env(const char* variable) { return setEnvironment(variable), self(); }
    // Not shown on the help screen (nor completed), but taken.
    Self& hidden() { return setHidden(), self(); }
    // Shown as deprecated, with the note ("use --output").
    Self& deprecated(const char* note = "") { return setDeprecated(note), self(); }
    // The section of the help screen the parameter is listed in.
    Self& group(const char* title) { return setGroup(title), self(); }
    // Given more than once on the command line, a problem (by default the last value holds, or a list
    // takes each).
    Self& once() { return setOnce(), self(); }
    // Given together with any of others, a problem.
    template <typename... Others>
    Self& excludes(const Others&... others) {
        (relate(true, others), ...);
        return self();
    }
    // Given without all of others, a problem.
    template <typename... Others>
    Self& needs(const Others&... others) {
        (relate(false, others), ...);
        return self();
    }

protected:
    using Parameter::Parameter;
    Self& self() { return static_cast<Self&>(*this); }
};

// A parameter that takes a value of T (a described type, ParamValue.h), or the elements of a
// std::vector<T>, one each time it is given.
template <typename T>
class Option final : public Settings<Option<T>> {
public:
    using Element = typename param_detail::Binding<T>::Element;

    // The default (by default the variable's value when the option was declared); stored into the
    // variable at once.
    Option& defaultValue(T value) {
        *var = value;
        initial = std::move(value);
        return *this;
    }
    // Values from lower to upper; at least lower; at most upper.
    Option& range(Element lower, Element upper) {
        static_assert(param_detail::Ordered<Element>::value, "a range needs a type with an order");
        return limits(std::move(lower), true, std::move(upper), true);
    }
    Option& atLeast(Element lower) {
        static_assert(param_detail::Ordered<Element>::value, "a range needs a type with an order");
        return limits(std::move(lower), true, Element{}, false);
    }
    Option& atMost(Element upper) {
        static_assert(param_detail::Ordered<Element>::value, "a range needs a type with an order");
        return limits(Element{}, false, std::move(upper), true);
    }
    // Only these values.
    Option& choices(std::initializer_list<Element> values) {
        allowed.assign(values.begin(), values.end());
        return *this;
    }
    // The option may stand without a value (--color, -c), and then takes this one; a value must then
    // be attached (--color=never, -cnever): the next word is never taken for it.
    Option& implicitValue(const Element& value) {
        this->setImplicit(param_detail::textOf(param_detail::opsOf<Element>(), &value));
        return *this;
    }
    // A check of the program's own: a callable on the converted value that returns an empty
    // std::string (or a null or empty const char*, or true) when it takes the value, else why not,
    // completing "It ..." in the message ("must be even").
    template <typename F>
    Option& check(F callable) {
        checks.push_back(std::make_shared<param_detail::HostCheckOf<Element, F>>(std::move(callable)));
        return *this;
    }

private:
    friend class Command;
    Option(int kind, T& var) : Settings<Option<T>>(kind), var(&var), initial(var) {}

    Option& limits(Element low, bool hasLow, Element high, bool hasHigh) {
        lower = std::move(low);
        upper = std::move(high);
        hasLower = hasLow;
        hasUpper = hasHigh;
        return *this;
    }

    bool gathersWords() const override { return !std::is_same<T, Element>::value; }

    CParamDef* makeDefinition(const char* keyword, const char* valueName, const char* help, bool optional,
                              int position) const override {
        CParamDef* made = param_detail::makeDefinition(keyword, var, initial, valueName, help, optional, position);
        if (made == nullptr) return nullptr;
        const param_detail::ValueOps& ops = param_detail::opsOf<Element>();
        if (hasLower || hasUpper) param_detail::addRange(*made, ops, hasLower ? &lower : nullptr, hasUpper ? &upper : nullptr);
        if (!allowed.empty()) {
            std::vector<const void*> values;
            for (const Element& value : allowed) values.push_back(&value);
            param_detail::addChoices(*made, ops, values.data(), values.size());
        }
        for (const auto& c : checks) param_detail::addCheck(*made, c);
        return made;
    }

    T* var;
    T initial;
    Element lower{}, upper{};
    bool hasLower = false, hasUpper = false;
    std::vector<Element> allowed;
    std::vector<std::shared_ptr<const param_detail::HostCheck>> checks;
};

// A switch: named, it is on; it also takes the on and off words (--color=no), and --no-NAME turns it
// off where the program asks for that.
class Flag final : public Settings<Flag> {
public:
    // --no-NAME for each long name turns it off.
    Flag& negatable() { return setNegatable(), *this; }

private:
    friend class Command;
    Flag(bool& var);
    CParamDef* makeDefinition(const char* keyword, const char* valueName, const char* help, bool optional,
                              int position) const override;
    bool* var;
    bool initial;
};

// A count of mentions: -vvv or -v -v -v gives 3; a value sets it (--verbose=2, or a file line).
class Counter final : public Settings<Counter> {
private:
    friend class Command;
    Counter(int& var);
    CParamDef* makeDefinition(const char* keyword, const char* valueName, const char* help, bool optional,
                              int position) const override;
    int* var;
    int initial;
};

// The option that shows help, shows the version, or reads a parameter file.
class Special final : public Settings<Special> {
private:
    friend class Command;
    explicit Special(int kind) : Settings<Special>(kind) {}
};

// A program, or one of its commands: its parameters and how to read them.
class Command {
public:
    // name: the program's name (or the command's), in help and messages; description: one line or
    // more, shown on the help screen.
    explicit Command(const char* name, const char* description = "");
    ~Command();
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    // An option that takes a value, named by letters ("-n") and long names ("--lines"), any number
    // of each; bound to var, whose value now is the default.
    template <typename T, typename... Names>
    Option<T>& option(T& var, const char* name, Names... names) {
        static_assert(param_detail::IsDescribed<typename Option<T>::Element>::value,
                      "the type has no description: specialize param::ValueType for it");
        return named(adopt(new (std::nothrow) Option<T>(param_detail::kValue, var)), name, names...);
    }
    // A positional parameter: the next word without a hyphen (a std::vector: every word that is left).
    // name: its name on the help screen and in messages, and its keyword in parameter files.
    template <typename T>
    Option<T>& positional(T& var, const char* name) {
        static_assert(param_detail::IsDescribed<typename Option<T>::Element>::value,
                      "the type has no description: specialize param::ValueType for it");
        return named(adopt(new (std::nothrow) Option<T>(param_detail::kPositional, var)), name);
    }
    template <typename... Names>
    Flag& flag(bool& var, const char* name, Names... names) {
        return named(adopt(new (std::nothrow) Flag(var)), name, names...);
    }
    template <typename... Names>
    Counter& counter(int& var, const char* name, Names... names) {
        return named(adopt(new (std::nothrow) Counter(var)), name, names...);
    }

    // The option that shows the help screen: -h and --help unless named otherwise here; with no names
    // there is none.
    template <typename... Names>
    Special& helpOption(Names... names) {
        return named(special(param_detail::kHelp), static_cast<const char*>(names)...);
    }
    // The program's version text, shown by --version (or the names given).
    template <typename... Names>
    Special& version(const char* text, Names... names) {
        setVersion(text);
        return namedOr(param_detail::kVersion, "--version", names...);
    }
    // The option that writes the program's completion script for the shell named by its value (bash,
    // zsh or fish) and ends the reading, as help does: --completion unless named otherwise here.
    template <typename... Names>
    Special& completionOption(Names... names) {
        return namedOr(param_detail::kCompletion, "--completion", names...);
    }
    // The option that writes the program's manual page (its value "man") or its Markdown reference
    // ("markdown") and ends the reading, as help does: --manual unless named otherwise here.
    template <typename... Names>
    Special& manualOption(Names... names) {
        return namedOr(param_detail::kManual, "--manual", names...);
    }
    // The option that reads a parameter file: lines "keyword value", the keyword a long name of a
    // parameter; a line with this option's long name reads a further file. None unless named here.
    template <typename... Names>
    Special& parameterFile(const char* name, Names... names) {
        return named(special(param_detail::kFile), name, names...);
    }

    // Takes each parameter's value also from the variable prefix + its first long name, where the
    // command line gives none (a parameter's own env() comes first).
    Command& environmentPrefix(const char* prefix);
    // A long name may be shortened to any beginning that no other long name has (--compl for
    // --complement).
    Command& abbreviations();
    // Text shown after the parameters on the help screen.
    Command& epilog(const char* text);

    // At most one, exactly one, or at least one of the parameters may be given.
    template <typename... P>
    Command& atMostOne(const P&... parameters) {
        return group(0, {&parameters...});
    }
    template <typename... P>
    Command& exactlyOne(const P&... parameters) {
        return group(1, {&parameters...});
    }
    template <typename... P>
    Command& atLeastOne(const P&... parameters) {
        return group(2, {&parameters...});
    }

    // A command of this one (git commit, kv put), with its own parameters and commands. The program's
    // parameters are given before it; those marked so (shared) after it too.
    Command& command(const char* name, const char* description = "");
    // This command's parameters may also be given after any of its commands.
    Command& shared();
    // A command line may name none of this command's commands (by default one is required).
    Command& commandOptional();

    // For the manual page: a file the program reads or writes, and what it is; an exit status and
    // what it means (without any, the page names those of Result::report); a related page ("cut(1)").
    Command& file(const char* name, const char* meaning);
    Command& exitStatus(int status, const char* meaning);
    Command& seeAlso(const char* page);

    // Reads the words (argv[0] the program's name, as main receives them), and the environment and
    // the parameter files where the program asks for them. Writes nothing and ends nothing.
    Result parse(int argc, const char* const* argv);

    // The values in force, as a parameter file that reads back to them (all but the parameters whose
    // first long names are in leaveOut): param::OK, or NOT_OK after a message on standard error
    // naming what cannot be written.
    int writeParameters(std::ostream& out, const std::vector<std::string>& leaveOut = {});
    int writeParameterFile(const char* fileName, const std::vector<std::string>& leaveOut = {});
    // A problem the program finds itself after parse(), told the way the parameters' own problems are:
    // the message of code (param::PROBLEM_*) about subject and value, and the help hint.
    Result problem(int code, const char* subject, const char* value = "") const;
    // A completion script for shell ("bash", "zsh" or "fish"): param::OK or NOT_OK.
    int writeCompletion(std::ostream& out, const char* shell);
    // The help screen, width columns wide (0: the terminal's width, COLUMNS, or 80).
    std::string helpText(int width = 0) const;
    // The program's manual page (man(7) format, section 1; dated by SOURCE_DATE_EPOCH where it is set,
    // else today), with a COMMANDS section for its commands; and the same as a Markdown reference.
    // Every text is escaped for its format. param::OK, or NOT_OK when out fails.
    int writeManualPage(std::ostream& out, int section = 1) const;
    int writeMarkdown(std::ostream& out) const;

    // The name and the description, as declared.
    const char* name() const;

private:
    friend class param_detail::CommandCore;
    friend class Result;

    template <typename P>
    P& adopt(P* made) {
        keep(made);
        return *made;
    }
    template <typename P, typename... Names>
    P& named(P& parameter, Names... names) {
        (parameter.name(names), ...);
        return parameter;
    }
    // The special option of kind, by the names given, else by its usual one.
    template <typename... Names>
    Special& namedOr(int kind, const char* usual, Names... names) {
        if constexpr (sizeof...(Names) == 0) {
            return named(special(kind), usual);
        } else {
            return named(special(kind), static_cast<const char*>(names)...);
        }
    }
    void keep(Parameter* made);
    Special& special(int kind);
    void setVersion(const char* text);
    Command& group(int kind, std::initializer_list<const Parameter*> members);

    std::unique_ptr<param_detail::CommandCore> core;
};

}  // namespace param

#endif
