// The scripts keep the model as data (arrays of quoted texts, or printf arguments in fish) and
// interpret it with code that is the same for every program: the words before the cursor are
// walked as the program would read them (options and their values, grouped letters, "--", the
// command chosen by the first positional word), then the word at the cursor is completed. No text
// of the model is ever part of the code, so none can change what the code does.
#include "Completion.h"

#include <cstddef>
#include <cstring>

#include "Texts.h"

namespace param_detail {
namespace {

namespace completion = text::completion;

// The model in pre-order: the program, then each command after its parent; options after their command.
struct Flat {
    struct Option {
        const CompletionOption* option;
        std::size_t command;
    };
    struct Command {
        const CompletionCommand* command;
        std::size_t parent;  // of the program: itself
    };
    std::vector<Option> options;
    std::vector<Command> commands;

    explicit Flat(const CompletionCommand& root) { add(root, 0); }

    void add(const CompletionCommand& command, std::size_t parent) {
        const std::size_t id = commands.size();
        commands.push_back({&command, parent});
        for (const CompletionOption& option : command.options) options.push_back({&option, id});
        for (const CompletionCommand& sub : command.commands) add(sub, id);
    }
    bool hasCommands() const { return commands.size() > 1; }
};

bool isControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

bool holdsControl(const std::string& text) {
    for (const char c : text) {
        if (isControl(c)) return true;
    }
    return false;
}

// Bytes after the first of a UTF-8 character.
bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// "-o": a hyphen and one character, not a hyphen; "--Order": two hyphens and a word without "=",
// which would end the name when the value is attached.
bool isOptionName(const std::string& name) {
    if (name.size() < 2 || name[0] != '-') return false;
    if (name[1] == '-') return name.size() > 2 && name.find('=') == std::string::npos;
    for (std::size_t i = 2; i < name.size(); ++i) {
        if (!isContinuation(name[i])) return false;
    }
    return true;
}

// Line ends and tabs in a description show as blanks: it is shown on one line of a listing.
std::string oneLine(const std::string& text) {
    std::string line = text;
    for (char& c : line) {
        if (c == '\n' || c == '\r' || c == '\t' || c == '\v' || c == '\f') c = ' ';
    }
    return line;
}

bool refuse(CompletionRefusal& refusal, const std::string& text, const char* reason) {
    refusal.text = text;
    refusal.reason = reason;
    return false;
}

bool checkDescription(const std::string& description, CompletionRefusal& refusal) {
    return !holdsControl(oneLine(description)) || refuse(refusal, description, completion::controlCharacter());
}

bool checkText(const std::string& text, CompletionRefusal& refusal) {
    return !holdsControl(text) || refuse(refusal, text, completion::controlCharacter());
}

bool check(CompletionShell shell, const std::string& program, const Flat& flat, CompletionRefusal& refusal) {
    if (!checkText(program, refusal)) return false;
    // A word with "=" before the command is an assignment, and compdef reads "name=service".
    if (program.empty() || program[0] == '-' || program.find('=') != std::string::npos) {
        return refuse(refusal, program, completion::programName());
    }
    // zsh's #compdef line is split at blanks.
    if (shell == CompletionShell::ZSH && program.find(' ') != std::string::npos) {
        return refuse(refusal, program, completion::zshProgramName());
    }
    // fish reads the name after complete -c as a pattern and expands it: it would complete another
    // program, or none.
    if (shell == CompletionShell::FISH && program.find_first_of("$*?~{}'\"\\") != std::string::npos) {
        return refuse(refusal, program, completion::fishProgramName());
    }
    for (std::size_t c = 1; c < flat.commands.size(); ++c) {
        const CompletionCommand& command = *flat.commands[c].command;
        if (!checkText(command.name, refusal) || !checkDescription(command.description, refusal)) return false;
        if (command.name.empty() || command.name[0] == '-') return refuse(refusal, command.name, completion::commandName());
    }
    for (const Flat::Option& o : flat.options) {
        const CompletionOption& option = *o.option;
        if (option.names.empty()) return refuse(refusal, option.description, completion::noName());
        for (const std::string& name : option.names) {
            if (!checkText(name, refusal)) return false;
            if (!isOptionName(name)) return refuse(refusal, name, completion::optionName());
        }
        if (!checkDescription(option.description, refusal) || !checkText(option.valueName, refusal)) return false;
        for (const std::string& choice : option.choices) {
            if (!checkText(choice, refusal)) return false;
        }
    }
    return true;
}

// bash and zsh: single quotes, each ' inside written as '\''.
std::string posixQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

// fish: single quotes, in which \' and \\ stand for ' and \.
std::string fishQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "'";
}

// The beginning of the script's function names, which the scripts loaded into one shell share: the
// letters and digits of the program's name, "_" doubled, any other byte "_" and two hex digits. No two
// programs get the same (a-b and a.b would both be _a_b, and the script loaded later would complete both).
std::string functionName(const std::string& program) {
    static const char hex[] = "0123456789abcdef";
    std::string name = "_";
    for (const char c : program) {
        const auto byte = static_cast<unsigned char>(c);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            name += c;
        } else if (c == '_') {
            name += "__";
        } else {
            name += {'_', hex[byte >> 4], hex[byte & 15]};
        }
    }
    return name + "_completion";
}

void replaceAll(std::string& text, const char* placeholder, const std::string& by) {
    const std::size_t length = std::strlen(placeholder);
    for (std::size_t at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder, at + by.size())) {
        text.replace(at, length, by);
    }
}

// How an option takes its value: "-" none, "r" required, "o" attached only; and what is offered
// for it: "c" its choices, "f" file names, "-" nothing.
const char* takes(const CompletionOption& option) {
    return option.value == CompletionOption::NONE ? "-" : option.value == CompletionOption::REQUIRED ? "r" : "o";
}

const char* offers(const CompletionOption& option) {
    return !option.choices.empty() ? "c" : option.files ? "f" : "-";
}

// The arrays the bash and zsh scripts share, indices from base (0 in bash, 1 in zsh): every name of
// every option and the option it names; per option its command, how it takes a value, what is
// offered for it, whether it may be repeated, its description, its value's name and where its
// choices lie; per command its name, parent, description and whether positional words are files.
std::string arrays(const Flat& flat, std::size_t base) {
    std::string names, option, takesList, offersList, owner, repeat, described, valueName, first, count, choices;
    std::string command, parent, about, files;
    std::size_t choiceIndex = base;
    const auto add = [](std::string& list, const std::string& item) { list += (list.empty() ? "" : " ") + item; };
    for (std::size_t i = 0; i < flat.options.size(); ++i) {
        const CompletionOption& o = *flat.options[i].option;
        for (const std::string& name : o.names) {
            add(names, posixQuoted(name));
            add(option, std::to_string(i + base));
        }
        add(owner, std::to_string(flat.options[i].command + base));
        add(takesList, takes(o));
        add(offersList, offers(o));
        add(repeat, o.repeatable ? "1" : "0");
        add(described, posixQuoted(oneLine(o.description)));
        add(valueName, posixQuoted(o.valueName));
        add(first, std::to_string(choiceIndex));
        add(count, std::to_string(o.choices.size()));
        for (const std::string& choice : o.choices) add(choices, posixQuoted(choice));
        choiceIndex += o.choices.size();
    }
    for (const Flat::Command& c : flat.commands) {
        add(command, posixQuoted(c.command->name));
        add(parent, std::to_string(c.parent + base));
        add(about, posixQuoted(oneLine(c.command->description)));
        add(files, c.command->positionalFiles ? "1" : "0");
    }
    return "    local -a names=(" + names + ")\n" +
           "    local -a option=(" + option + ")\n" +
           "    local -a owner=(" + owner + ") takes=(" + takesList + ") offers=(" + offersList + ") repeat=(" + repeat + ")\n" +
           "    local -a described=(" + described + ")\n" +
           "    local -a valuename=(" + valueName + ")\n" +
           "    local -a first=(" + first + ") count=(" + count + ")\n" +
           "    local -a choices=(" + choices + ")\n" +
           "    local -a command=(" + command + ") parent=(" + parent + ") files=(" + files + ")\n" +
           "    local -a about=(" + about + ")\n";
}

// The function's code after its data; @F@ stands for the beginning of the function names.
const char* const bashCode = R"SH(    # The words before the cursor as the program receives them, quotes and backslashes removed.
    # Of the last one, the word at the cursor: the quote still open in it, and how much of it lies
    # before readline's word (cut), which begins after a COMP_WORDBREAKS character or an open quote.
    local line=${COMP_LINE:0:COMP_POINT} word="" quote="" c cut=0 opened=0 started=0 i
    local -a words=()
    for (( i = 0; i < ${#line}; i++ )); do
        c=${line:i:1}
        if [[ $quote == "'" ]]; then
            if [[ $c == "'" ]]; then quote=""; else word+=$c; fi
        elif [[ $quote == '"' ]]; then
            if [[ $c == '"' ]]; then
                quote=""
            elif [[ $c == '\' && ${line:i+1:1} == [\"\\\$\`] ]]; then
                word+=${line:i+1:1}
                (( i++ ))
            else
                word+=$c
            fi
        elif [[ $c == [[:blank:]] ]]; then
            (( started )) && words+=("$word")
            word="" started=0 cut=0
            continue
        elif [[ $c == '\' ]]; then
            word+=${line:i+1:1}
            (( i++ ))
        elif [[ $c == [\'\"] ]]; then
            quote=$c opened=${#word}
        else
            word+=$c
            [[ $COMP_WORDBREAKS == *"$c"* ]] && cut=${#word}
        fi
        started=1
    done
    local cur=$word
    [[ -n $quote ]] && cut=$opened
    # The command the words chose, and where they leave the cursor's word: the value of an option
    # (pending), after "--" (ended), or after how many positional words of the command.
    local cmd=0 pending=-1 ended=0 positional=0 found j
    for word in "${words[@]:1}"; do
        if (( pending >= 0 )); then
            pending=-1
        elif (( !ended )) && [[ $word == -- ]]; then
            ended=1
        elif (( !ended )) && [[ $word == --?* ]]; then
            @F@_option "${word%%=*}"
            (( found >= 0 )) && [[ ${takes[found]} == r && $word != *=* ]] && pending=$found
        elif (( !ended )) && [[ $word == -?* ]]; then
            for (( j = 1; j < ${#word}; j++ )); do
                @F@_option "-${word:j:1}"
                (( found < 0 )) && break
                if [[ ${takes[found]} != - ]]; then
                    (( j == ${#word} - 1 )) && [[ ${takes[found]} == r ]] && pending=$found
                    break
                fi
            done
        else
            found=0
            if (( !ended && positional == 0 )); then
                for (( j = 1; j < ${#command[@]}; j++ )); do
                    if (( parent[j] == cmd )) && [[ ${command[j]} == "$word" ]]; then found=$j; break; fi
                done
            fi
            if (( found > 0 )); then cmd=$found; else positional=$(( positional + 1 )); fi
        fi
    done
    # The cursor's word: the value of option target (after prefix, in the same word), an option, or
    # a positional word. Replies are whole words; file names are quoted by readline.
    local target=$pending prefix="" value=$cur filenames=0
    local -a replies=()
    if (( target < 0 && !ended )) && [[ $cur == -* ]]; then
        if [[ $cur == --*=* ]]; then
            @F@_option "${cur%%=*}"
            if (( found >= 0 )) && [[ ${takes[found]} != - ]]; then
                target=$found prefix=${cur%%=*}= value=${cur#*=}
            fi
        elif [[ $cur != --* ]]; then
            for (( j = 1; j < ${#cur} - 1; j++ )); do
                @F@_option "-${cur:j:1}"
                (( found < 0 )) && break
                if [[ ${takes[found]} != - ]]; then
                    target=$found prefix=${cur:0:j+1} value=${cur:j+1}
                    break
                fi
            done
        fi
        if (( target < 0 )); then
            for (( j = 0; j < ${#names[@]}; j++ )); do
                (( owner[option[j]] == cmd )) && [[ ${names[j]} == "$cur"* ]] && replies+=("${names[j]}")
            done
            [[ -- == "$cur"* ]] && replies+=(--)
        fi
    elif (( target < 0 )); then
        if (( !ended && positional == 0 )); then
            for (( j = 1; j < ${#command[@]}; j++ )); do
                (( parent[j] == cmd )) && [[ ${command[j]} == "$cur"* ]] && replies+=("${command[j]}")
            done
        fi
        (( files[cmd] )) && filenames=1
    fi
    if (( target >= 0 )); then
        if [[ ${offers[target]} == c ]]; then
            for (( j = first[target]; j < first[target] + count[target]; j++ )); do
                [[ ${choices[j]} == "$value"* ]] && replies+=("$prefix${choices[j]}")
            done
        elif [[ ${offers[target]} == f ]]; then
            filenames=1
        fi
    fi
    if (( filenames )); then
        compopt -o filenames 2>/dev/null
        local -a found_files=()
        mapfile -t found_files < <(compgen -f -- "$value")
        for word in "${found_files[@]}"; do replies+=("$prefix$word"); done
    fi
    COMPREPLY=()
    local reply escaped k
    for reply in "${replies[@]}"; do
        reply=${reply:cut}
        if (( !filenames )); then
            if [[ -z $quote ]]; then
                printf -v reply %q "$reply"
            else
                escaped=""
                for (( k = 0; k < ${#reply}; k++ )); do
                    c=${reply:k:1}
                    if [[ $quote == "'" && $c == "'" ]]; then
                        escaped+="'\\''"
                    elif [[ $quote == '"' && $c == [\"\\\$\`] ]]; then
                        escaped+="\\$c"
                    else
                        escaped+=$c
                    fi
                done
                reply=$escaped
            fi
        fi
        COMPREPLY+=("$reply")
    done
}
# Sets found to the option of command cmd that has the name $1, -1 for none.
@F@_option() {
    local k
    for (( k = 0; k < ${#names[@]}; k++ )); do
        if [[ ${names[k]} == "$1" ]] && (( owner[option[k]] == cmd )); then
            found=${option[k]}
            return
        fi
    done
    found=-1
}
)SH";

std::string bash(const std::string& program, const Flat& flat) {
    const std::string f = functionName(program);
    std::string code = bashCode;
    replaceAll(code, "@F@", f);
    return completion::heading("bash", program) + f + "() {\n" + arrays(flat, 0) + code + "complete -F " + f + " -- " +
           posixQuoted(program) + "\n";
}

const char* const zshCode = R"SH(    # The command the words before the cursor chose (quotes removed), the options given in it, and
    # where they leave the cursor's word: the value of an option (pending), after "--" (ended), or
    # after how many positional words of the command.
    local cmd=1 pending=0 ended=0 positional=0 found j k word ret=1
    local -a given=()
    for word in "${(@Q)words[2,CURRENT-1]}"; do
        if (( pending )); then
            pending=0
        elif (( !ended )) && [[ $word == -- ]]; then
            ended=1
        elif (( !ended )) && [[ $word == --?* ]]; then
            @F@_option "${word%%=*}"
            if (( found )); then
                given+=($found)
                [[ $takes[found] == r && $word != *=* ]] && pending=$found
            fi
        elif (( !ended )) && [[ $word == -?* ]]; then
            for (( j = 2; j <= $#word; j++ )); do
                @F@_option "-$word[j]"
                (( found )) || break
                given+=($found)
                if [[ $takes[found] != - ]]; then
                    (( j == $#word )) && [[ $takes[found] == r ]] && pending=$found
                    break
                fi
            done
        else
            found=0
            if (( !ended && !positional )); then
                for (( j = 2; j <= $#command; j++ )); do
                    if (( parent[j] == cmd )) && [[ $command[j] == "$word" ]]; then found=$j; break; fi
                done
            fi
            if (( found )); then cmd=$found given=(); else (( positional++ )); fi
        fi
    done
    # The cursor's word: the value of option target (what stands before it in the word moves to
    # IPREFIX), an option, or a positional word.
    local cur=${(Q)PREFIX} target=$pending
    if (( !target && !ended )) && [[ $cur == -* ]]; then
        if [[ $cur == --*=* ]]; then
            @F@_option "${cur%%=*}"
            if (( found )) && [[ $takes[found] != - ]]; then
                target=$found
                compset -P 1 '*='
            fi
        elif [[ $cur != --* ]]; then
            for (( j = 2; j <= $#cur; j++ )); do
                @F@_option "-$cur[j]"
                (( found )) || break
                if [[ $takes[found] != - ]]; then
                    target=$found
                    for (( k = 1; k <= $#PREFIX; k++ )); do
                        if [[ ${(Q)${PREFIX[1,k]}} == "$cur[1,j]" ]]; then
                            IPREFIX+=$PREFIX[1,k] PREFIX=$PREFIX[k+1,-1]
                            break
                        fi
                    done
                    break
                fi
            done
        fi
        if (( !target )); then
            # _describe reads "name:description", a backslash quoting the next character.
            local -a plain valued
            local described_name
            for (( j = 1; j <= $#names; j++ )); do
                found=$option[j]
                (( owner[found] == cmd )) || continue
                (( repeat[found] || !${given[(I)$found]} )) || continue
                described_name=${${names[j]//\\/\\\\}//:/\\:}:${described[found]//\\/\\\\}
                if [[ $names[j] == --* && $takes[found] != - ]]; then valued+=("$described_name"); else plain+=("$described_name"); fi
            done
            _describe -t options option plain -- valued -qS= && ret=0
            return ret
        fi
    fi
    if (( !target )); then
        if (( !ended && !positional )); then
            local -a subcommands=()
            for (( j = 2; j <= $#command; j++ )); do
                (( parent[j] == cmd )) && subcommands+=("${${command[j]//\\/\\\\}//:/\\:}:${about[j]//\\/\\\\}")
            done
            (( $#subcommands )) && _describe -t commands command subcommands && ret=0
        fi
        (( files[cmd] )) && _files && ret=0
        return ret
    fi
    # A value name is shown as a message, in which % would start a prompt escape.
    local expl heading=${valuename[target]//\%/%%}
    if [[ $offers[target] == c ]]; then
        local -a values=("${(@)choices[first[target],first[target]+count[target]-1]}")
        _wanted values expl "$heading" compadd -a values && ret=0
    elif [[ $offers[target] == f ]]; then
        _files && ret=0
    else
        _message -e values "$heading"
    fi
    return ret
}
# Sets found to the option of command cmd that has the name $1, 0 for none.
@F@_option() {
    local k
    for (( k = 1; k <= $#names; k++ )); do
        if [[ $names[k] == "$1" ]] && (( owner[option[k]] == cmd )); then
            found=$option[k]
            return
        fi
    done
    found=0
}
if [[ ${zsh_eval_context[-1]} == loadautofunc ]]; then
    @F@ "$@"
else
    compdef @F@)SH";

std::string zsh(const std::string& program, const Flat& flat) {
    const std::string f = functionName(program);
    std::string code = zshCode;
    replaceAll(code, "@F@", f);
    return "#compdef " + program + "\n" + completion::heading("zsh", program) + f + "() {\n" + arrays(flat, 1) + code +
           " " + posixQuoted(program) + "\nfi\n";
}

// fish parses the options itself; the script says which options and values each command has and,
// where there are commands, which command the words before the cursor chose: the code of that
// function after its data.
const char* const fishState = R"SH(    set -l words (commandline -opc)
    set -e words[1]
    set -l cmd 1
    set -l pending 0
    set -l ended 0
    set -l positional 0
    for word in $words
        if test $pending = 1
            set pending 0
        else if test $ended = 0; and contains -- $word --
            set ended 1
        else if test $ended = 0; and string match -q -- '--?*' $word
            set -l name (string split -m 1 -- = $word)[1]
            for k in (seq (count $names))
                if test $owner[$option[$k]] = $cmd; and test "x$names[$k]" = "x$name"
                    test $takes[$option[$k]] = r; and not string match -q -- '*=*' $word; and set pending 1
                    break
                end
            end
        else if test $ended = 0; and string match -q -- '-?*' $word
            set -l length (string length -- $word)
            for j in (seq 2 $length)
                set -l found 0
                set -l letter -(string sub -s $j -l 1 -- $word)
                for k in (seq (count $names))
                    if test $owner[$option[$k]] = $cmd; and test "x$names[$k]" = "x$letter"
                        set found $option[$k]
                        break
                    end
                end
                test $found = 0; and break
                if test $takes[$found] != -
                    test $j = $length; and test $takes[$found] = r; and set pending 1
                    break
                end
            end
        else
            set -l found 0
            if test $ended = 0 -a $positional = 0
                for j in (seq 2 (count $command))
                    if test $parent[$j] = $cmd; and test "x$command[$j]" = "x$word"
                        set found $j
                        break
                    end
                end
            end
            if test $found != 0
                set cmd $found
            else
                set positional (math $positional + 1)
            end
        end
    end
    echo $cmd
    test $pending = 0 -a $ended = 0 -a $positional = 0; and echo 1; or echo 0
end
function @F@_in
    test (@F@_state)[1] = $argv[1]
end
function @F@_commands
    set -l state (@F@_state)
    test $state[1] = $argv[1] -a $state[2] = 1
end
)SH";

std::string fish(const std::string& program, const Flat& flat) {
    const std::string f = "_" + functionName(program);
    const std::string command = "complete -c " + fishQuoted(program);
    const bool commands = flat.hasCommands();
    std::string script = completion::heading("fish", program);
    // The words offered: option N's choices ("oN"), command N's commands with their descriptions ("cN").
    std::string words;
    for (std::size_t i = 0; i < flat.options.size(); ++i) {
        const CompletionOption& o = *flat.options[i].option;
        if (o.choices.empty()) continue;
        words += "        case o" + std::to_string(i + 1) + "\n            printf '%s\\n'";
        for (const std::string& choice : o.choices) words += " " + fishQuoted(choice);
        words += "\n";
    }
    for (std::size_t c = 0; c < flat.commands.size(); ++c) {
        std::string list;
        for (std::size_t sub = c + 1; sub < flat.commands.size(); ++sub) {
            if (flat.commands[sub].parent != c) continue;
            list += " " + fishQuoted(flat.commands[sub].command->name) + " " +
                    fishQuoted(oneLine(flat.commands[sub].command->description));
        }
        if (!list.empty()) words += "        case c" + std::to_string(c + 1) + "\n            printf '%s\\t%s\\n'" + list + "\n";
    }
    if (!words.empty()) script += "function " + f + "_words\n    switch $argv[1]\n" + words + "    end\nend\n";
    if (commands) {
        std::string names, option, owner, takesList, commandNames, parent;
        for (std::size_t i = 0; i < flat.options.size(); ++i) {
            for (const std::string& name : flat.options[i].option->names) {
                names += " " + fishQuoted(name);
                option += " " + std::to_string(i + 1);
            }
            owner += " " + std::to_string(flat.options[i].command + 1);
            takesList += std::string(" ") + takes(*flat.options[i].option);
        }
        for (const Flat::Command& c : flat.commands) {
            commandNames += " " + fishQuoted(c.command->name);
            parent += " " + std::to_string(c.parent + 1);
        }
        std::string state = fishState;
        replaceAll(state, "@F@", f);
        script += "# The command the words before the cursor chose (1: the program itself), and 1 when a command's\n"
                  "# name may stand at the cursor.\nfunction " + f + "_state\n    set -l names" + names +
                  "\n    set -l option" + option + "\n    set -l owner" + owner + "\n    set -l takes" + takesList +
                  "\n    set -l command" + commandNames + "\n    set -l parent" + parent + "\n" + state;
    }
    const auto in = [&](std::size_t c) { return commands ? " -n '" + f + "_in " + std::to_string(c + 1) + "'" : ""; };
    for (std::size_t i = 0; i < flat.options.size(); ++i) {
        const CompletionOption& o = *flat.options[i].option;
        script += command + in(flat.options[i].command);
        for (const std::string& name : o.names) {
            script += (name[1] == '-' ? " -l " + fishQuoted(name.substr(2)) : " -s " + fishQuoted(name.substr(1)));
        }
        // Without -r (or -x) fish takes a value only attached to the option.
        const bool required = o.value == CompletionOption::REQUIRED;
        if (o.value != CompletionOption::NONE && !o.choices.empty()) {
            script += std::string(required ? " -x" : " -f") + " -a '(" + f + "_words o" + std::to_string(i + 1) + ")'";
        } else if (o.value != CompletionOption::NONE && o.files) {
            script += required ? " -r -F" : " -F";
        } else if (required) {
            script += " -x";
        }
        script += " -d " + fishQuoted(oneLine(o.description)) + "\n";
    }
    for (std::size_t c = 0; c < flat.commands.size(); ++c) {
        const CompletionCommand& cmd = *flat.commands[c].command;
        if (!cmd.commands.empty()) {
            script += command + " -n '" + f + "_commands " + std::to_string(c + 1) + "'" +
                      (cmd.positionalFiles ? "" : " -f") + " -a '(" + f + "_words c" + std::to_string(c + 1) + ")'\n";
        }
        if (!cmd.positionalFiles) script += command + in(c) + " -f\n";
    }
    return script;
}

}  // namespace

bool completionShellNamed(const char* name, CompletionShell& shell) {
    if (name == nullptr) return false;
    if (std::strcmp(name, "bash") == 0) {
        shell = CompletionShell::BASH;
    } else if (std::strcmp(name, "zsh") == 0) {
        shell = CompletionShell::ZSH;
    } else if (std::strcmp(name, "fish") == 0) {
        shell = CompletionShell::FISH;
    } else {
        return false;
    }
    return true;
}

bool composeCompletionScript(CompletionShell shell, const std::string& program, const CompletionCommand& root,
                             std::string& script, CompletionRefusal& refusal) {
    script.clear();
    const Flat flat(root);
    if (!check(shell, program, flat, refusal)) return false;
    switch (shell) {
    case CompletionShell::BASH: script = bash(program, flat); break;
    case CompletionShell::ZSH: script = zsh(program, flat); break;
    case CompletionShell::FISH: script = fish(program, flat); break;
    }
    return true;
}

}  // namespace param_detail
