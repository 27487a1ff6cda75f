// The parameter-file reader: one "keyword value" pair per line, "#" comments
// in the first column, nested files named by ParameterFile lines.
#include <cstring>

#include "Param.h"
#include "detail/LineReader.h"
#include "detail/Memory.h"
#include "detail/ProcessEnd.h"

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
    if (fileName == nullptr) fileName = "";
    param_detail::LineReader reader;
    if (!reader.open(fileName)) return showError(PROBLEM_CANNOT_OPEN_FILE, fileName, "");
    char* source = recordParameterFile(fileName);

    param_detail::Buffer workingCopy("line");
    while (true) {
        const auto outcome = reader.next();
        if (outcome == param_detail::LineReader::END) return OK;
        // A read error is not the end of the file: the lines after it are lost.
        if (outcome == param_detail::LineReader::READ_ERROR) {
            return showError(PROBLEM_CANNOT_OPEN_FILE, fileName, "");
        }
        const char* line = reader.line();
        if (line[0] == '#') continue;
        char* copy = workingCopy.assign(line, std::strlen(line));
        const int result = interpretFileLine(fileName, source, line, copy);
        if (result <= 0) return result;
    }
}

// Returns OK to go on with the next line, or the code that ends the file.
int CParam::interpretFileLine(const char* fileName, char* source, const char* line,
                              char* workingCopy) {
    const KeywordAndValue parts = splitKeywordAndValue(workingCopy);
    if (*parts.keyword == '\0') return OK;

    if (CParamDef* definition = definitionWithKeyword(parts.keyword)) {
        if (*parts.value == '\0' && definition->skipAfter()) {
            return showError(PROBLEM_MISSING_VALUE_IN_FILE, fileName, line);
        }
        if (definition->dealWith(parts.value, source) == 0) {
            return showError(PROBLEM_GENERAL_PROBLEM_IN_FILE, fileName, line);
        }
        return OK;
    }
    if (std::strcmp(parts.keyword, "ParameterFile") != 0) {
        return showError(PROBLEM_UNKNOWN_KEYWORD_IN_FILE, fileName, line);
    }
    if (parameterFileAlreadyRead(parts.value)) {
        showError(PROBLEM_PARAM_FILE_LOOP, fileName, line);
        return OK;
    }
    const int nested = read_parameter_file(parts.value);
    return nested > 0 ? OK : nested;
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
