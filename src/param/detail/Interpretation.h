// One interpretation of a parameter set: the sources that find values (the environment, parameter
// files, the words of a command line) and the one step that applies what they find.
//
// Each source walks its input and produces findings: which definition a name or position names (or
// that none does), the value text, and where it came from. apply() hands each to its definition,
// reports a refusal in the mode in force, records the value's origin and keeps to the precedence of
// the sources: the default, then the environment, then the command line and the files it names, in
// their order; a scalar takes the last value, a list the elements of the latest source that gave any.
#ifndef PARAM_DETAIL_INTERPRETATION_H
#define PARAM_DETAIL_INTERPRETATION_H

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "LineReader.h"
#include "Param.h"
#include "Registry.h"
#include "Texts.h"

namespace param_detail {

struct Finding {
    // How the value was given, which decides how a problem with it is reported.
    enum Form : unsigned char { LONG_WORD, LETTER_WORD, SWITCH_RUN, POSITIONAL_WORD, FILE_LINE, VARIABLE };
    Form form;
    ParamListElement* element;  // null: no definition has the name or position
    // The name as given: "--Top" (cut at its "="), "-n", the value name of a positional parameter (the
    // word itself when no parameter takes it), the keyword of a file line, "$WORDFREQ_Top".
    const char* name;
    char* value;  // null: none given
    ParamOrigin origin;
    Rank rank;
    char* source = nullptr;      // for CParamDef::source: the recorded name of the file that gave it
    const char* line = nullptr;  // a file line as read
    // For a name no definition has: the closest name the user may have meant, as it would be given
    // ("--fields"); empty for none; null to let the interpretation find it among the keywords.
    const char* suggestion = nullptr;
};

// An environment variable that gives a parameter's value.
struct Variable {
    ParamListElement* element;
    std::string name;
};

// The first problem an interpretation reported: its code, the parameter (or word, or file) as given,
// and the value in question.
struct Reported {
    int code = 0;
    std::string subject, value;
};

class Interpretation {
public:
    // filesBefore: the set's records of files read that do not count as read for the refusal of
    // loops (those of earlier interpretations); null when every record counts. messages: where the
    // problems are written; null: kept (keptMessages), for a host that is told rather than shown.
    // fileKeyword: the keyword of a file line that names a further file; null for none. loopEnds: a
    // file named in a loop is a problem that ends the reading (by default it is skipped, and reading
    // goes on).
    Interpretation(CParam& set, const ParamFileElement* filesBefore, std::ostream* messages,
                   const char* fileKeyword = "ParameterFile", bool loopEnds = false);
    ~Interpretation();

    // Each interpretation starts afresh: a list has its default again.
    void startAfresh();
    // The environment source, as the set's prefix names the variables: prefix+ParameterFile names a
    // file, read first; then every parameter whose variable prefix+keyword is set takes its value, a
    // list its blank-separated words.
    int environment();
    // The same for variables named otherwise; fileVariable empty: none names a file.
    int environment(const std::vector<Variable>& variables, const std::string& fileVariable);
    // The parameter file source: the file's lines and the files they name, at their places. namedBy
    // says why the file is read where no word or line names it.
    int parameterFile(const char* fileName, Rank rank, const char* namedBy = nullptr);
    // The command line, read by the set's grammar.
    int commandLine(char** argv, int argc);
    // After the last word: the first obligatory parameter without a value is a problem.
    int obligatoryCheck();

    // The one step that applies a finding; OK, or the code of the problem it reported.
    int apply(const Finding& finding);
    // Writes a problem's message and help hint as CParam::showError does, to this interpretation's
    // messages; returns problem.
    int showError(int problem, const char* subject, const char* detail);
    // Writes message (a problem of the new interface, about subject and value) and the help hint;
    // returns problem.
    int report(int problem, const char* subject, const char* value, const std::string& message);
    // Reports value, given by name, as invalid: it should be what expected says ("should be one of
    // bash, zsh, fish"); suggestion (if any) is the value the user may have meant.
    int refuseValue(const char* name, const char* value, const char* expected, const std::string& suggestion);
    // The first problem reported, and the messages kept, for a host that is told rather than shown.
    const Reported& firstProblem() const { return reported; }
    std::string keptMessages() const;

    unsigned conventions() const { return set.conventions; }
    ParamListElement* elementWithKeyword(const char* keyword) const { return set.elementWithKeyword(keyword); }
    ParamListElement* elementWithFlag(char letter) const { return set.elementWithFlag(letter); }
    // The first definition, in registration order, that takes the positional word at position.
    ParamListElement* positional(int position) const;
    // The words a definition's choices allow (or its type's names); empty for any.
    static std::vector<std::string> choicesOf(const CParamDef& definition);

private:
    CParam& set;
    const ParamFileElement* const filesBefore;
    std::ostream* messages;
    // The messages kept, made with the first (a stream is costly to make, and most readings have none).
    std::unique_ptr<std::ostringstream> kept;
    const char* const fileKeyword;
    const bool loopEnds;
    Reported reported;
    // The files open now, the outermost first: a file named again on this chain is a loop.
    std::vector<const char*> chain;
    // What the reading of a file shares with the files it names: the line buffers, which a nested
    // file may reuse since the line that names it is done with.
    Buffer line{"line"};
    Buffer workingCopy{"line"};

    int readLines(LineReader& reader, char* source, Rank rank);
    int fileLine(char* source, const char* text, long number, Rank rank);
    int nestedFile(char* source, const char* text, long number, const char* name, Rank rank);
    bool isLoop(const char* fileName) const;
    char* record(const char* fileName);
    int reportUnknown(const Finding& finding);
    int reportRefusal(const Finding& finding, const char* reason);
    int reportMissing(const Finding& finding);
    int reportFileProblem(int problem, const char* fileName, const char* text, long number, const char* reason = nullptr);
    int report(text::Problem& problem);
    std::string closestKeyword(const char* typed) const;
    int refuseFileLine(char* source, const char* text, long number, const char* reason);
    bool returning() const { return (set.conventions & CParam::RETURN_PROBLEMS) != 0; }
};

}  // namespace param_detail

#endif
