// The parameter-file source: one "keyword value" pair per line, "#" comments in the first column,
// nested files named by ParameterFile lines, read at their places.
#include <climits>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "Param.h"
#include "detail/FileLine.h"
#include "detail/Interpretation.h"
#include "detail/LineReader.h"
#include "detail/Memory.h"
#include "detail/ProcessEnd.h"
#include "detail/Texts.h"

int CParam::read_parameter_file(const char* fileName) {
    // Called by the host, outside an interpretation: every file the set has read counts as read.
    param_detail::Interpretation reading(*this, nullptr, &std::cerr);
    return reading.parameterFile(fileName, param_detail::COMMAND_LINE_RANK);
}

namespace param_detail {

int Interpretation::parameterFile(const char* fileName, Rank rank, const char* namedBy) {
    if (fileName == nullptr) fileName = "";
    LineReader reader(CParam::MAX_LINE_LENGTH);
    if (!reader.open(fileName)) {
        text::Problem problem{CParam::PROBLEM_CANNOT_OPEN_FILE, fileName, ""};
        problem.reason = namedBy;
        return report(problem);
    }
    // From here on the name is the recorded copy: the text given may lie in a line buffer that the
    // file's own lines overwrite.
    char* source = record(fileName);
    if (!tryAllocating([&] { chain.push_back(source); })) failAssertion("fileName");
    const int result = readLines(reader, source, rank);
    chain.pop_back();
    return result;
}

int Interpretation::readLines(LineReader& reader, char* source, Rank rank) {
    int result = CParam::OK;
    while (result > 0) {
        const auto outcome = reader.next(line);
        if (outcome == LineReader::END) break;
        // A read error is not the end of the file: the lines after it are lost.
        if (outcome == LineReader::READ_ERROR) return showError(CParam::PROBLEM_CANNOT_OPEN_FILE, source, "");
        const char* text = line.data();
        const long number = reader.lineNumber();
        if (outcome == LineReader::TOO_LONG) {
            result = refuseFileLine(source, text, number, text::lineTooLong());
        } else if (std::strlen(text) != line.size()) {
            result = refuseFileLine(source, text, number, text::nulByte());
        } else if (text[0] != '#') {
            result = fileLine(source, text, number, rank);
        }
    }
    return result;
}

// Returns OK to go on with the next line, or the code that ends the file.
int Interpretation::fileLine(char* source, const char* text, long number, Rank rank) {
    const FileLine parts = splitFileLine(workingCopy.assign(text, line.size()), (conventions() & CParam::QUOTED_VALUES) != 0);
    if (*parts.keyword == '\0') return CParam::OK;
    if (parts.value == nullptr) return refuseFileLine(source, text, number, text::unclosedQuote());
    const bool noValue = *parts.value == '\0' && !parts.quoted;
    ParamListElement* element = elementWithKeyword(parts.keyword);
    if (element == nullptr && fileKeyword != nullptr && std::strcmp(parts.keyword, fileKeyword) == 0) {
        if (noValue) return reportFileProblem(CParam::PROBLEM_MISSING_VALUE_IN_FILE, source, text, number);
        return nestedFile(source, text, number, parts.value, rank);
    }
    Finding finding{Finding::FILE_LINE, element, parts.keyword, parts.value,
                    ParamOrigin{source, number < INT_MAX ? static_cast<int>(number) : INT_MAX, ParamOrigin::PARAMETER_FILE}, rank};
    finding.source = source;
    finding.line = text;
    // A parameter named alone has no value: a value definition refuses the line, a switch is turned
    // on (by default it is handed the empty text).
    if (noValue && (element == nullptr || element->definition->skipAfter() || (conventions() & CParam::STRICT_VALUES) != 0)) {
        finding.value = nullptr;
    }
    return apply(finding);
}

int Interpretation::nestedFile(char* source, const char* text, long number, const char* name, Rank rank) {
    if (isLoop(name)) {
        const int loop = reportFileProblem(CParam::PROBLEM_PARAM_FILE_LOOP, source, text, number);
        return loopEnds ? loop : CParam::OK;
    }
    if (chain.size() >= static_cast<std::size_t>(CParam::MAX_FILE_NESTING)) {
        return refuseFileLine(source, text, number, text::nestedTooDeep());
    }
    const int nested = parameterFile(name, rank);
    return nested > 0 ? CParam::OK : nested;
}

// By default, a file this interpretation has read by the same name; with FILE_IDENTITY, a file open
// on the chain that led here, by whatever name it was reached.
bool Interpretation::isLoop(const char* fileName) const {
    if ((conventions() & CParam::FILE_IDENTITY) != 0) {
        for (const char* open : chain) {
            std::error_code error;
            if (std::filesystem::equivalent(open, fileName, error)) return true;
        }
        return false;
    }
    for (const ParamFileElement* e = set.paramFileList; e != nullptr && e != filesBefore; e = e->next) {
        if (std::strcmp(e->fileName, fileName) == 0) return true;
    }
    return false;
}

// A line refused for what it is, not for its keyword or value; the message quotes its beginning.
int Interpretation::refuseFileLine(char* source, const char* text, long number, const char* reason) {
    constexpr std::size_t kShown = 80;
    char beginning[kShown + 4] = {};
    const std::size_t length = std::strlen(text);
    std::memcpy(beginning, text, length < kShown ? length : kShown);
    if (length > kShown) std::memcpy(beginning + kShown, "...", 3);
    return reportFileProblem(CParam::PROBLEM_GENERAL_PROBLEM_IN_FILE, source, beginning, number, reason);
}

char* Interpretation::record(const char* fileName) {
    Text copy = copyTextOrStop(fileName, "fileName");
    auto* element = tryNew<ParamFileElement>(set.paramFileList, copy.get());
    if (element == nullptr) failAssertion("fileName");
    set.paramFileList = element;
    return copy.release();
}

}  // namespace param_detail
