// The parameter-file reader: one "keyword value" pair per line, "#" comments
// in the first column, nested files named by ParameterFile lines.
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "Param.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isSeparator(char c) { return isBlank(c) || c == '='; }

// Reads one line of any length into line (whose buffer is reused). A
// carriage return ending the line belongs to a CRLF line end, not to the
// line.
bool readLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

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
    std::ifstream file(fileName);
    // A directory opens like a file and fails only at its first read; it
    // must not pass for an empty parameter file.
    if (!file.is_open() || (file.peek(), file.bad())) {
        return showError(PROBLEM_CANNOT_OPEN_FILE, fileName, "");
    }
    char* source = recordParameterFile(fileName);

    std::string line;
    std::string workingCopy;
    while (readLine(file, line)) {
        if (line.c_str()[0] == '#') continue;
        workingCopy.assign(line.c_str());
        const int result = interpretFileLine(fileName, source, line.c_str(), workingCopy.data());
        if (result <= 0) return result;
    }
    // A read error is not the end of the file: the lines after it are lost.
    if (file.bad()) return showError(PROBLEM_CANNOT_OPEN_FILE, fileName, "");
    return OK;
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
    const std::size_t length = std::strlen(fileName);
    std::unique_ptr<char[]> copy(new char[length + 1]);
    std::memcpy(copy.get(), fileName, length + 1);
    paramFileList = new ParamFileElement{paramFileList, copy.get()};
    return copy.release();
}

bool CParam::parameterFileAlreadyRead(const char* fileName) const {
    for (const ParamFileElement* e = paramFileList; e != nullptr; e = e->next) {
        if (std::strcmp(e->fileName, fileName) == 0) return true;
    }
    return false;
}
