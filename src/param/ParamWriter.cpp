// The values in force written back as a parameter file, each with where it came from.
#include <algorithm>

#include "Param.h"
#include "detail/FileLine.h"
#include "detail/FileReplacement.h"
#include "detail/Memory.h"
#include "detail/Registry.h"
#include "detail/Texts.h"

namespace text = param_detail::text;

namespace param_detail {

// Composes the file: every parameter by its keyword, each value on a line that reads back, as the
// reader would read it with the set's conventions, to the value in force.
class ConfigurationWriter {
public:
    explicit ConfigurationWriter(CParam& set) : set(set), quoting((set.conventions & CParam::QUOTED_VALUES) != 0) {}

    // OK, or NOT_OK after naming the parameter whose value would not read back. May throw std::bad_alloc.
    int compose(std::string& file, const std::vector<std::string>& leaveOut) {
        file = text::parameterFileHeading();
        for (ParamListElement* e = set.firstElement; e != nullptr; e = e->next) {
            if (std::find(leaveOut.begin(), leaveOut.end(), e->definition->getKeyword()) != leaveOut.end()) continue;
            if (lines(file, *e) != CParam::OK) return CParam::NOT_OK;
        }
        return CParam::OK;
    }

private:
    CParam& set;
    const bool quoting;

    bool strict() const { return (set.conventions & CParam::STRICT_VALUES) != 0; }

    // A value as it stands on its line: as it is, or in quotes where it has to be and quoting is on.
    void appendValue(std::string& line, const std::string& value) const {
        const bool plain = value.find_first_of(" \t") == std::string::npos && value.front() != '=' && value.front() != '"';
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

    // Whether line, read as a line of a parameter file, gives the definition the value in force (the
    // element at index of a list): the reader would not skip it, would find the definition by the
    // line's keyword, and the definition would take the value and keep it unchanged.
    bool readsBack(const std::string& line, CParamDef* definition, std::size_t index) const {
        if (line.empty() || line[0] == '#' || line.size() > CParam::MAX_LINE_LENGTH ||
            line.find_first_of(std::string("\n\0", 2)) != std::string::npos) {
            return false;
        }
        std::string copy = line;
        const FileLine parts = splitFileLine(&copy[0], quoting);
        if (parts.value == nullptr || set.definitionWithKeyword(parts.keyword) != definition) return false;
        const bool noValue = *parts.value == '\0' && !parts.quoted;
        if (noValue && definition->skipAfter()) return false;
        return definition->readsBack(noValue && strict() ? nullptr : parts.value, index);
    }

    // The lines of one parameter, or NOT_OK after naming it.
    int lines(std::string& file, const ParamListElement& element) const {
        CParamDef* definition = element.definition;
        const std::string keyword = definition->getKeyword();
        std::vector<std::string> values;
        std::vector<ParamOrigin> unused;
        // A parameter no file line can name (one of the new interface known by a letter alone) is left
        // out where it holds its default.
        if (text::unusableKeyword(keyword.c_str()) != nullptr) return definition->holdsDefault() ? CParam::OK : refuse(keyword, nullptr);
        if (definition->getValueTexts(values, unused) == 0) {
            // A definition that keeps no value: only its default reads back.
            if (element.origin.kind == ParamOrigin::DEFAULT) return CParam::OK;
            return refuse(keyword, nullptr);
        }
        // A switch turned off, by default, and a value no line gives (a null string, an empty list) read
        // back only where they are the default: the file then leaves the parameter alone.
        const bool offSwitch = !definition->skipAfter() && !strict() && values.size() == 1 && values[0] == "off";
        const bool noText = !definition->isList() && values.size() == 1 && values[0].empty();  // the empty string
        if (values.empty() || offSwitch || noText) {
            if (!definition->holdsDefault()) return refuse(keyword, nullptr);
            file += text::withoutValue(keyword);
            return CParam::OK;
        }
        if (std::find(values.begin(), values.end(), std::string()) != values.end()) {
            return refuse(keyword, nullptr);  // a value that no text reads back to
        }
        const Gathered* list = definition->isList() ? set.registry->gatheredBy(&element) : nullptr;
        for (std::size_t i = 0; i < values.size(); ++i) {
            const ParamOrigin origin = !definition->isList() ? element.origin
                                       : list != nullptr && i < list->origins.size() ? list->origins[i] : ParamOrigin{};
            std::string line = keyword;
            // By default a switch is turned on by its keyword alone.
            if (definition->skipAfter() || strict()) {
                line += ' ';
                appendValue(line, values[i]);
            }
            line += "  # " + text::origin(origin);
            if (!readsBack(line, definition, i)) return refuse(keyword, values[i].c_str());
            file += line + "\n";
        }
        return CParam::OK;
    }

    static int refuse(const std::string& keyword, const char* value) {
        text::unwritableParameter(keyword.c_str(), value);
        return CParam::NOT_OK;
    }
};

}  // namespace param_detail

int CParam::WriteParameters(std::ostream& out, const std::vector<std::string>& leaveOut) {
    std::string file;
    int result = NOT_OK;
    if (!param_detail::tryAllocating([&] { result = param_detail::ConfigurationWriter(*this).compose(file, leaveOut); })) {
        text::cannotWriteFile(nullptr);
        return NOT_OK;
    }
    if (result != OK) return result;
    out << file;
    out.flush();
    return out ? OK : NOT_OK;
}

int CParam::WriteParameterFile(const char* fileName, const std::vector<std::string>& leaveOut) {
    if (fileName == nullptr) {
        text::cannotWriteFile("");
        return NOT_OK;
    }
    std::string file, reason;
    int result = NOT_OK;
    bool replaced = false;
    if (!param_detail::tryAllocating([&] {
            result = param_detail::ConfigurationWriter(*this).compose(file, leaveOut);
            if (result == OK) replaced = param_detail::replaceFile(fileName, file, reason);
        })) {
        text::cannotWriteFile(nullptr);
        return NOT_OK;
    }
    if (result != OK) return result;
    if (!replaced) {
        text::cannotWriteFile(fileName, reason.c_str());
        return NOT_OK;
    }
    return OK;
}
