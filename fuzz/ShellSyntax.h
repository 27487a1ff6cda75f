// Whether completion scripts parse in the shells they are written for: `bash --norc --noprofile -n`,
// `zsh -f -n` and `fish --no-config --no-execute`, each where it is installed, with a clean
// environment in a private folder. No script is ever run beyond parsing.
//
// Starting a shell costs about 2 ms, many times the library's work on an input, while parsing a
// script costs a small part of that. So the scripts of a batch of inputs go into one file per
// shell, parsed by one process; only when the shell reports an error is each script of the batch
// parsed alone, to name the one at fault and the input that made it. Scripts already parsed
// (the same text for the same shell) are not parsed again.
#ifndef PARAM_FUZZ_SHELLSYNTAX_H
#define PARAM_FUZZ_SHELLSYNTAX_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "detail/Completion.h"

namespace param_fuzz {

class ShellSyntax {
public:
    // inputsPerBatch 1 parses the scripts of each input before the next input runs.
    ShellSyntax(std::string folder, std::size_t inputsPerBatch);
    ShellSyntax(const ShellSyntax&) = delete;
    ShellSyntax& operator=(const ShellSyntax&) = delete;

    // Takes the scripts written for one input; parses the batch once it is full.
    void add(std::string_view input, const std::vector<std::pair<param_detail::CompletionShell, std::string>>& scripts);
    // Parses what is pending. A script that does not parse is a fault: it names the shell, its
    // message, the input (also written to artifactPrefix()) and the script, and aborts.
    void parsePending();
    // Writes how many scripts each shell parsed, in how many batches.
    void writeFigures() const;

private:
    struct Script {
        std::size_t input, begin, end;  // the input's index; where the script lies in the batch
    };
    struct Shell {
        const char* name;
        std::vector<const char*> options;
        std::string path;  // empty: not installed
        std::string batch;
        std::vector<Script> scripts;
        std::size_t parsed = 0;
    };

    bool parses(const Shell& shell, std::string_view script, std::string& message) const;
    bool parsedBefore(std::size_t shell, std::string_view script);
    [[noreturn]] void report(const Shell& shell, std::string_view script, std::string_view input,
                             const std::string& message) const;

    std::string folder;
    std::size_t inputsPerBatch;
    std::vector<std::string> environment;
    std::vector<char*> environmentPointers;
    std::vector<Shell> shells;
    std::string inputs;                  // the batch's inputs, one after another
    std::vector<std::size_t> inputEnds;  // where each ends
    std::vector<std::uint64_t> seen;     // hashes of parsed scripts, by their low bits
    std::size_t batches = 0;
};

}  // namespace param_fuzz

#endif
