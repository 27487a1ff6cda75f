// The usage screen: a synopsis line in four groups, a description block for
// every definition (obligatory ones first) and the fixed texts.
#include <iostream>

#include "Param.h"
#include "detail/ProcessEnd.h"
#include "detail/Texts.h"

namespace usage = param_detail::text::usage;

namespace {

// The pieces of a definition, through the forms that write to standard error when the screen goes
// there (a host may have overridden those), else through the forms that take the stream.
void entry(CParamDef* definition, std::ostream& out) {
    if (&out == &std::cerr) {
        definition->usageInfo();
    } else {
        definition->writeSynopsisEntry(out);
    }
}

void block(CParamDef* definition, std::ostream& out) {
    if (&out == &std::cerr) {
        definition->writeDesc();
    } else {
        definition->writeDescription(out);
    }
}

}  // namespace

void CParam::usageInfo(const char* name) {
    const bool today = (conventions & HELP_ON_STDOUT) != 0;
    std::ostream& out = today ? std::cout : std::cerr;
    usage::synopsisStart(out, name != nullptr ? name : "");

    // Group 1: obligatory parameters with a keyword (switches included).
    for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
        if (!e->definition->optional() && e->definition->myKWless_param(-1)) entry(e->definition, out);
    }
    // Group 2: optional switches, their letters gathered in one bracket; today's conventions list
    // those without a letter by their keywords after it.
    bool switchSeen = false;
    for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
        if (e->definition->optional() && !e->definition->skipAfter() && (!today || e->definition->getFlag() != 0)) {
            if (!switchSeen) usage::switchGroupOpen(out);
            switchSeen = true;
            entry(e->definition, out);
        }
    }
    if (switchSeen) usage::switchGroupClose(out);
    for (ParamListElement* e = firstElement; today && e != nullptr; e = e->next) {
        CParamDef* d = e->definition;
        if (d->optional() && !d->skipAfter() && d->getFlag() == 0) usage::keywordSwitchEntry(out, false, d->getKeyword());
    }
    // Group 3: optional parameters with a keyword that take a value.
    for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
        CParamDef* d = e->definition;
        if (d->optional() && d->skipAfter() && d->myKWless_param(-1)) entry(d, out);
    }
    usage::reservedOptions(out);
    // Group 4: positional parameters by position; a list at its own position only.
    for (int position = 1; position <= kwlessCount; ++position) {
        for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
            CParamDef* d = e->definition;
            if (d->myKWless_param(position) && (!d->isList() || d->kwlessPosition == position)) entry(d, out);
        }
    }
    usage::synopsisEnd(out);

    for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
        if (!e->definition->optional()) block(e->definition, out);
    }
    for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
        if (e->definition->optional()) block(e->definition, out);
    }
    usage::fixedDescriptions(out);
    if ((conventions & (HELP_ON_STDOUT | RETURN_PROBLEMS)) == 0) param_detail::endProcess(-1);
}
