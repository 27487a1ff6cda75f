#include "FuzzHarness.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "Param.h"
#include "ProcessEnded.h"

namespace param_fuzz {

void fault(const char* what, const char* detail) {
    std::fprintf(stderr, "\nparam fuzz harness: %s%s\n", what, detail);
    std::fflush(stderr);
    std::abort();
}

bool QuietErrorStream::quiet = true;

QuietErrorStream::QuietErrorStream() : previous(quiet ? std::cerr.rdbuf(&discarding) : nullptr) {}

QuietErrorStream::~QuietErrorStream() {
    if (previous != nullptr) std::cerr.rdbuf(previous);
}

void writeFile(const std::string& path, std::string_view content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) fault("cannot write ", path.c_str());
}

namespace {

// ---------------------------------------------------------------------------
// The private folder

// A fresh temporary folder per process, removed at its normal end. Parameter
// files are named relative to the working directory, so every run works
// inside a sub-folder of it (one per entry point, so that the files one entry
// point writes never reach the other's runs).
class WorkFolder {
public:
    WorkFolder() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") +
                              "/param-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) fault("cannot create a folder in ", pattern.c_str());
        root = pattern;
    }
    ~WorkFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    std::string subFolder(const char* name) const {
        const std::string path = root + "/" + name;
        std::error_code error;
        std::filesystem::create_directories(path, error);
        if (error) fault("cannot create the folder ", path.c_str());
        return path;
    }

private:
    std::string root;
};

WorkFolder& workFolder() {
    static WorkFolder folder;
    return folder;
}

bool namesAnyPath(std::string_view input) { return input.find('/') != std::string_view::npos; }

// ---------------------------------------------------------------------------
// The parameter set

// Gives the checks a view of the set's own records.
class CheckedParam : public CParam {
public:
    bool recordsFileName(const char* name) const {
        for (const ParamFileElement* e = paramFileList; e != nullptr; e = e->next) {
            if (e->fileName == name) return true;
        }
        return false;
    }
    // Every value's source must be null or the set's own copy of a file name.
    void checkSources() const {
        for (const ParamListElement* e = firstElement; e != nullptr; e = e->next) {
            const char* source = e->definition->getSource();
            if (source != nullptr && !recordsFileName(source)) {
                fault("a value's source is not a recorded file name: ",
                      e->definition->getKeyword());
            }
        }
    }
    int typedDefinitionCount() const {
        int count = 0;
        for (const ParamListElement* e = firstElement; e != nullptr; e = e->next) {
            if (e->definition->getValue() != nullptr) ++count;
        }
        return count;
    }
};

// The host's variables; they outlive the set that writes into them.
struct HostVariables {
    char separator = 0;
    int traceLevel = 0;
    unsigned int count = 0;
    short depth = 0;
    unsigned short port = 0;
    long offset = 0;
    unsigned long limit = 0;
    double scale = 0;
    float ratio = 0;
    char* lexiconFile = nullptr;
    char* grammarFile = nullptr;
    char* logFile = nullptr;
    char* inputFile = nullptr;
    int repeat = 0;
    bool all = false;
    bool brief = false;
    bool strict = false;
    bool echo = false;
    std::string mode;
    std::vector<int> sizes;
    std::vector<std::string> tags;
};

// A host's own definition, registered through AddParamDef(CParamDef*): it
// refuses a missing value and any value that starts with "!" by returning 0,
// which leaves the report to the set instead of ending the process.
class HostPatternDefinition : public CParamDef {
public:
    HostPatternDefinition()
        : CParamDef("Pattern", 'r', TYPE_STRING, "pattern", "pattern", "should be a pattern", true,
                    -1) {}
    int dealWith(char* value, char* valueSource) override {
        if (value == nullptr || *value == '!') return 0;
        return CParamDef::dealWith(value, valueSource);
    }
};

// A host's own switch that refuses every mention: the command line's switch
// run ends the process on it, the long form and files report it.
class HostRefusingSwitch : public CBoolParamDef {
public:
    explicit HostRefusingSwitch(bool* var)
        : CBoolParamDef("Echo", 'e', var, false, "", "echo", true, -1) {}
    int dealWith(char*, char*) override { return 0; }
};

// One definition of every kind: every value type, the switch and the
// generic definition; with and without a flag; optional and obligatory; and
// two keyword-less positions (the first obligatory, the second optional).
// The keywords and flags of the demonstration program are among them, so
// its command lines and parameter files work here as well.
struct FuzzSet {
    HostVariables v;
    CheckedParam set;

    explicit FuzzSet(unsigned conventions) {
        set.SetConventions(conventions);
        // clang-format off
        add(set.AddParamDef("TraceLevel", 'T', &v.traceLevel, 0, "trace level", true, "n", -1));
        add(set.AddParamDef("LexiconFile", 'L', &v.lexiconFile, "Lexicon", "lexicon", false, "s", -1));
        add(set.AddParamDef("GrammarFile", 'G', &v.grammarFile, "Grammar", "grammar", false, "s", -1));
        add(set.AddParamDef("LogFile", 0, &v.logFile, nullptr, "log file", true, "s", -1));
        add(set.AddParamDef("Separator", 'c', &v.separator, ',', "separator", true, "c", -1));
        add(set.AddParamDef("Count", 'n', &v.count, 1u, "count", true, "n", -1));
        add(set.AddParamDef("Depth", 0, &v.depth, static_cast<short>(3), "depth", true, "n", -1));
        add(set.AddParamDef("Port", 'p', &v.port, static_cast<unsigned short>(80), "port", true, "n", -1));
        add(set.AddParamDef("Offset", 'o', &v.offset, -1L, "offset", true, "n", -1));
        add(set.AddParamDef("Limit", 0, &v.limit, 100UL, "limit", true, "n", -1));
        add(set.AddParamDef("Scale", 'x', &v.scale, 1.5, "scale", true, "x", -1));
        add(set.AddParamDef("Ratio", 0, &v.ratio, 0.5f, "ratio", true, "x", -1));
        add(set.AddParamDef("All", 'a', &v.all, false, "all", true, "", -1));
        add(set.AddParamDef("Brief", 'b', &v.brief, false, "brief", true, "", -1));
        add(set.AddParamDef("Strict", 0, &v.strict, false, "strict", true, "", -1));
        add(set.AddParamDef("Mode", 'M', TYPE_STRING, "mode", "should be a mode", true, "m", -1));
        add(set.AddParamDef("Tag", 0, TYPE_INT, "tag", "should be a tag", false, "t", -1));
        add(set.AddParamDef("InputFile", 0, &v.inputFile, nullptr, "input", false, "infile", 1));
        add(set.AddParamDef("Repeat", 0, &v.repeat, 1, "repeat", true, "times", 2));
        // clang-format on
        add(set.AddParamDef("Kind", 'k', &v.mode, "plain", "kind", true, "k", -1));
        add(set.AddParamDef("Sizes", 's', &v.sizes, {1, 2}, "sizes", true, "n", -1));
        add(set.AddParamDef("Tags", 0, &v.tags, {}, "tags", true, "t", -1));
        add(set.SetChoices("Kind", {"plain", "fancy"}) + set.SetRange("Sizes", "-5", "500") - 1);
        addOwn(new HostPatternDefinition);
        addOwn(new HostRefusingSwitch(&v.echo));
    }

    static void add(int accepted) {
        if (accepted != 1) fault("the set refused one of its definitions");
    }
    void addOwn(CParamDef* definition) {
        if (set.AddParamDef(definition) != 1) {
            delete definition;
            fault("the set refused one of its definitions");
        }
    }

    // What must hold after every interpretation, also one that ended the
    // process: values name real file records, the listing writes one line
    // per typed definition and shows every string value (reading each one
    // through, which the sanitizers watch), and the error stream still works
    // (a null text written to it would have failed it).
    void checkState() const {
        set.checkSources();
        std::ostringstream listing;
        set.Display(listing);
        const std::string lines = listing.str();
        const auto lineCount = std::count(lines.begin(), lines.end(), '\n');
        if (!listing || lineCount != set.typedDefinitionCount()) {
            fault("Display did not write one line per typed definition");
        }
        for (const char* text : {v.lexiconFile, v.grammarFile, v.logFile, v.inputFile}) {
            if (text != nullptr && lines.find(text) == std::string::npos) {
                fault("Display does not show a string variable's value: ", text);
            }
        }
        if (!std::cerr.good()) fault("the library left std::cerr failed");
    }

    void checkResult(int result) const {
        if (result != CParam::OK && result != CParam::HELP_SHOWN &&
            !(result < 0 && result >= CParam::PROBLEM_GENERAL_PROBLEM_IN_FILE)) {
            fault("Interpret_returnError returned an unknown code");
        }
        // OK means every obligatory parameter came, the positional file too.
        if (result == CParam::OK && (v.inputFile == nullptr || *v.inputFile == '\0')) {
            fault("OK without the obligatory keyword-less parameter");
        }
        if (v.lexiconFile == nullptr || v.grammarFile == nullptr) {
            fault("a string variable with a default became null");
        }
    }
};

// Argument words that the library gets as mutable texts, and which it must
// hand back unchanged.
class Words {
public:
    explicit Words(std::vector<std::string> list) : originals(std::move(list)) {}

    // The first round returns every problem code; the second ends the
    // process on a problem, as Interpret_exitOnError does for its hosts.
    int interpretBy(FuzzSet& fuzzSet, int round) {
        copies = originals;
        pointers.clear();
        for (std::string& word : copies) pointers.push_back(word.data());
        pointers.push_back(nullptr);
        const int count = static_cast<int>(copies.size());
        const int result = round == 0 ? fuzzSet.set.Interpret_returnError(pointers.data(), count)
                                      : fuzzSet.set.Interpret_exitOnError(pointers.data(), count);
        checkUnchanged();
        return result;
    }

    void checkUnchanged() const {
        for (std::size_t i = 0; i < copies.size(); ++i) {
            if (std::strcmp(pointers[i], originals[i].c_str()) != 0) {
                fault("the library changed an argument word: ", originals[i].c_str());
            }
        }
    }

private:
    std::vector<std::string> originals;
    std::vector<std::string> copies;
    std::vector<char*> pointers;
};

std::string listing(const CParam& set) {
    std::ostringstream out;
    set.Display(out);
    return out.str();
}

// What the set writes back, when it writes anything, reads back into a new set to the same values.
void checkWrittenReadsBack(FuzzSet& fuzzSet, unsigned conventions) {
    std::ostringstream written;
    if (fuzzSet.set.WriteParameters(written) != CParam::OK) return;
    writeFile("written.par", written.str());
    FuzzSet reader(conventions);
    try {
        if (reader.set.read_parameter_file("written.par") != CParam::OK) fault("the written parameters were refused");
    } catch (const ProcessEnded&) {
        fault("the written parameters ended the process");
    }
    if (listing(reader.set) != listing(fuzzSet.set)) fault("the written parameters read back to other values");
}

// Interprets the words twice with one set, checking after each time, and writes the values back.
Outcome interpretTwice(std::vector<std::string> list, unsigned conventions) {
    QuietErrorStream quiet;
    Words words(std::move(list));
    FuzzSet fuzzSet(conventions);
    try {
        for (int round = 0; round < 2; ++round) {
            const int result = words.interpretBy(fuzzSet, round);
            fuzzSet.checkResult(result);
            fuzzSet.checkState();
        }
        checkWrittenReadsBack(fuzzSet, conventions);
    } catch (const ProcessEnded& end) {
        if (end.failedCondition != nullptr) fault("failed assertion: ", end.failedCondition);
        // -1 after a problem; 0 after help shown with today's conventions (Interpret_exitOnError).
        if (end.status != -1 && end.status != 0) fault("the library ended the process with another status");
        words.checkUnchanged();
        fuzzSet.checkState();
        return Outcome::ProcessEnded;
    }
    return Outcome::Returned;
}

const char* const kCommandLineFile =
    "# A parameter file the fuzzed words can name\n"
    "LexiconFile lex.txt\n"
    "GrammarFile=gram.txt\n"
    "InputFile in.txt\n"
    "TraceLevel\t=\t2   remark\n"
    "Strict\n"
    "ParameterFile cmd.par\n";

// Files that an input reaches by naming them, since an input of its own could not grow that large
// within a fuzzer's time: a chain d1.par, d2.par, ... that goes deeper than the nesting limit, and
// lines at and beyond the length limit.
void writeLimitFiles(const std::string& folder) {
    for (int n = 1; n <= CParam::MAX_FILE_NESTING + 2; ++n) {
        writeFile(folder + "/d" + std::to_string(n) + ".par",
                  "Strict\nParameterFile d" + std::to_string(n + 1) + ".par\n");
    }
    const std::string atLimit = "LogFile " + std::string(CParam::MAX_LINE_LENGTH - 8, 'v');
    writeFile(folder + "/long.par", atLimit + "\n" + atLimit + "vv\nStrict\n");
    writeFile(folder + "/endless.par", std::string(CParam::MAX_LINE_LENGTH + 100, '\0'));
}

}  // namespace

void setQuiet(bool quiet) { QuietErrorStream::quiet = quiet; }

std::string privateFolder(const char* name) { return workFolder().subFolder(name); }

InFolder::InFolder(const std::string& path) : previous(open(".", O_RDONLY | O_CLOEXEC)) {
    if (previous < 0 || chdir(path.c_str()) != 0) fault("cannot enter ", path.c_str());
}

InFolder::~InFolder() {
    if (fchdir(previous) != 0) fault("cannot return to the previous working directory");
    close(previous);
}

Outcome runCommandLine(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (namesAnyPath(input)) return Outcome::Rejected;

    static const std::string folder = [] {
        const std::string path = workFolder().subFolder("command_line");
        writeFile(path + "/cmd.par", kCommandLineFile);
        return path;
    }();

    std::vector<std::string> words{"fuzz"};
    std::size_t start = 0;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i == size || input[i] == '\n' || input[i] == '\0') {
            if (i < size || start < size) words.emplace_back(input.substr(start, i - start));
            start = i + 1;
        }
    }
    InFolder inFolder(folder);
    if (interpretTwice(words, 0) == Outcome::ProcessEnded) return Outcome::ProcessEnded;
    return interpretTwice(std::move(words), CParam::CONVENTIONS_TODAY);
}

Outcome runParameterFiles(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (namesAnyPath(input)) return Outcome::Rejected;

    static const std::string folder = [] {
        const std::string path = workFolder().subFolder("parameter_file");
        writeLimitFiles(path);
        return path;
    }();

    std::string_view first = input;
    std::string_view second;
    constexpr std::string_view kSeparator = "%%\n";
    if (input.substr(0, kSeparator.size()) == kSeparator) {
        first = {};
        second = input.substr(kSeparator.size());
    } else if (const auto at = input.find("\n%%\n"); at != std::string_view::npos) {
        first = input.substr(0, at + 1);
        second = input.substr(at + 1 + kSeparator.size());
    }
    writeFile(folder + "/a.par", first);
    writeFile(folder + "/b.par", second);

    InFolder inFolder(folder);
    if (interpretTwice({"fuzz", "-f", "a.par"}, 0) == Outcome::ProcessEnded) return Outcome::ProcessEnded;
    return interpretTwice({"fuzz", "-f", "a.par"}, CParam::CONVENTIONS_TODAY);
}

}  // namespace param_fuzz
