#include "Texts.h"

#include <array>
#include <cstdio>
#include <iostream>

#include "Param.h"

namespace param_detail {
namespace text {
namespace {

const char* const kBeware = "          BEWARE OF UNPREDICTIBLE BEHAVIOUR!";

// The part of a problem message that names a line of a parameter file.
void fileLine(std::ostream& out, const char* opening, const char* fileName, long number, const char* line) {
    out << opening << fileName << "' at line";
    if (number > 0) out << " " << number;
    out << ":\n'" << line << "'.";
}

void problemBody(std::ostream& out, int code, const char* subject, const char* detail, long line) {
    switch (code) {
    case 0:
        out << "Undefined error (0), please check program source code";
        break;
    case CParam::PROBLEM_MISSING_HYPHEN:
        out << "Invalid argument '" << subject << "'." << std::endl
                  << "Each parameter must start with '-' or '--' resp.!";
        break;
    case CParam::PROBLEM_UNKNOWN_KEYWORD:
        out << "Unknown keyword '" << subject << "'.";
        break;
    case CParam::PROBLEM_UNKNOWN_FLAG:
        out << "Unknown flag '" << subject << "'.";
        break;
    case CParam::PROBLEM_INVALID_VALUE:
        out << "Invalid value '" << detail << "' at parameter '" << subject << "'.";
        break;
    case CParam::PROBLEM_MISSING_VALUE:
        out << "Missing value at keyword '" << subject << "'.";
        break;
    case CParam::PROBLEM_MISSING_PARAMETER:
        out << "Parameter '" << subject << "' required.";
        break;
    case CParam::PROBLEM_CANNOT_OPEN_FILE:
        out << "Cannot open file '" << subject << "'.";
        break;
    case CParam::PROBLEM_MISSING_VALUE_IN_FILE:
        fileLine(out, "Missing value in file '", subject, line, detail);
        break;
    case CParam::PROBLEM_UNKNOWN_KEYWORD_IN_FILE:
        fileLine(out, "Unknown keyword in file '", subject, line, detail);
        break;
    case CParam::PROBLEM_GENERAL_PROBLEM_IN_FILE:
        fileLine(out, "General problem in file '", subject, line, detail);
        break;
    case CParam::PROBLEM_PARAM_FILE_LOOP:
        fileLine(out, "Loop detected in nested parameter file call in file '", subject, line, detail);
        out << "\nSkipping parameter file call.";
        break;
    default:
        out << "Unknown error (" << code << "), please check program source code";
        break;
    }
}

}  // namespace

void registrationWarning(const char* what, const char* name, const char* reason) {
    std::cerr << std::endl
              << "CParam.AddParamDef :" << std::endl
              << " Internal warning: the " << what << " '" << (reason != nullptr ? visible(name) : name)
              << "' is reserved for special purposes or has" << std::endl
              << " been used for another parameter." << std::endl
              << " It should not be redefined." << std::endl;
    if (reason != nullptr) std::cerr << " " << reason << std::endl;
    std::cerr << kBeware << std::endl << std::endl;
}

const char* unusableFlag(char flag) {
    const auto c = static_cast<unsigned char>(flag);
    if (c == 0 || (c > ' ' && c < 0x7f && c != '-' && c != '=')) return nullptr;
    return "It cannot be used: a flag is a printable character other than a blank, '-' and '='.";
}

const char* unusableKeyword(const char* keyword) {
    if (*keyword == '\0') return "It cannot be used: a keyword is not empty.";
    if (*keyword == '-' || *keyword == '#') return "It cannot be used: a keyword does not begin with '-' or '#'.";
    // Blanks, "=" and the control characters, which no keyword may hold.
    static constexpr auto kRefused = [] {
        std::array<bool, 256> refused{};
        for (int c = 0; c <= ' '; ++c) refused[c] = true;
        refused['='] = refused[0x7f] = true;
        return refused;
    }();
    for (const char* c = keyword; *c != '\0'; ++c) {
        if (kRefused[static_cast<unsigned char>(*c)]) return "It cannot be used: a keyword holds no blank, '=' or control character.";
    }
    return nullptr;
}

namespace {

// The length of the UTF-8 sequence at text (1 to 4), or 0 when the bytes there are none; a sequence
// that encodes a control character of the range U+0080 to U+009F counts as none.
std::size_t utf8Length(const unsigned char* text) {
    const unsigned char lead = text[0];
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        if (lead == 0xC2) low = 0xA0;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (text[1] < low || text[1] > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (text[i] < 0x80 || text[i] > 0xBF) return 0;
    }
    return length;
}

}  // namespace

std::string visible(const char* text) {
    static const char kDigits[] = "0123456789abcdef";
    std::string shown;
    const auto* c = reinterpret_cast<const unsigned char*>(text);
    while (*c != '\0') {
        if (*c >= ' ' && *c < 0x7f) {
            shown += static_cast<char>(*c++);
            continue;
        }
        const std::size_t length = utf8Length(c);  // 0 for a byte that begins no sequence
        if (length > 0) {
            shown.append(reinterpret_cast<const char*>(c), length);
            c += length;
            continue;
        }
        shown += "\\x";
        shown += kDigits[*c >> 4];
        shown += kDigits[*c & 15];
        ++c;
    }
    return shown;
}

std::string visibleLine(const std::string& text) {
    std::string flat = text;
    for (char& c : flat) c = c == '\n' || c == '\t' ? ' ' : c;
    return visible(flat.c_str());
}

void obligatoryBehindOptionalWarning(const char* partypeName) {
    std::cerr << std::endl
              << "CParam::CheckParameters():" << std::endl
              << "Internal warning: An obligatory kwdless parameter (" << partypeName
              << ") is located  " << std::endl
              << "behind an optional one." << std::endl
              << kBeware << std::endl
              << std::endl;
}

void behindRestListWarning(const char* partypeName) {
    std::cerr << std::endl
              << "CParam::CheckParameters():" << std::endl
              << "Internal warning: A kwdless parameter (" << partypeName << ") is located  " << std::endl
              << "behind a list that takes the rest of the words." << std::endl
              << kBeware << std::endl
              << std::endl;
}

void positionUseWarning(int position, int users) {
    std::cerr << std::endl
              << "CParam::CheckParameters():" << std::endl
              << "Internal Warning: Position nr. " << position << " for keyword-less parameters";
    if (users == 0) {
        std::cerr << std::endl << "is not used by any parameter.";
    } else {
        std::cerr << std::endl << "is used by " << users << " parameters." << std::endl;
    }
    std::cerr << std::endl << kBeware << std::endl << std::endl;
}

void problem(const Problem& p, const char* programName, std::ostream& out) {
    const auto shown = [&](const char* text) { return text == nullptr ? std::string() : p.visible ? visible(text) : text; };
    if (p.message != nullptr) {
        out << p.message;
    } else {
        problemBody(out, p.code, shown(p.subject).c_str(), shown(p.detail).c_str(), p.line);
    }
    if (p.reason != nullptr) out << "\n" << shown(p.reason);
    if (p.expected != nullptr && p.parameter != nullptr) {
        out << "\nThe value '" << shown(p.value) << "' of '" << shown(p.parameter) << "' " << shown(p.expected) << ".";
    } else if (p.expected != nullptr) {
        out << "\nIt " << shown(p.expected) << ".";
    }
    if (p.suggestion != nullptr) out << didYouMean(p.suggestion, "");
    out << std::endl
              << "Get help with '" << shown(programName) << " --help'" << std::endl
              << std::endl;
}

std::string namedByVariable(const std::string& variable) { return "It is named by $" + variable + "."; }

const char* nestedTooDeep() {
    static const auto text = [] {
        std::array<char, 80> t{};
        std::snprintf(t.data(), t.size(), "Parameter files may be nested at most %d deep.", CParam::MAX_FILE_NESTING);
        return t;
    }();
    return text.data();
}

const char* lineTooLong() {
    static const auto text = [] {
        std::array<char, 80> t{};
        std::snprintf(t.data(), t.size(), "The line is longer than %zu characters.", CParam::MAX_LINE_LENGTH);
        return t;
    }();
    return text.data();
}

const char* unclosedQuote() { return "The quoted value has no closing quote."; }
const char* switchExpectation() { return "should be true, yes, on, 1, false, no, off or 0"; }
const char* copyFailed() { return "could not be copied: memory ran out"; }

const char* nulByte() { return "The line holds a NUL byte, which a parameter file (a text) cannot."; }

void refusedValue(const char* value, const char* errordesc) {
    std::cerr << std::endl << "'" << value << "' " << errordesc << std::endl;
}

const char kCharacterName[] = "a character";
const char kIntegerName[] = "an integer";
const char kUnsignedName[] = "an unsigned integer";
const char kShortName[] = "a (short) integer";
const char kDoubleName[] = "a double";
const char kFloatName[] = "a float";
const char kTextName[] = "a non null string";
const char kCharacterValueName[] = "CHAR";
const char kNumberValueName[] = "NUM";
const char kTextValueName[] = "TEXT";
const char kSwitchRefusal[] = "";
const char* shouldBe() { return "should be "; }

void stringAllocationFailed() {
    std::cerr << "could not allocate memory for String parameter" << std::endl;
}

void exiting() { std::cerr << "...exiting." << std::endl; }

void switchRefusedEmptyValue() {
    std::cerr << "\nThis shoultn't have been happened...\n"
              << "An empty value of a bool flag wasn't accepted!";
    std::cerr.flush();
}

void assertionFailed(const char* condition) {
    std::fprintf(stderr, "Assertion failed: %s\n", condition);
    std::fflush(stderr);
}

std::string rangeSummary(const char* lower, const char* upper) {
    if (lower == nullptr) return std::string("at most ") + upper;
    if (upper == nullptr) return std::string("at least ") + lower;
    return std::string("from ") + lower + " to " + upper;
}

std::string choicesSummary(const std::vector<std::string>& words) {
    std::string summary = "one of ";
    for (std::size_t i = 0; i < words.size(); ++i) summary += (i > 0 ? ", " : "") + words[i];
    return summary;
}

namespace {

std::string quotedList(const std::vector<std::string>& names, const char* last) {
    std::string list;
    for (std::size_t i = 0; i < names.size(); ++i) {
        list += (i == 0 ? "'" : i + 1 == names.size() ? std::string("' ") + last + " '" : std::string("', '")) + visible(names[i].c_str());
    }
    return list + "'";
}

// A mistake in the program's own declarations.
std::string declaredWrongly(const char* what, const std::string& mistake) {
    return std::string("The program declares its ") + what + " wrongly: " + mistake;
}

}  // namespace

std::string unexpectedWord(const std::string& word) { return "Unexpected word '" + visible(word.c_str()) + "': no parameter takes it."; }
std::string takesNoValue(const std::string& name, const char* value) {
    return "Invalid value '" + visible(value) + "' at parameter '" + visible(name.c_str()) + "'.\nIt takes no value.";
}
std::string notGivenTogether(const std::string& one, const std::string& other) {
    return quotedList({one, other}, "and") + " cannot be given together.";
}
std::string givenWithout(const std::string& given, const std::string& needed) {
    return "'" + visible(given.c_str()) + "' needs '" + visible(needed.c_str()) + "'.";
}
std::string tooManyOf(const std::vector<std::string>& members, const std::vector<std::string>& given) {
    return "Only one of " + quotedList(members, "and") + " may be given, not " + quotedList(given, "and") + ".";
}
std::string noneOf(const std::vector<std::string>& members, bool exactlyOne) {
    return std::string(exactlyOne ? "One" : "At least one") + " of " + quotedList(members, "or") + " is required.";
}
std::string unknownCommand(const std::string& word) { return "Unknown command '" + visible(word.c_str()) + "'."; }
std::string missingCommand(const std::vector<std::string>& names) { return "A command is required: " + quotedList(names, "or") + "."; }
std::string ambiguous(const std::string& typed, const std::vector<std::string>& candidates) {
    return "Ambiguous option '" + visible(typed.c_str()) + "': it may be " + quotedList(candidates, "or") + ".";
}
std::string didYouMean(const std::string& suggestion, const char* before) {
    if (suggestion.empty()) return {};
    return "\nDid you mean '" + std::string(before != nullptr ? before : "") + visible(suggestion.c_str()) + "'?";
}
std::string givenTwice(const std::string& name) { return "'" + visible(name.c_str()) + "' may be given only once."; }
std::string badName(const std::string& name) {
    return declaredWrongly("parameters", "'" + visible(name.c_str()) +
                           "' is no name a command line can give (-x, --name, or a word for a positional parameter).");
}
std::string nameTwice(const std::string& name) {
    return declaredWrongly("parameters", "two parameters are named '" + visible(name.c_str()) + "'.");
}
std::string badCommandName(const std::string& name) {
    return declaredWrongly("commands", "'" + visible(name.c_str()) + "' is no name a command line can give.");
}
std::string commandTwice(const std::string& name) {
    return declaredWrongly("commands", "two commands are named '" + visible(name.c_str()) + "'.");
}
std::string positionalBesideCommands(const std::string& name) {
    return declaredWrongly("parameters", "'" + visible(name.c_str()) +
                           "' is a positional parameter of a command whose words name its commands.");
}
std::string namelessParameter(const std::string& help) {
    return declaredWrongly("parameters", "the parameter '" + visible(help.c_str()) + "' has no name.");
}
std::string positionalBehindRest(const std::string& name) {
    return declaredWrongly("parameters", "'" + visible(name.c_str()) +
                           "' stands behind a positional parameter that takes every word left.");
}
std::string requiredBehindOptional(const std::string& name) {
    return declaredWrongly("parameters", "the required '" + visible(name.c_str()) +
                           "' stands behind an optional positional parameter.");
}
std::string foreignRelation(const std::string& name) {
    return declaredWrongly("parameters", "'" + visible(name.c_str()) +
                           "' is related to a parameter of another command.");
}
const char* countExpectation() { return "should be a count: 0, 1, 2 and so on"; }
const char* refusedByCheck() { return "is not accepted"; }
const char* helpOptionHelp() { return "show this help and exit"; }
const char* versionOptionHelp() { return "show the version and exit"; }
const char* fileOptionHelp() { return "read parameters from FILE, a line \"name value\" each"; }
const char* fileValueName() { return "FILE"; }
const char* completionOptionHelp() { return "write the completion script for SHELL (bash, zsh or fish) and exit"; }
const char* shellValueName() { return "SHELL"; }
const char* manualOptionHelp() { return "write the manual page (man) or the Markdown reference (markdown) and exit"; }
const char* formatValueName() { return "FORMAT"; }
const char* formatExpectation() { return "should be one of man, markdown"; }
const char* shellExpectation() { return "should be one of bash, zsh, fish"; }

namespace help {

std::string usage() { return "Usage: "; }
std::string options() { return " [OPTIONS]"; }
std::string commandWord() { return " COMMAND"; }
std::string optionalCommandWord() { return " [COMMAND]"; }
const char* value() { return "VALUE"; }
const char* optionsTitle() { return "Options"; }
const char* argumentsTitle() { return "Arguments"; }
const char* commandsTitle() { return "Commands"; }
std::string sharedTitle(const std::string& path) { return "Options of " + path; }
const char* noElements() { return "none"; }
const char* on() { return "on"; }
std::string defaultIs(const std::string& value) { return "default: " + value; }
std::string environment(const std::string& variable) { return "env: " + variable; }
const char* repeatable() { return "may be given several times"; }
std::string excludes(const std::string& name) { return "not with " + name; }
std::string needs(const std::string& name) { return "needs " + name; }
std::string deprecated(const std::string& note) { return note.empty() ? "deprecated" : "deprecated: " + note; }
std::string group(int kind, const std::vector<std::string>& members) {
    std::string list;
    for (std::size_t i = 0; i < members.size(); ++i) list += (i == 0 ? "" : i + 1 == members.size() ? " and " : ", ") + members[i];
    const char* const opening[] = {"At most one of ", "Exactly one of ", "At least one of "};
    return opening[kind] + list + (kind == 0 ? " may be given." : " must be given.");
}
std::string variableGives(const std::string& name, const std::string& help) {
    return "gives " + name + (help.empty() ? "" : ": " + help);
}
const char* variableNamesFile() { return "names a parameter file, read before the command line"; }
std::string parameterFiles(const std::vector<std::string>& namedBy, const std::string& keyword) {
    std::string names;
    for (std::size_t i = 0; i < namedBy.size(); ++i) names += (i == 0 ? "" : i + 1 == namedBy.size() ? " or " : ", ") + namedBy[i];
    return "a parameter file, named by " + names + ": a line \"name value\" each, the name an option's long name" +
           (keyword.empty() ? std::string() : "; a line \"" + keyword + " FILE\" reads a further file") +
           "; a line beginning with # is a remark";
}
const char* successStatus() { return "success, and after help, version, completion script or manual page"; }
const char* problemStatus() { return "a problem with the command line, named on standard error"; }
namespace page {
const char* name() { return "NAME"; }
const char* synopsis() { return "SYNOPSIS"; }
const char* description() { return "DESCRIPTION"; }
const char* commands() { return "COMMANDS"; }
const char* options() { return "OPTIONS"; }
const char* environment() { return "ENVIRONMENT"; }
const char* files() { return "FILES"; }
const char* exitStatus() { return "EXIT STATUS"; }
const char* seeAlso() { return "SEE ALSO"; }
const char* notes() { return "NOTES"; }
const char* manual() { return "User Commands"; }
}  // namespace page

}  // namespace help

std::string parameterFileHeading() {
    return "# Parameters in force; the remark after each value says where it came from.\n";
}

std::string withoutValue(const std::string& keyword) { return "# " + keyword + ": nothing to write, the default holds\n"; }

std::string origin(const ParamOrigin& origin) {
    switch (origin.kind) {
    case ParamOrigin::COMMAND_LINE: return "from the command line";
    case ParamOrigin::ENVIRONMENT: return "from $" + visible(origin.name);
    case ParamOrigin::PARAMETER_FILE: return "from " + visible(origin.name) + ", line " + std::to_string(origin.line);
    default: return "default";
    }
}

void unwritableParameter(const char* keyword, const char* value) {
    std::cerr << "Cannot write parameter '" << keyword << "' to a parameter file: ";
    if (value != nullptr) {
        std::cerr << "its value '" << value << "' would not read back the same." << std::endl;
    } else {
        std::cerr << "a parameter file cannot give its value." << std::endl;
    }
}

void cannotWriteFile(const char* fileName, const char* reason) {
    if (fileName == nullptr) {
        std::cerr << "Cannot write the parameters: memory ran out." << std::endl;
        return;
    }
    std::cerr << "Cannot write file '" << fileName << "'";
    if (reason != nullptr) std::cerr << ": " << reason;
    std::cerr << "." << std::endl;
}

const char* notARegularFile() { return "it is not a regular file"; }

namespace completion {

std::string heading(const char* shell, const std::string& program) {
    return "# Completion of " + program + " for " + shell + ", written by " + program + " from its parameters.\n";
}

const char* controlCharacter() { return "it holds a line end or another control character, which no script can hold"; }
const char* programName() { return "a program's name must not be empty, begin with a hyphen or hold \"=\""; }
const char* zshProgramName() { return "zsh's #compdef line cannot hold a program's name with a blank"; }
const char* fishProgramName() {
    return "fish reads $ * ? ~ { } ' \" \\ in a program's name as an expansion, a pattern or a quote";
}
const char* commandName() { return "a command's name must not be empty or begin with a hyphen"; }
const char* optionName() {
    return "an option's name is a hyphen and one character (-o), or two hyphens and a word without \"=\" (--Order)";
}
const char* noName() { return "the option with this description has no name"; }

void refused(const char* shell, const std::string& text, const char* reason) {
    std::cerr << refusal(shell, text, reason);
    std::cerr.flush();
}

std::string refusal(const char* shell, const std::string& text, const char* reason) {
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            shown += "\\n";
        } else if (c == '\t') {
            shown += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            std::array<char, 8> escaped{};
            std::snprintf(escaped.data(), escaped.size(), "\\x%02X", static_cast<unsigned>(byte));
            shown += escaped.data();
        } else {
            shown += c;
        }
    }
    return "Cannot write the " + std::string(shell) + " completion script: '" + shown + "': " + reason + ".\n";
}

}  // namespace completion

namespace usage {

void synopsisStart(std::ostream& out, const char* programName) { out << "\nusage: " << programName; }
void switchGroupOpen(std::ostream& out) { out << " [-"; }
void switchGroupClose(std::ostream& out) { out << "]"; }
void reservedOptions(std::ostream& out) { out << " [-h] [-f file] [--]"; }
void synopsisEnd(std::ostream& out) { out << std::endl; }

void entryOpen(std::ostream& out, bool obligatory, char flag) {
    if (flag == 0) {
        out << (obligatory ? " " : " [");
    } else {
        out << (obligatory ? " -" : " [-") << flag << " ";
    }
}

void entryClose(std::ostream& out, bool obligatory) {
    if (!obligatory) out << "]";
}

void switchEntry(std::ostream& out, char flag) {
    if (flag != 0) out << flag;
}

void keywordEntryOpen(std::ostream& out, bool obligatory, const char* keyword) {
    out << (obligatory ? " --" : " [--") << keyword << " ";
}

void keywordSwitchEntry(std::ostream& out, bool obligatory, const char* keyword) {
    out << (obligatory ? " --" : " [--") << keyword << (obligatory ? "" : "]");
}

void obligatorySwitchEntry(std::ostream& out, char flag) { out << " -" << flag; }

void blockStart(std::ostream& out) { out << std::endl << "   "; }
void flagBeforeValueName(std::ostream& out, char flag) { out << "-" << flag << " "; }
void afterFlagValueName(std::ostream& out) { out << ", "; }
void keywordBeforeValueName(std::ostream& out, const char* keyword) { out << "--" << keyword << "="; }

void switchHead(std::ostream& out, char flag, const char* keyword) {
    if (flag != 0) {
        out << "\n   -" << flag << ", --" << keyword;
    } else {
        out << "\n   --" << keyword;
    }
}

void description(std::ostream& out, const char* text) { out << ":" << std::endl << "\t\t" << text; }
void defaultLabel(std::ostream& out) { out << std::endl << "\t\t" << "Default: "; }
void mustBeGiven(std::ostream& out) { out << std::endl << "\t\t" << "!! This parameter MUST be given !!"; }
void keywordInFile(std::ostream& out, const char* keyword) {
    out << std::endl << "\t\tKeyword in parameter file: " << keyword;
}
void textDefault(std::ostream& out, const char* value) {
    if (value != nullptr) {
        out << value;
    } else {
        out << "No Default given";
    }
}

void repeated(std::ostream& out) { out << "..."; }
void noElements(std::ostream& out) { out << "none"; }

void constraint(std::ostream& out, const char* summary) { out << " (" << summary << ")"; }

void listNote(std::ostream& out, bool positional) {
    out << std::endl
        << "\t\t" << (positional ? "Takes this word and every later one." : "May be given several times.");
}

const char* helpDescription() { return "Print this help information"; }
const char* parameterFileDescription() { return "Use the parameters given in file"; }

void fixedDescriptions(std::ostream& out) {
    out << "\n   -h, --help:\n\t\t" << helpDescription()
        << "\n   -f file, --ParameterFile=file:\n\t\t" << parameterFileDescription()
        << "\n   --:\n\t\tDelimiter: '-' won't be interpreted as flag/\n"
        << "\t\tkeyword trigger behind this.\n";
    out.flush();
}

}  // namespace usage

}  // namespace text
}  // namespace param_detail
