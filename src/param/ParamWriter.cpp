// The values in force written back as a parameter file, each with where it came from.
#include <algorithm>
#include <cstdio>
#include <fstream>

#include "Param.h"
#include "detail/Memory.h"
#include "detail/Texts.h"

namespace text = param_detail::text;

namespace {

// Whether a value reads back unchanged from a line "Keyword value": a plain value ends at the first
// blank, and separators before it are skipped; a quoted one may hold anything but a line end.
bool writable(const std::string& value, bool quoting) {
    if (value.empty() || value.find('\n') != std::string::npos) return false;
    if (quoting) return true;
    return value.find_first_of(" \t") == std::string::npos && value.front() != '=' && value.back() != '\r';
}

// Quotes a value only where it has to: one that a plain value could not be.
void appendValue(std::string& line, const std::string& value, bool quoting) {
    if (!quoting || (writable(value, false) && value.front() != '"')) {
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
    std::string file, beside;
    int result = NOT_OK;
    if (fileName == nullptr ||
        !param_detail::tryAllocating([&] {
            result = composeParameterFile(file, leaveOut);
            beside = std::string(fileName) + ".writing";
        })) {
        text::cannotWriteFile(fileName);
        return NOT_OK;
    }
    if (result != OK) return result;
    // Written beside the file first and renamed when complete: a failure leaves no half-written file.
    std::ofstream out(beside, std::ios::binary | std::ios::trunc);
    out << file;
    out.close();
    if (!out || std::rename(beside.c_str(), fileName) != 0) {
        std::remove(beside.c_str());
        text::cannotWriteFile(fileName);
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

// The lines of one parameter, or NOT_OK after naming it when a value cannot be written.
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
    if (values.empty()) {
        file += text::withoutValue(keyword);
        return OK;
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        const ParamOrigin& origin = i < origins.size() ? origins[i] : element->origin;
        std::string line = keyword;
        if (!definition->skipAfter() && (conventions & STRICT_VALUES) == 0) {
            // By default a switch is turned on by its keyword alone and cannot be turned off.
            if (values[i] == "off" && origin.kind == ParamOrigin::DEFAULT) {
                file += text::withoutValue(keyword);
                continue;
            }
            if (values[i] == "off") {
                text::unwritableParameter(keyword.c_str(), nullptr);
                return NOT_OK;
            }
        } else {
            if (!writable(values[i], quoting)) {
                text::unwritableParameter(keyword.c_str(), values[i].c_str());
                return NOT_OK;
            }
            line += ' ';
            appendValue(line, values[i], quoting);
        }
        file += line + "  # " + text::origin(origin) + "\n";
    }
    return OK;
}
