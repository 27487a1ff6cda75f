// Everything the library says to a user, in one place: the warnings about a
// host's definitions, the problem messages, the refused-value message, the
// allocation message, the closing lines and the pieces of the usage screen.
// The code elsewhere decides what to say and when; these functions say it.
// Unless a stream is named, they write to standard error; "line end" is a
// newline followed by a flush.
#ifndef PARAM_DETAIL_TEXTS_H
#define PARAM_DETAIL_TEXTS_H

#include <ostream>
#include <string>
#include <vector>

#include "ParamDef.h"

namespace param_detail {
namespace text {

// --- Warnings about the host's own definitions -----------------------------
// what is "flag" or "keyword"; reason, where given, says why no command line or file could give the
// name, on a line of its own.
void registrationWarning(const char* what, const char* name, const char* reason = nullptr);
// Why a flag or a keyword cannot be used; null for one that can.
const char* unusableFlag(char flag);
const char* unusableKeyword(const char* keyword);
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
    // Control characters and bytes that are no UTF-8 in the quoted texts are shown as \x1b, so that no
    // word or file line can send a terminal its escape sequences.
    bool visible = false;
    // A message of the new interface, in place of the body of the code (already visible).
    const char* message = nullptr;
    // The name or value the user may have meant, on a line "Did you mean '...'?" after the message.
    const char* suggestion = nullptr;
};
// text with its control characters and bytes that are no UTF-8 written as \x1b.
std::string visible(const char* text);
// The same on one line: line ends and tabs as blanks first (a help screen, page or reference lays
// out the lines itself).
std::string visibleLine(const std::string& text);
// The message of a problem, then the help hint naming programName, to out. A null text is written as
// an empty one.
void problem(const Problem& problem, const char* programName, std::ostream& out);
// Why a line of a parameter file is refused although nothing is wrong with its keyword or value.
const char* nestedTooDeep();
// Why a parameter file is read that no word or line names: "It is named by $WORDFREQ_ParameterFile."
std::string namedByVariable(const std::string& variable);
const char* lineTooLong();
const char* nulByte();
const char* unclosedQuote();
// What a switch given a value should have been given; why a string value was refused when memory
// ran out while copying it.
const char* switchExpectation();
const char* copyFailed();
// What a definition writes before the process ends on a value it refuses.
void refusedValue(const char* value, const char* errordesc);
// What a value of each built-in type is called in messages ("It should be an integer.") and on a
// help screen; the refused-value text of a switch, which nothing prints.
extern const char kCharacterName[], kIntegerName[], kUnsignedName[], kShortName[], kDoubleName[], kFloatName[],
    kTextName[];
extern const char kCharacterValueName[], kNumberValueName[], kTextValueName[];
extern const char kSwitchRefusal[];
// What the refused-value text of a described type begins with, before its name.
const char* shouldBe();
void stringAllocationFailed();
void exiting();
void switchRefusedEmptyValue();
void assertionFailed(const char* condition);
// A range's and a list of choices' texts: "from 1 to 100000" (a null limit: none on that side),
// "one of count, alpha".
std::string rangeSummary(const char* lower, const char* upper);
std::string choicesSummary(const std::vector<std::string>& words);

// --- The new interface ------------------------------------------------------------------------
// Problems: a word no positional parameter takes; a value given to a name that takes none; a required
// parameter not given; relations broken. Names are shown as given, visibly.
std::string unexpectedWord(const std::string& word);
std::string takesNoValue(const std::string& name, const char* value);
std::string notGivenTogether(const std::string& one, const std::string& other);
std::string givenWithout(const std::string& given, const std::string& needed);
std::string tooManyOf(const std::vector<std::string>& members, const std::vector<std::string>& given);
std::string noneOf(const std::vector<std::string>& members, bool exactlyOne);
std::string givenTwice(const std::string& name);
std::string unknownCommand(const std::string& word);
std::string missingCommand(const std::vector<std::string>& names);
std::string ambiguous(const std::string& typed, const std::vector<std::string>& candidates);
// The line after a message about a name or value that names nothing: "\nDid you mean '--fields'?";
// empty when suggestion is.
std::string didYouMean(const std::string& suggestion, const char* before);
// Mistakes in the declarations.
std::string badName(const std::string& name);
std::string nameTwice(const std::string& name);
std::string badCommandName(const std::string& name);
std::string commandTwice(const std::string& name);
std::string positionalBesideCommands(const std::string& name);
std::string namelessParameter(const std::string& help);
std::string positionalBehindRest(const std::string& name);
std::string requiredBehindOptional(const std::string& name);
std::string foreignRelation(const std::string& name);
// What a count should be; why a program's check that answers false refuses a value.
const char* countExpectation();
const char* refusedByCheck();
// The special options' help texts and the parameter file's value name.
const char* helpOptionHelp();
const char* versionOptionHelp();
const char* fileOptionHelp();
const char* fileValueName();
const char* completionOptionHelp();
const char* shellValueName();
const char* manualOptionHelp();
const char* formatValueName();
const char* formatExpectation();
const char* shellExpectation();

// The help screen of the new interface.
namespace help {
std::string usage();        // "Usage: "
std::string options();      // " [OPTIONS]" in the synopsis
std::string commandWord();  // " COMMAND"
std::string optionalCommandWord();  // " [COMMAND]"
const char* value();        // a value's name where its type gives none
const char* optionsTitle();
const char* argumentsTitle();
const char* commandsTitle();
std::string sharedTitle(const std::string& path);
const char* noElements();   // what a list's default shows when it has none
const char* on();
std::string defaultIs(const std::string& value);
std::string environment(const std::string& variable);
const char* repeatable();
std::string excludes(const std::string& name);
std::string needs(const std::string& name);
std::string deprecated(const std::string& note);
// kind: 0 at most one, 1 exactly one, 2 at least one.
std::string group(int kind, const std::vector<std::string>& members);
// A manual page's environment variables, files and exit statuses, where the program names none.
std::string variableGives(const std::string& name, const std::string& help);
const char* variableNamesFile();
std::string parameterFiles(const std::vector<std::string>& namedBy, const std::string& keyword);
const char* successStatus();
const char* problemStatus();
// The titles of a manual page's sections, and of a Markdown reference's.
namespace page {
const char *name(), *synopsis(), *description(), *commands(), *options(), *environment(), *files(), *exitStatus(),
    *seeAlso(), *notes(), *manual();
}  // namespace page
}  // namespace help

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
// reason: why, where the system says ("Permission denied"), or what the file is.
void cannotWriteFile(const char* fileName, const char* reason = nullptr);
const char* notARegularFile();

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
std::string refusal(const char* shell, const std::string& text, const char* reason);
}  // namespace completion

// --- The usage screen ------------------------------------------------------
// Each piece goes to the stream given: standard error by default, standard output for a set that
// shows help there.
namespace usage {
void synopsisStart(std::ostream& out, const char* programName);
void switchGroupOpen(std::ostream& out);
void switchGroupClose(std::ostream& out);
void reservedOptions(std::ostream& out);
void synopsisEnd(std::ostream& out);
// The synopsis entry of a value parameter around its value's name: flag 0
// for a positional one.
void entryOpen(std::ostream& out, bool obligatory, char flag);
void entryClose(std::ostream& out, bool obligatory);
void switchEntry(std::ostream& out, char flag);
// The entries that today's conventions add: a value parameter without a flag (around its value's
// name), a switch without a flag, and an obligatory switch's flag.
void keywordEntryOpen(std::ostream& out, bool obligatory, const char* keyword);
void keywordSwitchEntry(std::ostream& out, bool obligatory, const char* keyword);
void obligatorySwitchEntry(std::ostream& out, char flag);
// A description block: its head line, around the value's name where a
// value parameter has one, then the description and the closing lines.
void blockStart(std::ostream& out);
void flagBeforeValueName(std::ostream& out, char flag);
void afterFlagValueName(std::ostream& out);
void keywordBeforeValueName(std::ostream& out, const char* keyword);
void switchHead(std::ostream& out, char flag, const char* keyword);
void description(std::ostream& out, const char* text);
void defaultLabel(std::ostream& out);
void mustBeGiven(std::ostream& out);
void keywordInFile(std::ostream& out, const char* keyword);
// Beside the description: the range or choices of the values; below it, that a list may be given
// several times, or at a position takes the rest of the words.
void constraint(std::ostream& out, const char* summary);
void listNote(std::ostream& out, bool positional);
// After a positional list's synopsis entry; a default list without elements.
void repeated(std::ostream& out);
void noElements(std::ostream& out);
// A string's default: the text, or the words for none.
void textDefault(std::ostream& out, const char* value);
void fixedDescriptions(std::ostream& out);
// The descriptions of -h and -f, as the fixed texts give them.
const char* helpDescription();
const char* parameterFileDescription();
}  // namespace usage

}  // namespace text
}  // namespace param_detail

#endif
