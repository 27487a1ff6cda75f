// How a token becomes a value of a scalar type, shared by the scalar definitions and the lists.
#ifndef PARAM_DETAIL_CONVERSION_H
#define PARAM_DETAIL_CONVERSION_H

#include <string>

#include "ParamDef.h"

namespace param_detail {

// The type code of the definitions of T.
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
template <> struct TypeCode<std::string> { static constexpr types value = TYPE_STDSTRING; };

// Converts token (not null) into value; false when it is refused, value then unchanged.
// By default: one formatted stream extraction in the global locale of the moment; leading white
// space is skipped, the longest readable beginning taken, and an empty, unreadable or out-of-range
// token refused (so is a minus for the unsigned kinds, which the extraction would wrap around).
// Strictly: the whole token, blanks around it aside, must be a value of T (decimal, locale-free,
// finite; one character for char).
template <typename T>
bool convert(const char* token, T& value, bool strictly);

// A text that the conversion reads back to value: the shortest, the same in every locale, where
// that reads back (strictly it always does), else the form a stream writes in the global locale
// (a decimal comma). A char is itself. False for a value no text reads back to (not finite, the NUL
// character, a number the global locale cannot read back). May throw std::bad_alloc.
template <typename T>
bool textOf(const T& value, std::string& text, bool strictly);

}  // namespace param_detail

#endif
