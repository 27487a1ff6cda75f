// The usage screen: a synopsis line in four groups, a description block for
// every definition (obligatory ones first) and the fixed texts.
#include <iostream>

#include "Param.h"
#include "detail/ProcessEnd.h"
#include "detail/Texts.h"

namespace usage = param_detail::text::usage;

namespace {

// Sends what is written to standard error to standard output while it lives: the screen's pieces,
// a host's overrides included, all write to standard error.
struct ErrorToOutput {
    explicit ErrorToOutput(bool active) : previous(active ? std::cerr.rdbuf(std::cout.rdbuf()) : nullptr) {}
    ~ErrorToOutput() {
        if (previous != nullptr) std::cerr.rdbuf(previous);
    }
    std::streambuf* previous;
};

}  // namespace

void CParam::usageInfo(const char* name) {
    const bool today = (conventions & HELP_ON_STDOUT) != 0;
    ErrorToOutput toOutput(today);
    usage::synopsisStart(name != nullptr ? name : "");

    // Group 1: obligatory parameters with a keyword (switches included).
    for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
        if (!e->definition->optional() && e->definition->myKWless_param(-1)) {
            e->definition->usageInfo();
        }
    }
    // Group 2: optional switches, their letters gathered in one bracket; today's conventions list
    // those without a letter by their keywords after it.
    bool switchSeen = false;
    for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
        if (e->definition->optional() && !e->definition->skipAfter() && (!today || e->definition->getFlag() != 0)) {
            if (!switchSeen) usage::switchGroupOpen();
            switchSeen = true;
            e->definition->usageInfo();
        }
    }
    if (switchSeen) usage::switchGroupClose();
    for (ParamListElement* e = firstElement; today && e != nullptr; e = e->next) {
        CParamDef* d = e->definition;
        if (d->optional() && !d->skipAfter() && d->getFlag() == 0) usage::keywordSwitchEntry(false, d->getKeyword());
    }
    // Group 3: optional parameters with a keyword that take a value.
    for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
        CParamDef* d = e->definition;
        if (d->optional() && d->skipAfter() && d->myKWless_param(-1)) d->usageInfo();
    }
    usage::reservedOptions();
    // Group 4: positional parameters by position; a list at its own position only.
    for (int position = 1; position <= kwlessCount; ++position) {
        for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
            CParamDef* d = e->definition;
            if (d->myKWless_param(position) && (!d->isList() || d->kwlessPosition == position)) d->usageInfo();
        }
    }
    usage::synopsisEnd();

    for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
        if (!e->definition->optional()) e->definition->writeDesc();
    }
    for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
        if (e->definition->optional()) e->definition->writeDesc();
    }
    usage::fixedDescriptions();
    if ((conventions & (HELP_ON_STDOUT | RETURN_PROBLEMS)) == 0) param_detail::endProcess(-1);
}
