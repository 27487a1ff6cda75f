// What both fuzz targets do once, before the first input.
#ifndef PARAM_FUZZ_FUZZERSETUP_H
#define PARAM_FUZZ_FUZZERSETUP_H

#include <string>

namespace param_fuzz {

// Silences the library's messages unless PARAM_FUZZ_VERBOSE is set, and
// makes the place where libFuzzer writes a crashing input absolute: every
// input runs in the harness's own working directory, and a relative place
// would otherwise be taken from there. An -artifact_prefix or
// -exact_artifact_path given on the command line is left as it is.
void setUpFuzzer(int* argc, char*** argv);

// Where libFuzzer writes a crashing input: the -artifact_prefix given or
// made absolute by setUpFuzzer; empty (the working directory) with an
// -exact_artifact_path. A target that finds a fault of an earlier input
// writes that input there itself.
const std::string& artifactPrefix();

}  // namespace param_fuzz

#endif
