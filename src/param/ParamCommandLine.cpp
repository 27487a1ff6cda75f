// The command-line source: walks the host's words once, left to right, by the set's grammar, and
// gives what each word names to the interpretation.
#include <cstring>
#include <iostream>

#include "Param.h"
#include "detail/Interpretation.h"
#include "detail/Memory.h"
#include "detail/ProcessEnd.h"
#include "detail/Texts.h"

namespace {

using param_detail::Finding;
using param_detail::Interpretation;

const char* orEmpty(const char* text) { return text != nullptr ? text : ""; }

// The walk over the words of one command line. The current word is copied once (see copyWord) so that
// a long keyword can be cut at its "=" without touching the host's words.
class Words {
public:
    Words(Interpretation& run, CParam& set, char** argv, int argc) : run(run), set(set), argv(argv), argc(argc) {}

    // OK after the last word, HELP_SHOWN after help shown (when the set returns), or the code of the
    // first problem.
    int walk() {
        const unsigned conventions = run.conventions();
        while (index < argc) {
            copyWord(orEmpty(argv[index]));
            int consumed;
            if (delimiterSeen || current[0] != '-' || (current[1] == '\0' && (conventions & CParam::DASH_IS_POSITIONAL) != 0)) {
                consumed = positionalWord();
            } else if (current[1] == '-') {
                consumed = longForm();
            } else if (current[1] == '\0') {
                consumed = run.showError(CParam::PROBLEM_UNKNOWN_FLAG, "", "");
            } else {
                consumed = shortForm();
            }
            if (helpShown) return CParam::HELP_SHOWN;
            if (consumed < 0) return consumed;
            index += consumed;
        }
        return CParam::OK;
    }

private:
    Interpretation& run;
    CParam& set;
    char** argv;
    int argc;
    int index = 1;
    int position = 0;  // keyword-less words met so far
    bool delimiterSeen = false;
    bool helpShown = false;
    char shortCopy[64];
    param_detail::Buffer longCopy{"WholeParameter"};
    char* current = shortCopy;

    // Copies the current word: into shortCopy when it fits, which spares the usual command line any
    // allocation, else into longCopy (whose buffer is reused from word to word).
    void copyWord(const char* text) {
        const std::size_t length = std::strlen(text);
        if (length < sizeof shortCopy) {
            std::memcpy(shortCopy, text, length + 1);
            current = shortCopy;
        } else {
            current = longCopy.assign(text, length);
        }
    }
    // The word after the current one, or null when the current one is last.
    char* nextWord() const { return index + 1 < argc ? argv[index + 1] : nullptr; }
    bool follows(unsigned convention) const { return (run.conventions() & convention) != 0; }

    // A finding on the command line: where it came from needs no name.
    int give(Finding::Form form, ParamListElement* element, const char* name, char* value) {
        return run.apply({form, element, name, value, ParamOrigin{nullptr, 0, ParamOrigin::COMMAND_LINE},
                          param_detail::COMMAND_LINE_RANK});
    }

    // Each form returns the number of words it consumed (1 or 2), or the negative code of a problem
    // that has been reported.
    int positionalWord() {
        ParamListElement* element = run.positional(++position);
        const char* name = element != nullptr ? element->definition->getPartypeName() : current;
        const int result = give(Finding::POSITIONAL_WORD, element, name, current);
        return result < 0 ? result : 1;
    }

    int longForm() {
        char* keyword = current + 2;
        char* value = nextWord();
        char* equals = std::strchr(keyword, '=');
        const bool valueAttached = equals != nullptr;
        if (valueAttached) {
            *equals = '\0';
            value = equals + 1;
        }
        const int wordsWithValue = valueAttached ? 1 : 2;

        ParamListElement* element = run.elementWithKeyword(keyword);
        if (element != nullptr && !element->definition->no_keyword()) {
            const bool takesValue = element->definition->skipAfter();
            // A switch named alone is turned on; with strict values only what follows "=" is its value.
            if (!takesValue && !valueAttached && follows(CParam::STRICT_VALUES)) value = nullptr;
            // The word's copy, cut at its "=", reads "--keyword".
            const int result = give(Finding::LONG_WORD, element, current, value);
            if (result < 0) return result;
            return takesValue ? wordsWithValue : 1;
        }
        if (std::strcmp(keyword, "help") == 0) return showHelp();
        if (std::strcmp(keyword, "ParameterFile") == 0) {
            const int result = run.parameterFile(orEmpty(value), param_detail::COMMAND_LINE_RANK);
            return result < 0 ? result : wordsWithValue;
        }
        // "--" is the delimiter; "--=text" too, unless the set reads words strictly.
        if (*keyword == '\0' && (!valueAttached || !follows(CParam::STRICT_WORDS))) {
            delimiterSeen = true;
            return 1;
        }
        return give(Finding::LONG_WORD, nullptr, current, value);
    }

    int shortForm() {
        char* letter = current + 1;
        // A run of switches, set left to right; a switch in a run has no value: the empty text by
        // default, none at all with strict values.
        char emptyValue[1] = {'\0'};
        for (ParamListElement* sw; (sw = run.elementWithFlag(*letter)) != nullptr && !sw->definition->skipAfter(); ++letter) {
            const char subject[3] = {'-', *letter, '\0'};
            const int result = give(Finding::SWITCH_RUN, sw, subject, follows(CParam::STRICT_VALUES) ? nullptr : emptyValue);
            if (result < 0) return result;
        }
        if (*letter == 'h') return showHelp();
        if (*letter == '\0') return 1;

        const char flag = *letter;
        const char flagSubject[3] = {'-', flag, '\0'};
        char* value = letter + 1;
        int consumed = 1;
        if (*value == '\0') {
            value = nextWord();
            consumed = 2;
        }
        ParamListElement* element = run.elementWithFlag(flag);
        if (element != nullptr && !element->definition->no_keyword() && element->definition->skipAfter()) {
            const int result = give(Finding::LETTER_WORD, element, flagSubject, value);
            return result < 0 ? result : consumed;
        }
        if (flag == 'f') {
            const int result = run.parameterFile(orEmpty(value), param_detail::COMMAND_LINE_RANK);
            return result < 0 ? result : consumed;
        }
        return give(Finding::LETTER_WORD, nullptr, flagSubject, nullptr);
    }

    // The usage screen ends the process unless the host has the set return.
    int showHelp() {
        set.usageInfo(argv[0]);
        helpShown = true;
        return 0;
    }
};

}  // namespace

int CParam::Interpret_returnError(char** argv, int argc) {
    if (argv == nullptr) argc = 0;
    CheckParameters();
    programName = argc > 0 ? argv[0] : nullptr;
    // Each interpretation starts afresh: the files read before are no loop, and lists have their
    // defaults again.
    param_detail::Interpretation run(*this, paramFileList, &std::cerr);
    run.startAfresh();
    const int fromEnvironment = run.environment();
    if (fromEnvironment < 0) return fromEnvironment;
    const int fromWords = run.commandLine(argv, argc);
    return fromWords == OK ? run.obligatoryCheck() : fromWords;
}

int CParam::Interpret(char** argv, int argc) {
    return Interpret_returnError(argv, argc) == OK ? OK : NOT_OK;
}

int CParam::Interpret_exitOnError(char** argv, int argc) {
    const int result = Interpret_returnError(argv, argc);
    if (result == OK) return 1;
    if (result == HELP_SHOWN) param_detail::endProcess(0);
    param_detail::text::exiting();
    param_detail::endProcess(-1);
}

namespace param_detail {

int Interpretation::commandLine(char** argv, int argc) { return Words(*this, set, argv, argc).walk(); }

}  // namespace param_detail
