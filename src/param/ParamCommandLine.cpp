// The command-line interpreter: walks the host's words once, left to right,
// and hands every value to the definition that claims it.
#include <cstring>

#include "Param.h"
#include "detail/Memory.h"
#include "detail/ProcessEnd.h"
#include "detail/Texts.h"

// The state of one interpretation. The current word is copied once (see
// copyWord) so that a long keyword can be cut at its "=" without touching
// the host's words.
struct CParam::WordWalk {
    WordWalk(char** words, int count) : argv(words), argc(count) {}

    char** argv;
    int argc;
    int index = 1;
    int position = 0;  // keyword-less words met so far
    bool delimiterSeen = false;
    bool helpShown = false;

    // Copies the current word: into shortCopy when it fits, which spares the
    // usual command line any allocation, else into longCopy (whose buffer is
    // reused from word to word).
    void copyWord(const char* text) {
        const std::size_t length = std::strlen(text);
        if (length < sizeof shortCopy) {
            std::memcpy(shortCopy, text, length + 1);
            current = shortCopy;
        } else {
            current = longCopy.assign(text, length);
        }
    }
    char* word() { return current; }
    // The word after the current one, or null when the current one is last.
    char* nextWord() const { return index + 1 < argc ? argv[index + 1] : nullptr; }

private:
    char shortCopy[64];
    param_detail::Buffer longCopy{"WholeParameter"};
    char* current = shortCopy;
};

namespace {

const char* orEmpty(const char* text) { return text != nullptr ? text : ""; }

}  // namespace

int CParam::Interpret_returnError(char** argv, int argc) {
    if (argv == nullptr) argc = 0;
    CheckParameters();
    programName = argc > 0 ? argv[0] : nullptr;
    const int fromEnvironment = readEnvironment();
    if (fromEnvironment < 0) return fromEnvironment;
    WordWalk walk(argv, argc);
    while (walk.index < argc) {
        handing = {nullptr, 0, ParamOrigin::COMMAND_LINE};
        walk.copyWord(orEmpty(argv[walk.index]));
        const char* word = walk.word();
        int consumed;
        if (walk.delimiterSeen || word[0] != '-' ||
            (word[1] == '\0' && (conventions & DASH_IS_POSITIONAL) != 0)) {
            consumed = interpretPositionalWord(walk);
        } else if (word[1] == '-') {
            consumed = interpretLongForm(walk);
        } else if (word[1] == '\0') {
            consumed = showError(PROBLEM_UNKNOWN_FLAG, "", "");
        } else {
            consumed = interpretShortForm(walk);
        }
        if (walk.helpShown) return HELP_SHOWN;
        if (consumed < 0) return consumed;
        walk.index += consumed;
    }
    return checkObligatoryParameters();
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

// Each interpret* operation returns the number of words it consumed (1 or
// 2), or the negative code of a problem it has reported.

int CParam::interpretPositionalWord(WordWalk& walk) {
    char* word = walk.word();
    ParamListElement* element = positionalElement(++walk.position);
    if (element == nullptr) return showError(PROBLEM_MISSING_HYPHEN, word, "");
    if (hand(element, word, nullptr) == 0) {
        return reportRefusal(PROBLEM_INVALID_VALUE, element->definition, element->definition->getPartypeName(), word);
    }
    return 1;
}

// Hands value to the definition of a flag or keyword (subject: as given, "-n" or "--Top").
int CParam::giveValue(ParamListElement* element, const char* subject, char* value) {
    if (value == nullptr && element->definition->skipAfter() && (conventions & RETURN_PROBLEMS) != 0) {
        return showError(PROBLEM_MISSING_VALUE, subject, "");
    }
    if (hand(element, value, nullptr) == 0) {
        return reportRefusal(PROBLEM_INVALID_VALUE, element->definition, subject, orEmpty(value));
    }
    return OK;
}

int CParam::interpretLongForm(WordWalk& walk) {
    char* keyword = walk.word() + 2;
    char* value = walk.nextWord();
    char* equals = std::strchr(keyword, '=');
    const bool valueAttached = equals != nullptr;
    if (valueAttached) {
        *equals = '\0';
        value = equals + 1;
    }
    const int wordsWithValue = valueAttached ? 1 : 2;

    ParamListElement* element = elementWithKeyword(keyword);
    if (element != nullptr && !element->definition->no_keyword()) {
        const bool takesValue = element->definition->skipAfter();
        // A switch named alone is turned on; with strict values only what follows "=" is its value.
        if (!takesValue && !valueAttached && (conventions & STRICT_VALUES) != 0) value = nullptr;
        // The word's copy, cut at its "=", reads "--keyword".
        const int result = giveValue(element, walk.word(), value);
        if (result < 0) return result;
        return takesValue ? wordsWithValue : 1;
    }
    if (std::strcmp(keyword, "help") == 0) return showHelp(walk);
    if (std::strcmp(keyword, "ParameterFile") == 0) {
        const int result = read_parameter_file(orEmpty(value));
        return result < 0 ? result : wordsWithValue;
    }
    // "--" is the delimiter; "--=text" too, unless the set reads words strictly.
    if (*keyword == '\0' && (!valueAttached || (conventions & STRICT_WORDS) == 0)) {
        walk.delimiterSeen = true;
        return 1;
    }
    return showError(PROBLEM_UNKNOWN_KEYWORD, keyword, orEmpty(value));
}

int CParam::interpretShortForm(WordWalk& walk) {
    char* letter = walk.word() + 1;
    // A run of switches, set left to right.
    for (ParamListElement* sw; (sw = elementWithFlag(*letter)) != nullptr && !sw->definition->skipAfter(); ++letter) {
        // A switch in a run has no value: the empty text by default, none at all with strict values.
        char emptyValue[1] = {'\0'};
        if (hand(sw, (conventions & STRICT_VALUES) != 0 ? nullptr : emptyValue, nullptr) != 0) continue;
        const char subject[3] = {'-', *letter, '\0'};
        if ((conventions & RETURN_PROBLEMS) != 0) return reportRefusal(PROBLEM_INVALID_VALUE, sw->definition, subject, "");
        param_detail::text::switchRefusedEmptyValue();
        param_detail::endProcess(-1);
    }
    if (*letter == 'h') return showHelp(walk);
    if (*letter == '\0') return 1;

    const char flag = *letter;
    const char flagSubject[3] = {'-', flag, '\0'};
    char* value = letter + 1;
    int consumed = 1;
    if (*value == '\0') {
        value = walk.nextWord();
        consumed = 2;
    }
    ParamListElement* element = elementWithFlag(flag);
    if (element != nullptr && !element->definition->no_keyword() && element->definition->skipAfter()) {
        const int result = giveValue(element, flagSubject, value);
        return result < 0 ? result : consumed;
    }
    if (flag == 'f') {
        const int result = read_parameter_file(orEmpty(value));
        return result < 0 ? result : consumed;
    }
    return showError(PROBLEM_UNKNOWN_FLAG, flagSubject, "");
}

// The usage screen ends the process unless the host has the set return.
int CParam::showHelp(WordWalk& walk) {
    usageInfo(walk.argv[0]);
    walk.helpShown = true;
    return 0;
}

int CParam::checkObligatoryParameters() {
    for (ParamListElement* element = firstElement; element != nullptr; element = element->next) {
        CParamDef* definition = element->definition;
        if (definition->isSatisfied()) continue;
        const char* name =
            definition->no_keyword() ? definition->getPartypeName() : definition->getKeyword();
        return showError(PROBLEM_MISSING_PARAMETER, name, "");
    }
    return OK;
}
