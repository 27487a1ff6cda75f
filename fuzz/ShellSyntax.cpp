#include "ShellSyntax.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <utility>

#include "FuzzHarness.h"
#include "FuzzerSetup.h"

namespace param_fuzz {
namespace {

// A batch is parsed once it holds this many bytes for one shell, whatever the number of inputs.
constexpr std::size_t kBatchBytes = std::size_t{1} << 20;
// How many parsed scripts are remembered, by a hash: a new one takes the place of an older one whose
// hash has the same low bits.
constexpr std::size_t kSeenSize = std::size_t{1} << 16;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The shell's path, found as a shell finds a command; empty when none is installed.
std::string installed(const char* name) {
    const char* path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "/usr/bin:/bin";
    while (!folders.empty()) {
        const std::size_t end = std::min(folders.find(':'), folders.size());
        const std::string candidate = std::string(folders.substr(0, end)) + "/" + name;
        if (end > 0 && access(candidate.c_str(), X_OK) == 0) return candidate;
        folders.remove_prefix(std::min(end + 1, folders.size()));
    }
    return "";
}

// The input in quotes, a quote or backslash in it after a backslash, and every byte that is not
// printable ASCII as \xHH, so that any byte shows.
std::string escaped(std::string_view input) {
    std::string text = "\"";
    for (const char c : input) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text += '\\';
            text += c;
        } else if (byte >= 0x20 && byte < 0x7F) {
            text += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            text += hex;
        }
    }
    return text + "\"";
}

}  // namespace

ShellSyntax::ShellSyntax(std::string folder_, std::size_t inputsPerBatch_)
    : folder(std::move(folder_)), inputsPerBatch(inputsPerBatch_), seen(kSeenSize) {
    // Nothing of the caller's environment: HOME is the private folder, so that whatever a shell
    // might look for or leave there stays in it; one UTF-8 locale, as most users have.
    environment = {"PATH=/usr/bin:/bin", "HOME=" + folder, "LC_ALL=C.UTF-8"};
    for (std::string& variable : environment) environmentPointers.push_back(variable.data());
    environmentPointers.push_back(nullptr);
    shells.resize(3);
    shells[static_cast<std::size_t>(param_detail::CompletionShell::BASH)] = {"bash", {"--norc", "--noprofile", "-n"}, "", "", {}};
    shells[static_cast<std::size_t>(param_detail::CompletionShell::ZSH)] = {"zsh", {"-f", "-n"}, "", "", {}};
    shells[static_cast<std::size_t>(param_detail::CompletionShell::FISH)] = {"fish", {"--no-config", "--no-execute"}, "", "", {}};
    for (Shell& shell : shells) {
        shell.path = installed(shell.name);
        if (shell.path.empty()) std::fprintf(stderr, "%s is not installed: its completion scripts are not parsed\n", shell.name);
        // Reserved once, so that an input that adds to a batch does not look to libFuzzer's leak
        // detection like one that keeps memory.
        shell.batch.reserve(kBatchBytes + (kBatchBytes >> 2));
        shell.scripts.reserve(4 * inputsPerBatch);
    }
    inputs.reserve(4096 * inputsPerBatch);
    inputEnds.reserve(inputsPerBatch);
}

void ShellSyntax::add(std::string_view input,
                      const std::vector<std::pair<param_detail::CompletionShell, std::string>>& scripts) {
    bool added = false, full = inputEnds.size() + 1 >= inputsPerBatch;
    for (const auto& [kind, script] : scripts) {
        const auto index = static_cast<std::size_t>(kind);
        Shell& shell = shells[index];
        if (shell.path.empty() || parsedBefore(index, script)) continue;
        shell.scripts.push_back({inputEnds.size(), shell.batch.size(), shell.batch.size() + script.size()});
        // A line end between scripts, so that one without a last line end is not read into the next.
        shell.batch += script;
        shell.batch += '\n';
        full = full || shell.batch.size() >= kBatchBytes;
        added = true;
    }
    if (!added) return;
    inputs += input;
    inputEnds.push_back(inputs.size());
    if (full) parsePending();
}

void ShellSyntax::parsePending() {
    std::string message;
    for (Shell& shell : shells) {
        if (!shell.scripts.empty() && !parses(shell, shell.batch, message)) {
            for (const Script& script : shell.scripts) {
                const std::string_view text = std::string_view(shell.batch).substr(script.begin, script.end - script.begin);
                const std::size_t begin = script.input == 0 ? 0 : inputEnds[script.input - 1];
                if (!parses(shell, text, message)) {
                    report(shell, text, std::string_view(inputs).substr(begin, inputEnds[script.input] - begin), message);
                }
            }
            fault("scripts that each parse alone do not parse one after another: ",
                  (std::string(shell.name) + ": " + message).c_str());
        }
        shell.parsed += shell.scripts.size();
        shell.batch.clear();
        shell.scripts.clear();
    }
    batches += inputEnds.empty() ? 0 : 1;
    inputs.clear();
    inputEnds.clear();
}

void ShellSyntax::writeFigures() const {
    std::fprintf(stderr, "scripts parsed:");
    for (const Shell& shell : shells) std::fprintf(stderr, " %s %zu,", shell.name, shell.parsed);
    std::fprintf(stderr, " in %zu batches of up to %zu inputs\n", batches, inputsPerBatch);
}

bool ShellSyntax::parses(const Shell& shell, std::string_view script, std::string& message) const {
    const std::string file = std::string("script.") + shell.name, errors = folder + "/errors." + shell.name;
    writeFile(folder + "/" + file, script);
    std::vector<char*> arguments;  // posix_spawn takes them as char*, and changes none
    arguments.push_back(const_cast<char*>(shell.name));
    for (const char* option : shell.options) arguments.push_back(const_cast<char*>(option));
    arguments.push_back(const_cast<char*>(file.c_str()));
    arguments.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, shell.path.c_str(), &actions, nullptr, arguments.data(),
                                    environmentPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) fault("cannot start ", shell.path.c_str());
    int status = 0;
    // libFuzzer's timer interrupts the wait every second.
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) fault("cannot wait for ", shell.name);
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
    message = readFile(errors);
    if (!WIFEXITED(status)) message += "(ended by a signal)";
    return false;
}

bool ShellSyntax::parsedBefore(std::size_t shell, std::string_view script) {
    const std::uint64_t hash = std::hash<std::string_view>{}(script) + shell;
    std::uint64_t& slot = seen[hash % kSeenSize];
    if (slot == hash) return true;
    slot = hash;
    return false;
}

void ShellSyntax::report(const Shell& shell, std::string_view script, std::string_view input,
                         const std::string& message) const {
    char name[40];
    std::snprintf(name, sizeof name, "unparsed-%016llx",
                  static_cast<unsigned long long>(std::hash<std::string_view>{}(input)));
    const std::string saved = artifactPrefix() + name;
    writeFile(saved, input);
    std::fprintf(stderr, "\n---- the %s script that does not parse ----\n%.*s---- end of the script ----\n", shell.name,
                 static_cast<int>(script.size()), script.data());
    const std::string what = std::string(shell.name) + " reports a syntax error in the script written for the input " +
                             escaped(input) + " (saved as " + saved + "):\n";
    fault(what.c_str(), message.c_str());
}

}  // namespace param_fuzz
