// The completion script of a param::Command: the model of its options and commands, written for a
// shell by detail/Completion.
#include <algorithm>
#include <iostream>

#include "Command.h"
#include "detail/CommandCore.h"
#include "detail/Completion.h"
#include "detail/Memory.h"
#include "detail/Texts.h"

namespace param_detail {
namespace {

CompletionOption optionOf(const Declaration& d) {
    CompletionOption option;
    for (const char letter : d.letters) option.names.push_back(std::string{'-', letter});
    for (const std::string& longName : d.longNames) {
        option.names.push_back("--" + longName);
        if (d.negatable) option.names.push_back("--no-" + longName);
    }
    option.description = d.helpText();
    option.valueName = d.valueName;
    if (d.kind == kFile) {
        option.value = CompletionOption::REQUIRED;
        option.files = true;
        option.repeatable = true;
    } else if (d.kind == kCompletion) {
        option.value = CompletionOption::REQUIRED;
        option.choices = {"bash", "zsh", "fish"};
    } else if (d.kind == kManual) {
        option.value = CompletionOption::REQUIRED;
        option.choices = {"man", "markdown"};
    } else if (d.kind == kValue) {
        CParamDef* definition = d.element->definition;
        option.value = d.hasImplicit ? CompletionOption::OPTIONAL : CompletionOption::REQUIRED;
        option.choices = CommandCore::choicesOf(*definition);
        const ValueOps* ops = CommandCore::valueTypeOf(*definition);
        option.files = option.choices.empty() && ops != nullptr && ops->files;
        option.repeatable = definition->isList();
    } else if (d.kind == kCounter) {
        option.repeatable = true;
    }
    return option;
}

// The model of a command: its options (and those of the commands above it that may stand after their
// commands), whether its words are file names, and its commands.
CompletionCommand modelOf(CommandCore& core, const std::vector<CompletionOption>& inherited) {
    core.ensureBuilt();
    CompletionCommand model{core.parent != nullptr ? core.name : "", core.description, {}, false, {}};
    std::vector<CompletionOption> shared;
    for (const auto& parameter : core.parameters) {
        const Declaration& d = CommandCore::declared(*parameter);
        if (d.hidden) continue;
        if (d.kind == kPositional) {
            const ValueOps* ops = CommandCore::valueTypeOf(*d.element->definition);
            model.positionalFiles = model.positionalFiles || (ops != nullptr && ops->files);
            continue;
        }
        if (d.longNames.empty() && d.letters.empty()) continue;
        model.options.push_back(optionOf(d));
        if (core.isShared) shared.push_back(model.options.back());
    }
    // The options of the commands above, but those whose names this command gives its own (its -h).
    for (const CompletionOption& above : inherited) {
        const bool shadowed = std::any_of(above.names.begin(), above.names.end(), [&](const std::string& name) {
            return std::any_of(model.options.begin(), model.options.end(), [&](const CompletionOption& own) {
                return std::find(own.names.begin(), own.names.end(), name) != own.names.end();
            });
        });
        if (!shadowed) {
            model.options.push_back(above);
            shared.push_back(above);
        }
    }
    for (const auto& command : core.commands) model.commands.push_back(modelOf(CommandCore::of(*command), shared));
    return model;
}

}  // namespace

bool completionScript(CommandCore& program, const char* shell, std::string& script, std::string& refused) {
    CompletionShell kind{};
    if (!completionShellNamed(shell, kind)) return false;
    CompletionRefusal refusal;
    // The name a shell completes is the one typed: a program declared by its path, by its base name.
    if (composeCompletionScript(kind, program.path(), modelOf(program, {}), script, refusal)) return true;
    refused = text::completion::refusal(shell, refusal.text, refusal.reason);
    return false;
}

}  // namespace param_detail

namespace param {

int Command::writeCompletion(std::ostream& out, const char* shell) {
    std::string script, refused;
    bool composed = false;
    if (!param_detail::tryAllocating([&] { composed = param_detail::completionScript(*core, shell, script, refused); })) {
        return CParam::NOT_OK;
    }
    if (!composed) {
        std::cerr << refused;
        std::cerr.flush();
        return CParam::NOT_OK;
    }
    out << script;
    out.flush();
    return out ? CParam::OK : CParam::NOT_OK;
}

}  // namespace param
