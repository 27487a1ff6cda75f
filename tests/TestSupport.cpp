#include "TestSupport.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

Args::Args(const std::vector<const char*>& list) : words(list.begin(), list.end()) {
    for (std::string& word : words) pointers.push_back(word.data());
    pointers.push_back(nullptr);
}

namespace {

// Removed only by the process that made it: a death test's child exits
// through the same static destructors while its parent still needs the files.
struct TempFolder {
    std::string path;
    pid_t owner = getpid();
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "param-tests-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        path = pattern;
    }
    ~TempFolder() {
        if (getpid() != owner) return;
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

}  // namespace

std::string tempDir() {
    static TempFolder folder;
    return folder.path;
}

std::string writeTempFile(const std::string& name, const std::string& content) {
    const std::string path = tempDir() + "/" + name;
    std::ofstream out(path, std::ios::binary);
    out << content;
    return path;
}

std::string stderrOf(const std::function<void()>& body) {
    testing::internal::CaptureStderr();
    body();
    return testing::internal::GetCapturedStderr();
}

std::string exactRegex(const std::string& text) {
    static const std::string special = ".[]()*+?{}|^$\\";
    std::string pattern = "^";
    for (const char c : text) {
        if (special.find(c) != std::string::npos) pattern += '\\';
        pattern += c;
    }
    return pattern + "$";
}

std::string helpHint(const std::string& program) {
    return "\nGet help with '" + program + " --help'\n\n";
}

int InspectableParam::listLength() const {
    int length = 0;
    for (const ParamListElement* e = firstElement; e != nullptr; e = e->next) ++length;
    return length;
}

std::vector<std::string> InspectableParam::filesRead() const {
    std::vector<std::string> names;
    for (const ParamFileElement* e = paramFileList; e != nullptr; e = e->next) {
        names.emplace_back(e->fileName);
    }
    return names;
}

DemoParameters::DemoParameters(CParam& set) {
    set.AddParamDef("TraceLevel", 'T', &traceLevel, 0,
                    "Trace level: 0 = no, 1 = minimal, 2 = full trace output", true, "n", -1);
    set.AddParamDef("LexiconFile", 'L', &lexicon, "Lexicon", "name of parameter file with lexicon",
                    false, "s", -1);
    set.AddParamDef("GrammarFile", 'G', &grammar, "Grammar", "name of file with grammar", false,
                    "s", -1);
    set.AddParamDef("LogFile", 0, &log, nullptr, "name of log file from ZQ-Tool", true, "s", -1);
}

HostDef::HostDef(const char* keyword, char flag, const char* partypeName, int position,
                 bool isSwitch)
    : CParamDef(keyword, flag, TYPE_STRING, partypeName, "a host's own", "is never shown", true,
                position),
      isSwitch(isSwitch) {}

int HostDef::dealWith(char* value, char* valueSource) {
    if (!received.empty()) received += ",";
    received += value == nullptr ? std::string("null") : "'" + std::string(value) + "'";
    if (isSwitch || value == nullptr || std::strcmp(value, "bad") == 0) return 0;
    markSatisfied(valueSource);
    return 1;
}

TestHost::TestHost()
    : output(new HostDef("OutputFile", 0, "outfile", 2, false)),
      rec(new HostDef("Rec", 'r', "rec", -1, false)),
      quiet(new HostDef("Quiet", 'q', "", -1, true)) {
    params.AddParamDef("TraceLevel", 'T', &trace, 0, "trace level", true, "n", -1);
    params.AddParamDef("All", 'a', &all, false, "all", true, "", -1);
    params.AddParamDef("Verbose", 'v', &verbose, false, "verbose", true, "", -1);
    params.AddParamDef("LogFile", 0, &logFile, nullptr, "log file", true, "s", -1);
    params.AddParamDef("InputFile", 0, &input, nullptr, "input", true, "infile", 1);
    params.AddParamDef(output);
    params.AddParamDef(rec);
    params.AddParamDef(quiet);
}

TestHost::Outcome TestHost::run(const std::vector<const char*>& words) {
    Args& args = keptArgs.emplace_back(words);
    Outcome outcome{};
    outcome.messages = stderrOf(
        [&] { outcome.result = params.Interpret_returnError(args.argv(), args.argc()); });
    return outcome;
}

TestHost::Outcome TestHost::read(const std::string& path) {
    Outcome outcome{};
    outcome.messages = stderrOf([&] { outcome.result = params.read_parameter_file(path.c_str()); });
    return outcome;
}

std::string TestHost::state() {
    std::string shown;
    const auto add = [&](const char* keyword, const std::string& value) {
        shown += " " + value;
        if (const char* source = params.getSourceFromKey(keyword)) {
            shown += "@" + std::filesystem::path(source).filename().string();
        }
    };
    if (trace != 0) add("TraceLevel", "T=" + std::to_string(trace));
    if (all) add("All", "a");
    if (verbose) add("Verbose", "v");
    if (logFile != nullptr) add("LogFile", "log=" + std::string(logFile));
    if (input != nullptr) add("InputFile", "in=" + std::string(input));
    if (!output->received.empty()) add("OutputFile", "out=" + output->received);
    if (!rec->received.empty()) add("Rec", "rec=" + rec->received);
    if (!quiet->received.empty()) add("Quiet", "q=" + quiet->received);
    return shown.empty() ? shown : shown.substr(1);
}
