// Parameter definitions: what one parameter of a host program is, and how a
// text value becomes the value of the host's variable.
//
// A definition is created by the host (usually through one of the
// CParam::AddParamDef overloads), handed to a CParam, and owned by it from
// then on. Each typed definition writes its default into the host's variable
// when it is constructed.
#ifndef PARAM_PARAMDEF_H
#define PARAM_PARAMDEF_H

#include <cstddef>
#include <memory>
#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

#include "ParamValue.h"

class CParam;
namespace param_detail {
class CommandCore;
class ConfigurationWriter;
class Interpretation;
class NameIndex;
class ValueCheck;
}

// Value-type code of a definition. It is stored and shown to nobody:
// behaviour follows the class, not the code.
enum types {
    TYPE_CHAR = 0,
    TYPE_STRING = 1,
    TYPE_INT = 2,
    TYPE_UNSIGNEDINT = 3,
    TYPE_SHORTINT = 4,
    TYPE_UNSIGNEDSHORT = 5,
    TYPE_LONGINT = 6,
    TYPE_UNSIGNEDLONG = 7,
    TYPE_DOUBLE = 8,
    TYPE_FLOAT = 9,
    TYPE_BOOL = 10,
    TYPE_STDSTRING = 11,
    TYPE_HOST = 12  // a type the host described (ParamValue.h)
};

// Where a value came from: its default, the command line, an environment
// variable or a line of a parameter file. name is the variable's or the
// file's name (as the file was given); it lives as long as the set.
struct ParamOrigin {
    enum Kind : unsigned char { DEFAULT, COMMAND_LINE, ENVIRONMENT, PARAMETER_FILE };
    const char* name = nullptr;
    int line = 0;
    Kind kind = DEFAULT;
};

// The base of every definition. Used on its own it is a generic definition:
// it has no variable of the host's, accepts any non-empty value and records
// only that a value came (isSatisfied) and from which parameter file
// (getSource).
//
// Owns its copies of keyword, description and errordesc. Does not own
// partypeName or the source file name. A host may derive its own definition
// class and override the virtual operations; the set calls them through the
// base, in registration order.
class CParamDef {
public:
    // Copies keyword, description and errordesc; keeps the partypeName
    // pointer, which must outlive the definition. kwlessPosition is -1 for a
    // parameter named by keyword or flag, n for the positional parameter n.
    // An optional definition starts satisfied; an obligatory one becomes so
    // with its first accepted value.
    CParamDef(const char* keyword, char flag, types type, const char* partypeName,
              const char* description, const char* errordesc, bool optional,
              int kwlessPosition);
    // Frees the definition's own copies; the host's variable is left alone.
    virtual ~CParamDef();

    CParamDef(const CParamDef&) = delete;
    CParamDef& operator=(const CParamDef&) = delete;

    // Takes one value (source: the parameter file's name, null for the
    // command line). Returns 1 when accepted; a refused value writes
    // "\n'value' <errordesc>\n" to standard error and ends the process with
    // status -1. An override that returns 0 instead makes the set report
    // PROBLEM_INVALID_VALUE (or PROBLEM_GENERAL_PROBLEM_IN_FILE).
    virtual int dealWith(char* value, char* source);
    // Writes this parameter's entry in the synopsis line of the usage
    // screen to standard error (nothing for one with neither flag nor
    // position).
    virtual void usageInfo();
    // Writes this parameter's description block of the usage screen to
    // standard error: names, description, then the default or the note that
    // it must be given.
    virtual void writeDesc();
    // True when the parameter takes a value (false only for switches).
    virtual bool skipAfter();
    // Writes partypeName to standard error.
    virtual void writeDataType();
    // The keyword (the definition's own copy).
    virtual char* getKeyword();
    // The value's name on the usage screen, as the creator passed it; it
    // names a positional parameter in messages too.
    virtual char* getPartypeName();
    // True when position equals kwlessPosition; asked with -1 it tells
    // whether the parameter has a keyword.
    virtual bool myKWless_param(int position);
    // True for a keyword-less (positional) parameter.
    virtual bool no_keyword();
    // Address of the host's variable; null for a generic definition.
    virtual void* getValue();
    // Writes "keyword=value" and an end of line; a generic definition
    // writes nothing.
    virtual void display(std::ostream& out) const;
    // Converts the token into the host's variable: non-zero when accepted,
    // 0 when refused. The base accepts every non-empty token, storing nothing.
    virtual int getVarFromToken(char* token);
    // Writes the default to standard error, without an end of line.
    virtual void writeDefault();
    // Limits the values to those from lower to upper (a null text: no limit
    // on that side), both read as values of the definition's type. Returns 1,
    // or 0 when the definition is not numeric, a limit is no value of its
    // type, lower lies above upper, or memory runs out. The base is not
    // numeric.
    virtual int setRange(const char* lower, const char* upper);
    // Limits the values to the given words (compared exactly). Returns 1, or
    // 0 when the definition does not take words, the list is empty, or memory
    // runs out. The base takes no words.
    virtual int setChoices(const std::vector<std::string>& words);
    // True for a list, which takes a value each time the parameter is given;
    // at a position it takes that positional word and every later one.
    virtual bool isList();
    // The values in force as texts: one for a scalar, "on" or "off" for a
    // switch, one per element for a list, none for a string without a value;
    // and, where they differ from the origin of the parameter's latest value
    // (a list's elements), the origin of each. Returns 0 when the definition
    // keeps no value of its own (the base, a generic definition), 1 otherwise.
    virtual int getValueTexts(std::vector<std::string>& texts, std::vector<ParamOrigin>& origins);
    // What a value should have been, for a value this definition refuses: the
    // end of its refused-value message ("should be an integer from 1 to 9").
    // Empty when the definition would take the value. It stores nothing, so the
    // set may ask it before it hands a value on, or after a refusal to say why.
    // The base refuses a null or empty value with errordesc.
    virtual std::string refusalOf(const char* value);
    // Whether text, given as this parameter's value on a line of a parameter
    // file, gives back the value in force (for a list, its element at index).
    // The base keeps no value: false.
    virtual bool readsBack(const char* text, std::size_t index);
    // Whether the value in force is the default, so that a parameter file
    // without a line for the parameter gives it back. The base: true.
    virtual bool holdsDefault();
    // The usage screen's pieces, written to out: the synopsis entry, the
    // description block, the value's name and the default. usageInfo(),
    // writeDesc(), writeDataType() and writeDefault() write these to standard
    // error; the set calls them when the screen goes there, and these when it
    // goes elsewhere (HELP_ON_STDOUT), so a subclass that shapes the screen on
    // standard output overrides these.
    virtual void writeSynopsisEntry(std::ostream& out);
    virtual void writeDescription(std::ostream& out);
    virtual void writeValueName(std::ostream& out);
    virtual void writeDefaultValue(std::ostream& out);
    // For a definition that gathers values (a list): the values in force are
    // to go with the next value given, which starts them afresh; with
    // toDefault the default is in force again at once. The set calls it when
    // an interpretation starts (toDefault) and before it hands the first value
    // of a later source (the command line after the environment), so that a
    // list takes the elements of the latest source that gives any. The base
    // keeps one value: nothing to do.
    virtual void startOver(bool toDefault);
    // True for a definition whose values add up within a source (a list, a count), which the set
    // starts afresh with a later source (startOver). The base: isList().
    virtual bool gathers();

    // True when the parameter may be omitted.
    bool optional();
    // True when a value was accepted, or the parameter is optional.
    bool isSatisfied();
    // Name of the parameter file that gave the latest value; null when it
    // came from the command line or no value came yet. Owned by the CParam.
    const char* getSource() const;
    // The flag letter; 0 for none.
    char getFlag();
    // True when letter is this definition's flag (never for 0).
    bool understands(char letter);
    // True when text equals the keyword exactly (case-sensitive).
    bool understands(const char* text);

protected:
    // The set reads the keyword and flag fields directly for its lookup
    // tables, exactly as understands() compares them.
    friend class CParam;
    friend class param_detail::CommandCore;
    friend class param_detail::ConfigurationWriter;
    friend class param_detail::Interpretation;
    friend class param_detail::NameIndex;

    // What the operations above report. source is not owned: it points
    // into the set's list of parameter files.
    bool satisfied;
    bool optionalParam;
    std::unique_ptr<char[]> keyword;
    char flag;
    types type;
    const char* partypeName;
    std::unique_ptr<char[]> description;
    std::unique_ptr<char[]> errordesc;
    int kwlessPosition;
    char* source;

    // The set the definition is registered with (null before), whose
    // conventions (CParam::SetConventions) its operations follow.
    const CParam* owner = nullptr;
    // The range or the choices a value must keep to (setRange, setChoices);
    // null when there are none.
    std::unique_ptr<param_detail::ValueCheck> check;

    // For a definition bound to a value of the described type of ops: the refused-value text is
    // "should be " and the type's name. A null description: none (the new interface keeps its own).
    CParamDef(const char* keyword, char flag, types type, const char* partypeName, const char* description,
              const param_detail::ValueOps& ops, bool optional, int kwlessPosition);

    // The description of the value's type, for a definition bound to a value of a described type
    // (a list: of its elements); null for the others. The set's writer, help and completion go by it.
    const param_detail::ValueOps* valueType = nullptr;

    // Whether the set's conventions include one of CParam's flags.
    bool follows(unsigned convention) const;
    // Records an accepted value's source; used by every dealWith.
    void markSatisfied(char* valueSource);
    // Refuses a value the conversion did not take: by default writes the
    // refused-value message (ending with refusalOf) and ends the process; when
    // the set returns problems, returns 0 and leaves the report to the set.
    int refuseValue(const char* value);
    // Refuses a value whose copy could not be allocated: by default writes
    // the allocation message and ends the process; when the set returns
    // problems, returns 0.
    int refuseCopy();
    // Reads text as a value of valueType's type into value (one of that type) and checks it against
    // the range, the choices and any other check: empty when it is taken, else what it should have
    // been.
    std::string refusalFor(const char* text, void* value) const;
    // What a value must keep to when it does not keep to the range, the choices or another check
    // (value: a value of the definition's type, the element's type for a list, a std::string for
    // every kind of string); empty when it keeps to them or there are none.
    std::string checked(const void* value) const;
    // checked for a word given as text.
    const char* checkedText(const char* text) const;
    // Keeps a range or choices that setRange or setChoices made: 1, or 0 for
    // none made (the earlier one stays).
    int keepCheck(std::unique_ptr<param_detail::ValueCheck> made);
    // A range of valueType's type from its texts (setRange); the given words as choices (setChoices).
    int keepRange(const char* lower, const char* upper);
    int setChoicesOfWords(const std::vector<std::string>& words);
    // The synopsis entry of a list: at a position, its name and "...".
    void writeListEntry(std::ostream& out);
    // Adds value's text (valueType's write) to texts, or "" when no text reads back to it.
    void addValueText(const void* value, std::vector<std::string>& texts) const;
    // Writes "keyword=" and the values of a list (count of them, the one at i given by at) or of one
    // value, and a line end.
    void showValues(std::ostream& out, const void* (*at)(const void* values, std::size_t i), const void* values,
                    std::size_t count) const;
    // Writes a list's default: the elements, separated by ", ", or the word for none.
    void showElements(std::ostream& out, const void* (*at)(const void* values, std::size_t i), const void* values,
                      std::size_t count) const;
    // The screen's pieces where a host may have overridden the forms that
    // write to standard error: those when out is standard error, else the
    // stream forms.
    void valueNameTo(std::ostream& out);
    void defaultTo(std::ostream& out);
    // The description block's opening line, up to the ":" (without it).
    void writeDescHead(std::ostream& out);
    // Stops the process at an assertion naming what (an impossible state).
    [[noreturn]] static void stop(const char* what);
};

#define PARAM_EXTERN_SCALAR_DEFINITION(T) extern template class CScalarParamDef<T>;
#define PARAM_EXTERN_LIST_DEFINITION(T) extern template class CListParamDef<T>;

namespace param_detail {

// The type code of the definitions of T; a type the host described has TYPE_HOST.
template <typename T>
constexpr types typeCode() {
    if constexpr (std::is_same<T, char>::value) return TYPE_CHAR;
    if constexpr (std::is_same<T, int>::value) return TYPE_INT;
    if constexpr (std::is_same<T, unsigned int>::value) return TYPE_UNSIGNEDINT;
    if constexpr (std::is_same<T, short>::value) return TYPE_SHORTINT;
    if constexpr (std::is_same<T, unsigned short>::value) return TYPE_UNSIGNEDSHORT;
    if constexpr (std::is_same<T, long>::value) return TYPE_LONGINT;
    if constexpr (std::is_same<T, unsigned long>::value) return TYPE_UNSIGNEDLONG;
    if constexpr (std::is_same<T, double>::value) return TYPE_DOUBLE;
    if constexpr (std::is_same<T, float>::value) return TYPE_FLOAT;
    if constexpr (std::is_same<T, std::string>::value) return TYPE_STDSTRING;
    return TYPE_HOST;
}

}  // namespace param_detail

// A definition bound to a variable of the host of a described type (ParamValue.h): char, the integer
// kinds, double, float, or a type of the host's own. The description says how a token converts: by
// default, for the numbers, one formatted stream extraction (leading white space skipped, the longest
// readable beginning taken, an empty, unreadable or out-of-range token refused, so is a negative
// number for the unsigned kinds); with strict values the whole token. The refused-value texts read
// "should be an integer", "should be a double" and so on.
//
// Owns nothing of the host's: var must outlive the definition.
template <typename T>
class CScalarParamDef : public CParamDef {
public:
    // Stores defaultValue into *var at once.
    CScalarParamDef(const char* keyword, char flag, T* var, T defaultValue,
                    const char* partypeName, const char* description, bool optional,
                    int kwlessPosition);
    ~CScalarParamDef() override = default;

    // The address of the host's variable.
    void* getValue() override;
    // "keyword=value" and a line end.
    void display(std::ostream& out) const override;
    // 1 with the value stored into *var, or 0 when refused (*var is then
    // unchanged).
    int getVarFromToken(char* token) override;
    // A type with an order takes a range (char does not).
    int setRange(const char* lower, const char* upper) override;
    // The text that reads back to the value.
    int getValueTexts(std::vector<std::string>& texts, std::vector<ParamOrigin>& origins) override;
    std::string refusalOf(const char* value) override;
    bool readsBack(const char* text, std::size_t index) override;
    bool holdsDefault() override;
    // The default, as the description shows it (a stream writes the built-in types).
    void writeDefaultValue(std::ostream& out) override;

protected:
    T* var;
    T defaultValue;

private:
    static const void* at(const void* values, std::size_t) { return values; }
};

using CCharParamDef = CScalarParamDef<char>;
using CIntParamDef = CScalarParamDef<int>;
using CUnsignedintParamDef = CScalarParamDef<unsigned int>;
using CShortintParamDef = CScalarParamDef<short>;
using CUnsignedshortParamDef = CScalarParamDef<unsigned short>;
using CLongintParamDef = CScalarParamDef<long>;
using CUnsignedlongParamDef = CScalarParamDef<unsigned long>;
using CDoubleParamDef = CScalarParamDef<double>;
using CFloatParamDef = CScalarParamDef<float>;

// A definition bound to a string variable of the host (a char*). The
// variable first points at the default itself (not copied, possibly null);
// each accepted value is copied, the variable is pointed at the copy, and
// the definition owns that copy until the next value or its destruction.
// The empty value is refused.
class CStringParamDef : public CParamDef {
public:
    // Points *var at defaultValue.
    CStringParamDef(const char* keyword, char flag, char** var, const char* defaultValue,
                    const char* partypeName, const char* description, bool optional,
                    int kwlessPosition);
    ~CStringParamDef() override;

    void* getValue() override;  // the address of the host's char* variable
    void display(std::ostream& out) const override;
    // Returns the token's length; an allocation failure writes
    // "could not allocate memory for String parameter" and ends the process.
    int getVarFromToken(char* token) override;
    void writeDefault() override;  // "No Default given" for a null default
    int setChoices(const std::vector<std::string>& words) override;
    int getValueTexts(std::vector<std::string>& texts, std::vector<ParamOrigin>& origins) override;
    std::string refusalOf(const char* value) override;
    bool readsBack(const char* text, std::size_t index) override;
    bool holdsDefault() override;
    void writeDefaultValue(std::ostream& out) override;

protected:
    char** var;
    const char* defaultValue;
    bool ownsValue;

private:
    std::unique_ptr<char[]> ownedValue;  // the copy the host's variable points at
};

// A switch: takes no value; its mere mention sets the host's bool to true.
// It never refuses, never fills a position and can only be turned on.
class CBoolParamDef : public CParamDef {
public:
    // Stores defaultValue into *var at once. partypeName and kwlessPosition
    // play no part: a switch is never positional, and the usage screen shows
    // only its flag and keyword.
    CBoolParamDef(const char* keyword, char flag, bool* var, bool defaultValue,
                  const char* partypeName, const char* description, bool optional,
                  int kwlessPosition);
    ~CBoolParamDef() override;

    int dealWith(char* value, char* source) override;  // ignores value, returns 1
    void usageInfo() override;
    void writeDesc() override;
    bool skipAfter() override;               // false
    bool myKWless_param(int position) override;  // true exactly for -1
    bool no_keyword() override;              // false
    void* getValue() override;
    void display(std::ostream& out) const override;
    void writeDefault() override;
    int getValueTexts(std::vector<std::string>& texts, std::vector<ParamOrigin>& origins) override;
    // With strict values, a value other than the on and off words is refused; otherwise none.
    std::string refusalOf(const char* value) override;
    bool readsBack(const char* text, std::size_t index) override;
    bool holdsDefault() override;
    void writeSynopsisEntry(std::ostream& out) override;
    void writeDescription(std::ostream& out) override;
    void writeDefaultValue(std::ostream& out) override;

protected:
    bool* var;
    bool defaultValue;
};

// A definition bound to a std::string variable of the host. The default is
// given as text (null for the empty string); the empty value is refused, as
// for a char* string.
class CStdStringParamDef : public CParamDef {
public:
    // Stores the default (or "") into *var.
    CStdStringParamDef(const char* keyword, char flag, std::string* var, const char* defaultValue,
                       const char* partypeName, const char* description, bool optional,
                       int kwlessPosition);
    ~CStdStringParamDef() override;

    void* getValue() override;  // the address of the host's std::string
    void display(std::ostream& out) const override;
    int getVarFromToken(char* token) override;
    void writeDefault() override;  // "No Default given" for a null default
    int setChoices(const std::vector<std::string>& words) override;
    int getValueTexts(std::vector<std::string>& texts, std::vector<ParamOrigin>& origins) override;
    std::string refusalOf(const char* value) override;
    bool readsBack(const char* text, std::size_t index) override;
    bool holdsDefault() override;
    void writeDefaultValue(std::ostream& out) override;

protected:
    std::string* var;
    const char* defaultValue;
};

// A list: a std::vector variable of the host that takes one element each
// time the parameter is given, on the command line or on a line of a
// parameter file, in the order the interpreter and the reader meet them.
// The default list is what the variable holds until the first value the
// user gives, which replaces it; so are the elements of a source (the
// environment) until the first value of a later one (the command line). At a
// position, the list takes the positional word there and every later one. T
// is a described type (ParamValue.h); elements convert as the scalar
// definitions of T do (an empty string is refused).
template <typename T>
class CListParamDef : public CParamDef {
public:
    // Stores defaultValue into *var.
    CListParamDef(const char* keyword, char flag, std::vector<T>* var, std::vector<T> defaultValue,
                  const char* partypeName, const char* description, bool optional,
                  int kwlessPosition);
    ~CListParamDef() override = default;

    bool myKWless_param(int position) override;  // at its position or any later one
    void* getValue() override;         // the address of the host's vector
    void display(std::ostream& out) const override;  // "keyword=a,b,c"
    int getVarFromToken(char* token) override;
    int setRange(const char* lower, const char* upper) override;
    int setChoices(const std::vector<std::string>& words) override;
    bool isList() override;
    int getValueTexts(std::vector<std::string>& texts, std::vector<ParamOrigin>& origins) override;
    std::string refusalOf(const char* value) override;
    bool readsBack(const char* text, std::size_t index) override;
    bool holdsDefault() override;
    void writeSynopsisEntry(std::ostream& out) override;  // a positional list: its name, then "..."
    void writeDefaultValue(std::ostream& out) override;   // the elements, separated by ", "; "none" when empty
    void startOver(bool toDefault) override;

protected:
    std::vector<T>* var;
    std::vector<T> defaultValue;
    // False while the elements in force are to go with the next value: the default's, or those of an
    // earlier source.
    bool defaultReplaced = false;

private:
    static const void* at(const void* values, std::size_t i) { return &(*static_cast<const std::vector<T>*>(values))[i]; }
};

// --- The members of the templates ------------------------------------------------------------

template <typename T>
CScalarParamDef<T>::CScalarParamDef(const char* keyword_, char flag_, T* var_, T defaultValue_, const char* partypeName_,
                                    const char* description_, bool optional_, int kwlessPosition_)
    : CParamDef(keyword_, flag_, param_detail::typeCode<T>(), partypeName_, description_,
                param_detail::opsOf<T>(), optional_, kwlessPosition_),
      var(var_),
      defaultValue(defaultValue_) {
    *var = defaultValue;
}

template <typename T>
void* CScalarParamDef<T>::getValue() {
    return var;
}

template <typename T>
void CScalarParamDef<T>::display(std::ostream& out) const {
    showValues(out, nullptr, var, 1);
}

template <typename T>
int CScalarParamDef<T>::getVarFromToken(char* token) {
    T value{};
    if (token == nullptr || !refusalFor(token, &value).empty()) return 0;
    *var = std::move(value);
    return 1;
}

template <typename T>
int CScalarParamDef<T>::setRange(const char* lower, const char* upper) {
    return keepRange(lower, upper);
}

template <typename T>
int CScalarParamDef<T>::getValueTexts(std::vector<std::string>& texts, std::vector<ParamOrigin>&) {
    addValueText(var, texts);
    return 1;
}

template <typename T>
std::string CScalarParamDef<T>::refusalOf(const char* token) {
    T value{};
    return token != nullptr ? refusalFor(token, &value) : std::string(errordesc.get());
}

template <typename T>
bool CScalarParamDef<T>::readsBack(const char* text, std::size_t) {
    T value{};
    return text != nullptr && refusalFor(text, &value).empty() && valueType->equal(&value, var);
}

template <typename T>
bool CScalarParamDef<T>::holdsDefault() {
    return valueType->equal(var, &defaultValue);
}

template <typename T>
void CScalarParamDef<T>::writeDefaultValue(std::ostream& out) {
    valueType->show(out, &defaultValue);
}

template <typename T>
CListParamDef<T>::CListParamDef(const char* keyword_, char flag_, std::vector<T>* var_, std::vector<T> defaultValue_,
                                const char* partypeName_, const char* description_, bool optional_, int kwlessPosition_)
    : CParamDef(keyword_, flag_, param_detail::typeCode<T>(), partypeName_, description_,
                param_detail::opsOf<T>(), optional_, kwlessPosition_),
      var(var_),
      defaultValue(std::move(defaultValue_)) {
    try {
        *var = defaultValue;
    } catch (...) {
        stop("defaultValue");
    }
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
    showValues(out, &at, var, var->size());
}

template <typename T>
int CListParamDef<T>::getVarFromToken(char* token) {
    T value{};
    if (token == nullptr || !refusalFor(token, &value).empty()) return 0;
    try {
        if (!defaultReplaced) var->clear();
        var->push_back(std::move(value));
    } catch (...) {
        return refuseCopy();
    }
    defaultReplaced = true;
    return 1;
}

template <typename T>
int CListParamDef<T>::setRange(const char* lower, const char* upper) {
    return keepRange(lower, upper);
}

template <typename T>
int CListParamDef<T>::setChoices(const std::vector<std::string>& words) {
    return std::is_same<T, std::string>::value ? CParamDef::setChoicesOfWords(words) : 0;
}

template <typename T>
bool CListParamDef<T>::isList() {
    return true;
}

template <typename T>
int CListParamDef<T>::getValueTexts(std::vector<std::string>& texts, std::vector<ParamOrigin>&) {
    for (const T& element : *var) addValueText(&element, texts);
    return 1;
}

template <typename T>
std::string CListParamDef<T>::refusalOf(const char* token) {
    T value{};
    return token != nullptr ? refusalFor(token, &value) : std::string(errordesc.get());
}

template <typename T>
bool CListParamDef<T>::readsBack(const char* text, std::size_t index) {
    T value{};
    return text != nullptr && index < var->size() && refusalFor(text, &value).empty() &&
           valueType->equal(&value, &(*var)[index]);
}

template <typename T>
bool CListParamDef<T>::holdsDefault() {
    return *var == defaultValue;
}

template <typename T>
void CListParamDef<T>::writeSynopsisEntry(std::ostream& out) {
    writeListEntry(out);
}

template <typename T>
void CListParamDef<T>::writeDefaultValue(std::ostream& out) {
    showElements(out, &at, &defaultValue, defaultValue.size());
}

template <typename T>
void CListParamDef<T>::startOver(bool toDefault) {
    if (toDefault) {
        try {
            *var = defaultValue;
        } catch (...) {
            stop("defaultValue");
        }
    }
    defaultReplaced = false;
}

PARAM_SCALAR_TYPES(PARAM_EXTERN_SCALAR_DEFINITION)
PARAM_SCALAR_TYPES(PARAM_EXTERN_LIST_DEFINITION)
extern template class CListParamDef<std::string>;

#endif
