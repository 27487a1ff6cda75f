#include "TestSupport.h"

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

Args::Args(const std::string& line) {
    for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
        end = line.find('|', start);
        words.push_back(line.substr(start, end - start));
    }
    for (std::string& word : words) pointers.push_back(word.data());
    pointers.push_back(nullptr);
}

std::string tempDir() {
    // Removed only by the process that made it: a death test's child exits through the same static
    // destructors while its parent still needs it.
    static struct Folder {
        std::string path = std::filesystem::temp_directory_path() / "param-tests-XXXXXX";
        pid_t owner = (mkdtemp(path.data()), getpid());
        ~Folder() {
            if (getpid() == owner) std::filesystem::remove_all(path);
        }
    } folder;
    return folder.path;
}

std::string writeTempFile(const std::string& name, const std::string& content) {
    const std::string path = tempDir() + "/" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

std::string stderrOf(const std::function<void()>& body) {
    testing::internal::CaptureStderr();
    body();
    return testing::internal::GetCapturedStderr();
}

std::string exactRegex(const std::string& text) {
    std::string pattern = "^";
    for (const char c : text) pattern += (std::strchr(".[]()*+?{}|^$\\", c) != nullptr ? "\\" : "") + std::string(1, c);
    return pattern + "$";
}

int HostDef::dealWith(char* value, char* valueSource) {
    received += (received.empty() ? "" : ",") + (value ? "'" + std::string(value) + "'" : "null");
    if (isSwitch || value == nullptr || std::strcmp(value, "bad") == 0) return 0;
    markSatisfied(valueSource);
    return 1;
}

TestHost::TestHost(unsigned conventions) {
    params.SetConventions(conventions);
    params.AddParamDef("TraceLevel", 'T', &trace, 0, "trace level", true, "n", -1);
    params.AddParamDef("All", 'a', &all, false, "all", true, "", -1);
    params.AddParamDef("Verbose", 'v', &verbose, false, "verbose", true, "", -1);
    params.AddParamDef("LogFile", 0, &logFile, nullptr, "log file", true, "s", -1);
    params.AddParamDef("InputFile", 0, &input, nullptr, "input", true, "infile", 1);
    for (CParamDef* own : {output, rec, quiet}) params.AddParamDef(own);
}

int TestHost::run(const std::string& words, std::string* messages) {
    Args& args = kept.emplace_back(words.empty() ? "prog" : "prog|" + words);
    return captured([&] { return params.Interpret_returnError(args.argv(), args.argc()); }, messages);
}

int TestHost::read(const std::string& path, std::string* messages) {
    return captured([&] { return params.read_parameter_file(path.c_str()); }, messages);
}

int captured(const std::function<int()>& body, std::string* messages) {
    int result = 0;
    const std::string written = stderrOf([&] { result = body(); });
    if (messages != nullptr) *messages = written;
    return result;
}

std::string TestHost::state() {
    std::string shown;
    const auto add = [&](bool given, const char* keyword, const std::string& value) {
        if (!given) return;
        shown += (shown.empty() ? "" : " ") + value;
        if (const char* source = params.getSourceFromKey(keyword)) {
            shown += "@" + std::filesystem::path(source).filename().string();
        }
    };
    add(trace != 0, "TraceLevel", "T=" + std::to_string(trace));
    add(all, "All", "a");
    add(verbose, "Verbose", "v");
    add(logFile, "LogFile", "log=" + std::string(logFile ? logFile : ""));
    add(input, "InputFile", "in=" + std::string(input ? input : ""));
    add(!output->received.empty(), "OutputFile", "out=" + output->received);
    add(!rec->received.empty(), "R", "r=" + rec->received);
    add(!quiet->received.empty(), "Quiet", "q=" + quiet->received);
    return shown;
}
