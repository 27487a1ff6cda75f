// The nine scalar definitions: one template over the variable's type.
#include <iostream>
#include <type_traits>

#include "Param.h"
#include "ParamDef.h"
#include "detail/Conversion.h"
#include "detail/ProcessEnd.h"
#include "detail/Texts.h"
#include "detail/ValueCheck.h"

template <typename T>
CScalarParamDef<T>::CScalarParamDef(const char* keyword_, char flag_, T* var_, T defaultValue_,
                                    const char* partypeName_, const char* description_,
                                    bool optional_, int kwlessPosition_)
    : CParamDef(keyword_, flag_, param_detail::TypeCode<T>::value, partypeName_, description_,
                param_detail::text::errorDescription(param_detail::TypeCode<T>::value), optional_,
                kwlessPosition_),
      var(var_),
      defaultValue(defaultValue_) {
    *var = defaultValue;
}

template <typename T>
CScalarParamDef<T>::~CScalarParamDef() = default;

template <typename T>
void* CScalarParamDef<T>::getValue() {
    return var;
}

template <typename T>
void CScalarParamDef<T>::display(std::ostream& out) const {
    if (!var) param_detail::failAssertion("var");
    out << keyword.get() << "=" << *var << std::endl;
}

template <typename T>
int CScalarParamDef<T>::getVarFromToken(char* token) {
    T value{};
    if (token == nullptr || !param_detail::convert(token, value, follows(CParam::STRICT_VALUES))) return 0;
    if (checked(&value) != nullptr) return 0;
    *var = value;
    return 1;
}

template <typename T>
std::string CScalarParamDef<T>::refusalOf(const char* token) {
    T value{};
    if (token == nullptr || !param_detail::convert(token, value, follows(CParam::STRICT_VALUES))) return errordesc.get();
    const char* kept = checked(&value);
    return kept != nullptr ? kept : "";
}

template <typename T>
bool CScalarParamDef<T>::readsBack(const char* text, std::size_t) {
    T value{};
    return param_detail::convert(text, value, follows(CParam::STRICT_VALUES)) && checked(&value) == nullptr &&
           value == *var;
}

template <typename T>
bool CScalarParamDef<T>::holdsDefault() {
    return *var == defaultValue;
}

template <typename T>
int CScalarParamDef<T>::setRange(const char* lower, const char* upper) {
    if constexpr (std::is_same<T, char>::value) {
        return 0;
    } else {
        return keepCheck(param_detail::makeRange<T>(lower, upper, errordesc.get()));
    }
}

template <typename T>
void CScalarParamDef<T>::writeDefault() {
    writeDefaultValue(std::cerr);
}

template <typename T>
void CScalarParamDef<T>::writeDefaultValue(std::ostream& out) {
    out << defaultValue;
}

template <typename T>
int CScalarParamDef<T>::getValueTexts(std::vector<std::string>& texts, std::vector<ParamOrigin>&) {
    std::string text;
    if (param_detail::textOf(*var, text, follows(CParam::STRICT_VALUES))) {
        texts.push_back(text);
    }
    return 1;
}

template class CScalarParamDef<char>;
template class CScalarParamDef<int>;
template class CScalarParamDef<unsigned int>;
template class CScalarParamDef<short>;
template class CScalarParamDef<unsigned short>;
template class CScalarParamDef<long>;
template class CScalarParamDef<unsigned long>;
template class CScalarParamDef<double>;
template class CScalarParamDef<float>;
