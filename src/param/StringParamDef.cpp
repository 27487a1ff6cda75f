// CStringParamDef: a string variable of the host, pointed at the
// definition's own copy of the latest value.
#include <climits>
#include <cstring>
#include <iostream>

#include "Param.h"
#include "ParamDef.h"
#include "detail/Memory.h"
#include "detail/ProcessEnd.h"
#include "detail/Texts.h"
#include "detail/ValueCheck.h"

CStringParamDef::CStringParamDef(const char* keyword_, char flag_, char** var_,
                                 const char* defaultValue_, const char* partypeName_,
                                 const char* description_, bool optional_, int kwlessPosition_)
    : CParamDef(keyword_, flag_, TYPE_STRING, partypeName_, description_,
                param_detail::opsOf<std::string>(), optional_, kwlessPosition_),
      var(var_),
      defaultValue(defaultValue_),
      ownsValue(false) {
    // The host's variable points at the default itself; the host never
    // writes through it while the definition has not taken a value.
    *var = const_cast<char*>(defaultValue);
}

// Only the definition's own latest copy is released, never a string the
// host pointed its variable at.
CStringParamDef::~CStringParamDef() = default;

void* CStringParamDef::getValue() { return var; }

void CStringParamDef::display(std::ostream& out) const {
    if (!var) param_detail::failAssertion("var");
    out << keyword.get() << "=";
    if (*var) out << *var;
    out << std::endl;
}

int CStringParamDef::getVarFromToken(char* token) {
    if (token == nullptr) return 0;
    // A set that returns problems goes on after a refusal: the empty value must not be stored.
    if (*token == '\0' && follows(CParam::RETURN_PROBLEMS)) return 0;
    if (checkedText(token) != nullptr) return 0;
    ownsValue = true;
    const std::size_t length = std::strlen(token);
    param_detail::Text copy = param_detail::tryCopyText(token, length);
    if (!copy) return refuseCopy();
    *var = copy.get();
    ownedValue = std::move(copy);  // the replaced copy is released here
    return length > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(length);
}

std::string CStringParamDef::refusalOf(const char* token) {
    if (token == nullptr || *token == '\0') return errordesc.get();
    const char* kept = checkedText(token);
    return kept != nullptr ? kept : "";
}

bool CStringParamDef::readsBack(const char* text, std::size_t) {
    return refusalOf(text).empty() && *var != nullptr && std::strcmp(text, *var) == 0;
}

bool CStringParamDef::holdsDefault() {
    if (*var == nullptr || defaultValue == nullptr) return *var == defaultValue;
    return std::strcmp(*var, defaultValue) == 0;
}

void CStringParamDef::writeDefault() { writeDefaultValue(std::cerr); }

void CStringParamDef::writeDefaultValue(std::ostream& out) { param_detail::text::usage::textDefault(out, defaultValue); }

int CStringParamDef::setChoices(const std::vector<std::string>& words) {
    return keepCheck(param_detail::makeChoices(words));
}

int CStringParamDef::getValueTexts(std::vector<std::string>& texts, std::vector<ParamOrigin>&) {
    if (*var != nullptr && **var != '\0') {
        texts.emplace_back(*var);
    }
    return 1;
}
