// The parameter-file reader: one "keyword value" pair per line, "#" comments
// in the first column, nested files named by ParameterFile lines.
#include <cstring>

#include "Param.h"
#include "detail/LineReader.h"
#include "detail/Memory.h"
#include "detail/ProcessEnd.h"
#include "detail/Texts.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isSeparator(char c) { return isBlank(c) || c == '='; }

struct KeywordAndValue {
    char* keyword;  // empty for an empty or blank line
    char* value;    // empty when the line has none
};

// Cuts a line (in place) into its keyword and value: blanks, the keyword up
// to a blank or "=", separators (blanks and "=" in any mix), the value up to
// the next blank; the rest of the line is a remark.
KeywordAndValue splitKeywordAndValue(char* text) {
    while (isBlank(*text)) ++text;
    KeywordAndValue parts{text, text + std::strlen(text)};
    if (*text == '\0') return parts;
    char* end = text + 1;  // the first character is the keyword's, even "="
    while (*end != '\0' && !isSeparator(*end)) ++end;
    if (*end == '\0') {
        parts.value = end;
        return parts;
    }
    *end = '\0';
    char* value = end + 1;
    while (isSeparator(*value)) ++value;
    char* valueEnd = value;
    while (*valueEnd != '\0' && !isBlank(*valueEnd)) ++valueEnd;
    *valueEnd = '\0';
    parts.value = value;
    return parts;
}

}  // namespace

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
    if (!reader.open(fileName)) return showError(PROBLEM_CANNOT_OPEN_FILE, fileName, "");
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
        if (outcome == param_detail::LineReader::TOO_LONG) {
            result = refuseFileLine(source, line, param_detail::text::lineTooLong());
        } else if (std::strlen(line) != reading->line.size()) {
            result = refuseFileLine(source, line, param_detail::text::nulByte());
        } else if (line[0] != '#') {
            result = interpretFileLine(source, line, reading->workingCopy.assign(line, reading->line.size()));
        }
    }
    --reading->depth;
    return result;
}

// Returns OK to go on with the next line, or the code that ends the file.
int CParam::interpretFileLine(char* source, const char* line, char* workingCopy) {
    const KeywordAndValue parts = splitKeywordAndValue(workingCopy);
    if (*parts.keyword == '\0') return OK;

    if (CParamDef* definition = definitionWithKeyword(parts.keyword)) {
        if (*parts.value == '\0' && definition->skipAfter()) {
            return showError(PROBLEM_MISSING_VALUE_IN_FILE, source, line);
        }
        if (definition->dealWith(parts.value, source) == 0) {
            return showError(PROBLEM_GENERAL_PROBLEM_IN_FILE, source, line);
        }
        return OK;
    }
    if (std::strcmp(parts.keyword, "ParameterFile") != 0) {
        return showError(PROBLEM_UNKNOWN_KEYWORD_IN_FILE, source, line);
    }
    if (parameterFileAlreadyRead(parts.value)) {
        showError(PROBLEM_PARAM_FILE_LOOP, source, line);
        return OK;
    }
    if (reading->depth >= MAX_FILE_NESTING) {
        return refuseFileLine(source, line, param_detail::text::nestedTooDeep());
    }
    const int nested = readParameterFile(parts.value);
    return nested > 0 ? OK : nested;
}

// A line refused for what it is, not for its keyword or value; the message quotes its beginning.
int CParam::refuseFileLine(char* source, const char* line, const char* reason) {
    constexpr std::size_t kShown = 80;
    char beginning[kShown + 4] = {};
    const std::size_t length = std::strlen(line);
    std::memcpy(beginning, line, length < kShown ? length : kShown);
    if (length > kShown) std::memcpy(beginning + kShown, "...", 3);
    param_detail::text::problem(PROBLEM_GENERAL_PROBLEM_IN_FILE, source, beginning, programName, reason);
    return PROBLEM_GENERAL_PROBLEM_IN_FILE;
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
