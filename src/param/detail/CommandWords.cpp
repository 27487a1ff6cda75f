// The command-line source of the new interface: the words as programs read them today. Options and
// positional words in any order; --name=value and --name value; -x value, -xvalue and letters grouped
// (-abc, -abx value); an optional value only attached; --no-name for a negatable switch; "--" ends
// the options and "-" is a word. Nothing is reserved: every name is the program's. A word that names
// a command hands the words after it to that command, whose own parameters they are (and those of the
// commands above that are shared).
#include <algorithm>
#include <cstring>

#include "CommandCore.h"
#include "Memory.h"
#include "ProcessEnd.h"
#include "Suggestion.h"
#include "Texts.h"

namespace param_detail {
namespace {

// A command being read, with the commands above it.
struct Level {
    CommandCore& core;
    Interpretation& run;
    const Level* above;
};

// A parameter found by a name, with the command it belongs to and that command's reading.
struct Found {
    Declaration* declared = nullptr;
    Interpretation* run = nullptr;
    const CommandCore* owner = nullptr;
};

class CommandWords {
public:
    CommandWords(const Level& level, std::vector<std::string>& words, std::size_t index)
        : level(level), words(words), index(index) {}

    // OK after the last word, kHelpAsked, kVersionAsked, kCommandChosen (chosen and next say which and
    // where its words begin), or the code of a problem.
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

    CommandCore* chosen = nullptr;
    std::size_t next = 0;
    std::string format;  // the shell whose completion script, or the format in which the manual, was asked for
    const CommandCore* versionOf = nullptr;  // the command whose version option was given

private:
    const Level& level;
    std::vector<std::string>& words;
    std::size_t index;
    int position = 0;
    bool optionsEnded = false;
    int asked = 0;  // kHelpAsked, kVersionAsked or kCommandChosen
    std::string implicit;  // the implicit value handed on, which a definition may not change in place

    char* nextWord() { return index + 1 < words.size() ? &words[index + 1][0] : nullptr; }
    Interpretation& run() { return level.run; }
    // A command abbreviates long names where it or a command above it asks for that.
    bool abbreviates() const {
        for (const Level* l = &level; l != nullptr; l = l->above) {
            if (l->core.abbreviate) return true;
        }
        return false;
    }

    // The parameter with the long name or letter: this command's, else a shared one of a command above.
    template <typename Match>
    Found find(Match matches) {
        for (const Level* l = &level; l != nullptr; l = l->above) {
            if (l != &level && !l->core.isShared) continue;
            for (const auto& parameter : l->core.parameters) {
                Declaration& d = CommandCore::declared(*parameter);
                if (matches(d)) return {&d, &l->run, &l->core};
            }
        }
        return {};
    }
    Found withLongName(const std::string& longName) {
        return find([&](const Declaration& d) { return std::find(d.longNames.begin(), d.longNames.end(), longName) != d.longNames.end(); });
    }
    Found withLetter(char letter) {
        return find([&](const Declaration& d) { return d.letters.find(letter) != std::string::npos; });
    }
    // The long names the words may give here, for abbreviations, and (those shown on the help screen)
    // for suggestions.
    std::vector<std::string> longNames(bool hiddenToo) {
        std::vector<std::string> names;
        find([&](const Declaration& d) {
            if (d.hidden && !hiddenToo) return false;
            for (const std::string& n : d.longNames) names.push_back(n);
            if (d.negatable) {
                for (const std::string& n : d.longNames) names.push_back("no-" + n);
            }
            return false;
        });
        return names;
    }

    int give(const Found& found, Finding::Form form, const std::string& name, char* value, const char* suggestion = nullptr) {
        Declaration* declared = found.declared;
        if (declared != nullptr && declared->once && !declared->givenAs.empty()) {
            return run().report(param::PROBLEM_RELATION, name.c_str(), value != nullptr ? value : "", text::givenTwice(name));
        }
        Finding finding{form, declared != nullptr ? declared->element : nullptr, name.c_str(), value,
                        ParamOrigin{nullptr, 0, ParamOrigin::COMMAND_LINE}, COMMAND_LINE_RANK};
        finding.suggestion = suggestion;
        const int result = (found.run != nullptr ? *found.run : run()).apply(finding);
        if (result > 0 && declared != nullptr) declared->givenAs = name;
        return result;
    }

    int positionalWord(std::string& word) {
        // After "--" a word is never a command, as completion has it too.
        if (chosen == nullptr && !level.core.commands.empty() && !optionsEnded) return command(word);
        ParamListElement* element = run().positional(++position);
        if (element == nullptr) return run().report(CParam::PROBLEM_MISSING_HYPHEN, word.c_str(), "", text::unexpectedWord(word));
        Found found{nullptr, &run()};
        for (const auto& parameter : level.core.parameters) {
            Declaration& d = CommandCore::declared(*parameter);
            if (d.element == element) found.declared = &d;
        }
        const int result =
            give(found, Finding::POSITIONAL_WORD, found.declared != nullptr ? found.declared->displayName() : word, &word[0]);
        return result < 0 ? result : 1;
    }

    // A word where a command stands: the command's name, which hands it the words after it.
    int command(const std::string& word) {
        std::vector<std::string> names;
        for (const auto& c : level.core.commands) {
            if (c->name() == word) {
                chosen = &CommandCore::of(*c);
                next = index + 1;
                asked = kCommandChosen;
                return 0;
            }
            names.emplace_back(c->name());
        }
        const std::string suggestion = closest(word, names);
        return run().report(param::PROBLEM_UNKNOWN_COMMAND, word.c_str(), "",
                            text::unknownCommand(word) + text::didYouMean(suggestion, ""));
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

    int take(const Found& found, const std::string& name, Finding::Form form, char* attached, bool negated) {
        Declaration& d = *found.declared;
        switch (d.kind) {
        case kHelp: asked = kHelpAsked; return 0;
        case kVersion:
            versionOf = found.owner;
            asked = kVersionAsked;
            return 0;
        case kCompletion:
        case kManual: return writingAsked(d.kind, name, attached);
        case kFlag:
        case kCounter: {
            if (negated && attached != nullptr) {
                return run().report(CParam::PROBLEM_INVALID_VALUE, name.c_str(), attached, text::takesNoValue(name, attached));
            }
            char off[] = "false";
            const int result = give(found, form, name, negated ? off : attached);
            return result < 0 ? result : 1;
        }
        default: break;
        }
        char* value = nullptr;
        const int consumed = valueOf(d, attached, value);
        if (d.kind == kFile) {
            if (value == nullptr) return found.run->showError(CParam::PROBLEM_MISSING_VALUE, name.c_str(), "");
            const int result = found.run->parameterFile(value, COMMAND_LINE_RANK);
            return result < 0 ? result : consumed;
        }
        const int result = give(found, form, name, value);
        return result < 0 ? result : consumed;
    }

    // The completion option's value names a shell, the manual option's a format: writing the script or
    // the page in it ends the reading.
    int writingAsked(int kind, const std::string& name, char* attached) {
        char* value = attached != nullptr ? attached : nextWord();
        if (value == nullptr) return run().showError(CParam::PROBLEM_MISSING_VALUE, name.c_str(), "");
        const std::vector<std::string> formats =
            kind == kCompletion ? std::vector<std::string>{"bash", "zsh", "fish"} : std::vector<std::string>{"man", "markdown"};
        if (std::find(formats.begin(), formats.end(), value) == formats.end()) {
            const char* expected = kind == kCompletion ? text::shellExpectation() : text::formatExpectation();
            return run().refuseValue(name.c_str(), value, expected, closest(value, formats));
        }
        format = value;
        asked = kind == kCompletion ? kCompletionAsked : kManualAsked;
        return 0;
    }

    // The parameter a long name gives: the name itself, --no-NAME for a negatable switch, or (where the
    // program allows abbreviations) the one long name that begins so.
    int longOption(std::string& word) {
        const std::size_t equals = word.find('=');
        std::string longName = word.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        char* attached = equals != std::string::npos ? &word[equals + 1] : nullptr;
        Found found = withLongName(longName);
        bool negated = false;
        if (found.declared == nullptr && longName.compare(0, 3, "no-") == 0) {
            const Found switched = withLongName(longName.substr(3));
            negated = switched.declared != nullptr && switched.declared->negatable;
            if (negated) found = switched;
        }
        if (found.declared == nullptr && !longName.empty() && abbreviates()) {
            const int resolved = abbreviated(longName, found, negated);
            if (resolved < 0) return resolved;
        }
        const std::string name = "--" + longName;
        if (found.declared == nullptr) {
            // Empty where none is close: the engine then suggests none of its own (a hidden one).
            const std::string suggestion = closest(longName, longNames(false));
            return give(found, Finding::LONG_WORD, name, attached, suggestion.empty() ? "" : ("--" + suggestion).c_str());
        }
        return take(found, name, Finding::LONG_WORD, attached, negated);
    }

    // Resolves an abbreviated long name into found (and longName into the whole name); a problem when
    // it begins more than one parameter's names.
    int abbreviated(std::string& longName, Found& found, bool& negated) {
        std::vector<std::string> candidates;
        std::vector<std::pair<const Declaration*, bool>> targets;  // the parameters they give, and whether negated
        Found first;
        bool firstNegated = false;
        for (const std::string& candidate : longNames(true)) {
            if (candidate.compare(0, longName.size(), longName) != 0) continue;
            const bool isNegation = withLongName(candidate).declared == nullptr;
            const Found target = isNegation ? withLongName(candidate.substr(3)) : withLongName(candidate);
            const std::pair<const Declaration*, bool> given{target.declared, isNegation};
            if (std::find(targets.begin(), targets.end(), given) != targets.end()) continue;  // another name of one found
            if (targets.empty()) {
                first = target;
                firstNegated = isNegation;
            }
            targets.push_back(given);
            candidates.push_back("--" + candidate);
        }
        if (candidates.size() > 1) {
            const std::string typed = "--" + longName;
            return run().report(param::PROBLEM_AMBIGUOUS_NAME, typed.c_str(), "", text::ambiguous(typed, candidates));
        }
        if (candidates.size() == 1) {
            found = first;
            negated = firstNegated;
            longName = candidates.front().substr(2);
        }
        return CParam::OK;
    }

    int letters(std::string& word) {
        for (std::size_t i = 1; i < word.size(); ++i) {
            const std::string name{'-', word[i]};
            const Found found = withLetter(word[i]);
            if (found.declared == nullptr) return give(found, Finding::LETTER_WORD, name, nullptr);
            if (found.declared->kind == kFlag || found.declared->kind == kCounter) {
                const int result = take(found, name, Finding::SWITCH_RUN, nullptr, false);
                if (result < 0) return result;
                continue;
            }
            return take(found, name, Finding::LETTER_WORD, i + 1 < word.size() ? &word[i + 1] : nullptr, false);
        }
        return 1;
    }
};

// Reads the words of one command from index on: its variables first, then the words, then (when a
// command is named) the command's own, then what must hold after the words.
int readCommand(CommandCore& core, std::vector<std::string>& words, std::size_t index, const Level* above, Reading& reading) {
    const std::string problem = core.declarationProblem();
    if (!problem.empty()) {
        reading.text = problem + "\n";
        return param::PROBLEM_DECLARATION;
    }
    // Its problems' help hint names the command as invoked: "kv list --help".
    core.invoked(above != nullptr ? above->core.invokedAs + " " + core.name : words.front());
    const Declaration* file = core.special(kFile);
    const std::string fileKeyword = file != nullptr && !file->longNames.empty() ? file->keyword() : std::string();
    Interpretation run(*core.engine, nullptr, nullptr, fileKeyword.empty() ? nullptr : fileKeyword.c_str(), true);
    const Level level{core, run, above};
    reading.deepest = &core;
    int code = run.environment(core.variables(), core.fileVariable());
    if (code > 0) {
        CommandWords walk(level, words, index);
        code = walk.walk();
        if (code == kHelpAsked && reading.helpOf == nullptr) reading.helpOf = &core;
        if ((code == kCompletionAsked || code == kManualAsked) && reading.format.empty()) reading.format = walk.format;
        if (code == kVersionAsked && reading.versionOf == nullptr) reading.versionOf = walk.versionOf;
        if (code == kCommandChosen) code = readCommand(*walk.chosen, words, walk.next, &level, reading);
        if (code == kHelpAsked || code == kVersionAsked || code == kCompletionAsked || code == kManualAsked || code < 0) {
            if (reading.text.empty() && code < 0) {
                reading.text = run.keptMessages();
                reading.reported = run.firstProblem();
            }
            return code;
        }
    }
    if (code > 0 && reading.deepest == &core && !core.commands.empty() && core.commandRequired) {
        std::vector<std::string> names;
        for (const auto& c : core.commands) names.emplace_back(c->name());
        code = run.report(param::PROBLEM_MISSING_COMMAND, "", "", text::missingCommand(names));
    }
    if (code > 0) code = checkRequired(core, run);
    if (code > 0) code = checkRelations(core, run);
    if (code < 0 && reading.text.empty()) {
        reading.text = run.keptMessages();
        reading.reported = run.firstProblem();
    }
    return code;
}

}  // namespace

int readCommandLine(CommandCore& program, std::vector<std::string>& words, Reading& reading) {
    return readCommand(program, words, 1, nullptr, reading);
}

}  // namespace param_detail
