#include "CountParamDef.h"

#include <ostream>

#include "Texts.h"

namespace param_detail {
namespace {

// A count is a whole number from 0 on, written as the strict conventions read it.
bool counted(const ValueOps& type, const char* text, int& count) { return type.read(text, &count, true) && count >= 0; }

}  // namespace

CountParamDef::CountParamDef(const char* keyword, int* var, int defaultValue, const char* description, bool optional)
    : CParamDef(keyword, 0, TYPE_INT, "", description, opsOf<int>(), optional, -1), var(var), defaultValue(defaultValue) {
    *var = defaultValue;
}

int CountParamDef::dealWith(char* value, char* valueSource) {
    if (value != nullptr) {
        int count = 0;
        if (!counted(*valueType, value, count)) return refuseValue(value);
        *var = count;
    } else {
        *var = counting ? *var + 1 : 1;
    }
    counting = true;
    markSatisfied(valueSource);
    return 1;
}

bool CountParamDef::skipAfter() { return false; }

void* CountParamDef::getValue() { return var; }

void CountParamDef::display(std::ostream& out) const { out << keyword.get() << "=" << *var << std::endl; }

int CountParamDef::getValueTexts(std::vector<std::string>& texts, std::vector<ParamOrigin>&) {
    texts.push_back(std::to_string(*var));
    return 1;
}

std::string CountParamDef::refusalOf(const char* value) {
    int count = 0;
    if (value != nullptr && !counted(*valueType, value, count)) return text::countExpectation();
    return {};
}

bool CountParamDef::readsBack(const char* text, std::size_t) {
    int count = 0;
    return text != nullptr && counted(*valueType, text, count) && count == *var;
}

bool CountParamDef::holdsDefault() { return *var == defaultValue; }

void CountParamDef::writeDefaultValue(std::ostream& out) { out << defaultValue; }

void CountParamDef::startOver(bool toDefault) {
    if (toDefault) *var = defaultValue;
    counting = false;
}

bool CountParamDef::gathers() { return true; }

}  // namespace param_detail
