// Writes the completion scripts that check.sh loads besides wordfreq's:
//   completion_host hostile <shell> <program>
//                                     a parameter set whose program name, keywords, flags,
//                                     descriptions, value names and choices hold texts that a shell
//                                     would run, expand or split;
//   completion_host commands <shell>  the program "tool", with commands nested two deep.
#include <array>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "Param.h"
#include "detail/Completion.h"

namespace {

using param_detail::CompletionCommand;
using param_detail::CompletionOption;

int hostile(const char* shell, const char* program) {
    static const char* const all = "$(touch pwned) `touch pwned` * $HOME a b it's ; ) | \\ \"";
    static const std::vector<std::string> choices = {"$(touch pwned)", "`touch pwned`", "*", "$HOME", "a b", "it's",
                                                     ";", ")", "|", "\\", "\""};
    // A keyword holds no blank (the set refuses it: a parameter file line could not name it).
    static const std::array<const char*, 10> keywords = {"k$(touch${IFS}pwned)", "k`touch${IFS}pwned`", "k*", "k$HOME",
                                                         "k'q", "k;s", "k)p", "k|b", "k\\b", "k\"d"};
    std::string order;
    std::array<std::string, keywords.size()> values;
    bool on = false;
    CParam params;
    params.AddParamDef("Order", 'o', &order, nullptr, all, true, "$(touch pwned)", -1);
    params.SetChoices("Order", choices);
    for (std::size_t i = 0; i < keywords.size(); ++i) {
        const char flag = std::string(keywords[i]) == "k;s" ? ';' : 0;
        params.AddParamDef(keywords[i], flag, &values[i], nullptr, all, true, "`touch pwned`", -1);
        params.SetChoices(keywords[i], {"a b", "it's"});
    }
    params.AddParamDef("Switch", 's', &on, false, all, true, "", -1);
    return params.WriteCompletionScript(std::cout, shell, program) == CParam::OK ? 0 : 1;
}

CompletionOption option(std::vector<std::string> names, CompletionOption::Value value,
                        std::vector<std::string> choices = {}, bool files = false) {
    std::string description = "about " + names.front();
    return {std::move(names), std::move(description), "v", value, std::move(choices), files, false};
}

int commands(const char* shell) {
    using O = CompletionOption;
    CompletionCommand add{"add", "add a remote",
                          {option({"-f", "--Force"}, O::NONE), option({"-m", "--Mode"}, O::REQUIRED, {"fast", "slow"}),
                           option({"--Level"}, O::OPTIONAL, {"1", "2"})},
                          true,
                          {}};
    CompletionCommand remove{"remove", "remove a remote", {}, false, {}};
    CompletionCommand remote{"remote", "manage remotes",
                             {option({"-n", "--Name"}, O::REQUIRED), option({"-q", "--Quiet"}, O::NONE)},
                             false,
                             {add, remove}};
    CompletionCommand build{"build", "build it", {option({"-j", "--Jobs"}, O::REQUIRED)}, true, {}};
    CompletionCommand tool{"",
                           "",
                           {option({"-v", "--Verbose"}, O::NONE), option({"-C", "--Dir"}, O::REQUIRED, {}, true),
                            option({"-o", "--Order"}, O::REQUIRED, {"x", "y"})},
                           false,
                           {remote, build}};
    param_detail::CompletionShell kind{};
    std::string script;
    param_detail::CompletionRefusal refusal;
    if (!param_detail::completionShellNamed(shell, kind) ||
        !param_detail::composeCompletionScript(kind, "tool", tool, script, refusal)) {
        return 1;
    }
    std::cout << script;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string kind = argc > 2 ? argv[1] : "";
    if (kind == "hostile" && argc == 4) return hostile(argv[2], argv[3]);
    return kind == "commands" && argc == 3 ? commands(argv[2]) : 2;
}
