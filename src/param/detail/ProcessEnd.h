// Every way the library ends the process goes through these two functions.
// They live in a translation unit of their own (ProcessEnd.cpp) so that a
// build which must survive them (a fuzzer, for instance) can link its own
// definitions in place of that one object file.
#ifndef PARAM_DETAIL_PROCESSEND_H
#define PARAM_DETAIL_PROCESSEND_H

namespace param_detail {

// Ends the process with the given exit status (-1 after a problem, which
// the shell sees as 255; 0 after help when the host asked for that).
[[noreturn]] void endProcess(int status);

// Stops the process on an impossible state, the way a failed assertion does:
// names the failed condition on standard error, then aborts.
[[noreturn]] void failAssertion(const char* condition);

}  // namespace param_detail

#endif
