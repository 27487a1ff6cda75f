// The step that applies what a source found, and the reports of the problems it finds.
#include "Interpretation.h"

#include <string>

#include "Memory.h"
#include "Suggestion.h"
#include "ValueCheck.h"
#include "ProcessEnd.h"
#include "Texts.h"

namespace param_detail {

Interpretation::Interpretation(CParam& set, const ParamFileElement* filesBefore, std::ostream* messages,
                               const char* fileKeyword, bool loopEnds)
    : set(set), filesBefore(filesBefore), messages(messages), fileKeyword(fileKeyword), loopEnds(loopEnds) {}

Interpretation::~Interpretation() = default;

std::string Interpretation::keptMessages() const { return kept ? kept->str() : std::string(); }

void Interpretation::startAfresh() {
    if (!set.registry) return;
    for (Gathered& list : set.registry->gathered) {
        if (list.rank == DEFAULT_RANK) continue;
        list.element->definition->startOver(true);
        const_cast<ParamListElement*>(list.element)->origin = ParamOrigin{};
        list.origins.clear();
        list.rank = DEFAULT_RANK;
    }
}

ParamListElement* Interpretation::positional(int position) const {
    // Asked of every definition in registration order, since a host's subclass may answer
    // myKWless_param in its own way.
    for (ParamListElement* element = set.firstElement; element != nullptr; element = element->next) {
        if (element->definition->myKWless_param(position)) return element;
    }
    return nullptr;
}

int Interpretation::apply(const Finding& finding) {
    if (finding.element == nullptr) return reportUnknown(finding);
    ParamListElement& element = *finding.element;
    CParamDef* definition = element.definition;
    const bool returning = (set.conventions & CParam::RETURN_PROBLEMS) != 0;
    if (finding.value == nullptr && definition->skipAfter() && (finding.form == Finding::FILE_LINE || returning)) {
        return reportMissing(finding);  // by default the definition refuses a missing value itself
    }
    // A variable's value that would be refused is a problem, also by default, so that the message can
    // name the variable (by default the definition would end the process with its own message).
    if (finding.form == Finding::VARIABLE && !returning) {
        std::string reason;
        if (!tryAllocating([&] { reason = definition->refusalOf(finding.value); })) failAssertion("refusal");
        if (!reason.empty()) return reportRefusal(finding, reason.c_str());
    }
    if (!definition->gathers()) {
        if (definition->dealWith(finding.value, finding.source) == 0) return reportRefusal(finding, nullptr);
        element.origin = finding.origin;
        return CParam::OK;
    }
    // A list (or a count) keeps the elements of the latest source that gave any: the first value of
    // a later source starts them afresh.
    Gathered* list = set.registry->gatheredBy(&element);
    const bool startsAfresh = finding.rank > (list != nullptr ? list->rank : DEFAULT_RANK);
    if (startsAfresh) definition->startOver(false);
    if (definition->dealWith(finding.value, finding.source) == 0) return reportRefusal(finding, nullptr);
    element.origin = finding.origin;
    if (!tryAllocating([&] {
            if (list == nullptr) {
                set.registry->gathered.push_back({&element, DEFAULT_RANK, {}});
                list = &set.registry->gathered.back();
            }
            if (startsAfresh) list->origins.clear();  // the list replaced its elements
            list->origins.push_back(finding.origin);
            list->rank = finding.rank;
        })) {
        failAssertion("origins");
    }
    return CParam::OK;
}

std::vector<std::string> Interpretation::choicesOf(const CParamDef& definition) {
    for (const ValueCheck* c = definition.check.get(); c != nullptr; c = c->next.get()) {
        if (const std::vector<std::string>* words = c->words()) return *words;
    }
    const ValueOps* ops = definition.valueType;
    if (ops != nullptr && ops->names != nullptr) return std::vector<std::string>(ops->names, ops->names + ops->nameCount);
    return {};
}

int Interpretation::obligatoryCheck() {
    for (ParamListElement* element = set.firstElement; element != nullptr; element = element->next) {
        CParamDef* definition = element->definition;
        if (definition->isSatisfied()) continue;
        const char* name = definition->no_keyword() ? definition->getPartypeName() : definition->getKeyword();
        return showError(CParam::PROBLEM_MISSING_PARAMETER, name, "");
    }
    return CParam::OK;
}

// ---------------------------------------------------------------------------------------------
// Reports

int Interpretation::report(text::Problem& problem) {
    problem.visible = returning();
    if (reported.code == 0 && !tryAllocating([&] {
            reported.code = problem.code;
            reported.subject = problem.subject != nullptr ? problem.subject : "";
            reported.value = problem.value != nullptr ? problem.value : problem.detail != nullptr ? problem.detail : "";
        })) {
        reported.code = problem.code;
    }
    if (messages == nullptr) {
        if (!tryAllocating([&] { kept.reset(new std::ostringstream); })) failAssertion("messages");
        messages = kept.get();
    }
    text::problem(problem, set.programName, *messages);
    return problem.code;
}

int Interpretation::report(int problem, const char* subject, const char* value, const std::string& message) {
    text::Problem report{problem, subject, value};
    report.message = message.c_str();
    return this->report(report);
}

int Interpretation::showError(int problem, const char* subject, const char* detail) {
    text::Problem report{problem, subject, detail};
    return this->report(report);
}

int Interpretation::refuseValue(const char* name, const char* value, const char* expected, const std::string& suggestion) {
    text::Problem report{CParam::PROBLEM_INVALID_VALUE, name, value};
    report.expected = expected;
    report.value = value;
    report.suggestion = suggestion.empty() ? nullptr : suggestion.c_str();
    return this->report(report);
}

// The keyword closest to an unknown one; empty unless the messages are today's (the specified ones stay
// as they are).
std::string Interpretation::closestKeyword(const char* typed) const {
    std::string suggestion;
    if (!returning()) return suggestion;
    tryAllocating([&] {
        std::vector<std::string> keywords;
        for (const ParamListElement* e = set.firstElement; e != nullptr; e = e->next) {
            if (text::unusableKeyword(e->definition->getKeyword()) == nullptr) keywords.emplace_back(e->definition->getKeyword());
        }
        if (fileKeyword != nullptr) keywords.emplace_back(fileKeyword);
        suggestion = closest(typed, keywords);
    });
    return suggestion;
}

int Interpretation::reportUnknown(const Finding& finding) {
    text::Problem report{0, finding.name, ""};
    std::string suggestion;
    switch (finding.form) {
    case Finding::LONG_WORD:
        report.code = CParam::PROBLEM_UNKNOWN_KEYWORD;
        report.subject = finding.name + 2;
        report.detail = finding.value != nullptr ? finding.value : "";
        suggestion = finding.suggestion != nullptr ? finding.suggestion : closestKeyword(finding.name + 2);
        if (finding.suggestion == nullptr && !suggestion.empty()) suggestion = "--" + suggestion;
        break;
    case Finding::POSITIONAL_WORD: report.code = CParam::PROBLEM_MISSING_HYPHEN; break;
    case Finding::FILE_LINE:
        report.code = CParam::PROBLEM_UNKNOWN_KEYWORD_IN_FILE;
        report.subject = finding.origin.name;
        report.detail = finding.line;
        report.line = returning() ? finding.origin.line : 0;
        suggestion = closestKeyword(finding.name);
        break;
    default: report.code = CParam::PROBLEM_UNKNOWN_FLAG; break;
    }
    report.suggestion = suggestion.empty() ? nullptr : suggestion.c_str();
    return this->report(report);
}

int Interpretation::reportMissing(const Finding& finding) {
    if (finding.form == Finding::FILE_LINE) {
        return reportFileProblem(CParam::PROBLEM_MISSING_VALUE_IN_FILE, finding.origin.name, finding.line, finding.origin.line);
    }
    return showError(CParam::PROBLEM_MISSING_VALUE, finding.name, "");
}

// A value the definition refused. By default only a host's own definition gets here (the library's
// end the process), and the message is the plain one; when the set returns problems, the message also
// says what the value should have been and, for a file, gives the line number.
int Interpretation::reportRefusal(const Finding& finding, const char* reason) {
    CParamDef* definition = finding.element->definition;
    const bool inFile = finding.form == Finding::FILE_LINE;
    const int problem = inFile ? CParam::PROBLEM_GENERAL_PROBLEM_IN_FILE : CParam::PROBLEM_INVALID_VALUE;
    const char* value = finding.value != nullptr ? finding.value : "";
    if (finding.form == Finding::SWITCH_RUN && !returning()) {
        text::switchRefusedEmptyValue();
        endProcess(-1);
    }
    if (reason == nullptr && !returning()) {
        return showError(problem, inFile ? finding.origin.name : finding.name, inFile ? finding.line : value);
    }
    std::string why;
    if (reason == nullptr) tryAllocating([&] { why = definition->refusalOf(finding.value); });
    // Empty when the definition refused what its conversion takes (a host's own rule), or memory ran out.
    text::Problem report{problem, inFile ? finding.origin.name : finding.name, inFile ? finding.line : value,
                         inFile ? finding.origin.line : 0};
    report.expected = reason != nullptr ? reason : why.empty() ? definition->errordesc.get() : why.c_str();
    report.value = value;
    report.parameter = inFile ? definition->getKeyword() : nullptr;
    // A value outside the choices: the closest of them.
    std::string suggestion;
    tryAllocating([&] { suggestion = closest(value, choicesOf(*definition)); });
    report.suggestion = suggestion.empty() ? nullptr : suggestion.c_str();
    return this->report(report);
}

// A problem about a line of a file; when the set returns problems, the message gives the line number.
int Interpretation::reportFileProblem(int problem, const char* fileName, const char* text, long number, const char* reason) {
    text::Problem report{problem, fileName, text};
    report.line = returning() ? number : 0;
    report.reason = reason;
    return this->report(report);
}

}  // namespace param_detail
