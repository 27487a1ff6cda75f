#include "Conversion.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <istream>
#include <limits>
#include <locale>
#include <sstream>
#include <streambuf>
#include <string>
#include <type_traits>

namespace param_detail {
namespace {

// A read-only view of a token as a stream buffer, so that a conversion needs neither a copy of the
// token nor a new stream.
class TokenBuffer : public std::streambuf {
public:
    void reset(const char* text) {
        char* start = const_cast<char*>(text);  // the stream only reads
        setg(start, start, start + std::char_traits<char>::length(text));
    }
};

// One input stream per thread, reset for every token: the formatted extraction rules are exactly
// those of a fresh stream in its default state.
std::istream& streamOver(const char* token) {
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

bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

template <typename T>
bool extracted(const char* token, T& value) {
    // The standard extraction would wrap "-1" into the largest unsigned value.
    if (std::is_unsigned<T>::value && !std::is_same<T, char>::value) {
        const char* first = token;
        while (isBlank(*first)) ++first;
        if (*first == '-') return false;
    }
    T read{};
    std::istream& in = streamOver(token);
    in >> read;
    if (in.fail()) return false;
    value = read;
    return true;
}

// std::from_chars reads decimal numbers the same in every locale and reports a value out of range.
template <typename T>
bool strictlyConverted(const char* token, T& value) {
    const char* first = token;
    const char* last = token + std::char_traits<char>::length(token);
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

}  // namespace

template <typename T>
bool convert(const char* token, T& value, bool strictly) {
    return strictly ? strictlyConverted(token, value) : extracted(token, value);
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

template <typename T>
bool textOf(const T& value, std::string& text, bool strictly) {
    if (!plainText(value, text)) return false;
    T back{};
    if (strictly || (extracted(text.c_str(), back) && back == value)) return true;
    // The global locale reads the plain text otherwise (a decimal comma, a grouping of digits): the
    // text a stream in that locale writes, with every digit that tells the value apart, reads back.
    std::ostringstream out;
    out.imbue(std::locale());
    out.precision(std::numeric_limits<T>::max_digits10);
    out << value;
    text = out.str();
    return extracted(text.c_str(), back) && back == value;
}

template bool textOf(const char&, std::string&, bool);
template bool textOf(const int&, std::string&, bool);
template bool textOf(const unsigned int&, std::string&, bool);
template bool textOf(const short&, std::string&, bool);
template bool textOf(const unsigned short&, std::string&, bool);
template bool textOf(const long&, std::string&, bool);
template bool textOf(const unsigned long&, std::string&, bool);
template bool textOf(const double&, std::string&, bool);
template bool textOf(const float&, std::string&, bool);

template bool convert(const char*, char&, bool);
template bool convert(const char*, int&, bool);
template bool convert(const char*, unsigned int&, bool);
template bool convert(const char*, short&, bool);
template bool convert(const char*, unsigned short&, bool);
template bool convert(const char*, long&, bool);
template bool convert(const char*, unsigned long&, bool);
template bool convert(const char*, double&, bool);
template bool convert(const char*, float&, bool);

}  // namespace param_detail
