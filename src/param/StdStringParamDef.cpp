// CStdStringParamDef: a std::string variable of the host.
#include <iostream>

#include "Param.h"
#include "ParamDef.h"
#include "detail/Memory.h"
#include "detail/ProcessEnd.h"
#include "detail/Texts.h"
#include "detail/ValueCheck.h"

CStdStringParamDef::CStdStringParamDef(const char* keyword_, char flag_, std::string* var_,
                                       const char* defaultValue_, const char* partypeName_,
                                       const char* description_, bool optional_, int kwlessPosition_)
    : CParamDef(keyword_, flag_, TYPE_STDSTRING, partypeName_, description_,
                param_detail::opsOf<std::string>(), optional_, kwlessPosition_),
      var(var_),
      defaultValue(defaultValue_) {
    if (!param_detail::tryAllocating([&] { *var = defaultValue != nullptr ? defaultValue : ""; })) {
        param_detail::failAssertion("defaultValue");
    }
}

CStdStringParamDef::~CStdStringParamDef() = default;

void* CStdStringParamDef::getValue() { return var; }

void CStdStringParamDef::display(std::ostream& out) const { out << keyword.get() << "=" << *var << std::endl; }

int CStdStringParamDef::getVarFromToken(char* token) {
    if (token == nullptr || *token == '\0' || checkedText(token) != nullptr) return 0;
    if (param_detail::tryAllocating([&] { var->assign(token); })) return 1;
    return refuseCopy();
}

std::string CStdStringParamDef::refusalOf(const char* token) {
    if (token == nullptr || *token == '\0') return errordesc.get();
    const char* kept = checkedText(token);
    return kept != nullptr ? kept : "";
}

bool CStdStringParamDef::readsBack(const char* text, std::size_t) { return refusalOf(text).empty() && *var == text; }

bool CStdStringParamDef::holdsDefault() { return *var == (defaultValue != nullptr ? defaultValue : ""); }

void CStdStringParamDef::writeDefault() { writeDefaultValue(std::cerr); }

void CStdStringParamDef::writeDefaultValue(std::ostream& out) {
    param_detail::text::usage::textDefault(out, defaultValue);
}

int CStdStringParamDef::setChoices(const std::vector<std::string>& words) {
    return keepCheck(param_detail::makeChoices(words));
}

int CStdStringParamDef::getValueTexts(std::vector<std::string>& texts, std::vector<ParamOrigin>&) {
    if (!var->empty()) {
        texts.push_back(*var);
    }
    return 1;
}
