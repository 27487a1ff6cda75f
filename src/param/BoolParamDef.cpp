// CBoolParamDef: a switch, set by its mere mention.
#include <iostream>

#include "ParamDef.h"
#include "detail/ProcessEnd.h"
#include "detail/Texts.h"

namespace usage = param_detail::text::usage;

CBoolParamDef::CBoolParamDef(const char* keyword_, char flag_, bool* var_, bool defaultValue_,
                             const char* partypeName_, const char* description_, bool optional_,
                             int kwlessPosition_)
    : CParamDef(keyword_, flag_, TYPE_BOOL, partypeName_, description_,
                param_detail::text::errorDescription(TYPE_BOOL), optional_, kwlessPosition_),
      var(var_),
      defaultValue(defaultValue_) {
    *var = defaultValue;
}

CBoolParamDef::~CBoolParamDef() = default;

int CBoolParamDef::dealWith(char*, char* valueSource) {
    *var = true;
    markSatisfied(valueSource);
    return 1;
}

void CBoolParamDef::usageInfo() { usage::switchEntry(flag); }

void CBoolParamDef::writeDesc() {
    usage::switchHead(flag, keyword.get());
    usage::description(description.get());
}

bool CBoolParamDef::skipAfter() { return false; }

bool CBoolParamDef::myKWless_param(int position) { return position == -1; }

bool CBoolParamDef::no_keyword() { return false; }

void* CBoolParamDef::getValue() { return var; }

void CBoolParamDef::display(std::ostream& out) const {
    if (!var) param_detail::failAssertion("var");
    out << keyword.get() << "=" << (*var ? 1 : 0) << std::endl;
}

void CBoolParamDef::writeDefault() { std::cerr << (defaultValue ? 1 : 0); }
