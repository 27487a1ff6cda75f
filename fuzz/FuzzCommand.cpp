// libFuzzer target: the input declares a program of the new interface (param::Command, its
// parameters and commands), then gives the command lines it reads, split at lines "%%":
//     DECLARATIONS \n%%\n FIRST WORDS [\n%%\n SECOND WORDS [\n%%\n CONTENT OF given.par]]
// The words of a command line are separated by line feeds and NUL bytes. The program reads the
// first words, then the second (the first again when there are none); each result is checked, the
// help screens too, and the second reading is compared with that of a program that read nothing
// before. After a success, what the program writes of its values must read back to them.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "Command.h"
#include "CommandChecks.h"
#include "CommandProgram.h"
#include "FuzzHarness.h"
#include "FuzzerSetup.h"
#include "ProcessEnded.h"
#include "ScopedVariables.h"

namespace {

using param_fuzz::CommandProgram;

struct Parts {
    std::string_view declarations, first, second, file;
    bool secondGiven = false;
};

// The piece of rest before the next line "%%", and rest after it; all of rest when there is none.
std::string_view nextPart(std::string_view& rest, bool& separated) {
    constexpr std::string_view kSeparator = "\n%%\n";
    const auto at = rest.find(kSeparator);
    const std::string_view part = rest.substr(0, at);
    separated = at != std::string_view::npos;
    rest = separated ? rest.substr(at + kSeparator.size()) : std::string_view();
    return part;
}

Parts split(std::string_view input) {
    Parts parts;
    bool separated = false;
    parts.declarations = nextPart(input, separated);
    parts.first = nextPart(input, separated);
    parts.secondGiven = separated;
    parts.second = separated ? nextPart(input, separated) : parts.first;
    parts.file = nextPart(input, separated);
    return parts;
}

// The words of a command line, behind the program's name; a final line end ends the last word.
class Words {
public:
    explicit Words(std::string_view line) : words{"prog"} {
        std::size_t start = 0;
        for (std::size_t i = 0; i <= line.size(); ++i) {
            if (i < line.size() && line[i] != '\n' && line[i] != '\0') continue;
            if (i < line.size() || start < line.size()) words.emplace_back(line.substr(start, i - start));
            start = i + 1;
        }
        for (const std::string& word : words) pointers.push_back(word.c_str());
        pointers.push_back(nullptr);
    }
    param::Result readBy(CommandProgram& program) const {
        return program.program().parse(static_cast<int>(words.size()), pointers.data());
    }

private:
    std::vector<std::string> words;
    std::vector<const char*> pointers;
};

// What a program wrote of its values after a success, and the values of the program's variables then.
struct Written {
    std::string file, values;
};

std::optional<Written> writtenBy(CommandProgram& program) {
    std::ostringstream out;
    const int result = program.program().writeParameters(out);
    if (result == param::NOT_OK) {
        if (!out.str().empty()) param_fuzz::fault("writeParameters returned NOT_OK after writing");
        return std::nullopt;
    }
    if (result != param::OK) param_fuzz::fault("writeParameters returned neither OK nor NOT_OK");
    return Written{out.str(), CommandProgram::values(program.commands().front())};
}

// No file line can give a parameter known by a letter alone ("-V"): the written file leaves it out
// where it holds its default, also where it is required and was given.
bool missesParameterKnownByALetter(const param::Result& result) {
    const std::string& name = result.parameter();
    return result.code() == param::PROBLEM_MISSING_PARAMETER && name.size() == 2 && name[0] == '-' && name[1] != '-';
}

// A program declared alike reads the written file (the only parameter file option of its own) to
// the same values.
void checkReadsBack(std::string_view declarations, const Written& written) {
    param_fuzz::writeFile("written.par", written.file);
    CommandProgram reader(declarations, CommandProgram::Purpose::ReadingBack);
    const std::string option = std::string(CommandProgram::kReadBackOption) + "=written.par";
    const char* const argv[] = {"prog", option.c_str(), nullptr};
    const param::Result result = reader.program().parse(2, argv);
    std::remove("written.par");  // no later input's words may find it
    if (missesParameterKnownByALetter(result)) return;
    if (!result) param_fuzz::fault("the written parameters were refused:\n", (result.text() + "in:\n" + written.file).c_str());
    const std::string values = CommandProgram::values(reader.commands().front());
    if (values != written.values) {
        param_fuzz::fault("the written parameters read back to other values:\n",
                          (values + "\n--- against ---\n" + written.values + "\nfrom:\n" + written.file).c_str());
    }
}

// Reads both command lines, with the program's variables set, and checks each reading.
std::vector<Written> readBoth(const Parts& parts) {
    CommandProgram program(parts.declarations, CommandProgram::Purpose::Parsing);
    param_fuzz::ScopedVariables variables(program.variables());
    std::vector<Written> written;
    const Words first(parts.first), second(parts.second);
    const param::Result firstResult = first.readBy(program);
    param_fuzz::checkResult(program, firstResult);
    if (firstResult) {
        if (auto w = writtenBy(program)) written.push_back(std::move(*w));
    }
    param_fuzz::checkHelpScreens(program);
    const param::Result secondResult = second.readBy(program);
    param_fuzz::checkResult(program, secondResult);
    if (secondResult) {
        if (auto w = writtenBy(program)) written.push_back(std::move(*w));
    }
    CommandProgram fresh(parts.declarations, CommandProgram::Purpose::Parsing);
    param_fuzz::checkSameReading(program, secondResult, fresh, second.readBy(fresh));
    return written;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    param_fuzz::setUpFuzzer(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // A "/" could make a word, a variable or a file line name any file of the machine.
    if (input.find('/') != std::string_view::npos) return -1;
    static const std::string folder = param_fuzz::privateFolder("command");
    param_fuzz::InFolder inFolder(folder);
    param_fuzz::QuietErrorStream quiet;
    const Parts parts = split(input);
    param_fuzz::writeFile("given.par", parts.file);
    try {
        for (const Written& written : readBoth(parts)) checkReadsBack(parts.declarations, written);
    } catch (const param_fuzz::ProcessEnded& end) {
        param_fuzz::fault("the library ended the process: ", end.failedCondition != nullptr ? end.failedCondition : "");
    }
    return 0;
}
