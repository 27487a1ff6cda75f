// What both fuzz targets do once, before the first input.
#ifndef PARAM_FUZZ_FUZZERSETUP_H
#define PARAM_FUZZ_FUZZERSETUP_H

namespace param_fuzz {

// Silences the library's messages unless PARAM_FUZZ_VERBOSE is set, and
// makes the place where libFuzzer writes a crashing input absolute: every
// input runs in the harness's own working directory, and a relative place
// would otherwise be taken from there. An -artifact_prefix or
// -exact_artifact_path given on the command line is left as it is.
void setUpFuzzer(int* argc, char*** argv);

}  // namespace param_fuzz

#endif
