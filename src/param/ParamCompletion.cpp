// Completion scripts for bash, zsh and fish, written from the definitions: after "-" or "--" the
// flags and keywords; after a parameter that takes a value its choices, file names for strings and
// parameter files, nothing for numbers; file names for positional words. The scripts are static:
// they never run the program while completing.
#include <cctype>
#include <cstring>
#include <deque>
#include <ostream>
#include <string>
#include <vector>

#include "Param.h"
#include "detail/Memory.h"
#include "detail/Texts.h"
#include "detail/ValueCheck.h"

namespace usage = param_detail::text::usage;

namespace {

// What the scripts need of one flag or keyword.
struct Option {
    char flag;
    std::string keyword;
    std::string description;
    bool takesValue;
    bool files;                                // its value is a file name
    const std::vector<std::string>* choices;  // null: none
    bool repeatable;
};

// Text in single quotes for the shells, which all read '\'' as a quote inside it; fish also reads
// \\ as one backslash.
std::string quoted(const std::string& text, bool fish = false) {
    std::string result = "'";
    for (const char c : text) {
        if (c == '\'') {
            result += fish ? "\\'" : "'\\''";
        } else {
            if (fish && c == '\\') result += '\\';
            result += c;
        }
    }
    return result + "'";
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
    return text;
}

// The names of an option as bash sees them: "-o|--Order".
std::string names(const Option& option) {
    return (option.flag != 0 ? std::string{'-', option.flag, '|'} : "") + "--" + option.keyword;
}

// A shell function name made from the program's name.
std::string functionName(const char* program) {
    std::string name = "_";
    for (const char* c = program; *c != '\0'; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return name + "_completion";
}

void writeBash(std::ostream& out, const std::vector<Option>& options, const char* program) {
    const std::string function = functionName(program);
    std::string all = "--", valued, numbers, files;
    for (const Option& o : options) {
        all += (o.flag != 0 ? std::string(" -") + o.flag : "") + " --" + o.keyword;
        if (!o.takesValue) continue;
        valued += (valued.empty() ? "" : "|") + names(o);
        if (o.files) files += (files.empty() ? "" : "|") + names(o);
        if (!o.files && o.choices == nullptr) numbers += (numbers.empty() ? "" : "|") + names(o);
    }
    out << "# Completion of " << program << " for bash, written by " << program << " from its parameters.\n"
        << function << "() {\n"
        << "    local line=${COMP_LINE:0:COMP_POINT} cur=\"\" prev=\"\" option=\"\"\n"
        << "    local -a words=()\n"
        << "    read -ra words <<< \"$line\"\n"
        << "    local n=${#words[@]}\n"
        << "    if [[ -z $line || $line =~ [[:space:]]$ ]]; then\n"
        << "        (( n > 0 )) && prev=${words[n-1]}\n"
        << "    else\n"
        << "        cur=${words[n-1]}\n"
        << "        (( n > 1 )) && prev=${words[n-2]}\n"
        << "    fi\n"
        << "    local value=$cur\n"
        << "    if [[ $cur == --*=* ]]; then\n"
        << "        option=${cur%%=*}\n"
        << "        value=${cur#*=}\n"
        << "    else\n"
        << "        case $prev in " << valued << ") option=$prev ;; esac\n"
        << "    fi\n"
        << "    COMPREPLY=()\n"
        << "    case $option in\n";
    for (const Option& o : options) {
        if (o.choices != nullptr) {
            out << "        " << names(o) << ") COMPREPLY=($(compgen -W " << quoted(joined(*o.choices))
                << " -- \"$value\")) ;;\n";
        }
    }
    if (!numbers.empty()) out << "        " << numbers << ") ;;\n";
    out << "        " << files << ") compopt -o filenames 2>/dev/null; COMPREPLY=($(compgen -f -- \"$value\")) ;;\n"
        << "        *)\n"
        << "            if [[ $cur == -* ]]; then\n"
        << "                COMPREPLY=($(compgen -W " << quoted(all) << " -- \"$cur\"))\n"
        << "            else\n"
        << "                compopt -o filenames 2>/dev/null\n"
        << "                COMPREPLY=($(compgen -f -- \"$cur\"))\n"
        << "            fi ;;\n"
        << "    esac\n"
        << "    # Where bash breaks words at \"=\", it completes only what follows it.\n"
        << "    if [[ $cur == --*=* && $COMP_WORDBREAKS != *=* ]]; then\n"
        << "        COMPREPLY=(\"${COMPREPLY[@]/#/$option=}\")\n"
        << "    fi\n"
        << "}\n"
        << "complete -F " << function << " " << program << "\n";
}

// A description in the brackets of an option given to zsh's _arguments.
std::string zshDescription(const std::string& text) {
    std::string result;
    for (const char c : text) {
        if (c == '[' || c == ']' || c == '\\' || c == ':') result += '\\';
        result += c;
    }
    return result;
}

void writeZsh(std::ostream& out, const std::vector<Option>& options, const char* program) {
    const std::string function = functionName(program);
    out << "#compdef " << program << "\n"
        << "# Completion of " << program << " for zsh, written by " << program << " from its parameters.\n"
        << function << "() {\n"
        << "    _arguments -s -S \\\n";
    for (const Option& o : options) {
        std::string excluded = o.repeatable ? "'*'" : "'(" + std::string(o.flag != 0 ? std::string{'-', o.flag, ' '} : "") + "--" + o.keyword + ")'";
        std::string spelled = o.flag != 0 ? "{-" + std::string(1, o.flag) + (o.takesValue ? "+" : "") + ",--" + o.keyword +
                                                (o.takesValue ? "=" : "") + "}"
                                          : quoted("--" + o.keyword + (o.takesValue ? "=" : ""));
        std::string action;
        if (o.takesValue) {
            action = ":value:" + std::string(o.choices != nullptr ? "(" + joined(*o.choices) + ")" : o.files ? "_files" : " ");
        }
        out << "        " << excluded << spelled << quoted("[" + zshDescription(o.description) + "]" + action) << " \\\n";
    }
    out << "        '*:file:_files'\n"
        << "}\n"
        << "if [[ ${zsh_eval_context[-1]} == loadautofunc ]]; then\n"
        << "    " << function << " \"$@\"\n"
        << "else\n"
        << "    compdef " << function << " " << program << "\n"
        << "fi\n";
}

void writeFish(std::ostream& out, const std::vector<Option>& options, const char* program) {
    out << "# Completion of " << program << " for fish, written by " << program << " from its parameters.\n";
    for (const Option& o : options) {
        out << "complete -c " << program;
        if (o.flag != 0) out << " -s " << quoted(std::string(1, o.flag), true);
        out << " -l " << quoted(o.keyword, true);
        if (o.choices != nullptr) {
            out << " -x -a " << quoted(joined(*o.choices), true);
        } else if (o.files) {
            out << " -r -F";
        } else if (o.takesValue) {
            out << " -x";
        }
        out << " -d " << quoted(o.description, true) << "\n";
    }
}

}  // namespace

int CParam::WriteCompletionScript(std::ostream& out, const char* shell, const char* program) {
    if (shell == nullptr || program == nullptr) return NOT_OK;
    const bool bash = std::strcmp(shell, "bash") == 0, zsh = std::strcmp(shell, "zsh") == 0;
    if (!bash && !zsh && std::strcmp(shell, "fish") != 0) return NOT_OK;
    const bool written = param_detail::tryAllocating([&] {
        std::vector<Option> options = {{'h', "help", usage::helpDescription(), false, false, nullptr, false},
                                       {'f', "ParameterFile", usage::parameterFileDescription(), true, true, nullptr, true}};
        std::deque<std::vector<std::string>> named;  // the names of types described by their names
        for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
            CParamDef* d = e->definition;
            if (d->no_keyword()) continue;  // given by position only: a file name
            const std::vector<std::string>* choices = d->check ? d->check->words() : nullptr;
            if (choices == nullptr && d->valueType != nullptr && d->valueType->names != nullptr) {
                choices = &named.emplace_back(d->valueType->names, d->valueType->names + d->valueType->nameCount);
            }
            const bool text = d->valueType != nullptr && d->valueType->files;
            options.push_back({d->getFlag(), d->getKeyword(), d->description.get(), d->skipAfter(),
                               d->skipAfter() && text && choices == nullptr, choices, d->isList()});
        }
        if (bash) {
            writeBash(out, options, program);
        } else if (zsh) {
            writeZsh(out, options, program);
        } else {
            writeFish(out, options, program);
        }
    });
    out.flush();
    return written && out ? OK : NOT_OK;
}
