// The parameter-file reader: one "keyword value" pair per line, "#" comments
// in the first column, nested files named by ParameterFile lines.
#include <climits>
#include <cstring>

#include "Param.h"
#include "detail/FileLine.h"
#include "detail/LineReader.h"
#include "detail/Memory.h"
#include "detail/ProcessEnd.h"
#include "detail/Texts.h"

int CParam::read_parameter_file(const char* fileName) {
    if (reading != nullptr) return readParameterFile(fileName);
    // The outermost file: the files it names share its buffers.
    param_detail::FileReading shared;
    struct Reset {
        param_detail::FileReading*& pointer;
        ~Reset() { pointer = nullptr; }
    } reset{reading = &shared};
    return readParameterFile(fileName);
}

int CParam::readParameterFile(const char* fileName) {
    if (fileName == nullptr) fileName = "";
    param_detail::LineReader reader(MAX_LINE_LENGTH);
    const char* namedBy = fileNamedBy;  // for this file only, not for those it names
    fileNamedBy = nullptr;
    if (!reader.open(fileName)) {
        param_detail::text::Problem report{PROBLEM_CANNOT_OPEN_FILE, fileName, ""};
        report.reason = namedBy;
        report.visible = (GetConventions() & RETURN_PROBLEMS) != 0;
        param_detail::text::problem(report, programName);
        return PROBLEM_CANNOT_OPEN_FILE;
    }
    // From here on the name is the recorded copy: the text given may lie in a line buffer that the
    // file's own lines overwrite.
    char* source = recordParameterFile(fileName);
    ++reading->depth;
    int result = OK;
    while (result > 0) {
        const auto outcome = reader.next(reading->line);
        if (outcome == param_detail::LineReader::END) break;
        // A read error is not the end of the file: the lines after it are lost.
        if (outcome == param_detail::LineReader::READ_ERROR) {
            result = showError(PROBLEM_CANNOT_OPEN_FILE, source, "");
            break;
        }
        const char* line = reading->line.data();
        const long number = reader.lineNumber();
        if (outcome == param_detail::LineReader::TOO_LONG) {
            result = refuseFileLine(source, line, number, param_detail::text::lineTooLong());
        } else if (std::strlen(line) != reading->line.size()) {
            result = refuseFileLine(source, line, number, param_detail::text::nulByte());
        } else if (line[0] != '#') {
            result = interpretFileLine(source, line, number, reading->workingCopy.assign(line, reading->line.size()));
        }
    }
    --reading->depth;
    return result;
}

// Returns OK to go on with the next line, or the code that ends the file.
int CParam::interpretFileLine(char* source, const char* line, long number, char* workingCopy) {
    const param_detail::FileLine parts = param_detail::splitFileLine(workingCopy, (conventions & QUOTED_VALUES) != 0);
    if (*parts.keyword == '\0') return OK;
    if (parts.value == nullptr) return refuseFileLine(source, line, number, param_detail::text::unclosedQuote());

    if (ParamListElement* element = elementWithKeyword(parts.keyword)) {
        CParamDef* definition = element->definition;
        handing = {source, number < INT_MAX ? static_cast<int>(number) : INT_MAX, ParamOrigin::PARAMETER_FILE};
        const bool noValue = *parts.value == '\0' && !parts.quoted;
        if (noValue && definition->skipAfter()) {
            return reportFileProblem(PROBLEM_MISSING_VALUE_IN_FILE, source, line, number);
        }
        // A switch named alone is turned on; with strict values it has no value at all.
        char* value = noValue && (conventions & STRICT_VALUES) != 0 ? nullptr : parts.value;
        if (hand(element, value, source) == 0) {
            return reportRefusal(PROBLEM_GENERAL_PROBLEM_IN_FILE, definition, source, parts.value, line,
                                 number);
        }
        return OK;
    }
    if (std::strcmp(parts.keyword, "ParameterFile") != 0) {
        return reportFileProblem(PROBLEM_UNKNOWN_KEYWORD_IN_FILE, source, line, number);
    }
    if (*parts.value == '\0' && !parts.quoted) {
        return reportFileProblem(PROBLEM_MISSING_VALUE_IN_FILE, source, line, number);
    }
    if (parameterFileAlreadyRead(parts.value)) {
        reportFileProblem(PROBLEM_PARAM_FILE_LOOP, source, line, number);
        return OK;
    }
    if (reading->depth >= MAX_FILE_NESTING) {
        return refuseFileLine(source, line, number, param_detail::text::nestedTooDeep());
    }
    const int nested = readParameterFile(parts.value);
    return nested > 0 ? OK : nested;
}

// A problem about a line of a file; when the set returns problems, the message gives the line number.
int CParam::reportFileProblem(int problem, const char* fileName, const char* line, long number,
                              const char* reason) {
    param_detail::text::Problem report{problem, fileName, line};
    report.line = (conventions & RETURN_PROBLEMS) != 0 ? number : 0;
    report.reason = reason;
    report.visible = (conventions & RETURN_PROBLEMS) != 0;
    param_detail::text::problem(report, programName);
    return problem;
}

// A line refused for what it is, not for its keyword or value; the message quotes its beginning.
int CParam::refuseFileLine(char* source, const char* line, long number, const char* reason) {
    constexpr std::size_t kShown = 80;
    char beginning[kShown + 4] = {};
    const std::size_t length = std::strlen(line);
    std::memcpy(beginning, line, length < kShown ? length : kShown);
    if (length > kShown) std::memcpy(beginning + kShown, "...", 3);
    return reportFileProblem(PROBLEM_GENERAL_PROBLEM_IN_FILE, source, beginning, number, reason);
}

char* CParam::recordParameterFile(const char* fileName) {
    param_detail::Text copy = param_detail::copyTextOrStop(fileName, "fileName");
    auto* element = param_detail::tryNew<ParamFileElement>(paramFileList, copy.get());
    if (element == nullptr) param_detail::failAssertion("fileName");
    paramFileList = element;
    return copy.release();
}

bool CParam::parameterFileAlreadyRead(const char* fileName) const {
    for (const ParamFileElement* e = paramFileList; e != nullptr; e = e->next) {
        if (std::strcmp(e->fileName, fileName) == 0) return true;
    }
    return false;
}
