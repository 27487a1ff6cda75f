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
void fileLine(const char* opening, const char* fileName, long number, const char* line) {
    std::cerr << opening << fileName << "' at line";
    if (number > 0) std::cerr << " " << number;
    std::cerr << ":\n'" << line << "'.";
}

void problemBody(int code, const char* subject, const char* detail, long line) {
    switch (code) {
    case 0:
        std::cerr << "Undefined error (0), please check program source code";
        break;
    case CParam::PROBLEM_MISSING_HYPHEN:
        std::cerr << "Invalid argument '" << subject << "'." << std::endl
                  << "Each parameter must start with '-' or '--' resp.!";
        break;
    case CParam::PROBLEM_UNKNOWN_KEYWORD:
        std::cerr << "Unknown keyword '" << subject << "'.";
        break;
    case CParam::PROBLEM_UNKNOWN_FLAG:
        std::cerr << "Unknown flag '" << subject << "'.";
        break;
    case CParam::PROBLEM_INVALID_VALUE:
        std::cerr << "Invalid value '" << detail << "' at parameter '" << subject << "'.";
        break;
    case CParam::PROBLEM_MISSING_VALUE:
        std::cerr << "Missing value at keyword '" << subject << "'.";
        break;
    case CParam::PROBLEM_MISSING_PARAMETER:
        std::cerr << "Parameter '" << subject << "' required.";
        break;
    case CParam::PROBLEM_CANNOT_OPEN_FILE:
        std::cerr << "Cannot open file '" << subject << "'.";
        break;
    case CParam::PROBLEM_MISSING_VALUE_IN_FILE:
        fileLine("Missing value in file '", subject, line, detail);
        break;
    case CParam::PROBLEM_UNKNOWN_KEYWORD_IN_FILE:
        fileLine("Unknown keyword in file '", subject, line, detail);
        break;
    case CParam::PROBLEM_GENERAL_PROBLEM_IN_FILE:
        fileLine("General problem in file '", subject, line, detail);
        break;
    case CParam::PROBLEM_PARAM_FILE_LOOP:
        fileLine("Loop detected in nested parameter file call in file '", subject, line, detail);
        std::cerr << "\nSkipping parameter file call.";
        break;
    default:
        std::cerr << "Unknown error (" << code << "), please check program source code";
        break;
    }
}

}  // namespace

void registrationWarning(const char* what, const char* name) {
    std::cerr << std::endl
              << "CParam.AddParamDef :" << std::endl
              << " Internal warning: the " << what << " '" << name
              << "' is reserved for special purposes or has" << std::endl
              << " been used for another parameter." << std::endl
              << " It should not be redefined." << std::endl
              << kBeware << std::endl
              << std::endl;
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

void problem(const Problem& p, const char* programName) {
    const auto orEmpty = [](const char* text) { return text != nullptr ? text : ""; };
    problemBody(p.code, orEmpty(p.subject), orEmpty(p.detail), p.line);
    if (p.reason != nullptr) std::cerr << "\n" << p.reason;
    if (p.expected != nullptr && p.parameter != nullptr) {
        std::cerr << "\nThe value '" << orEmpty(p.value) << "' of '" << p.parameter << "' " << p.expected << ".";
    } else if (p.expected != nullptr) {
        std::cerr << "\nIt " << p.expected << ".";
    }
    programName = orEmpty(programName);
    std::cerr << std::endl
              << "Get help with '" << programName << " --help'" << std::endl
              << std::endl;
}

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

const char* errorDescription(types type) {
    switch (type) {
    case TYPE_CHAR: return "should be a character";
    case TYPE_STRING: return "should be a non null string";
    case TYPE_INT:
    case TYPE_LONGINT: return "should be an integer";
    case TYPE_SHORTINT: return "should be a (short) integer";
    case TYPE_DOUBLE: return "should be a double";
    case TYPE_FLOAT: return "should be a float";
    case TYPE_BOOL: return "";
    default: return "should be an unsigned integer";
    }
}

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

std::string parameterFileHeading() {
    return "# Parameters in force; the remark after each value says where it came from.\n";
}

std::string withoutValue(const std::string& keyword) { return "# " + keyword + ": nothing to write, the default holds\n"; }

std::string origin(const ParamOrigin& origin) {
    switch (origin.kind) {
    case ParamOrigin::COMMAND_LINE: return "from the command line";
    case ParamOrigin::ENVIRONMENT: return std::string("from $") + origin.name;
    case ParamOrigin::PARAMETER_FILE: return std::string("from ") + origin.name + ", line " + std::to_string(origin.line);
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

void cannotWriteFile(const char* fileName) {
    if (fileName != nullptr) {
        std::cerr << "Cannot write file '" << fileName << "'." << std::endl;
    } else {
        std::cerr << "Cannot write the parameters: memory ran out." << std::endl;
    }
}

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
    std::cerr << "Cannot write the " << shell << " completion script: '" << shown << "': " << reason << "."
              << std::endl;
}

}  // namespace completion

namespace usage {

void synopsisStart(const char* programName) { std::cerr << "\nusage: " << programName; }
void switchGroupOpen() { std::cerr << " [-"; }
void switchGroupClose() { std::cerr << "]"; }
void reservedOptions() { std::cerr << " [-h] [-f file] [--]"; }
void synopsisEnd() { std::cerr << std::endl; }

void entryOpen(bool obligatory, char flag) {
    if (flag == 0) {
        std::cerr << (obligatory ? " " : " [");
    } else {
        std::cerr << (obligatory ? " -" : " [-") << flag << " ";
    }
}

void entryClose(bool obligatory) {
    if (!obligatory) std::cerr << "]";
}

void switchEntry(char flag) {
    if (flag != 0) std::cerr << flag;
}

void keywordEntryOpen(bool obligatory, const char* keyword) {
    std::cerr << (obligatory ? " --" : " [--") << keyword << " ";
}

void keywordSwitchEntry(bool obligatory, const char* keyword) {
    std::cerr << (obligatory ? " --" : " [--") << keyword << (obligatory ? "" : "]");
}

void obligatorySwitchEntry(char flag) { std::cerr << " -" << flag; }

void blockStart() { std::cerr << std::endl << "   "; }
void flagBeforeValueName(char flag) { std::cerr << "-" << flag << " "; }
void afterFlagValueName() { std::cerr << ", "; }
void keywordBeforeValueName(const char* keyword) { std::cerr << "--" << keyword << "="; }

void switchHead(char flag, const char* keyword) {
    if (flag != 0) {
        std::cerr << "\n   -" << flag << ", --" << keyword;
    } else {
        std::cerr << "\n   --" << keyword;
    }
}

void description(const char* text) { std::cerr << ":" << std::endl << "\t\t" << text; }
void defaultLabel() { std::cerr << std::endl << "\t\t" << "Default: "; }
void mustBeGiven() { std::cerr << std::endl << "\t\t" << "!! This parameter MUST be given !!"; }
void keywordInFile(const char* keyword) {
    std::cerr << std::endl << "\t\tKeyword in parameter file: " << keyword;
}
void textDefault(const char* value) {
    if (value != nullptr) {
        std::cerr << value;
    } else {
        std::cerr << "No Default given";
    }
}

void repeated() { std::cerr << "..."; }
void noElements() { std::cerr << "none"; }

void constraint(const char* summary) { std::cerr << " (" << summary << ")"; }

void listNote(bool positional) {
    std::cerr << std::endl
              << "\t\t" << (positional ? "Takes this word and every later one." : "May be given several times.");
}

const char* helpDescription() { return "Print this help information"; }
const char* parameterFileDescription() { return "Use the parameters given in file"; }

void fixedDescriptions() {
    std::cerr << "\n   -h, --help:\n\t\t" << helpDescription()
              << "\n   -f file, --ParameterFile=file:\n\t\t" << parameterFileDescription()
              << "\n   --:\n\t\tDelimiter: '-' won't be interpreted as flag/\n"
              << "\t\tkeyword trigger behind this.\n";
    std::cerr.flush();
}

}  // namespace usage

}  // namespace text
}  // namespace param_detail
