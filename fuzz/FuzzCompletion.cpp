// libFuzzer target: the input is read as a completion model (program name, options, commands two
// deep) and as a parameter set, and both are written as completion scripts for bash, zsh and fish.
// Each script is refused with nothing written, or parses in its shell (ShellSyntax).
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "FuzzHarness.h"
#include "FuzzerSetup.h"
#include "Param.h"
#include "ParamValue.h"
#include "ProcessEnded.h"
#include "ShellSyntax.h"
#include "detail/Completion.h"
#include "detail/Texts.h"

enum class Hostile { Blank, Substitution, Quote };

// A type described by names that a shell would split, run or end a quote at.
template <>
struct param::ValueType<Hostile> {
    static constexpr param::Named<Hostile> names[] = {
        {Hostile::Blank, "a b"}, {Hostile::Substitution, "$(touch pwned)"}, {Hostile::Quote, "it's"}};
};

namespace {

using param_detail::CompletionCommand;
using param_detail::CompletionOption;
using param_detail::CompletionShell;
using Scripts = std::vector<std::pair<CompletionShell, std::string>>;
namespace completion = param_detail::text::completion;

constexpr CompletionShell kShells[] = {CompletionShell::BASH, CompletionShell::ZSH, CompletionShell::FISH};
constexpr const char* kShellNames[] = {"bash", "zsh", "fish"};

// What the shells read as code, a quote, an expansion or an end, and bytes beyond ASCII.
constexpr const char* kFragments[] = {
    "$(", ")", "`", "'", "\"", "\\", " ", "\t", "\n", "\r", ";", "&", "|", "<", ">", "*", "?", "[", "]",
    "{", "}", "(", "~", "#", "!", "%", "^", ":", "=", "-", "--", "$", "${", "$HOME", "${IFS}", "$((1))",
    "'\\''", "\\'", "$'", "$\"", "%s", "\\n", "\\\n", "end", "fi", "esac", "done", "))", "]]", "@F@",
    "\xc3\xa9", "\xe2\x80\xa8", "\xff", "\xc3", "\x1b", "\x7f"};

// The input as a stream of choices and texts. Past its end every byte is 0: no more options,
// commands or definitions, and empty texts.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : at(data), end(data + size) {}

    unsigned byte() { return at < end ? *at++ : 0; }

    // Up to 31 pieces. The head byte's high bit chooses them: each the next byte as it is (so every
    // byte value occurs, control bytes and bytes that are no UTF-8 among them), or each a fragment
    // chosen by the next byte.
    std::string text() {
        const unsigned head = byte();
        std::string text;
        for (unsigned i = 0; i < (head & 0x1F); ++i) {
            const unsigned b = byte();
            if ((head & 0x80) != 0) {
                text += kFragments[b % std::size(kFragments)];
            } else {
                text += static_cast<char>(b);
            }
        }
        return text;
    }

    // Mostly a name that the writer takes: "-" and one character (from 0xC0 on, a lead byte with
    // one continuation byte), or "--" and a text; one in eight any text, which it mostly refuses.
    std::string optionName() {
        const unsigned kind = byte();
        if (kind % 8 == 7) return text();
        if (kind % 8 >= 3) return "--" + text();
        std::string name = "-";
        const unsigned c = byte();
        name += static_cast<char>(c);
        if (c >= 0xC0) name += static_cast<char>(0x80 | (byte() & 0x3F));
        return name;
    }

private:
    const std::uint8_t* at;
    const std::uint8_t* end;
};

// Shape byte: value (bits 0-1), files (2), repeatable (3), choices (4-5), names less one (6-7);
// 0xFF: no name at all.
CompletionOption option(Bytes& in) {
    const unsigned shape = in.byte();
    CompletionOption option;
    const unsigned names = shape == 0xFF ? 0 : 1 + (shape >> 6);
    for (unsigned i = 0; i < names; ++i) option.names.push_back(in.optionName());
    option.value = static_cast<CompletionOption::Value>((shape & 3) % 3);
    option.files = (shape & 4) != 0;
    option.repeatable = (shape & 8) != 0;
    option.description = in.text();
    option.valueName = in.text();
    for (unsigned i = 0; i < ((shape >> 4) & 3); ++i) option.choices.push_back(in.text());
    return option;
}

// Shape byte: positional files (bit 0), options (1-2), commands (3-4), none below depth 2.
CompletionCommand command(Bytes& in, int depth) {
    const unsigned shape = in.byte();
    CompletionCommand made;
    if (depth > 0) {
        made.name = in.text();
        made.description = in.text();
    }
    made.positionalFiles = (shape & 1) != 0;
    for (unsigned i = 0; i < ((shape >> 1) & 3); ++i) made.options.push_back(option(in));
    for (unsigned i = 0; depth < 2 && i < ((shape >> 3) & 3); ++i) made.commands.push_back(command(in, depth + 1));
    return made;
}

// A model's scripts. A refusal leaves the script empty and names a reason; the shells refuse
// alike, but for the program names that zsh and fish alone cannot hold.
void writeModel(Bytes& in, Scripts& scripts) {
    const std::string program = in.text();
    const CompletionCommand root = command(in, 0);
    param_detail::CompletionRefusal refusals[3];
    bool written[3];
    for (std::size_t s = 0; s < 3; ++s) {
        std::string script = "left over";
        written[s] = param_detail::composeCompletionScript(kShells[s], program, root, script, refusals[s]);
        if (written[s] ? script.empty() : !script.empty() || refusals[s].reason == nullptr) {
            param_fuzz::fault("a refusal wrote a script, or a script is empty or unexplained: ", kShellNames[s]);
        }
        if (written[s]) scripts.emplace_back(kShells[s], std::move(script));
    }
    const auto agrees = [&](std::size_t s, const char* own) {
        if (!written[s] && std::strcmp(refusals[s].reason, own) == 0) return true;
        if (written[s] || written[0]) return written[s] == written[0];
        return std::strcmp(refusals[s].reason, refusals[0].reason) == 0 && refusals[s].text == refusals[0].text;
    };
    if (!agrees(1, completion::zshProgramName()) || !agrees(2, completion::fishProgramName())) {
        param_fuzz::fault("the shells refuse a model differently: ", program.c_str());
    }
}

// A parameter set's scripts, through CParam::WriteCompletionScript. The set does not copy value
// names and keeps pointers to its variables, so both outlive it.
void writeSet(Bytes& in, Scripts& scripts) {
    std::deque<std::string> texts;
    const auto keep = [&](std::string text) { return texts.emplace_back(std::move(text)).c_str(); };
    struct Variables {
        bool on = false;
        int number = 0;
        char* text = nullptr;
        std::string word;
        std::vector<std::string> words;
        Hostile hostile = Hostile::Blank;
    };
    std::deque<Variables> variables;
    const std::string program = in.text();
    CParam set;
    // Kind byte: type (bits 0-2), choices (4-5), position 1 instead of a name (7).
    for (unsigned count = in.byte() % 8, i = 0; i < count; ++i) {
        const unsigned kind = in.byte();
        const char* keyword = keep(in.text());
        const char flag = static_cast<char>(in.byte());
        const char* description = keep(in.text());
        const std::string valueName = in.text();
        const char* partype = valueName.empty() ? nullptr : keep(valueName);
        const int position = (kind & 0x80) != 0 ? 1 : -1;
        Variables& v = variables.emplace_back();
        switch (kind % 8) {
        case 0: set.AddParamDef(keyword, flag, &v.on, false, description, true, partype, -1); break;
        case 1: set.AddParamDef(keyword, flag, &v.number, 0, description, true, partype, position); break;
        case 2: set.AddParamDef(keyword, flag, &v.text, nullptr, description, true, partype, position); break;
        case 3: set.AddParamDef(keyword, flag, &v.word, nullptr, description, true, partype, position); break;
        case 4: set.AddParamDef(keyword, flag, &v.words, {}, description, true, partype, position); break;
        case 5: set.AddParamDef(keyword, flag, &v.hostile, Hostile::Blank, description, true, partype, position); break;
        default: set.AddParamDef(keyword, flag, TYPE_STRING, description, "a word", true, partype, position); break;
        }
        std::vector<std::string> choices;
        for (unsigned c = 0; c < ((kind >> 4) & 3); ++c) choices.push_back(in.text());
        if (!choices.empty()) set.SetChoices(keyword, choices);
    }
    for (std::size_t s = 0; s < 3; ++s) {
        std::ostringstream out;
        const int result = set.WriteCompletionScript(out, kShellNames[s], program.c_str());
        if (result == CParam::OK ? out.str().empty() : result != CParam::NOT_OK || !out.str().empty()) {
            param_fuzz::fault("WriteCompletionScript wrote on refusing, nothing on success, or returned another code: ",
                              kShellNames[s]);
        }
        if (result == CParam::OK) scripts.emplace_back(kShells[s], out.str());
    }
}

param_fuzz::ShellSyntax* syntax = nullptr;

void parsePendingScripts() {
    syntax->parsePending();
    syntax->writeFigures();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    param_fuzz::setUpFuzzer(argc, argv);
    // Inputs given as files are replayed (a crash, a minimisation): each is parsed before the next,
    // so that a fault is the fault of the input running.
    std::size_t inputsPerBatch = 64;
    for (int i = 1; i < *argc; ++i) {
        struct stat status;
        if ((*argv)[i][0] != '-' && stat((*argv)[i], &status) == 0 && S_ISREG(status.st_mode)) inputsPerBatch = 1;
    }
    // The private folder first: what atexit registers later runs earlier, so the last batch is
    // parsed before the folder goes.
    syntax = new param_fuzz::ShellSyntax(param_fuzz::privateFolder("completion"), inputsPerBatch);
    std::atexit(parsePendingScripts);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    param_fuzz::QuietErrorStream quiet;
    Bytes in(data, size);
    Scripts scripts;
    try {
        writeModel(in, scripts);
        writeSet(in, scripts);
    } catch (const param_fuzz::ProcessEnded& end) {
        param_fuzz::fault("the library ended the process: ", end.failedCondition != nullptr ? end.failedCondition : "");
    }
    syntax->add(std::string_view(reinterpret_cast<const char*>(data), size), scripts);
    return 0;
}
