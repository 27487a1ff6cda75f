// A small file tool, the second complete host program of the library: it
// would copy at most a given number of lines from one file into another.
// It shows the parameter kinds a file tool typically needs:
//
//   switches          -v (Verbose) and -q (Quiet), which may be grouped: -vq
//   positional words  infile (obligatory) and outfile (optional, out.txt)
//   a value flag      -n count (obligatory), also --Limit=count
//
// Try, for instance:
//   FileTool -h                     the usage screen generated from the definitions
//   FileTool -vn 5 notes.txt        a run of switches ending in a value flag
//   FileTool -n 5 -- -odd-name.txt  after "--" a word starting with "-" is positional
//   FileTool -f tool.par notes.txt  values read from a parameter file
//
// It only reports what it was given, one line per parameter, and names the
// parameter file a value came from. On a problem the library reports it on
// standard error and the tool ends with status 255.
#include <iostream>

#include <param/Param.h>

namespace {

// Writes one report line: the label, the value and, when a parameter file
// gave the value, that file's name.
template <typename Value>
void report(CParam& params, const char* label, const char* keyword, const Value& value) {
    std::cout << label << " = " << value;
    if (const char* file = params.getSourceFromKey(keyword)) {
        std::cout << "  (from " << file << ")";
    }
    std::cout << '\n';
}

const char* yesNo(bool on) { return on ? "yes" : "no"; }

}  // namespace

int main(int argc, char** argv) {
    bool verbose = false;
    char* inputFile = nullptr;
    bool quiet = false;
    char* outputFile = nullptr;
    int limit = 0;

    // The set writes every value straight into these variables; the string
    // values it stores stay valid as long as the set lives.
    CParam params;
    params.AddParamDef("Verbose", 'v', &verbose, false, "print progress messages", true, "", -1);
    params.AddParamDef("InputFile", 0, &inputFile, nullptr, "file to read", false, "infile", 1);
    params.AddParamDef("Quiet", 'q', &quiet, false, "print no warnings", true, "", -1);
    params.AddParamDef("OutputFile", 0, &outputFile, "out.txt", "file to write", true, "outfile",
                       2);
    params.AddParamDef("Limit", 'n', &limit, 0, "largest number of lines to copy", false, "count",
                       -1);

    // Does not return on a problem or on -h: the process ends with status 255.
    params.Interpret_exitOnError(argv, argc);

    report(params, "Input file ", "InputFile", inputFile);
    report(params, "Output file", "OutputFile", outputFile);
    report(params, "Limit      ", "Limit", limit);
    report(params, "Verbose    ", "Verbose", yesNo(verbose));
    report(params, "Quiet      ", "Quiet", yesNo(quiet));
    return 0;
}
