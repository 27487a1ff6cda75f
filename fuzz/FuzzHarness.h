// The logic shared by the fuzz targets and the regression replay test: the
// parameter set every input is interpreted by, the two ways an input reaches
// it, and the checks made after every interpretation. A check that fails
// names the fault on standard error and aborts, which a fuzzer reports as a
// crash and a test program as a failed test.
#ifndef PARAM_FUZZ_FUZZHARNESS_H
#define PARAM_FUZZ_FUZZHARNESS_H

#include <cstddef>
#include <cstdint>
#include <streambuf>
#include <string>
#include <string_view>

namespace param_fuzz {

// Names the fault on standard error and aborts.
[[noreturn]] void fault(const char* what, const char* detail = "");

// Discards what the library writes to std::cerr while it lives, unless
// setQuiet(false). The stream itself keeps running, so formatting faults
// still surface and a failed stream state is still seen by the checks.
class QuietErrorStream {
public:
    QuietErrorStream();
    ~QuietErrorStream();
    QuietErrorStream(const QuietErrorStream&) = delete;
    QuietErrorStream& operator=(const QuietErrorStream&) = delete;

private:
    class DiscardingBuffer : public std::streambuf {
    protected:
        int_type overflow(int_type c) override { return traits_type::not_eof(c); }
        std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
    };
    friend void setQuiet(bool quiet);
    static bool quiet;
    DiscardingBuffer discarding;
    std::streambuf* previous;
};

// Writes the file whole, or names the fault.
void writeFile(const std::string& path, std::string_view content);

// The folder of that name in the process's private temporary folder,
// created on first use; the whole is removed at the process's normal end.
std::string privateFolder(const char* name);

// Makes a folder the working directory while it lives, and goes back to the
// previous one on every way out: the library names parameter files relative
// to the working directory.
class InFolder {
public:
    explicit InFolder(const std::string& path);
    ~InFolder();
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    int previous;
};

enum class Outcome {
    // The input names a path with a "/", which could reach any file of the
    // machine (a device that never ends, a pipe nobody writes to); it is
    // not interpreted.
    Rejected,
    // Every interpretation returned a result.
    Returned,
    // The library ended the process (refused value, usage screen, failed
    // allocation); the set was unwound and destroyed.
    ProcessEnded,
};

// The input split into argument words at every line feed and NUL byte,
// behind the program name "fuzz". The same set interprets the words twice,
// as a host may: with Interpret_returnError, then with Interpret_exitOnError.
// Runs in a private folder holding the parameter file "cmd.par", which the
// words can name.
Outcome runCommandLine(const std::uint8_t* data, std::size_t size);

// The input split at its first line "%%" into the contents of the parameter
// files "a.par" and "b.par" (empty when there is no such line), written to a
// private folder. The set interprets the words "-f a.par" twice, the same
// way.
Outcome runParameterFiles(const std::uint8_t* data, std::size_t size);

// Whether the library's messages on std::cerr are discarded (the default),
// which keeps a fuzzer fast and its log readable.
void setQuiet(bool quiet);

}  // namespace param_fuzz

#endif
