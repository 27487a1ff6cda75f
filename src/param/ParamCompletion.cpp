// The completion model of a parameter set: the program's options are -h/--help, -f/--ParameterFile
// and every definition named by a flag or keyword; positional words are file names. The scripts
// themselves are written by detail/Completion.
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "Param.h"
#include "detail/Completion.h"
#include "detail/Memory.h"
#include "detail/Texts.h"
#include "detail/ValueCheck.h"

namespace usage = param_detail::text::usage;

int CParam::WriteCompletionScript(std::ostream& out, const char* shell, const char* program) {
    param_detail::CompletionShell kind{};
    if (program == nullptr || !param_detail::completionShellNamed(shell, kind)) return NOT_OK;
    using Option = param_detail::CompletionOption;
    std::string script;
    param_detail::CompletionRefusal refusal;
    bool composed = false;
    const bool allocated = param_detail::tryAllocating([&] {
        param_detail::CompletionCommand root;
        root.positionalFiles = true;
        root.options.push_back({{"-h", "--help"}, usage::helpDescription(), "", Option::NONE, {}, false, false});
        root.options.push_back(
            {{"-f", "--ParameterFile"}, usage::parameterFileDescription(), "file", Option::REQUIRED, {}, true, true});
        for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
            CParamDef* d = e->definition;
            if (d->no_keyword()) continue;  // given by position only: a file name
            Option option;
            if (d->getFlag() != 0) option.names.push_back(std::string{'-', d->getFlag()});
            option.names.push_back(std::string("--") + d->getKeyword());
            option.description = d->description ? d->description.get() : "";
            option.valueName = d->getPartypeName() != nullptr ? d->getPartypeName() : "";
            option.value = d->skipAfter() ? Option::REQUIRED : Option::NONE;
            if (const std::vector<std::string>* words = d->check ? d->check->words() : nullptr) {
                option.choices = *words;
            } else if (d->valueType != nullptr && d->valueType->names != nullptr) {
                option.choices.assign(d->valueType->names, d->valueType->names + d->valueType->nameCount);
            }
            const bool text = d->valueType != nullptr && d->valueType->files;
            option.files = d->skipAfter() && text && option.choices.empty();
            option.repeatable = d->isList();
            root.options.push_back(std::move(option));
        }
        composed = param_detail::composeCompletionScript(kind, program, root, script, refusal);
    });
    if (!allocated) return NOT_OK;
    if (!composed) {
        param_detail::text::completion::refused(shell, refusal.text, refusal.reason);
        return NOT_OK;
    }
    // Written whole or not at all: the script is complete before the first byte goes out.
    out << script;
    out.flush();
    return out ? OK : NOT_OK;
}
