// The command-line source of the new interface: the words as programs read them today. Options and
// positional words in any order; --name=value and --name value; -x value, -xvalue and letters grouped
// (-abc, -abx value); an optional value only attached; --no-name for a negatable switch; "--" ends
// the options and "-" is a word. Nothing is reserved: every name is the program's.
#include <cstring>

#include "CommandCore.h"
#include "Memory.h"
#include "Texts.h"

namespace param_detail {
namespace {

using param::Command;

class CommandWords {
public:
    CommandWords(CommandCore& core, Interpretation& run, std::vector<std::string>& words) : core(core), run(run), words(words) {}

    int walk() {
        while (index < words.size()) {
            std::string& word = words[index];
            int consumed;
            if (optionsEnded || word.size() < 2 || word[0] != '-') {
                consumed = positionalWord(word);
            } else if (word == "--") {
                optionsEnded = true;
                consumed = 1;
            } else if (word[1] == '-') {
                consumed = longOption(word);
            } else {
                consumed = letters(word);
            }
            if (asked != 0) return asked;
            if (consumed < 0) return consumed;
            index += static_cast<std::size_t>(consumed);
        }
        return CParam::OK;
    }

private:
    CommandCore& core;
    Interpretation& run;
    std::vector<std::string>& words;
    std::size_t index = 1;
    int position = 0;
    bool optionsEnded = false;
    int asked = 0;  // kHelpAsked or kVersionAsked
    std::string implicit;  // the implicit value handed on, which a definition may not change in place

    char* nextWord() { return index + 1 < words.size() ? &words[index + 1][0] : nullptr; }

    int give(Declaration* declared, Finding::Form form, const std::string& name, char* value) {
        if (declared != nullptr && declared->once && !declared->givenAs.empty()) {
            return run.report(param::PROBLEM_RELATION, name.c_str(), value != nullptr ? value : "", text::givenTwice(name));
        }
        const Finding finding{form, declared != nullptr ? declared->element : nullptr, name.c_str(), value,
                              ParamOrigin{nullptr, 0, ParamOrigin::COMMAND_LINE}, COMMAND_LINE_RANK};
        const int result = run.apply(finding);
        if (result > 0 && declared != nullptr) declared->givenAs = name;
        return result;
    }

    int positionalWord(std::string& word) {
        ParamListElement* element = run.positional(++position);
        if (element == nullptr) return run.report(CParam::PROBLEM_MISSING_HYPHEN, word.c_str(), "", text::unexpectedWord(word));
        Declaration* declared = nullptr;
        for (const auto& parameter : core.parameters) {
            if (CommandCore::declared(*parameter).element == element) declared = &CommandCore::declared(*parameter);
        }
        const int result = give(declared, Finding::POSITIONAL_WORD, declared != nullptr ? declared->displayName() : word, &word[0]);
        return result < 0 ? result : 1;
    }

    // A value that stands in its own word, or none when this one is the last.
    int valueOf(Declaration& d, char* attached, char*& value) {
        if (attached != nullptr) {
            value = attached;
            return 1;
        }
        if (d.hasImplicit) {
            implicit = d.implicitValue;
            value = &implicit[0];
            return 1;
        }
        value = nextWord();
        return value != nullptr ? 2 : 1;
    }

    int take(Declaration& d, const std::string& name, Finding::Form form, char* attached, bool negated) {
        switch (d.kind) {
        case param_detail::kHelp: asked = kHelpAsked; return 0;
        case param_detail::kVersion: asked = kVersionAsked; return 0;
        case param_detail::kFlag:
        case param_detail::kCounter: {
            if (negated && attached != nullptr) return run.report(CParam::PROBLEM_INVALID_VALUE, name.c_str(), attached, text::takesNoValue(name, attached));
            char off[] = "false";
            const int result = give(&d, form, name, negated ? off : attached);
            return result < 0 ? result : 1;
        }
        default: break;
        }
        char* value = nullptr;
        const int consumed = valueOf(d, attached, value);
        if (d.kind == param_detail::kFile) {
            if (value == nullptr) return run.showError(CParam::PROBLEM_MISSING_VALUE, name.c_str(), "");
            const int result = run.parameterFile(value, COMMAND_LINE_RANK);
            return result < 0 ? result : consumed;
        }
        const int result = give(&d, form, name, value);
        return result < 0 ? result : consumed;
    }

    int longOption(std::string& word) {
        const std::size_t equals = word.find('=');
        std::string longName = word.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        char* attached = equals != std::string::npos ? &word[equals + 1] : nullptr;
        const param::Parameter* parameter = core.withLongName(longName);
        bool negated = false;
        if (parameter == nullptr && longName.compare(0, 3, "no-") == 0) {
            const param::Parameter* switched = core.withLongName(longName.substr(3));
            negated = switched != nullptr && CommandCore::declared(*switched).negatable;
            if (negated) parameter = switched;
        }
        const std::string name = "--" + longName;
        if (parameter == nullptr) return give(nullptr, Finding::LONG_WORD, name, attached);
        return take(CommandCore::declared(*parameter), name, Finding::LONG_WORD, attached, negated);
    }

    int letters(std::string& word) {
        for (std::size_t i = 1; i < word.size(); ++i) {
            const std::string name{'-', word[i]};
            const param::Parameter* parameter = core.withLetter(word[i]);
            if (parameter == nullptr) return give(nullptr, Finding::LETTER_WORD, name, nullptr);
            Declaration& d = CommandCore::declared(*parameter);
            if (d.kind == param_detail::kFlag || d.kind == param_detail::kCounter) {
                const int result = take(d, name, Finding::SWITCH_RUN, nullptr, false);
                if (result < 0) return result;
                continue;
            }
            return take(d, name, Finding::LETTER_WORD, i + 1 < word.size() ? &word[i + 1] : nullptr, false);
        }
        return 1;
    }
};

}  // namespace

int readWords(CommandCore& core, Interpretation& run, std::vector<std::string>& words) {
    return CommandWords(core, run, words).walk();
}

}  // namespace param_detail
