// Everything the library says to a user, in one place: the warnings about a
// host's definitions, the problem messages, the refused-value message, the
// allocation message, the closing lines and the pieces of the usage screen.
// The code elsewhere decides what to say and when; these functions say it.
// Unless a stream is named, they write to standard error; "line end" is a
// newline followed by a flush.
#ifndef PARAM_DETAIL_TEXTS_H
#define PARAM_DETAIL_TEXTS_H

#include <string>
#include <vector>

#include "ParamDef.h"

namespace param_detail {
namespace text {

// --- Warnings about the host's own definitions -----------------------------
// what is "flag" or "keyword".
void registrationWarning(const char* what, const char* name);
void obligatoryBehindOptionalWarning(const char* partypeName);
void positionUseWarning(int position, int users);
void behindRestListWarning(const char* partypeName);

// --- Problems, values and ends ---------------------------------------------
// A problem to report: its code with the texts its message quotes, and what the message may add.
struct Problem {
    int code;
    const char* subject = nullptr;
    const char* detail = nullptr;
    long line = 0;                 // the number of the file line quoted; 0: not shown
    const char* reason = nullptr;  // a line of its own after the message
    // A refused value: a line saying what it should have been ("should be an integer"), naming the
    // value and the parameter when the message itself does not (a file line).
    const char* expected = nullptr;
    const char* value = nullptr;
    const char* parameter = nullptr;
};
// The message of a problem, then the help hint naming programName. A null text is written as an
// empty one.
void problem(const Problem& problem, const char* programName);
// Why a line of a parameter file is refused although nothing is wrong with its keyword or value.
const char* nestedTooDeep();
const char* lineTooLong();
const char* nulByte();
const char* unclosedQuote();
// What a switch given a value should have been given; why a string value was refused when memory
// ran out while copying it.
const char* switchExpectation();
const char* copyFailed();
// What a definition writes before the process ends on a value it refuses.
void refusedValue(const char* value, const char* errordesc);
// The tail of the refused-value message of each value type ("should be an
// integer"); "" for a switch.
const char* errorDescription(types type);
void stringAllocationFailed();
void exiting();
void switchRefusedEmptyValue();
void assertionFailed(const char* condition);
// A range's and a list of choices' texts: "from 1 to 100000" (a null limit: none on that side),
// "one of count, alpha".
std::string rangeSummary(const char* lower, const char* upper);
std::string choicesSummary(const std::vector<std::string>& words);

// --- The parameter file written back -----------------------------------------
std::string parameterFileHeading();
// The line of a parameter whose default holds and cannot be written ("# Output: ...").
std::string withoutValue(const std::string& keyword);
// Where a value came from: "default", "from the command line", "from $WORDFREQ_Top",
// "from run.par, line 3".
std::string origin(const ParamOrigin& origin);
// A value that would not read back (value null: a switch turned off, or a definition that keeps no
// value); a file that cannot be written (fileName null: memory ran out).
void unwritableParameter(const char* keyword, const char* value);
void cannotWriteFile(const char* fileName);

// --- Completion scripts ----------------------------------------------------
namespace completion {
// The script's first comment: what it completes, for which shell, and that the program wrote it.
std::string heading(const char* shell, const std::string& program);
// Why a text cannot be written into a completion script.
const char* controlCharacter();
const char* programName();
const char* zshProgramName();
const char* fishProgramName();
const char* commandName();
const char* optionName();
const char* noName();
// No script for the shell: the text (its control characters shown as escapes) and why.
void refused(const char* shell, const std::string& text, const char* reason);
}  // namespace completion

// --- The usage screen ------------------------------------------------------
namespace usage {
void synopsisStart(const char* programName);
void switchGroupOpen();
void switchGroupClose();
void reservedOptions();
void synopsisEnd();
// The synopsis entry of a value parameter around its value's name: flag 0
// for a positional one.
void entryOpen(bool obligatory, char flag);
void entryClose(bool obligatory);
void switchEntry(char flag);
// The entries that today's conventions add: a value parameter without a flag (around its value's
// name), a switch without a flag, and an obligatory switch's flag.
void keywordEntryOpen(bool obligatory, const char* keyword);
void keywordSwitchEntry(bool obligatory, const char* keyword);
void obligatorySwitchEntry(char flag);
// A description block: its head line, around the value's name where a
// value parameter has one, then the description and the closing lines.
void blockStart();
void flagBeforeValueName(char flag);
void afterFlagValueName();
void keywordBeforeValueName(const char* keyword);
void switchHead(char flag, const char* keyword);
void description(const char* text);
void defaultLabel();
void mustBeGiven();
void keywordInFile(const char* keyword);
// Beside the description: the range or choices of the values; below it, that a list may be given
// several times, or at a position takes the rest of the words.
void constraint(const char* summary);
void listNote(bool positional);
// After a positional list's synopsis entry; a default list without elements.
void repeated();
void noElements();
// A string's default: the text, or the words for none.
void textDefault(const char* value);
void fixedDescriptions();
// The descriptions of -h and -f, as the fixed texts give them.
const char* helpDescription();
const char* parameterFileDescription();
}  // namespace usage

}  // namespace text
}  // namespace param_detail

#endif
