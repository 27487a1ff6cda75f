#include "ParamDef.h"

#include <cctype>
#include <climits>
#include <cstring>
#include <iostream>
#include <locale>
#include <new>
#include <streambuf>
#include <type_traits>

#include "ProcessEnd.h"

using param_internal::endProcess;
using param_internal::failAssertion;

namespace {

// A private copy of a text the definition keeps; a failed allocation is an
// impossible state and stops the process naming the field.
std::unique_ptr<char[]> copyText(const char* text, const char* fieldName) {
    if (text == nullptr) failAssertion(fieldName);
    const std::size_t length = std::strlen(text);
    std::unique_ptr<char[]> copy(new (std::nothrow) char[length + 1]);
    if (!copy) failAssertion(fieldName);
    std::memcpy(copy.get(), text, length + 1);
    return copy;
}

// A read-only view of a token as a stream buffer, so that a conversion needs
// neither a copy of the token nor a new stream.
class TokenBuffer : public std::streambuf {
public:
    void reset(char* text) { setg(text, text, text + std::strlen(text)); }
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

}  // namespace

// ---------------------------------------------------------------------------
// CParamDef

CParamDef::CParamDef(const char* keyword_, char flag_, types type_, const char* partypeName_,
                     const char* description_, const char* errordesc_, bool optional_,
                     int kwlessPosition_)
    : satisfied(optional_),
      optionalParam(optional_),
      keyword(copyText(keyword_, "keyword")),
      flag(flag_),
      type(type_),
      partypeName(partypeName_ != nullptr ? partypeName_ : ""),
      description(copyText(description_, "description")),
      errordesc(copyText(errordesc_, "errordesc")),
      kwlessPosition(kwlessPosition_),
      source(nullptr) {}

CParamDef::~CParamDef() = default;

int CParamDef::dealWith(char* value, char* valueSource) {
    if (getVarFromToken(value) == 0) refuseValue(value);
    markSatisfied(valueSource);
    return 1;
}

void CParamDef::markSatisfied(char* valueSource) {
    satisfied = true;
    source = valueSource;
}

void CParamDef::refuseValue(const char* value) {
    std::cerr << std::endl << "'" << (value ? value : "") << "' " << errordesc.get() << std::endl;
    endProcess(-1);
}

void CParamDef::usageInfo() {
    const bool obligatory = !optional();
    if (no_keyword()) {
        std::cerr << (obligatory ? " " : " [");
    } else if (flag != 0) {
        std::cerr << (obligatory ? " -" : " [-") << flag << " ";
    } else {
        return;  // keyword only: shown in the description block alone
    }
    writeDataType();
    if (!obligatory) std::cerr << "]";
}

void CParamDef::writeDescHead() {
    std::cerr << std::endl << "   ";
    if (no_keyword()) {
        writeDataType();
        return;
    }
    if (flag != 0) {
        std::cerr << "-" << flag << " ";
        writeDataType();
        std::cerr << ", ";
    }
    std::cerr << "--" << keyword.get() << "=";
    writeDataType();
}

void CParamDef::writeDesc() {
    writeDescHead();
    std::cerr << ":" << std::endl << "\t\t" << description.get();
    if (optional()) {
        std::cerr << std::endl << "\t\t" << "Default: ";
        writeDefault();
    } else {
        std::cerr << std::endl << "\t\t" << "!! This parameter MUST be given !!";
    }
    if (no_keyword()) {
        std::cerr << std::endl << "\t\tKeyword in parameter file: " << keyword.get();
    }
}

bool CParamDef::skipAfter() { return true; }

void CParamDef::writeDataType() { std::cerr << partypeName; }

char* CParamDef::getKeyword() { return keyword.get(); }

// The set never writes through this pointer; the signature is kept so that a
// host's subclass can override it.
char* CParamDef::getPartypeName() { return const_cast<char*>(partypeName); }

bool CParamDef::myKWless_param(int position) { return position == kwlessPosition; }

bool CParamDef::no_keyword() { return kwlessPosition != -1; }

void* CParamDef::getValue() { return nullptr; }

void CParamDef::display(std::ostream&) const {}

int CParamDef::getVarFromToken(char* token) { return (token != nullptr && *token != '\0') ? 1 : 0; }

void CParamDef::writeDefault() {}

bool CParamDef::optional() { return optionalParam; }

bool CParamDef::isSatisfied() { return satisfied; }

const char* CParamDef::getSource() const { return source; }

char CParamDef::getFlag() { return flag; }

bool CParamDef::understands(char letter) { return letter != 0 && letter == flag; }

bool CParamDef::understands(const char* text) { return std::strcmp(text, keyword.get()) == 0; }

// ---------------------------------------------------------------------------
// The nine scalar definitions

template <typename T>
struct ScalarParamTraits;

#define PARAM_SCALAR_TRAITS(T, typeCode, errorText)          \
    template <>                                              \
    struct ScalarParamTraits<T> {                            \
        static constexpr types code = typeCode;              \
        static constexpr const char* error = errorText;      \
    }

PARAM_SCALAR_TRAITS(char, TYPE_CHAR, "should be a character");
PARAM_SCALAR_TRAITS(int, TYPE_INT, "should be an integer");
PARAM_SCALAR_TRAITS(unsigned int, TYPE_UNSIGNEDINT, "should be an unsigned integer");
PARAM_SCALAR_TRAITS(short, TYPE_SHORTINT, "should be a (short) integer");
PARAM_SCALAR_TRAITS(unsigned short, TYPE_UNSIGNEDSHORT, "should be an unsigned integer");
PARAM_SCALAR_TRAITS(long, TYPE_LONGINT, "should be an integer");
PARAM_SCALAR_TRAITS(unsigned long, TYPE_UNSIGNEDLONG, "should be an unsigned integer");
PARAM_SCALAR_TRAITS(double, TYPE_DOUBLE, "should be a double");
PARAM_SCALAR_TRAITS(float, TYPE_FLOAT, "should be a float");

#undef PARAM_SCALAR_TRAITS

template <typename T>
CScalarParamDef<T>::CScalarParamDef(const char* keyword_, char flag_, T* var_, T defaultValue_,
                                    const char* partypeName_, const char* description_,
                                    bool optional_, int kwlessPosition_)
    : CParamDef(keyword_, flag_, ScalarParamTraits<T>::code, partypeName_, description_,
                ScalarParamTraits<T>::error, optional_, kwlessPosition_),
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
    if (!var) failAssertion("var");
    out << keyword.get() << "=" << *var << std::endl;
}

template <typename T>
int CScalarParamDef<T>::getVarFromToken(char* token) {
    if (token == nullptr) return 0;
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

// ---------------------------------------------------------------------------
// CStringParamDef

CStringParamDef::CStringParamDef(const char* keyword_, char flag_, char** var_,
                                 const char* defaultValue_, const char* partypeName_,
                                 const char* description_, bool optional_, int kwlessPosition_)
    : CParamDef(keyword_, flag_, TYPE_STRING, partypeName_, description_,
                "should be a non null string", optional_, kwlessPosition_),
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
    if (!var) failAssertion("var");
    out << keyword.get() << "=";
    if (*var) out << *var;
    out << std::endl;
}

int CStringParamDef::getVarFromToken(char* token) {
    if (token == nullptr) return 0;
    ownsValue = true;
    const std::size_t length = std::strlen(token);
    std::unique_ptr<char[]> copy(new (std::nothrow) char[length + 1]);
    if (!copy) {
        std::cerr << "could not allocate memory for String parameter" << std::endl;
        endProcess(-1);
    }
    std::memcpy(copy.get(), token, length + 1);
    *var = copy.get();
    ownedValue = std::move(copy);  // the replaced copy is released here
    return length > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(length);
}

void CStringParamDef::writeDefault() { std::cerr << (defaultValue ? defaultValue : "No Default given"); }

// ---------------------------------------------------------------------------
// CBoolParamDef

CBoolParamDef::CBoolParamDef(const char* keyword_, char flag_, bool* var_, bool defaultValue_,
                             const char* partypeName_, const char* description_, bool optional_,
                             int kwlessPosition_)
    : CParamDef(keyword_, flag_, TYPE_BOOL, partypeName_, description_, "", optional_,
                kwlessPosition_),
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

void CBoolParamDef::usageInfo() {
    if (flag != 0) std::cerr << flag;
}

void CBoolParamDef::writeDesc() {
    if (flag != 0) {
        std::cerr << "\n   -" << flag << ", --" << keyword.get();
    } else {
        std::cerr << "\n   --" << keyword.get();
    }
    std::cerr << ":\n\t\t" << description.get();
}

bool CBoolParamDef::skipAfter() { return false; }

bool CBoolParamDef::myKWless_param(int position) { return position == -1; }

bool CBoolParamDef::no_keyword() { return false; }

void* CBoolParamDef::getValue() { return var; }

void CBoolParamDef::display(std::ostream& out) const {
    if (!var) failAssertion("var");
    out << keyword.get() << "=" << (*var ? 1 : 0) << std::endl;
}

void CBoolParamDef::writeDefault() { std::cerr << (defaultValue ? 1 : 0); }
