// The parameter set: the registry of a host program's parameter
// definitions, the command-line interpreter, the parameter-file reader, the
// problem messages and the usage screen.
//
// Typical use:
//     CParam params;
//     params.AddParamDef("TraceLevel", 'T', &trace, 0, "trace level", true, "n", -1);
//     if (!params.Interpret(argv, argc)) return 1;
//
// Everything the library writes goes to standard error. A value that a
// definition cannot convert, a help request and Interpret_exitOnError end
// the process with status -1 (255 as the shell sees it).
#ifndef PARAM_PARAM_H
#define PARAM_PARAM_H

#include <array>
#include <ostream>
#include <string_view>
#include <unordered_map>

#include "ParamDef.h"

// One element of the set's definition list, in registration order.
struct ParamListElement {
    ParamListElement* next;
    CParamDef* definition;
};

// One element of the set's list of parameter files read, newest first.
// fileName is the set's own copy.
struct ParamFileElement {
    ParamFileElement* next;
    char* fileName;
};

class CParam {
public:
    // Results and problem codes. Interpret_returnError and
    // read_parameter_file return OK or the code of the first problem, whose
    // message showError has already written.
    static constexpr int OK = 1;
    static constexpr int NOT_OK = 0;
    static constexpr int PROBLEM_UNDEFINED_PROBLEM = 0;
    static constexpr int PROBLEM_MISSING_HYPHEN = -1;
    static constexpr int PROBLEM_UNKNOWN_KEYWORD = -2;
    static constexpr int PROBLEM_UNKNOWN_FLAG = -3;
    static constexpr int PROBLEM_INVALID_VALUE = -4;
    static constexpr int PROBLEM_MISSING_VALUE = -5;
    static constexpr int PROBLEM_MISSING_PARAMETER = -6;
    static constexpr int PROBLEM_CANNOT_OPEN_FILE = -7;
    static constexpr int PROBLEM_MISSING_VALUE_IN_FILE = -8;
    static constexpr int PROBLEM_UNKNOWN_KEYWORD_IN_FILE = -9;
    static constexpr int PROBLEM_GENERAL_PROBLEM_IN_FILE = -10;
    static constexpr int PROBLEM_PARAM_FILE_LOOP = -11;

    CParam();
    // Destroys every registered definition (and the string values they own)
    // and every recorded parameter-file name.
    virtual ~CParam();

    CParam(const CParam&) = delete;
    CParam& operator=(const CParam&) = delete;

    // --- Registration ---------------------------------------------------
    // Registers a heap-allocated definition. Returns 1 and takes ownership,
    // or returns 0 (with a warning on standard error) when its flag or
    // keyword is reserved (h, f, "help", "ParameterFile") or already used;
    // the caller then still owns it.
    int AddParamDef(CParamDef* definition);

    // Typed registrations: each builds the definition (which stores the
    // default into *var at once) and registers it; a refused definition is
    // destroyed again. kwlessPosition: -1 for a parameter named by keyword
    // or flag, 1, 2, ... for a positional one. Returns 1 or 0 as above.
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
    // String: *var points at defaultValue itself (may be null) until a value
    // comes; values are copies owned by the set.
    int AddParamDef(const char* keyword, char flag, char** var, const char* defaultValue,
                    const char* description, bool optional, const char* partypeName,
                    int kwlessPosition);
    int AddParamDef(const char* keyword, char flag, double* var, double defaultValue,
                    const char* description, bool optional, const char* partypeName,
                    int kwlessPosition);
    int AddParamDef(const char* keyword, char flag, float* var, float defaultValue,
                    const char* description, bool optional, const char* partypeName,
                    int kwlessPosition);
    // A switch, given without a value.
    int AddParamDef(const char* keyword, char flag, bool* var, bool defaultValue,
                    const char* description, bool optional, const char* partypeName,
                    int kwlessPosition);
    // A generic definition without a variable: it only records that a
    // non-empty value came; errordesc ends its refused-value message.
    int AddParamDef(const char* keyword, char flag, types type, const char* description,
                    const char* errordesc, bool optional, const char* partypeName,
                    int kwlessPosition);

    // Counts the positional definitions and warns (standard error) about an
    // unused or shared position or an obligatory one behind an optional one.
    // Returns true when it wrote no warning.
    bool CheckParameters();

    // --- Lookups by keyword (null when no definition has it) ------------
    // The address of the host's variable (for a string parameter, of the
    // char* variable).
    void* getValueFromKey(const char* keyword);
    // The parameter file that gave the value; null for the command line.
    const char* getSourceFromKey(const char* keyword);

    // Writes "keyword=value" for every typed definition, in registration order.
    virtual void Display(std::ostream& out) const;

    // --- Interpretation -------------------------------------------------
    // Walks argv[1..argc-1] once. Returns OK, or the (negative) code of the
    // first problem after writing its message. Does not return on a help
    // request or a value a definition cannot convert.
    int Interpret_returnError(char** argv, int argc);
    // OK when Interpret_returnError succeeded, NOT_OK otherwise.
    int Interpret(char** argv, int argc);
    // 1 on success; otherwise writes "...exiting." and ends the process (-1).
    int Interpret_exitOnError(char** argv, int argc);

    // Reads one parameter file (and the files it names). Returns OK or the
    // code of the first problem, after writing its message.
    int read_parameter_file(const char* fileName);

    // Writes the message for problem (about subject, quoting detail where the
    // message has it) and the help hint to standard error; returns problem.
    int showError(int problem, const char* subject, const char* detail);

    // Writes the usage screen to standard error and ends the process (-1).
    [[noreturn]] void usageInfo(const char* programName);

protected:
    int definitionCount;
    ParamListElement* firstElement;
    ParamListElement* lastElement;
    ParamFileElement* paramFileList;
    const char* programName;
    int kwlessCount;

private:
    // Lookup tables beside the list (which stays the registration order).
    // Registration keeps keywords and flags unique, so each name has at most
    // one definition.
    std::unordered_map<std::string_view, CParamDef*> keywordIndex;
    std::array<CParamDef*, 256> flagTable;

    template <typename Definition, typename Var, typename Default>
    int addTyped(const char* keyword, char flag, Var* var, Default defaultValue,
                 const char* description, bool optional, const char* partypeName,
                 int kwlessPosition);
    void warnReservedName(const char* what, const char* name);
    void appendDefinition(CParamDef* definition);

    CParamDef* definitionWithKeyword(const char* keyword) const;
    CParamDef* definitionWithFlag(char letter) const;
    CParamDef* positionalDefinition(int position) const;

    void warnObligatoryBehindOptional(CParamDef* definition);
    void warnPositionUse(int position, int users);

    struct WordWalk;
    int interpretPositionalWord(WordWalk& walk);
    int interpretLongForm(WordWalk& walk);
    int interpretShortForm(WordWalk& walk);
    int checkObligatoryParameters();

    char* recordParameterFile(const char* fileName);
    bool parameterFileAlreadyRead(const char* fileName) const;
    int interpretFileLine(const char* fileName, char* source, const char* line, char* workingCopy);
};

#endif
