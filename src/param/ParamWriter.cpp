// The values in force written back as a parameter file, each with where it came from.
#include <algorithm>

#include "Param.h"
#include "detail/FileLine.h"
#include "detail/FileReplacement.h"
#include "detail/Memory.h"
#include "detail/Texts.h"

namespace text = param_detail::text;

namespace {

// A value as it stands on its line: as it is, or in quotes where it has to be and quoting is on.
void appendValue(std::string& line, const std::string& value, bool quoting) {
    const bool plain = !value.empty() && value.find_first_of(" \t") == std::string::npos && value.front() != '=' &&
                       value.front() != '"';
    if (!quoting || plain) {
        line += value;
        return;
    }
    line += '"';
    for (const char c : value) {
        if (c == '"' || c == '\\') line += '\\';
        line += c;
    }
    line += '"';
}

}  // namespace

int CParam::WriteParameters(std::ostream& out, const std::vector<std::string>& leaveOut) {
    std::string file;
    int result = NOT_OK;
    if (!param_detail::tryAllocating([&] { result = composeParameterFile(file, leaveOut); })) {
        text::cannotWriteFile(nullptr);
        return NOT_OK;
    }
    if (result != OK) return result;
    out << file;
    out.flush();
    return out ? OK : NOT_OK;
}

int CParam::WriteParameterFile(const char* fileName, const std::vector<std::string>& leaveOut) {
    std::string file, reason;
    int result = NOT_OK;
    if (fileName == nullptr) {
        text::cannotWriteFile("");
        return NOT_OK;
    }
    if (!param_detail::tryAllocating([&] { result = composeParameterFile(file, leaveOut); })) {
        text::cannotWriteFile(nullptr);
        return NOT_OK;
    }
    if (result != OK) return result;
    bool replaced = false;
    if (!param_detail::tryAllocating([&] { replaced = param_detail::replaceFile(fileName, file, reason); })) {
        text::cannotWriteFile(nullptr);
        return NOT_OK;
    }
    if (!replaced) {
        text::cannotWriteFile(fileName, reason.c_str());
        return NOT_OK;
    }
    return OK;
}

int CParam::composeParameterFile(std::string& file, const std::vector<std::string>& leaveOut) {
    file = text::parameterFileHeading();
    for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
        CParamDef* definition = e->definition;
        if (std::find(leaveOut.begin(), leaveOut.end(), definition->getKeyword()) != leaveOut.end()) continue;
        const int result = composeLines(file, e);
        if (result != OK) return result;
    }
    return OK;
}

// Whether line, read as a line of a parameter file with the set's conventions, gives the definition
// the value in force (the element at index of a list): the reader would not skip it, would find the
// definition by the line's keyword, and the definition would take the value and keep it unchanged.
bool CParam::readsBack(const std::string& line, CParamDef* definition, std::size_t index) {
    if (line.empty() || line[0] == '#' || line.size() > MAX_LINE_LENGTH || line.find_first_of(std::string("\n\0", 2)) != std::string::npos) {
        return false;
    }
    std::string copy = line;
    const param_detail::FileLine parts = param_detail::splitFileLine(&copy[0], (conventions & QUOTED_VALUES) != 0);
    if (parts.value == nullptr || definitionWithKeyword(parts.keyword) != definition) return false;
    const bool noValue = *parts.value == '\0' && !parts.quoted;
    if (noValue && definition->skipAfter()) return false;
    return definition->readsBack(noValue && (conventions & STRICT_VALUES) != 0 ? nullptr : parts.value, index);
}

// The lines of one parameter, or NOT_OK after naming it when a value cannot be written so that it
// reads back.
int CParam::composeLines(std::string& file, ParamListElement* element) {
    CParamDef* definition = element->definition;
    const std::string keyword = definition->getKeyword();
    const bool quoting = (conventions & QUOTED_VALUES) != 0;
    std::vector<std::string> values;
    std::vector<ParamOrigin> origins;
    if (definition->getValueTexts(values, origins) == 0) {
        // A definition that keeps no value: only its default reads back.
        if (element->origin.kind == ParamOrigin::DEFAULT) return OK;
        text::unwritableParameter(keyword.c_str(), nullptr);
        return NOT_OK;
    }
    // A switch turned off, by default, and a value no line gives (a null string, an empty list) read
    // back only where they are the default: the file then leaves the parameter alone.
    const bool offSwitch = !definition->skipAfter() && (conventions & STRICT_VALUES) == 0 && values.size() == 1 &&
                           values[0] == "off";
    if (values.empty() || offSwitch) {
        if (!definition->holdsDefault()) {
            text::unwritableParameter(keyword.c_str(), nullptr);
            return NOT_OK;
        }
        file += text::withoutValue(keyword);
        return OK;
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        const ParamOrigin& origin = i < origins.size() ? origins[i] : element->origin;
        std::string line = keyword;
        // By default a switch is turned on by its keyword alone.
        if (definition->skipAfter() || (conventions & STRICT_VALUES) != 0) {
            line += ' ';
            appendValue(line, values[i], quoting);
        }
        line += "  # " + text::origin(origin);
        if (!readsBack(line, definition, i)) {
            text::unwritableParameter(keyword.c_str(), values[i].c_str());
            return NOT_OK;
        }
        file += line + "\n";
    }
    return OK;
}
