// CBoolParamDef: a switch, set by its mere mention.
#include <cctype>
#include <cstring>
#include <iostream>

#include "Param.h"
#include "ParamDef.h"
#include "detail/ProcessEnd.h"
#include "detail/Texts.h"

namespace usage = param_detail::text::usage;

CBoolParamDef::CBoolParamDef(const char* keyword_, char flag_, bool* var_, bool defaultValue_,
                             const char* partypeName_, const char* description_, bool optional_,
                             int kwlessPosition_)
    : CParamDef(keyword_, flag_, TYPE_BOOL, partypeName_, description_,
                param_detail::text::kSwitchRefusal, optional_, kwlessPosition_),
      var(var_),
      defaultValue(defaultValue_) {
    *var = defaultValue;
}

CBoolParamDef::~CBoolParamDef() = default;

namespace {

// Compares the first length characters of a and b, ASCII letters in any case.
bool equalIgnoringCase(const char* a, const char* b, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

// A switch's value with strict values: one of the usual words for on or off, in any letter case,
// blanks around it aside. False when it is none of them.
bool switchWord(const char* value, bool& on) {
    static const char* const kWords[] = {"true", "yes", "on", "1", "false", "no", "off", "0"};
    const char* first = value;
    while (*first == ' ' || *first == '\t') ++first;
    std::size_t length = std::strlen(first);
    while (length > 0 && (first[length - 1] == ' ' || first[length - 1] == '\t')) --length;
    for (std::size_t i = 0; i < 8; ++i) {
        if (std::strlen(kWords[i]) == length && equalIgnoringCase(first, kWords[i], length)) {
            on = i < 4;
            return true;
        }
    }
    return false;
}

}  // namespace

// By default the value is ignored. With strict values a value given with the switch must be one of
// the on and off words; no value at all (a null one) turns it on.
int CBoolParamDef::dealWith(char* value, char* valueSource) {
    bool on = true;
    if (value != nullptr && follows(CParam::STRICT_VALUES) && !switchWord(value, on)) return refuseValue(value);
    *var = on;
    markSatisfied(valueSource);
    return 1;
}

std::string CBoolParamDef::refusalOf(const char* value) {
    bool on = true;
    if (value != nullptr && follows(CParam::STRICT_VALUES) && !switchWord(value, on)) {
        return param_detail::text::switchExpectation();
    }
    return {};
}

bool CBoolParamDef::readsBack(const char* text, std::size_t) {
    bool on = true;
    if (follows(CParam::STRICT_VALUES) && !switchWord(text, on)) return false;
    return on == *var;
}

bool CBoolParamDef::holdsDefault() { return *var == defaultValue; }

void CBoolParamDef::usageInfo() { writeSynopsisEntry(std::cerr); }

// By default the entry is the flag letter alone, also for an obligatory switch, whose letter then
// runs into the text before it. Today's conventions give an obligatory switch an entry of its own.
void CBoolParamDef::writeSynopsisEntry(std::ostream& out) {
    if (!optional() && follows(CParam::HELP_ON_STDOUT)) {
        if (flag != 0) {
            usage::obligatorySwitchEntry(out, flag);
        } else {
            usage::keywordSwitchEntry(out, true, keyword.get());
        }
        return;
    }
    usage::switchEntry(out, flag);
}

void CBoolParamDef::writeDesc() { writeDescription(std::cerr); }

void CBoolParamDef::writeDescription(std::ostream& out) {
    usage::switchHead(out, flag, keyword.get());
    usage::description(out, description ? description.get() : "");
}

bool CBoolParamDef::skipAfter() { return false; }

bool CBoolParamDef::myKWless_param(int position) { return position == -1; }

bool CBoolParamDef::no_keyword() { return false; }

void* CBoolParamDef::getValue() { return var; }

void CBoolParamDef::display(std::ostream& out) const {
    if (!var) param_detail::failAssertion("var");
    out << keyword.get() << "=" << (*var ? 1 : 0) << std::endl;
}

void CBoolParamDef::writeDefault() { writeDefaultValue(std::cerr); }

void CBoolParamDef::writeDefaultValue(std::ostream& out) { out << (defaultValue ? 1 : 0); }

int CBoolParamDef::getValueTexts(std::vector<std::string>& texts, std::vector<ParamOrigin>&) {
    texts.emplace_back(*var ? "on" : "off");
    return 1;
}
