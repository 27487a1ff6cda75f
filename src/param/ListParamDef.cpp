// CListParamDef: a std::vector variable of the host, one element per value given.
#include <iostream>
#include <type_traits>

#include "Param.h"
#include "ParamDef.h"
#include "detail/Conversion.h"
#include "detail/Memory.h"
#include "detail/ProcessEnd.h"
#include "detail/Texts.h"
#include "detail/ValueCheck.h"

namespace {

// An element from a token, converted as the scalar definition of T does.
template <typename T>
bool element(const char* token, T& value, bool strictly) { return param_detail::convert(token, value, strictly); }
bool element(const char* token, std::string& value, bool) {
    return *token != '\0' && param_detail::tryAllocating([&] { value = token; });
}

// Writes a list's elements, as a stream writes them, separated by separator.
template <typename T>
void writeElements(std::ostream& out, const std::vector<T>& list, const char* separator) {
    for (std::size_t i = 0; i < list.size(); ++i) out << (i > 0 ? separator : "") << list[i];
}

}  // namespace

template <typename T>
CListParamDef<T>::CListParamDef(const char* keyword_, char flag_, std::vector<T>* var_, std::vector<T> defaultValue_,
                                const char* partypeName_, const char* description_, bool optional_,
                                int kwlessPosition_)
    : CParamDef(keyword_, flag_, param_detail::TypeCode<T>::value, partypeName_, description_,
                param_detail::text::errorDescription(std::is_same<T, std::string>::value ? TYPE_STRING
                                                                                        : param_detail::TypeCode<T>::value),
                optional_, kwlessPosition_),
      var(var_),
      defaultValue(std::move(defaultValue_)) {
    if (!param_detail::tryAllocating([&] { *var = defaultValue; })) param_detail::failAssertion("defaultValue");
}

template <typename T>
CListParamDef<T>::~CListParamDef() = default;

template <typename T>
void CListParamDef<T>::usageInfo() {
    writeSynopsisEntry(std::cerr);
}

template <typename T>
void CListParamDef<T>::writeSynopsisEntry(std::ostream& out) {
    CParamDef::writeSynopsisEntry(out);
    if (no_keyword()) param_detail::text::usage::repeated(out);
}

template <typename T>
bool CListParamDef<T>::myKWless_param(int position) {
    return kwlessPosition > 0 ? position >= kwlessPosition : position == kwlessPosition;
}

template <typename T>
void* CListParamDef<T>::getValue() {
    return var;
}

template <typename T>
void CListParamDef<T>::display(std::ostream& out) const {
    out << keyword.get() << "=";
    writeElements(out, *var, ",");
    out << std::endl;
}

template <typename T>
int CListParamDef<T>::getVarFromToken(char* token) {
    T value{};
    if (token == nullptr || !element(token, value, follows(CParam::STRICT_VALUES)) || checked(&value) != nullptr) return 0;
    // The first value the user gives replaces the default list.
    const bool appended = param_detail::tryAllocating([&] {
        if (!defaultReplaced) {
            var->clear();
            elementOrigins.clear();
        }
        // Room for the origin first, growing as the vector does, so that both grow together or neither.
        if (elementOrigins.size() == elementOrigins.capacity()) elementOrigins.reserve(2 * elementOrigins.size() + 8);
        var->push_back(std::move(value));
        elementOrigins.push_back(originNow());
    });
    if (appended) {
        defaultReplaced = true;
        return 1;
    }
    return refuseCopy();
}

template <typename T>
std::string CListParamDef<T>::refusalOf(const char* token) {
    T value{};
    if (token == nullptr || !element(token, value, follows(CParam::STRICT_VALUES))) return errordesc.get();
    const char* kept = checked(&value);
    return kept != nullptr ? kept : "";
}

template <typename T>
bool CListParamDef<T>::readsBack(const char* text, std::size_t index) {
    T value{};
    return index < var->size() && element(text, value, follows(CParam::STRICT_VALUES)) && checked(&value) == nullptr &&
           value == (*var)[index];
}

template <typename T>
bool CListParamDef<T>::holdsDefault() {
    return *var == defaultValue;
}

template <typename T>
void CListParamDef<T>::writeDefault() {
    writeDefaultValue(std::cerr);
}

template <typename T>
void CListParamDef<T>::writeDefaultValue(std::ostream& out) {
    if (defaultValue.empty()) {
        param_detail::text::usage::noElements(out);
    } else {
        writeElements(out, defaultValue, ", ");
    }
}

template <typename T>
int CListParamDef<T>::setRange(const char* lower, const char* upper) {
    if constexpr (std::is_arithmetic<T>::value && !std::is_same<T, char>::value) {
        return keepCheck(param_detail::makeRange<T>(lower, upper, errordesc.get()));
    } else {
        return 0;
    }
}

template <typename T>
int CListParamDef<T>::setChoices(const std::vector<std::string>& words) {
    if constexpr (std::is_same<T, std::string>::value) {
        return keepCheck(param_detail::makeChoices(words));
    } else {
        return 0;
    }
}

template <typename T>
bool CListParamDef<T>::isList() {
    return true;
}

template <typename T>
int CListParamDef<T>::getValueTexts(std::vector<std::string>& texts, std::vector<ParamOrigin>& origins) {
    for (std::size_t i = 0; i < var->size(); ++i) {
        std::string text;
        if constexpr (std::is_same<T, std::string>::value) {
            text = (*var)[i];
        } else if (!param_detail::textOf((*var)[i], text, follows(CParam::STRICT_VALUES))) {
            text.clear();  // no text reads back to it, and the empty one is never written
        }
        texts.push_back(text);
        origins.push_back(defaultReplaced && i < elementOrigins.size() ? elementOrigins[i] : ParamOrigin{});
    }
    return 1;
}

template class CListParamDef<char>;
template class CListParamDef<int>;
template class CListParamDef<unsigned int>;
template class CListParamDef<short>;
template class CListParamDef<unsigned short>;
template class CListParamDef<long>;
template class CListParamDef<unsigned long>;
template class CListParamDef<double>;
template class CListParamDef<float>;
template class CListParamDef<std::string>;
