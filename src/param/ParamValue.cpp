// The built-in descriptions: how text becomes a char, a number or a string, and back.
#include "ParamValue.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <istream>
#include <limits>
#include <locale>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <vector>

#include "detail/Memory.h"
#include "detail/ProcessEnd.h"
#include "detail/Texts.h"

namespace {

// A read-only view of a text as a stream buffer, so that a conversion needs neither a copy of the
// text nor a new stream.
class TokenBuffer : public std::streambuf {
public:
    void reset(const char* text) {
        char* start = const_cast<char*>(text);  // the stream only reads
        setg(start, start, start + std::char_traits<char>::length(text));
    }
};

// One input stream per thread, reset for every text: the formatted extraction rules are exactly
// those of a fresh stream in its default state. It passes nothing on: it only spares making a stream
// per value.
std::istream& streamOver(const char* text) {
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
    reader.buffer.reset(text);
    reader.stream.clear();
    return reader.stream;
}

bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// By default: one formatted stream extraction in the global locale; leading white space is skipped,
// the longest readable beginning taken, and an empty, unreadable or out-of-range text refused (so is
// a minus for the unsigned kinds, which the extraction would wrap around).
template <typename T>
bool extracted(const char* text, T& value) {
    if (std::is_unsigned<T>::value && !std::is_same<T, char>::value) {
        const char* first = text;
        while (isBlank(*first)) ++first;
        if (*first == '-') return false;
    }
    T read{};
    std::istream& in = streamOver(text);
    in >> read;
    if (in.fail()) return false;
    value = read;
    return true;
}

// Strictly: the whole text, blanks around it aside, must be a value of T; std::from_chars reads
// decimal numbers the same in every locale and reports a value out of range.
template <typename T>
bool strictlyConverted(const char* text, T& value) {
    const char* first = text;
    const char* last = text + std::char_traits<char>::length(text);
    while (first < last && isBlank(*first)) ++first;
    while (last > first && isBlank(last[-1])) --last;
    if constexpr (std::is_same<T, char>::value) {
        if (last - first != 1) return false;
        value = *first;
        return true;
    } else {
        if (last - first > 1 && *first == '+' && first[1] != '-') ++first;  // from_chars takes no plus
        T read{};
        const std::from_chars_result result = std::from_chars(first, last, read);
        if (first == last || result.ec != std::errc() || result.ptr != last) return false;
        if constexpr (std::is_floating_point<T>::value) {
            if (!std::isfinite(read)) return false;
        }
        value = read;
        return true;
    }
}

template <typename T>
bool converted(const char* text, T& value, bool strictly) {
    return strictly ? strictlyConverted(text, value) : extracted(text, value);
}

// The shortest text of value, the same in every locale.
template <typename T>
bool plainText(const T& value, std::string& text) {
    if constexpr (std::is_same<T, char>::value) {
        text.assign(1, value);
        return value != '\0';
    } else {
        if constexpr (std::is_floating_point<T>::value) {
            if (!std::isfinite(value)) return false;
        }
        char buffer[64];
        const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
        text.assign(buffer, result.ptr);
        return true;
    }
}

// A text that the conversion reads back to value: the plain one where that reads back (strictly it
// always does), else the form a stream writes in the global locale (a decimal comma), with every
// digit that tells the value apart.
template <typename T>
bool written(const T& value, std::string& text, bool strictly) {
    if (!plainText(value, text)) return false;
    T back{};
    if (strictly || (extracted(text.c_str(), back) && back == value)) return true;
    std::ostringstream out;
    out.imbue(std::locale());
    out.precision(std::numeric_limits<T>::max_digits10);
    out << value;
    text = out.str();
    return extracted(text.c_str(), back) && back == value;
}

}  // namespace

namespace param {

namespace text = param_detail::text;
const char* const ValueType<char>::name = text::kCharacterName;
const char* const ValueType<int>::name = text::kIntegerName;
const char* const ValueType<unsigned int>::name = text::kUnsignedName;
const char* const ValueType<short>::name = text::kShortName;
const char* const ValueType<unsigned short>::name = text::kUnsignedName;
const char* const ValueType<long>::name = text::kIntegerName;
const char* const ValueType<unsigned long>::name = text::kUnsignedName;
const char* const ValueType<double>::name = text::kDoubleName;
const char* const ValueType<float>::name = text::kFloatName;
const char* const ValueType<std::string>::name = text::kTextName;
const char* const ValueType<char>::valueName = text::kCharacterValueName;
const char* const ValueType<std::string>::valueName = text::kTextValueName;
#define PARAM_NUMBER_VALUE_NAME(T) const char* const ValueType<T>::valueName = text::kNumberValueName;
PARAM_NUMBER_TYPES(PARAM_NUMBER_VALUE_NAME)
#undef PARAM_NUMBER_VALUE_NAME

#define PARAM_DEFINE_BUILT_IN(T)                                                                                   \
    bool ValueType<T>::read(const char* text, T& value, bool strictly) { return converted(text, value, strictly); } \
    bool ValueType<T>::write(const T& value, std::string& text, bool strictly) { return written(value, text, strictly); } \
    void ValueType<T>::show(std::ostream& out, const T& value) { out << value; }
PARAM_SCALAR_TYPES(PARAM_DEFINE_BUILT_IN)
#undef PARAM_DEFINE_BUILT_IN

bool ValueType<std::string>::read(const char* text, std::string& value) {
    if (*text == '\0') return false;
    value = text;
    return true;
}

bool ValueType<std::string>::write(const std::string& value, std::string& text) {
    text = value;
    return true;
}

void ValueType<std::string>::show(std::ostream& out, const std::string& value) { out << value; }

}  // namespace param

namespace param_detail {

// Made once per type, for the life of the process.
const char* joinNames(const char* const* names, std::size_t count) {
    std::string text;
    if (!tryAllocating([&] { text = text::choicesSummary(std::vector<std::string>(names, names + count)); })) {
        failAssertion("names");
    }
    return copyTextOrStop(text.c_str(), "names").release();
}

void showText(std::ostream& out, const char* text) { out << text; }

}  // namespace param_detail
