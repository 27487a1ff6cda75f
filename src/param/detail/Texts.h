// Everything the library says to a user, in one place: the warnings about a
// host's definitions, the problem messages, the refused-value message, the
// allocation message, the closing lines and the pieces of the usage screen.
// The code elsewhere decides what to say and when; these functions say it.
// Unless a stream is named, they write to standard error; "line end" is a
// newline followed by a flush.
#ifndef PARAM_DETAIL_TEXTS_H
#define PARAM_DETAIL_TEXTS_H

#include "ParamDef.h"

namespace param_detail {
namespace text {

// --- Warnings about the host's own definitions -----------------------------
// what is "flag" or "keyword".
void registrationWarning(const char* what, const char* name);
void obligatoryBehindOptionalWarning(const char* partypeName);
void positionUseWarning(int position, int users);

// --- Problems, values and ends ---------------------------------------------
// The message of a problem code, then, when there is one, the reason on a line of its own, then the
// help hint naming programName. A null text is written as an empty one.
void problem(int code, const char* subject, const char* detail, const char* programName,
             const char* reason = nullptr);
// Why a line of a parameter file is refused although nothing is wrong with its keyword or value.
const char* nestedTooDeep();
const char* lineTooLong();
const char* nulByte();
// What a definition writes before the process ends on a value it refuses.
void refusedValue(const char* value, const char* errordesc);
// The tail of the refused-value message of each value type ("should be an
// integer"); "" for a switch.
const char* errorDescription(types type);
void stringAllocationFailed();
void exiting();
void switchRefusedEmptyValue();
void assertionFailed(const char* condition);

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
void noDefault();
void fixedDescriptions();
}  // namespace usage

}  // namespace text
}  // namespace param_detail

#endif
