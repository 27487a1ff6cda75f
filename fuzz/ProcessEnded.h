// What the fuzz build's replacement of the library's process end throws.
// A refused value, the usage screen or a failed allocation then hands
// control back to the harness, and the unwinding releases everything the
// parameter set owns, where the real function would end the process.
#ifndef PARAM_FUZZ_PROCESSENDED_H
#define PARAM_FUZZ_PROCESSENDED_H

namespace param_fuzz {

// Deliberately not derived from std::exception, so that no handler in the
// library or in the standard library can take it for one of its own.
struct ProcessEnded {
    int status;
    // The condition named by a failed assertion; null for an ordinary end.
    const char* failedCondition;
};

}  // namespace param_fuzz

#endif
