// The usage screen: a synopsis line in four groups, a description block for
// every definition (obligatory ones first) and the fixed texts.
#include "Param.h"
#include "detail/ProcessEnd.h"
#include "detail/Texts.h"

namespace usage = param_detail::text::usage;

void CParam::usageInfo(const char* name) {
    usage::synopsisStart(name != nullptr ? name : "");

    // Group 1: obligatory parameters with a keyword (switches included).
    for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
        if (!e->definition->optional() && e->definition->myKWless_param(-1)) {
            e->definition->usageInfo();
        }
    }
    // Group 2: optional switches, their letters gathered in one bracket.
    bool switchSeen = false;
    for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
        if (e->definition->optional() && !e->definition->skipAfter()) {
            if (!switchSeen) usage::switchGroupOpen();
            switchSeen = true;
            e->definition->usageInfo();
        }
    }
    if (switchSeen) usage::switchGroupClose();
    // Group 3: optional parameters with a keyword that take a value.
    for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
        CParamDef* d = e->definition;
        if (d->optional() && d->skipAfter() && d->myKWless_param(-1)) d->usageInfo();
    }
    usage::reservedOptions();
    // Group 4: positional parameters by position.
    for (int position = 1; position <= kwlessCount; ++position) {
        for (ParamListElement* e = firstElement; e != nullptr; e = e->next) {
            if (e->definition->myKWless_param(position)) e->definition->usageInfo();
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
    param_detail::endProcess(-1);
}
