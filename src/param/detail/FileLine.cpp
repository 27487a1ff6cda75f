#include "FileLine.h"

#include <cstring>

namespace param_detail {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isSeparator(char c) { return isBlank(c) || c == '='; }

// Takes the quoted value that starts at text (with its opening quote) in place; the rest of the line
// is a remark. Null when the quote is not closed.
char* unquote(char* text) {
    char* to = text;
    for (const char* from = text + 1; *from != '\0'; ++from) {
        if (*from == '"') {
            *to = '\0';
            return text;
        }
        if (*from == '\\' && (from[1] == '"' || from[1] == '\\')) ++from;
        *to++ = *from;
    }
    return nullptr;
}

}  // namespace

FileLine splitFileLine(char* text, bool quoting) {
    while (isBlank(*text)) ++text;
    FileLine parts{text, text + std::strlen(text)};
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
    if (quoting && *value == '"') {
        parts.value = unquote(value);
        parts.quoted = true;
        return parts;
    }
    char* valueEnd = value;
    while (*valueEnd != '\0' && !isBlank(*valueEnd)) ++valueEnd;
    *valueEnd = '\0';
    parts.value = value;
    return parts;
}

}  // namespace param_detail
