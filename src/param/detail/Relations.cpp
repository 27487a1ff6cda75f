// What the new interface checks after the words are read: the required parameters, and the relations
// between parameters (excludes, needs, and groups of which at most, exactly or at least one).
#include <string>
#include <vector>

#include "CommandCore.h"
#include "Texts.h"

namespace param_detail {
namespace {

using param::Command;

bool given(const Declaration& d) { return d.isGiven(); }

std::string givenName(const Declaration& d) { return d.givenName(); }

int broken(Interpretation& run, const std::string& subject, const std::string& message) {
    return run.report(param::PROBLEM_RELATION, subject.c_str(), "", message);
}

int checkGroup(const Group& group, Interpretation& run) {
    std::vector<std::string> members, givenNames;
    for (const param::Parameter* member : group.members) {
        const Declaration& d = CommandCore::declared(*member);
        members.push_back(d.displayName());
        if (given(d)) givenNames.push_back(givenName(d));
    }
    if (givenNames.size() > 1 && group.kind != 2) return broken(run, givenNames[1], text::tooManyOf(members, givenNames));
    if (givenNames.empty() && group.kind != 0) return broken(run, members.front(), text::noneOf(members, group.kind == 1));
    return CParam::OK;
}

}  // namespace

int checkRequired(const CommandCore& core, Interpretation& run) {
    for (const auto& parameter : core.parameters) {
        const Declaration& d = CommandCore::declared(*parameter);
        if (d.required && d.element != nullptr && !given(d)) {
            return run.showError(CParam::PROBLEM_MISSING_PARAMETER, d.displayName().c_str(), "");
        }
    }
    return CParam::OK;
}

int checkRelations(const CommandCore& core, Interpretation& run) {
    for (const auto& parameter : core.parameters) {
        const Declaration& d = CommandCore::declared(*parameter);
        if (!given(d)) continue;
        for (const auto& relation : d.relations) {
            const Declaration& other = CommandCore::declared(*relation.second);
            if (relation.first && given(other)) return broken(run, givenName(other), text::notGivenTogether(givenName(d), givenName(other)));
            if (!relation.first && !given(other)) return broken(run, givenName(d), text::givenWithout(givenName(d), other.displayName()));
        }
    }
    for (const Group& group : core.groups) {
        const int result = checkGroup(group, run);
        if (result != CParam::OK) return result;
    }
    return CParam::OK;
}

}  // namespace param_detail
