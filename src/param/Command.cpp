// param::Command: the declarations of a program's parameters, and the reading of a command line by
// them through the parameter set's engine.
#include "Command.h"

#include <cstring>
#include <iostream>
#include <sstream>

#include "detail/CommandCore.h"
#include "detail/CountParamDef.h"
#include "detail/Interpretation.h"
#include "detail/Memory.h"
#include "detail/ProcessEnd.h"
#include "detail/Texts.h"
#include "detail/ValueCheck.h"

namespace text = param_detail::text;

namespace {

// A declaration the program cannot go on without: memory ran out while it was made.
template <typename T>
T* made(T* pointer, const char* what) {
    if (pointer == nullptr) param_detail::failAssertion(what);
    return pointer;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The typed options' pieces

namespace param_detail {

const char* refusedByCheck() { return text::refusedByCheck(); }

void addRange(CParamDef& definition, const ValueOps& ops, const void* lower, const void* upper) {
    CommandCore::appendCheck(definition, makeRangeOf(ops, lower, upper));
}

void addChoices(CParamDef& definition, const ValueOps& ops, const void* const* values, std::size_t count) {
    CommandCore::appendCheck(definition, makeChoicesOf(ops, values, count));
}

namespace {

// The program's own check among the definition's checks.
class ProgramCheck : public ValueCheck {
public:
    explicit ProgramCheck(std::shared_ptr<const HostCheck> check) : check(std::move(check)) {}
    bool admits(const void* value) const override { return refusal(value).empty(); }
    std::string refusal(const void* value) const override { return check->reason(value); }

private:
    std::shared_ptr<const HostCheck> check;
};

}  // namespace

void addCheck(CParamDef& definition, std::shared_ptr<const HostCheck> check) {
    std::unique_ptr<ValueCheck> made;
    tryAllocating([&] { made.reset(new ProgramCheck(std::move(check))); });
    CommandCore::appendCheck(definition, std::move(made));
}

std::string textOf(const ValueOps& ops, const void* value) {
    std::string text;
    if (!tryAllocating([&] {
            if (!ops.write(value, text, true)) text.clear();
        })) {
        failAssertion("implicitValue");
    }
    return text;
}

std::string Declaration::displayName() const {
    if (kind == param_detail::kPositional) return positionalName;
    if (!longNames.empty()) return "--" + longNames.front();
    if (!letters.empty()) return std::string{'-', letters.front()};
    return positionalName;
}

bool Declaration::isGiven() const { return element != nullptr && element->origin.kind != ParamOrigin::DEFAULT; }

std::string Declaration::givenName() const {
    if (!isGiven()) return {};
    if (element->origin.kind == ParamOrigin::ENVIRONMENT) return std::string("$") + element->origin.name;
    if (element->origin.kind == ParamOrigin::PARAMETER_FILE) return keyword();
    return givenAs.empty() ? displayName() : givenAs;
}

std::string Declaration::helpText() const {
    if (!help.empty()) return help;
    if (kind == kHelp) return text::helpOptionHelp();
    if (kind == kVersion) return text::versionOptionHelp();
    if (kind == kCompletion) return text::completionOptionHelp();
    if (kind == kManual) return text::manualOptionHelp();
    return kind == kFile ? text::fileOptionHelp() : "";
}

std::string Declaration::keyword() const {
    if (kind == param_detail::kPositional) return positionalName;
    if (!longNames.empty()) return longNames.front();
    // No line of a file begins with a blank, and no variable is named after it.
    return letters.empty() ? std::string(" ") : std::string{' ', '-', letters.front()};
}

}  // namespace param_detail

// ---------------------------------------------------------------------------------------------
// Parameters

namespace param {

Parameter::Parameter(int kind) : declared(kind) {}

Parameter::~Parameter() = default;

CParamDef* Parameter::makeDefinition(const char*, const char*, const char*, bool, int) const { return nullptr; }

bool Parameter::gathersWords() const { return false; }

void Parameter::setHelp(const char* text) { declared.help = text != nullptr ? text : ""; }
void Parameter::setValueName(const char* name) { declared.valueName = name != nullptr ? name : ""; }
void Parameter::setRequired() { declared.required = true; }
void Parameter::setEnvironment(const char* variable) { declared.environment = variable != nullptr ? variable : ""; }
void Parameter::setHidden() { declared.hidden = true; }
void Parameter::setGroup(const char* title) { declared.group = title != nullptr ? title : ""; }
void Parameter::setNegatable() { declared.negatable = true; }
void Parameter::setOnce() { declared.once = true; }

void Parameter::setDeprecated(const char* note) {
    declared.isDeprecated = true;
    declared.deprecated = note != nullptr ? note : "";
}

void Parameter::setImplicit(std::string text) {
    declared.hasImplicit = true;
    declared.implicitValue = std::move(text);
}

void Parameter::relate(bool excludes, const Parameter& other) { declared.relations.emplace_back(excludes, &other); }

// "-n" is a letter, "--lines" a long name; a positional parameter's name is any word. Anything else no
// command line can give: the reading refuses it as a mistake of the declarations.
void Parameter::name(const char* name) {
    param_detail::Declaration& d = declared;
    const char* given = name != nullptr ? name : "";
    const std::size_t length = std::strlen(given);
    if (d.kind == param_detail::kPositional) {
        d.positionalName = given;
    } else if (length > 2 && given[0] == '-' && given[1] == '-') {
        d.longNames.emplace_back(given + 2);
    } else if (length == 2 && given[0] == '-' && given[1] != '-') {
        d.letters += given[1];
    } else {
        d.badNames.emplace_back(given);
    }
}

bool Parameter::given() const { return declared.isGiven(); }

std::string Parameter::givenAs() const { return declared.givenName(); }

ParamOrigin Parameter::origin() const { return declared.element != nullptr ? declared.element->origin : ParamOrigin{}; }

Flag::Flag(bool& var) : Settings<Flag>(param_detail::kFlag), var(&var), initial(var) {}

CParamDef* Flag::makeDefinition(const char* keyword, const char*, const char* help, bool optional, int) const {
    return param_detail::tryNew<CBoolParamDef>(keyword, 0, var, initial, "", help, optional, -1);
}

Counter::Counter(int& var) : Settings<Counter>(param_detail::kCounter), var(&var), initial(var) {}

CParamDef* Counter::makeDefinition(const char* keyword, const char*, const char* help, bool optional, int) const {
    return param_detail::tryNew<param_detail::CountParamDef>(keyword, var, initial, help, optional);
}

// ---------------------------------------------------------------------------------------------
// Results

int Result::report(int problemStatus) const { return report(std::cout, std::cerr, problemStatus); }

int Result::report(std::ostream& out, std::ostream& errors, int problemStatus) const {
    switch (status_) {
    case SUCCESS: return 0;
    case PROBLEM:
        errors << text_;
        errors.flush();
        return problemStatus;
    default:
        out << text_;
        out.flush();
        return out ? 0 : 1;  // a help screen, script or page cut short is no success
    }
}

// ---------------------------------------------------------------------------------------------
// Commands

Command::Command(const char* name, const char* description)
    : core(made(param_detail::tryNew<param_detail::CommandCore>(*this, name, description), "command")) {
    helpOption("-h", "--help");
}

Command::~Command() = default;

void Command::keep(Parameter* parameter) {
    made(parameter, "parameter");
    if (!param_detail::tryAllocating([&] { core->parameters.emplace_back(parameter); })) {
        delete parameter;
        param_detail::failAssertion("parameter");
    }
}

// Each special option is declared once: declaring it again names it anew (with no names: none).
Special& Command::special(int kind) {
    for (const auto& parameter : core->parameters) {
        if (parameter->declared.kind != kind) continue;
        parameter->declared.longNames.clear();
        parameter->declared.letters.clear();
        parameter->declared.badNames.clear();
        return static_cast<Special&>(*parameter);
    }
    // Its help and value name are those of its kind (the help screen's) until the program gives its own.
    return adopt(new (std::nothrow) Special(kind));
}

void Command::setVersion(const char* text) { core->versionText = text != nullptr ? text : ""; }

Command& Command::environmentPrefix(const char* prefix) {
    core->environmentPrefix = prefix != nullptr ? prefix : "";
    return *this;
}

Command& Command::abbreviations() {
    core->abbreviate = true;
    return *this;
}

Command& Command::epilog(const char* text) {
    core->epilog = text != nullptr ? text : "";
    return *this;
}

Command& Command::group(int kind, std::initializer_list<const Parameter*> members) {
    if (!param_detail::tryAllocating([&] { core->groups.push_back({kind, members}); })) param_detail::failAssertion("group");
    return *this;
}

Command& Command::command(const char* name, const char* description) {
    Command* made = nullptr;
    if (!param_detail::tryAllocating([&] {
            core->commands.emplace_back(new Command(name, description));
            made = core->commands.back().get();
        })) {
        param_detail::failAssertion("command");
    }
    made->core->parent = core.get();
    return *made;
}

Command& Command::shared() {
    core->isShared = true;
    return *this;
}

Command& Command::file(const char* name, const char* meaning) {
    const bool kept = param_detail::tryAllocating([&] { core->files.emplace_back(name != nullptr ? name : "", meaning != nullptr ? meaning : ""); });
    if (!kept) param_detail::failAssertion("file");
    return *this;
}

Command& Command::exitStatus(int status, const char* meaning) {
    const bool kept = param_detail::tryAllocating([&] { core->statuses.emplace_back(std::to_string(status), meaning != nullptr ? meaning : ""); });
    if (!kept) param_detail::failAssertion("exitStatus");
    return *this;
}

Command& Command::seeAlso(const char* page) {
    if (!param_detail::tryAllocating([&] { core->seeAlso.emplace_back(page != nullptr ? page : ""); })) param_detail::failAssertion("seeAlso");
    return *this;
}

Command& Command::commandOptional() {
    core->commandRequired = false;
    return *this;
}

Result Command::parse(int argc, const char* const* argv) { return core->parse(argc, argv); }

Result Command::problem(int code, const char* subject, const char* value) const { return core->problem(code, subject, value); }

const char* Command::name() const { return core->name.c_str(); }

std::string Command::helpText(int width) const {
    core->ensureBuilt();
    std::string screen;
    if (!param_detail::tryAllocating([&] { screen = param_detail::helpScreen(*core, width > 0 ? width : param_detail::terminalWidth()); })) {
        screen.clear();
    }
    return screen;
}

int Command::writeManualPage(std::ostream& out, int section) const {
    core->ensureBuilt();
    std::string page;
    if (!param_detail::tryAllocating([&] { page = param_detail::manualPage(*core, section, param_detail::pageDate()); })) return CParam::NOT_OK;
    out << page;
    out.flush();
    return out ? CParam::OK : CParam::NOT_OK;
}

int Command::writeMarkdown(std::ostream& out) const {
    core->ensureBuilt();
    std::string page;
    if (!param_detail::tryAllocating([&] { page = param_detail::markdownReference(*core); })) return CParam::NOT_OK;
    out << page;
    out.flush();
    return out ? CParam::OK : CParam::NOT_OK;
}

int Command::writeParameters(std::ostream& out, const std::vector<std::string>& leaveOut) {
    core->ensureBuilt();
    return core->engine->WriteParameters(out, core->unwritten(leaveOut));
}

int Command::writeParameterFile(const char* fileName, const std::vector<std::string>& leaveOut) {
    core->ensureBuilt();
    return core->engine->WriteParameterFile(fileName, core->unwritten(leaveOut));
}

}  // namespace param
