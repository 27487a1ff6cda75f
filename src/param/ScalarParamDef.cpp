// The nine scalar definitions: one template over the variable's type.
#include <cctype>
#include <charconv>
#include <cmath>
#include <iostream>
#include <locale>
#include <streambuf>
#include <type_traits>

#include "Param.h"
#include "ParamDef.h"
#include "detail/ProcessEnd.h"
#include "detail/Texts.h"

namespace {

template <typename T>
struct TypeCode;
template <> struct TypeCode<char> { static constexpr types value = TYPE_CHAR; };
template <> struct TypeCode<int> { static constexpr types value = TYPE_INT; };
template <> struct TypeCode<unsigned int> { static constexpr types value = TYPE_UNSIGNEDINT; };
template <> struct TypeCode<short> { static constexpr types value = TYPE_SHORTINT; };
template <> struct TypeCode<unsigned short> { static constexpr types value = TYPE_UNSIGNEDSHORT; };
template <> struct TypeCode<long> { static constexpr types value = TYPE_LONGINT; };
template <> struct TypeCode<unsigned long> { static constexpr types value = TYPE_UNSIGNEDLONG; };
template <> struct TypeCode<double> { static constexpr types value = TYPE_DOUBLE; };
template <> struct TypeCode<float> { static constexpr types value = TYPE_FLOAT; };

// A read-only view of a token as a stream buffer, so that a conversion needs
// neither a copy of the token nor a new stream.
class TokenBuffer : public std::streambuf {
public:
    void reset(char* text) { setg(text, text, text + std::char_traits<char>::length(text)); }
};

// One input stream per thread, reset for every token: the formatted
// extraction rules are exactly those of a fresh stream in its default state.
std::istream& streamOver(char* token) {
    struct TokenStream {
        TokenBuffer buffer;
        std::istream stream{&buffer};
        std::locale locale = stream.getloc();
    };
    thread_local TokenStream reader;
    // A fresh stream would take the global locale of the moment.
    const std::locale current;
    if (current != reader.locale) {
        reader.stream.imbue(current);
        reader.locale = current;
    }
    reader.buffer.reset(token);
    reader.stream.clear();
    return reader.stream;
}

bool startsWithMinusAfterBlanks(const char* token) {
    while (std::isspace(static_cast<unsigned char>(*token))) ++token;
    return *token == '-';
}

// The strict conversion: the whole token, blanks around it aside, must be a value of T. std::from_chars
// reads decimal numbers the same in every locale and reports a value out of T's range.
template <typename T>
bool strictlyConverted(const char* token, T& variable) {
    const char* first = token;
    const char* last = token + std::char_traits<char>::length(token);
    while (first < last && std::isspace(static_cast<unsigned char>(*first))) ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(last[-1]))) --last;
    if constexpr (std::is_same<T, char>::value) {
        if (last - first != 1) return false;
        variable = *first;
        return true;
    } else {
        if (last - first > 1 && *first == '+' && first[1] != '-') ++first;  // from_chars takes no plus
        T value{};
        const std::from_chars_result read = std::from_chars(first, last, value);
        if (first == last || read.ec != std::errc() || read.ptr != last) return false;
        if constexpr (std::is_floating_point<T>::value) {
            if (!std::isfinite(value)) return false;
        }
        variable = value;
        return true;
    }
}

}  // namespace

template <typename T>
CScalarParamDef<T>::CScalarParamDef(const char* keyword_, char flag_, T* var_, T defaultValue_,
                                    const char* partypeName_, const char* description_,
                                    bool optional_, int kwlessPosition_)
    : CParamDef(keyword_, flag_, TypeCode<T>::value, partypeName_, description_,
                param_detail::text::errorDescription(TypeCode<T>::value), optional_,
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
    if (token == nullptr) return 0;
    if (follows(CParam::STRICT_VALUES)) return strictlyConverted(token, *var) ? 1 : 0;
    // The standard extraction would wrap "-1" into the largest unsigned value.
    constexpr bool isUnsignedNumber = std::is_unsigned<T>::value && !std::is_same<T, char>::value;
    if (isUnsignedNumber && startsWithMinusAfterBlanks(token)) return 0;
    std::istream& in = streamOver(token);
    in >> *var;
    return in.fail() ? 0 : 1;
}

template <typename T>
void CScalarParamDef<T>::writeDefault() {
    std::cerr << defaultValue;
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
