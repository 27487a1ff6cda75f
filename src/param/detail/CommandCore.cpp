#include "CommandCore.h"

#include <algorithm>
#include <sstream>

#include "Memory.h"
#include "ProcessEnd.h"
#include "Texts.h"
#include "ValueCheck.h"

namespace param_detail {

using param::Command;

CommandCore::CommandCore(Command& self, const char* name, const char* description)
    : self(self), name(name != nullptr ? name : ""), description(description != nullptr ? description : "") {
    parameters.reserve(8);  // most programs have a few; their growth is then free
}

void CommandCore::appendCheck(CParamDef& definition, std::unique_ptr<ValueCheck> check) {
    if (!check) failAssertion("check");
    std::unique_ptr<ValueCheck>* end = &definition.check;
    while (*end) end = &(*end)->next;
    *end = std::move(check);
}

const ValueOps* CommandCore::valueTypeOf(const CParamDef& definition) { return definition.valueType; }

std::vector<std::string> CommandCore::summariesOf(const CParamDef& definition) {
    std::vector<std::string> said;
    for (const ValueCheck* c = definition.check.get(); c != nullptr; c = c->next.get()) {
        if (*c->summary() != '\0') said.emplace_back(c->summary());
    }
    if (said.empty() && definition.valueType != nullptr && definition.valueType->names != nullptr) {
        said.emplace_back(definition.valueType->name);
    }
    return said;
}

std::vector<std::string> CommandCore::choicesOf(const CParamDef& definition) { return Interpretation::choicesOf(definition); }

const std::string& CommandCore::descriptionOf(const Command& command) { return command.core->description; }

CommandCore& CommandCore::of(const Command& command) { return *command.core; }

void CommandCore::ensureBuilt() {
    if (!engine && !build()) failAssertion("parameters");
}

Declaration* CommandCore::special(int kind) const {
    for (const auto& parameter : parameters) {
        Declaration& d = parameter->declared;
        if (d.kind == kind) return d.longNames.empty() && d.letters.empty() ? nullptr : &d;
    }
    return nullptr;
}

const param::Parameter* CommandCore::withLongName(const std::string& longName) const {
    for (const auto& parameter : parameters) {
        const Declaration& d = parameter->declared;
        if (std::find(d.longNames.begin(), d.longNames.end(), longName) != d.longNames.end()) return parameter.get();
    }
    return nullptr;
}

const param::Parameter* CommandCore::withLetter(char letter) const {
    for (const auto& parameter : parameters) {
        if (parameter->declared.letters.find(letter) != std::string::npos) return parameter.get();
    }
    return nullptr;
}

// A program declared by its path ("/usr/bin/kv", or argv[0]) is shown by its base name.
std::string CommandCore::path() const { return parent != nullptr ? parent->path() + " " + name : name.substr(name.find_last_of('/') + 1); }

namespace {

bool usableLongName(const std::string& name) {
    if (name.empty() || name.front() == '-') return false;
    return std::none_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == '=' || c == 0x7f; });
}

bool usableLetter(char letter) {
    const auto c = static_cast<unsigned char>(letter);
    return c > ' ' && c < 0x7f && c != '-' && c != '=';
}

}  // namespace

// The names each parameter answers to on the command line must be usable and its own; positional
// parameters must be in an order the words can fill.
std::string CommandCore::declarationProblem() const {
    bool restSeen = false, optionalSeen = false;
    bool letterSeen[256] = {};
    // The long names and positional names (the keywords in files too), kept beside the loop without an
    // allocation for the usual few.
    const std::string* few[32];
    std::vector<const std::string*> more;
    std::size_t count = 0;
    const auto add = [&](const std::string* word) {
        if (count < 32) {
            few[count++] = word;
        } else {
            more.push_back(word);
        }
    };
    const auto sameAs = [&](const std::string& name) -> const std::string* {
        for (std::size_t i = 0; i < count; ++i) {
            if (*few[i] == name) return few[i];
        }
        for (const std::string* word : more) {
            if (*word == name) return word;
        }
        return nullptr;
    };
    for (const auto& parameter : parameters) {
        const Declaration& d = parameter->declared;
        if (!d.badNames.empty()) return text::badName(d.badNames.front());
        const bool special = d.kind >= kHelp;
        if (d.kind == kPositional) {
            if (!usableLongName(d.positionalName)) return text::badName(d.positionalName);
            if (!commands.empty()) return text::positionalBesideCommands(d.positionalName);
            if (restSeen) return text::positionalBehindRest(d.positionalName);
            if (d.required && optionalSeen) return text::requiredBehindOptional(d.positionalName);
            optionalSeen = optionalSeen || !d.required;
            restSeen = parameter->gathersWords();
            if (sameAs(d.positionalName) != nullptr) return text::nameTwice(d.positionalName);
            add(&d.positionalName);
        } else if (!special && d.longNames.empty() && d.letters.empty()) {
            return text::namelessParameter(d.help);
        }
        for (const char letter : d.letters) {
            if (!usableLetter(letter)) return text::badName(std::string{'-', letter});
            bool& seen = letterSeen[static_cast<unsigned char>(letter)];
            if (seen) return text::nameTwice(std::string{'-', letter});
            seen = true;
        }
        for (const std::string& longName : d.longNames) {
            if (!usableLongName(longName)) return text::badName("--" + longName);
            if (sameAs(longName) != nullptr) return text::nameTwice("--" + longName);
            add(&longName);
        }
        for (const auto& relation : d.relations) {
            const bool own = std::any_of(parameters.begin(), parameters.end(), [&](const auto& o) { return o.get() == relation.second; });
            if (!own) return text::foreignRelation(d.displayName());
        }
    }
    // --no-NAME of a negatable switch is a name too.
    for (const auto& parameter : parameters) {
        if (!parameter->declared.negatable) continue;
        for (const std::string& longName : parameter->declared.longNames) {
            if (const std::string* other = sameAs("no-" + longName)) return text::nameTwice("--" + *other);
        }
    }
    return commandProblem();
}

std::string CommandCore::commandProblem() const {
    for (auto c = commands.begin(); c != commands.end(); ++c) {
        const std::string& commandName = (*c)->core->name;
        if (!usableLongName(commandName)) return text::badCommandName(commandName);
        const bool twice = std::any_of(commands.begin(), c, [&](const auto& o) { return o->core->name == commandName; });
        if (twice) return text::commandTwice(commandName);
    }
    return {};
}

bool CommandCore::build(const char* programName) {
    return tryAllocating([&] {
        engine.reset();
        engine.emplace();
        engine->SetConventions(CParam::CONVENTIONS_TODAY);
        if (programName != nullptr) engine->programName = programName;
        int position = 0;
        for (const auto& parameter : parameters) {
            Declaration& d = parameter->declared;
            d.element = nullptr;
            d.givenAs.clear();
            if (d.kind >= kHelp) continue;  // the special options have no definition
            const std::string keyword = d.keyword();
            const int at = d.kind == param_detail::kPositional ? ++position : -1;
            // The help text stays with the declaration, which the help screen reads (a switch's definition
            // keeps an empty one).
            CParamDef* definition =
                parameter->makeDefinition(keyword.c_str(), d.valueName.c_str(), d.kind == kFlag ? "" : nullptr, !d.required, at);
            if (definition == nullptr) throw std::bad_alloc();
            d.element = engine->adopt(definition);
            if (d.element == nullptr) throw std::bad_alloc();
        }
    });
}

std::vector<Variable> CommandCore::variables() const {
    std::vector<Variable> named;
    const std::string own = prefix();
    for (const auto& parameter : parameters) {
        const Declaration& d = parameter->declared;
        if (d.element == nullptr) continue;
        if (!d.environment.empty()) {
            named.push_back({d.element, d.environment});
        } else if (!own.empty() && (d.kind == param_detail::kPositional || !d.longNames.empty())) {
            named.push_back({d.element, own + d.keyword()});
        }
    }
    return named;
}

std::string CommandCore::fileVariable() const {
    const Declaration* file = special(param_detail::kFile);
    if (file == nullptr) return {};
    if (!file->environment.empty()) return file->environment;
    const std::string own = prefix();
    return own.empty() || file->longNames.empty() ? std::string() : own + file->keyword();
}

std::vector<std::string> CommandCore::unwritten(const std::vector<std::string>& leaveOut) const {
    std::vector<std::string> keywords = leaveOut;
    const auto leaveOutAtDefault = [&](const Declaration& d) {
        if (!d.isGiven() && d.element != nullptr) keywords.push_back(d.keyword());
    };
    for (const auto& parameter : parameters) {
        const Declaration& d = parameter->declared;
        for (const auto& relation : d.relations) {
            leaveOutAtDefault(d);
            leaveOutAtDefault(relation.second->declared);
        }
    }
    for (const Group& group : groups) {
        for (const param::Parameter* member : group.members) leaveOutAtDefault(member->declared);
    }
    return keywords;
}

std::string CommandCore::prefix() const {
    if (!environmentPrefix.empty() || parent == nullptr) return environmentPrefix;
    std::string own = parent->prefix();
    if (own.empty()) return own;
    for (const char c : name) {
        const bool alphanumeric = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        own += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : alphanumeric ? c : '_';
    }
    return own + "_";
}

void CommandCore::buildAll(const char* programName) {
    if (!build(programName)) failAssertion("parameters");
    for (const auto& command : commands) command->core->buildAll(programName);
}

void CommandCore::invoked(std::string as) {
    invokedAs = std::move(as);
    engine->programName = invokedAs.c_str();
}

param::Result CommandCore::problem(int code, const char* subject, const char* value) const {
    param::Result result;
    result.command_ = &self;
    result.status_ = param::Result::PROBLEM;
    result.code_ = code;
    if (!tryAllocating([&] {
            result.parameter_ = subject != nullptr ? subject : "";
            result.value_ = value != nullptr ? value : "";
            std::ostringstream messages;
            text::Problem report{code, subject, value};
            report.visible = true;
            text::problem(report, (invokedAs.empty() ? path() : invokedAs).c_str(), messages);
            result.text_ = messages.str();
        })) {
        failAssertion("problem");
    }
    return result;
}

param::Result CommandCore::parse(int argc, const char* const* argv) {
    param::Result result;
    result.command_ = &self;
    if (!tryAllocating([&] {
            words.clear();
            words.reserve(static_cast<std::size_t>(argc > 0 ? argc : 1));
            for (int i = 0; argv != nullptr && i < argc; ++i) words.emplace_back(argv[i] != nullptr ? argv[i] : "");
            if (words.empty()) words.push_back(name);
            // Every command built before the words are read: none keeps a value of an earlier reading
            // (not one this reading does not reach, nor one whose parameters a group of a command it
            // reaches counts as given), and nothing written afterwards builds one again.
            buildAll(words.front().c_str());
            Reading reading;
            const int code = readCommandLine(*this, words, reading);
            if (reading.deepest != nullptr) result.command_ = &reading.deepest->self;
            if (code == kHelpAsked) {
                result.status_ = param::Result::HELP;
                result.text_ = helpScreen(*reading.helpOf, terminalWidth());
            } else if (code == kCompletionAsked) {
                std::string refused;
                const bool written = completionScript(*this, reading.format.c_str(), result.text_, refused);
                result.status_ = written ? param::Result::COMPLETION : param::Result::PROBLEM;
                // A text of the declarations that no script can hold safely: the program's mistake.
                if (!written) {
                    result.code_ = param::PROBLEM_DECLARATION;
                    result.text_ = refused;
                }
            } else if (code == kManualAsked) {
                result.status_ = param::Result::MANUAL;
                result.text_ = reading.format == "man" ? manualPage(*this, 1, pageDate()) : markdownReference(*this);
            } else if (code == kVersionAsked) {
                result.status_ = param::Result::VERSION;
                result.text_ = (reading.versionOf != nullptr ? reading.versionOf->versionText : versionText) + "\n";
            } else if (code < 0) {
                result.status_ = param::Result::PROBLEM;
                result.code_ = code;
                result.parameter_ = reading.reported.subject;
                result.value_ = reading.reported.value;
                result.text_ = reading.text;
            }
        })) {
        failAssertion("parse");
    }
    return result;
}

}  // namespace param_detail
