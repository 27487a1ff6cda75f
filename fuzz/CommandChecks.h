// What must hold of a fuzzed program of the new interface: of each result of a reading, of its help
// screens, and of two readings of the same words. A check that fails names the fault and aborts.
#ifndef PARAM_FUZZ_COMMANDCHECKS_H
#define PARAM_FUZZ_COMMANDCHECKS_H

#include "Command.h"
#include "CommandProgram.h"

namespace param_fuzz {

// The status, the code and the text agree, the command is the program's, and a success leaves
// what the declarations ask for: a command where one is required, the required parameters and the
// relations of every command on the way.
void checkResult(const CommandProgram& program, const param::Result& result);

// Every command's help screen at several widths: a synopsis first, lines no longer than the width
// but where the screen promises nothing shorter, and no control character but those the
// declarations' texts hold.
void checkHelpScreens(const CommandProgram& program);

// A reading that came after others, and a reading of the same words by a program declared alike
// that read nothing before, came to the same result and values.
void checkSameReading(const CommandProgram& later, const param::Result& laterResult, const CommandProgram& fresh,
                      const param::Result& freshResult);

}  // namespace param_fuzz

#endif
