// CParamDef: the base of every definition, and the generic definition.
#include "ParamDef.h"

#include <cstring>
#include <iostream>

#include "Param.h"
#include "detail/Memory.h"
#include "detail/ProcessEnd.h"
#include "detail/Texts.h"
#include "detail/ValueCheck.h"

namespace usage = param_detail::text::usage;

namespace {

// Why the latest refused token of this thread was refused (a CParamDef::Refusal).
thread_local unsigned char latestRefusal = 0;

}  // namespace
using param_detail::copyTextOrStop;

CParamDef::CParamDef(const char* keyword_, char flag_, types type_, const char* partypeName_,
                     const char* description_, const char* errordesc_, bool optional_,
                     int kwlessPosition_)
    : satisfied(optional_),
      optionalParam(optional_),
      keyword(copyTextOrStop(keyword_, "keyword")),
      flag(flag_),
      type(type_),
      partypeName(partypeName_ != nullptr ? partypeName_ : ""),
      description(copyTextOrStop(description_, "description")),
      errordesc(copyTextOrStop(errordesc_, "errordesc")),
      kwlessPosition(kwlessPosition_),
      source(nullptr) {}

CParamDef::~CParamDef() = default;

int CParamDef::dealWith(char* value, char* valueSource) {
    noteRefusal(REFUSED_AS_ERRORDESC);
    if (getVarFromToken(value) == 0) return refuseValue(value);
    markSatisfied(valueSource);
    return 1;
}

bool CParamDef::follows(unsigned convention) const {
    return owner != nullptr && (owner->GetConventions() & convention) != 0;
}

const char* CParamDef::expectation() const {
    switch (static_cast<Refusal>(latestRefusal)) {
    case REFUSED_BY_CHECK: return check->expectation();
    case REFUSED_COPY: return param_detail::text::copyFailed();
    case REFUSED_SWITCH_WORD: return param_detail::text::switchExpectation();
    default: return errordesc.get();
    }
}

bool CParamDef::admits(const void* value) {
    if (!check || check->admits(value)) return true;
    noteRefusal(REFUSED_BY_CHECK);
    return false;
}

bool CParamDef::admitsText(const char* text) {
    if (!check) return true;
    std::string word;
    if (!param_detail::tryAllocating([&] { word = text; })) {
        noteRefusal(REFUSED_COPY);
        return false;
    }
    return admits(&word);
}

int CParamDef::keepCheck(std::unique_ptr<param_detail::ValueCheck> made) {
    if (!made) return 0;
    check = std::move(made);
    return 1;
}

int CParamDef::setRange(const char*, const char*) { return 0; }

int CParamDef::setChoices(const std::vector<std::string>&) { return 0; }

bool CParamDef::isList() { return false; }

void CParamDef::markSatisfied(char* valueSource) {
    satisfied = true;
    source = valueSource;
}

void CParamDef::noteRefusal(Refusal why) { latestRefusal = why; }

// Only the set knows where the value it hands on comes from.
ParamOrigin CParamDef::originNow() const {
    return owner != nullptr ? owner->handing : ParamOrigin{nullptr, 0, ParamOrigin::COMMAND_LINE};
}

int CParamDef::getValueTexts(std::vector<std::string>&, std::vector<ParamOrigin>&) { return 0; }

int CParamDef::refuseValue(const char* value) {
    if (follows(CParam::RETURN_PROBLEMS)) return 0;
    param_detail::text::refusedValue(value != nullptr ? value : "", expectation());
    param_detail::endProcess(-1);
}

int CParamDef::refuseCopy() {
    noteRefusal(REFUSED_COPY);
    if (follows(CParam::RETURN_PROBLEMS)) return 0;
    param_detail::text::stringAllocationFailed();
    param_detail::endProcess(-1);
}

void CParamDef::usageInfo() {
    const bool obligatory = !optional();
    if (!no_keyword() && flag == 0) {
        // Keyword only: by default its block alone shows it.
        if (!follows(CParam::HELP_ON_STDOUT)) return;
        usage::keywordEntryOpen(obligatory, keyword.get());
        writeDataType();
        usage::entryClose(obligatory);
        return;
    }
    usage::entryOpen(obligatory, no_keyword() ? 0 : flag);
    writeDataType();
    usage::entryClose(obligatory);
}

void CParamDef::writeDescHead() {
    usage::blockStart();
    if (no_keyword()) {
        writeDataType();
        return;
    }
    if (flag != 0) {
        usage::flagBeforeValueName(flag);
        writeDataType();
        usage::afterFlagValueName();
    }
    usage::keywordBeforeValueName(keyword.get());
    writeDataType();
}

void CParamDef::writeDesc() {
    writeDescHead();
    usage::description(description.get());
    if (check) usage::constraint(check->summary());
    if (isList()) usage::listNote(no_keyword());
    if (optional()) {
        usage::defaultLabel();
        writeDefault();
    } else {
        usage::mustBeGiven();
    }
    if (no_keyword()) usage::keywordInFile(keyword.get());
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
