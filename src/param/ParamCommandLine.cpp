// The command-line interpreter: walks the host's words once, left to right,
// and hands every value to the definition that claims it.
#include <cstring>
#include <iostream>
#include <new>
#include <string>

#include "Param.h"
#include "ProcessEnd.h"

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

    // Copies the current word: into shortCopy when it fits, which spares the
    // usual command line any allocation, else into longCopy (whose buffer is
    // reused from word to word).
    void copyWord(const char* text) {
        const std::size_t size = std::strlen(text) + 1;
        if (size <= sizeof shortCopy) {
            std::memcpy(shortCopy, text, size);
            current = shortCopy;
        } else {
            try {
                longCopy.assign(text, size - 1);
            } catch (const std::bad_alloc&) {
                param_internal::failAssertion("WholeParameter");
            }
            current = longCopy.data();
        }
    }
    char* word() { return current; }
    // The word after the current one, or null when the current one is last.
    char* nextWord() const { return index + 1 < argc ? argv[index + 1] : nullptr; }

private:
    char shortCopy[64];
    std::string longCopy;
    char* current = shortCopy;
};

namespace {

const char* orEmpty(const char* text) { return text != nullptr ? text : ""; }

std::string flagSubject(char letter) { return std::string{'-', letter}; }

}  // namespace

int CParam::Interpret_returnError(char** argv, int argc) {
    if (argv == nullptr) argc = 0;
    CheckParameters();
    programName = argc > 0 ? argv[0] : nullptr;
    WordWalk walk(argv, argc);
    while (walk.index < argc) {
        walk.copyWord(orEmpty(argv[walk.index]));
        const char* word = walk.word();
        int consumed;
        if (walk.delimiterSeen || word[0] != '-') {
            consumed = interpretPositionalWord(walk);
        } else if (word[1] == '-') {
            consumed = interpretLongForm(walk);
        } else if (word[1] == '\0') {
            consumed = showError(PROBLEM_UNKNOWN_FLAG, "", "");
        } else {
            consumed = interpretShortForm(walk);
        }
        if (consumed < 0) return consumed;
        walk.index += consumed;
    }
    return checkObligatoryParameters();
}

int CParam::Interpret(char** argv, int argc) {
    return Interpret_returnError(argv, argc) > 0 ? OK : NOT_OK;
}

int CParam::Interpret_exitOnError(char** argv, int argc) {
    if (Interpret_returnError(argv, argc) > 0) return 1;
    std::cerr << "...exiting." << std::endl;
    param_internal::endProcess(-1);
}

// Each interpret* operation returns the number of words it consumed (1 or
// 2), or the negative code of a problem it has reported.

int CParam::interpretPositionalWord(WordWalk& walk) {
    char* word = walk.word();
    CParamDef* definition = positionalDefinition(++walk.position);
    if (definition == nullptr) return showError(PROBLEM_MISSING_HYPHEN, word, "");
    if (definition->dealWith(word, nullptr) == 0) {
        return showError(PROBLEM_INVALID_VALUE, definition->getPartypeName(), word);
    }
    return 1;
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

    CParamDef* definition = definitionWithKeyword(keyword);
    if (definition != nullptr && !definition->no_keyword()) {
        const bool takesValue = definition->skipAfter();
        if (definition->dealWith(value, nullptr) == 0) {
            return showError(PROBLEM_INVALID_VALUE, ("--" + std::string(keyword)).c_str(),
                             orEmpty(value));
        }
        return takesValue ? wordsWithValue : 1;
    }
    if (std::strcmp(keyword, "help") == 0) usageInfo(programName);
    if (std::strcmp(keyword, "ParameterFile") == 0) {
        const int result = read_parameter_file(orEmpty(value));
        return result < 0 ? result : wordsWithValue;
    }
    if (*keyword == '\0') {
        walk.delimiterSeen = true;
        return 1;
    }
    return showError(PROBLEM_UNKNOWN_KEYWORD, keyword, orEmpty(value));
}

int CParam::interpretShortForm(WordWalk& walk) {
    char* letter = walk.word() + 1;
    // A run of switches, set left to right.
    for (CParamDef* sw; (sw = definitionWithFlag(*letter)) != nullptr && !sw->skipAfter();
         ++letter) {
        char emptyValue[1] = {'\0'};
        if (sw->dealWith(emptyValue, nullptr) == 0) {
            std::cerr << "\nThis shoultn't have been happened...\n"
                      << "An empty value of a bool flag wasn't accepted!";
            std::cerr.flush();
            param_internal::endProcess(-1);
        }
    }
    if (*letter == 'h') usageInfo(walk.argv[0]);
    if (*letter == '\0') return 1;

    const char flag = *letter;
    char* value = letter + 1;
    int consumed = 1;
    if (*value == '\0') {
        value = walk.nextWord();
        consumed = 2;
    }
    CParamDef* definition = definitionWithFlag(flag);
    if (definition != nullptr && !definition->no_keyword() && definition->skipAfter()) {
        if (definition->dealWith(value, nullptr) == 0) {
            return showError(PROBLEM_INVALID_VALUE, flagSubject(flag).c_str(), orEmpty(value));
        }
        return consumed;
    }
    if (flag == 'f') {
        const int result = read_parameter_file(orEmpty(value));
        return result < 0 ? result : consumed;
    }
    return showError(PROBLEM_UNKNOWN_FLAG, flagSubject(flag).c_str(), "");
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
