// The parameter set: the registry of a host program's parameter
// definitions, the command-line interpreter, the parameter-file reader, the
// problem messages and the usage screen.
//
// Typical use:
//     int trace;
//     CParam params;
//     params.AddParamDef("TraceLevel", 'T', &trace, 0, "trace level", true, "n", -1);
//     if (!params.Interpret(argv, argc)) return 1;
//     // trace now holds the value given with -T, --TraceLevel or a
//     // parameter file, or its default 0.
//
// Everything the library writes goes to standard error; it throws nothing.
// A problem in the words or files is reported once, where it is found, and
// comes back as a negative problem code. A value that a definition cannot
// convert, a help request (-h, --help) and Interpret_exitOnError after a
// problem end the process with status -1 (255 as the shell sees it).
//
// That is the behaviour a host gets by default. One line adopts today's
// conventions instead (strict values, problems the host handles, help on
// standard output, quoted values in files, "-" as a word):
//     params.SetConventions(CParam::CONVENTIONS_TODAY);
//
// Precedence, lowest to highest: the default, the environment
// (SetEnvironmentPrefix; the file its ParameterFile variable names
// included), then the command line and the files it names, in their order.
// A scalar takes the last value given. A list takes the elements of the
// highest source that gave any: within one source (the command line and its
// files are one) elements add up, and the first element of a higher source
// replaces what a lower one gave. Each interpretation starts afresh: lists
// have their defaults again, and the files read before are no loop.
#ifndef PARAM_PARAM_H
#define PARAM_PARAM_H

#include <cstddef>
#include <memory>
#include <new>
#include <ostream>
#include <string>
#include <vector>

#include "ParamDef.h"

namespace param_detail {
struct Registry;
struct Environment;
class Interpretation;
class ConfigurationWriter;
class CommandCore;
}

// One element of the set's definition list, in registration order.
// definition is owned by the set; origin tells where its latest value came
// from.
struct ParamListElement {
    ParamListElement* next;
    CParamDef* definition;
    ParamOrigin origin;
};

// One element of the set's list of parameter files read, newest first.
// fileName is the set's own copy; definitions' sources point into it.
struct ParamFileElement {
    ParamFileElement* next;
    char* fileName;
};

// The parameter set of one host program. The host creates it once,
// registers its definitions, interprets its command line (possibly several
// times) and reads the values from its own variables or by keyword.
//
// Owns: every definition registered (and the string values they hold) and
// every parameter-file name it has read. Does not own: the program name
// (argv[0], kept as a pointer), the partypeName texts, the default strings
// of string parameters and the host's variables; the host keeps those alive
// while it uses the set. Not copyable; single-threaded.
class CParam {
public:
    // Results and problem codes. Interpret_returnError and
    // read_parameter_file return OK or the code of the first problem, whose
    // message showError has already written. Each problem code's message is
    // given beside it; ' quotes the word, keyword, file or line concerned.
    static constexpr int OK = 1;
    static constexpr int NOT_OK = 0;
    // Not a problem the library reports; shares its value with NOT_OK.
    static constexpr int PROBLEM_UNDEFINED_PROBLEM = 0;
    // "Invalid argument '...'": a word without a hyphen for which no
    // positional parameter is left.
    static constexpr int PROBLEM_MISSING_HYPHEN = -1;
    // "Unknown keyword '...'": --name names no definition.
    static constexpr int PROBLEM_UNKNOWN_KEYWORD = -2;
    // "Unknown flag '...'": -x names no definition (or the word is "-").
    static constexpr int PROBLEM_UNKNOWN_FLAG = -3;
    // "Invalid value '...' at parameter '...'": a definition's dealWith
    // returned 0. The library's own definitions end the process instead.
    static constexpr int PROBLEM_INVALID_VALUE = -4;
    // "Missing value at keyword '...'": has a message, but the interpreter
    // never reports it (a missing last value is a refused value).
    static constexpr int PROBLEM_MISSING_VALUE = -5;
    // "Parameter '...' required.": after the last word, the first
    // obligatory parameter (in registration order) that got no value.
    static constexpr int PROBLEM_MISSING_PARAMETER = -6;
    // "Cannot open file '...'": a parameter file that cannot be read.
    static constexpr int PROBLEM_CANNOT_OPEN_FILE = -7;
    // "Missing value in file ...": a file line names a parameter that takes a
    // value but gives none.
    static constexpr int PROBLEM_MISSING_VALUE_IN_FILE = -8;
    // "Unknown keyword in file ...": a file line's keyword names no definition.
    static constexpr int PROBLEM_UNKNOWN_KEYWORD_IN_FILE = -9;
    // "General problem in file ...": a definition's dealWith returned 0 for a
    // value from a file (again, only a host's own definition class does).
    static constexpr int PROBLEM_GENERAL_PROBLEM_IN_FILE = -10;
    // "Loop detected in nested parameter file call ...": a file names a file
    // the set has already read. Reported, the call is skipped, and reading
    // goes on: this code is never returned.
    static constexpr int PROBLEM_PARAM_FILE_LOOP = -11;

    // Limits of parameter files, far above any real use: how deeply files may name further files
    // (the file named on the command line is the first), and how many characters a line may hold,
    // its line end not counted. A ParameterFile line that would go deeper, a longer line, or a line
    // holding a NUL byte is a problem of the file it stands in (PROBLEM_GENERAL_PROBLEM_IN_FILE),
    // and every enclosing file returns that code.
    static constexpr int MAX_FILE_NESTING = 64;
    static constexpr std::size_t MAX_LINE_LENGTH = 1048576;

    // --- Conventions ------------------------------------------------------
    // SetConventions takes any combination of these; CONVENTIONS_TODAY is
    // all of them, 0 (the default) none. They apply to every definition of
    // the set, registered before or after.
    //
    // STRICT_VALUES: a value converts only when the whole of it, blanks
    // around it aside, is a value of its type: integers are decimal digits
    // with an optional sign (no minus for unsigned types) within the type's
    // range; floating-point values are finite decimal numbers read the same
    // in every locale; a character value is one character; a switch given a
    // value (--Verbose=no, or "Verbose no" in a file) takes true, yes, on, 1
    // or false, no, off, 0 in any letter case, and refuses any other, the
    // empty value (--Verbose=) included; named alone it is turned on.
    static constexpr unsigned STRICT_VALUES = 1;
    // RETURN_PROBLEMS: nothing the user gives ends the process. A refused
    // value is PROBLEM_INVALID_VALUE (command line) or
    // PROBLEM_GENERAL_PROBLEM_IN_FILE, a value missing at the end of the
    // command line PROBLEM_MISSING_VALUE; each message names the parameter,
    // the value and what was expected, and file messages give the line
    // number. Messages show control characters and bytes that are no UTF-8
    // as \x1b, so that no word or file can send the terminal escape
    // sequences. A help request returns HELP_SHOWN.
    static constexpr unsigned RETURN_PROBLEMS = 2;
    // HELP_ON_STDOUT: -h and --help write the usage screen to standard
    // output and return HELP_SHOWN; its synopsis lists every parameter,
    // those without a flag too ("[--Output s]").
    static constexpr unsigned HELP_ON_STDOUT = 4;
    // QUOTED_VALUES: in a parameter file, a value that begins with " runs
    // to the matching " and may hold blanks, tabs, # and =; inside it \"
    // stands for " and \\ for \. A line whose quote is not closed is a
    // problem of its file.
    static constexpr unsigned QUOTED_VALUES = 8;
    // DASH_IS_POSITIONAL: the word "-" (the usual name of standard input)
    // is a positional word.
    static constexpr unsigned DASH_IS_POSITIONAL = 16;
    // STRICT_WORDS: a word "--=text" is the unknown keyword "", not the
    // delimiter "--" (which would lose the text and take every later option
    // for a positional word).
    static constexpr unsigned STRICT_WORDS = 32;
    // FILE_IDENTITY: a ParameterFile line is refused as a loop only when its
    // file is open on the chain of files that led to it, whatever name reaches
    // it (p.par, ./p.par, a link: the same file); a file two others name is
    // read for each. Without it, a file this interpretation has read by the
    // same name is refused.
    static constexpr unsigned FILE_IDENTITY = 64;
    static constexpr unsigned CONVENTIONS_TODAY = 127;
    // What Interpret_returnError returns after showing the usage screen
    // when the set returns problems or shows help on standard output.
    static constexpr int HELP_SHOWN = 2;

    void SetConventions(unsigned conventions);
    unsigned GetConventions() const { return conventions; }

    // An empty set.
    CParam();
    // Destroys every registered definition (and the string values they own)
    // and every recorded parameter-file name. Host string variables that
    // point at values the set stored dangle afterwards.
    virtual ~CParam();

    CParam(const CParam&) = delete;
    CParam& operator=(const CParam&) = delete;

    // --- Registration ---------------------------------------------------
    // Registers a heap-allocated definition. Returns 1 and takes ownership,
    // or returns 0 (with a warning on standard error) when its flag or
    // keyword is reserved (h, f, "help", "ParameterFile") or already used,
    // or when memory runs out; the caller then still owns it. A null
    // definition is refused silently.
    int AddParamDef(CParamDef* definition);

    // Typed registrations: each builds the definition (which stores the
    // default into *var at once, even when registration then refuses it)
    // and registers it; a refused definition is destroyed again.
    //   keyword      long name: --keyword on the command line, and the first
    //                word of a parameter-file line; copied
    //   flag         one-letter short name (-x), 0 for none
    //   optional     false: interpretation fails when no value is given
    //   partypeName  the value's name on the usage screen ("n", "file");
    //                not copied
    //   kwlessPosition  -1 for a parameter named by keyword or flag;
    //                1, 2, ... for the positional (keyword-less) one at that
    //                place among the positional words: those without a
    //                leading hyphen, and every word after "--"
    // Returns 1 or 0 as above.
    int AddParamDef(const char* keyword, char flag, char* var, char defaultValue,
                    const char* description, bool optional, const char* partypeName,
                    int kwlessPosition);
    int AddParamDef(const char* keyword, char flag, int* var, int defaultValue,
                    const char* description, bool optional, const char* partypeName,
                    int kwlessPosition);
    int AddParamDef(const char* keyword, char flag, unsigned int* var, unsigned int defaultValue,
                    const char* description, bool optional, const char* partypeName,
                    int kwlessPosition);
    int AddParamDef(const char* keyword, char flag, short* var, short defaultValue,
                    const char* description, bool optional, const char* partypeName,
                    int kwlessPosition);
    int AddParamDef(const char* keyword, char flag, unsigned short* var,
                    unsigned short defaultValue, const char* description, bool optional,
                    const char* partypeName, int kwlessPosition);
    int AddParamDef(const char* keyword, char flag, long* var, long defaultValue,
                    const char* description, bool optional, const char* partypeName,
                    int kwlessPosition);
    int AddParamDef(const char* keyword, char flag, unsigned long* var,
                    unsigned long defaultValue, const char* description, bool optional,
                    const char* partypeName, int kwlessPosition);
    // String: *var points at defaultValue itself (may be null; not copied)
    // until a value comes; values are copies owned by the set.
    int AddParamDef(const char* keyword, char flag, char** var, const char* defaultValue,
                    const char* description, bool optional, const char* partypeName,
                    int kwlessPosition);
    int AddParamDef(const char* keyword, char flag, double* var, double defaultValue,
                    const char* description, bool optional, const char* partypeName,
                    int kwlessPosition);
    int AddParamDef(const char* keyword, char flag, float* var, float defaultValue,
                    const char* description, bool optional, const char* partypeName,
                    int kwlessPosition);
    // A switch, given without a value (-v, --Verbose, or the keyword alone on
    // a file line); it sets *var to true. Switches never take a position.
    int AddParamDef(const char* keyword, char flag, bool* var, bool defaultValue,
                    const char* description, bool optional, const char* partypeName,
                    int kwlessPosition);
    // A std::string variable; the default is text (null for the empty
    // string). The empty value is refused.
    int AddParamDef(const char* keyword, char flag, std::string* var, const char* defaultValue,
                    const char* description, bool optional, const char* partypeName,
                    int kwlessPosition);
    // A list: *var takes one element each time the parameter is given (on
    // the command line, -i a -i b, or on lines of a parameter file); the
    // default list stays until the first value the user gives replaces it.
    // At a position, the list takes that positional word and every later
    // one (tool a.txt b.txt c.txt); obligatory, it needs at least one. T is
    // char, int, unsigned int, short, unsigned short, long, unsigned long,
    // double, float, std::string or a type the host described (ParamValue.h).
    template <typename T>
    int AddParamDef(const char* keyword, char flag, std::vector<T>* var,
                    const std::vector<T>& defaultValue, const char* description, bool optional,
                    const char* partypeName, int kwlessPosition);
    // A variable of a type the host described (ParamValue.h): an enumeration
    // by its names, a duration, a path, any type.
    template <typename T, typename = std::enable_if_t<param_detail::IsDescribed<T>::value>>
    int AddParamDef(const char* keyword, char flag, T* var, T defaultValue, const char* description,
                    bool optional, const char* partypeName, int kwlessPosition);
    // A generic definition without a variable: it only records that a
    // non-empty value came; errordesc ends its refused-value message.
    int AddParamDef(const char* keyword, char flag, types type, const char* description,
                    const char* errordesc, bool optional, const char* partypeName,
                    int kwlessPosition);

    // --- Where values come from ---------------------------------------------
    // Takes values from the environment: before the command line is walked,
    // every parameter whose variable prefix+keyword is set (WORDFREQ_Top)
    // takes its value, converted and checked like any other, so the command
    // line and the files it names override the environment. A list takes the
    // variable's words (separated by blanks), which elements given on the
    // command line replace (see Precedence above). prefix+"ParameterFile" names a
    // parameter file, read before the variables. A refused value, and a file
    // that cannot be read, is a problem (returned, even by default) whose
    // message names the variable. A null or empty prefix: no environment.
    void SetEnvironmentPrefix(const char* prefix);
    // Where the value of the parameter with the keyword came from (its
    // default, the command line, an environment variable, a file and line);
    // the default's origin when no definition has the keyword. getSourceFromKey
    // keeps telling the file alone.
    ParamOrigin getOriginFromKey(const char* keyword);

    // Writes the values in force as a parameter file that reads back to the
    // same values with the set's conventions: a line per parameter (positional
    // ones by their keyword, a list a line per element, a switch in a form
    // that reads back), each with a remark saying where its value came from
    // ("from the command line", "from run.par, line 3", "from $WORDFREQ_Top",
    // "default"). Parameters whose keywords are in leaveOut are not written.
    // A value the file format cannot hold (a blank without QUOTED_VALUES, a
    // switch turned off without STRICT_VALUES, a line end) is never written:
    // the message names the parameter, nothing is written, and the result is
    // NOT_OK. OK otherwise.
    int WriteParameters(std::ostream& out, const std::vector<std::string>& leaveOut = {});
    // The same into a file, all or nothing: written beside it first, then
    // renamed; a file that cannot be written is reported and leaves nothing.
    int WriteParameterFile(const char* fileName, const std::vector<std::string>& leaveOut = {});

    // Writes a completion script for shell ("bash", "zsh" or "fish") that
    // completes the command program from the definitions: after "-" or "--"
    // the flags and keywords (with their descriptions where the shell shows
    // them); after a parameter that takes a value (the next word, after
    // --Keyword=, or after its flag, also behind grouped switches: -cn) its
    // choices, file names for a string or a parameter file, nothing for a
    // number; file names for positional words. The script never runs the
    // program, and holds every text as data that the shell never runs,
    // expands or splits: a choice "a b" is completed as one word. In a
    // description, line ends and tabs show as blanks. Returns OK; NOT_OK for
    // another shell; and NOT_OK, writing nothing and naming the text on
    // standard error, when the script cannot hold a text: a control character
    // in a keyword, flag, choice or value name, or one other than a line end
    // or tab in a description; a program name that is empty, begins with a
    // hyphen or holds "=", for zsh one with a blank, for fish one with
    // $ * ? ~ { } ' " or a backslash.
    int WriteCompletionScript(std::ostream& out, const char* shell, const char* program);

    // Limits the values of the parameter with the keyword: numbers to those
    // from lower to upper (either may be null: no limit on that side), read
    // as values of its type, "1" and "100000"; words to the given choices.
    // A value outside is refused as one that cannot be converted, with a
    // message that gives the limits or the choices, and the usage screen
    // shows them. Returns 1, or 0 when no definition has the keyword or it
    // cannot take them (setRange, setChoices of CParamDef).
    int SetRange(const char* keyword, const char* lower, const char* upper);
    int SetChoices(const char* keyword, const std::vector<std::string>& choices);

    // Counts the positional definitions and warns (standard error) about an
    // unused or shared position, an obligatory one behind an optional one, or
    // one behind a list that takes the rest of the words.
    // Returns true when it wrote no warning. Interpretation calls it first,
    // so a host needs it only to check its definitions early.
    bool CheckParameters();

    // --- Lookups by keyword (null when no definition has it) ------------
    // Positional parameters are found by their keyword too.
    // The address of the host's variable (for a string parameter, of the
    // char* variable); null for a generic definition.
    void* getValueFromKey(const char* keyword);
    // The parameter file that gave the value; null for the command line or
    // when no value came. Valid as long as the set.
    const char* getSourceFromKey(const char* keyword);

    // Writes "keyword=value" and a line end for every typed definition, in
    // registration order.
    virtual void Display(std::ostream& out) const;

    // --- Interpretation -------------------------------------------------
    // Walks argv[1..argc-1] once, left to right, writing each value into
    // the host's variable; the last occurrence of a parameter wins. Keeps
    // argv[0] (not a copy) as the program name for messages. Returns OK, or
    // the (negative) code of the first problem after writing its message;
    // values stored before the problem stay. By default it does not return
    // on a help request or a value a definition cannot convert (status -1);
    // with RETURN_PROBLEMS or HELP_ON_STDOUT a help request returns
    // HELP_SHOWN, and with RETURN_PROBLEMS a refused value is a problem.
    int Interpret_returnError(char** argv, int argc);
    // OK when Interpret_returnError returned OK, NOT_OK otherwise.
    int Interpret(char** argv, int argc);
    // 1 on success; after help shown by the rules above it ends the process
    // with status 0; otherwise writes "...exiting." and ends the process (-1).
    int Interpret_exitOnError(char** argv, int argc);

    // Reads one parameter file (and the files it names), as -f does: one
    // "keyword value" per line (blanks, tabs or "=" between), "#" in the
    // first column for a comment. Remembers the file's name as the source
    // of its values. Returns OK or the code of the first problem, after
    // writing its message. A ParameterFile line naming a file that the set
    // has already read is reported and skipped.
    int read_parameter_file(const char* fileName);

    // Writes the message for problem (about subject, quoting detail where the
    // message has it) and the help hint to standard error; returns problem.
    int showError(int problem, const char* subject, const char* detail);

    // Writes the usage screen, generated from the definitions, to standard
    // error and ends the process (-1); with HELP_ON_STDOUT to standard output,
    // and with it or RETURN_PROBLEMS it returns.
    void usageInfo(const char* programName);

protected:
    // For a host's subclass; the set keeps them consistent itself.
    int definitionCount;
    ParamListElement* firstElement;
    ParamListElement* lastElement;
    ParamFileElement* paramFileList;
    const char* programName;
    // Positional definitions as counted by the latest CheckParameters.
    int kwlessCount;

private:
    // The list's elements and their index by keyword and by flag, which
    // registration, the interpreter, the reader and the lookups all use;
    // created with the first registration.
    std::unique_ptr<param_detail::Registry> registry;
    unsigned conventions = 0;
    // The environment prefix and the names of the variables read (the origins of their values point
    // there); null before a prefix is set.
    std::unique_ptr<param_detail::Environment> environment;
    // Interpretations and the written configuration work over the set's records.
    friend class param_detail::Interpretation;
    friend class param_detail::ConfigurationWriter;
    friend class param_detail::CommandCore;

    template <typename Definition, typename Var, typename Default>
    int addTyped(const char* keyword, char flag, Var* var, Default defaultValue,
                 const char* description, bool optional, const char* partypeName,
                 int kwlessPosition);
    int registerOrDestroy(CParamDef* definition);
    // Registers a definition of the new interface (param::Command), whose names are its command's
    // concern: none is reserved or refused here. The definition's element, or null (the definition
    // destroyed) when memory runs out.
    ParamListElement* adopt(CParamDef* definition);
    // Appends a definition to the list and its names (flag, the keyword's hash) to the index: its
    // element, or null when memory runs out (the definition is then the caller's).
    ParamListElement* enlist(CParamDef* definition, char flag, std::size_t keywordHash);
    ParamListElement* elementWithKeyword(const char* keyword) const;
    ParamListElement* elementWithFlag(char letter) const;
    CParamDef* definitionWithKeyword(const char* keyword) const;
};

template <typename T, typename>
int CParam::AddParamDef(const char* keyword, char flag, T* var, T defaultValue, const char* description,
                        bool optional, const char* partypeName, int kwlessPosition) {
    return registerOrDestroy(new (std::nothrow) CScalarParamDef<T>(keyword, flag, var, std::move(defaultValue),
                                                                   partypeName, description, optional, kwlessPosition));
}

template <typename T>
int CParam::AddParamDef(const char* keyword, char flag, std::vector<T>* var, const std::vector<T>& defaultValue,
                        const char* description, bool optional, const char* partypeName, int kwlessPosition) {
    try {
        return registerOrDestroy(new (std::nothrow) CListParamDef<T>(keyword, flag, var, defaultValue, partypeName,
                                                                     description, optional, kwlessPosition));
    } catch (...) {
        return 0;  // the default's copy could not be made
    }
}

#endif
