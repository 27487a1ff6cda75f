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

CParamDef::CParamDef(const char* keyword_, char flag_, types type_, const char* partypeName_, const char* description_,
                     const param_detail::ValueOps& ops, bool optional_, int kwlessPosition_)
    : satisfied(optional_),
      optionalParam(optional_),
      keyword(copyTextOrStop(keyword_, "keyword")),
      flag(flag_),
      type(type_),
      partypeName(partypeName_ != nullptr ? partypeName_ : ""),
      description(description_ != nullptr ? copyTextOrStop(description_, "description") : nullptr),
      errordesc(param_detail::joinTextsOrStop(param_detail::text::shouldBe(), ops.name, "errordesc")),
      kwlessPosition(kwlessPosition_),
      source(nullptr),
      valueType(&ops) {}

CParamDef::~CParamDef() = default;

int CParamDef::dealWith(char* value, char* valueSource) {
    if (getVarFromToken(value) == 0) return refuseValue(value);
    markSatisfied(valueSource);
    return 1;
}

bool CParamDef::follows(unsigned convention) const {
    return owner != nullptr && (owner->GetConventions() & convention) != 0;
}

std::string CParamDef::refusalOf(const char* value) {
    return value == nullptr || *value == '\0' ? errordesc.get() : "";
}

std::string CParamDef::checked(const void* value) const {
    for (const param_detail::ValueCheck* c = check.get(); c != nullptr; c = c->next.get()) {
        std::string refusal = c->refusal(value);
        if (!refusal.empty()) return refusal;
    }
    return {};
}

const char* CParamDef::checkedText(const char* text) const {
    for (const param_detail::ValueCheck* c = check.get(); c != nullptr; c = c->next.get()) {
        if (!c->admitsText(text)) return c->expectation();
    }
    return nullptr;
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

void CParamDef::startOver(bool) {}

std::string CParamDef::refusalFor(const char* text, void* value) const {
    if (!valueType->read(text, value, follows(CParam::STRICT_VALUES))) return errordesc.get();
    return checked(value);
}

bool CParamDef::gathers() { return isList(); }

int CParamDef::keepRange(const char* lower, const char* upper) {
    return keepCheck(param_detail::makeRange(*valueType, lower, upper));
}

int CParamDef::setChoicesOfWords(const std::vector<std::string>& words) { return keepCheck(param_detail::makeChoices(words)); }

void CParamDef::writeListEntry(std::ostream& out) {
    CParamDef::writeSynopsisEntry(out);
    if (no_keyword()) usage::repeated(out);
}

void CParamDef::addValueText(const void* value, std::vector<std::string>& texts) const {
    std::string text;
    if (!valueType->write(value, text, follows(CParam::STRICT_VALUES))) text.clear();  // the empty text is never written
    texts.push_back(std::move(text));
}

void CParamDef::showValues(std::ostream& out, const void* (*at)(const void*, std::size_t), const void* values,
                           std::size_t count) const {
    if (values == nullptr) stop("var");
    out << keyword.get() << "=";
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) out << ",";
        valueType->show(out, at != nullptr ? at(values, i) : values);
    }
    out << std::endl;
}

void CParamDef::showElements(std::ostream& out, const void* (*at)(const void*, std::size_t), const void* values,
                             std::size_t count) const {
    if (count == 0) usage::noElements(out);
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) out << ", ";
        valueType->show(out, at(values, i));
    }
}

void CParamDef::stop(const char* what) { param_detail::failAssertion(what); }

int CParamDef::getValueTexts(std::vector<std::string>&, std::vector<ParamOrigin>&) { return 0; }

bool CParamDef::readsBack(const char*, std::size_t) { return false; }

bool CParamDef::holdsDefault() { return true; }

int CParamDef::refuseValue(const char* value) {
    if (follows(CParam::RETURN_PROBLEMS)) return 0;
    std::string why;
    param_detail::tryAllocating([&] { why = refusalOf(value); });
    // Empty when a subclass refused what the conversion would take, or memory ran out.
    param_detail::text::refusedValue(value != nullptr ? value : "", why.empty() ? errordesc.get() : why.c_str());
    param_detail::endProcess(-1);
}

int CParamDef::refuseCopy() {
    if (follows(CParam::RETURN_PROBLEMS)) return 0;
    param_detail::text::stringAllocationFailed();
    param_detail::endProcess(-1);
}

void CParamDef::usageInfo() { writeSynopsisEntry(std::cerr); }

void CParamDef::writeSynopsisEntry(std::ostream& out) {
    const bool obligatory = !optional();
    if (!no_keyword() && flag == 0) {
        // Keyword only: by default its block alone shows it.
        if (!follows(CParam::HELP_ON_STDOUT)) return;
        usage::keywordEntryOpen(out, obligatory, keyword.get());
        valueNameTo(out);
        usage::entryClose(out, obligatory);
        return;
    }
    usage::entryOpen(out, obligatory, no_keyword() ? 0 : flag);
    valueNameTo(out);
    usage::entryClose(out, obligatory);
}

void CParamDef::valueNameTo(std::ostream& out) {
    if (&out == &std::cerr) {
        writeDataType();
    } else {
        writeValueName(out);
    }
}

void CParamDef::defaultTo(std::ostream& out) {
    if (&out == &std::cerr) {
        writeDefault();
    } else {
        writeDefaultValue(out);
    }
}

void CParamDef::writeDescHead(std::ostream& out) {
    usage::blockStart(out);
    if (no_keyword()) {
        valueNameTo(out);
        return;
    }
    if (flag != 0) {
        usage::flagBeforeValueName(out, flag);
        valueNameTo(out);
        usage::afterFlagValueName(out);
    }
    usage::keywordBeforeValueName(out, keyword.get());
    valueNameTo(out);
}

void CParamDef::writeDesc() { writeDescription(std::cerr); }

void CParamDef::writeDescription(std::ostream& out) {
    writeDescHead(out);
    usage::description(out, description ? description.get() : "");
    if (check) {
        usage::constraint(out, check->summary());
    } else if (valueType != nullptr && valueType->names != nullptr) {
        usage::constraint(out, valueType->name);
    }
    if (isList()) usage::listNote(out, no_keyword());
    if (optional()) {
        usage::defaultLabel(out);
        defaultTo(out);
    } else {
        usage::mustBeGiven(out);
    }
    if (no_keyword()) usage::keywordInFile(out, keyword.get());
}

bool CParamDef::skipAfter() { return true; }

void CParamDef::writeDataType() { writeValueName(std::cerr); }

void CParamDef::writeValueName(std::ostream& out) { out << partypeName; }

char* CParamDef::getKeyword() { return keyword.get(); }

// The set never writes through this pointer; the signature is kept so that a
// host's subclass can override it.
char* CParamDef::getPartypeName() { return const_cast<char*>(partypeName); }

bool CParamDef::myKWless_param(int position) { return position == kwlessPosition; }

bool CParamDef::no_keyword() { return kwlessPosition != -1; }

void* CParamDef::getValue() { return nullptr; }

void CParamDef::display(std::ostream&) const {}

int CParamDef::getVarFromToken(char* token) { return (token != nullptr && *token != '\0') ? 1 : 0; }

void CParamDef::writeDefault() { writeDefaultValue(std::cerr); }

void CParamDef::writeDefaultValue(std::ostream&) {}

bool CParamDef::optional() { return optionalParam; }

bool CParamDef::isSatisfied() { return satisfied; }

const char* CParamDef::getSource() const { return source; }

char CParamDef::getFlag() { return flag; }

bool CParamDef::understands(char letter) { return letter != 0 && letter == flag; }

bool CParamDef::understands(const char* text) { return std::strcmp(text, keyword.get()) == 0; }
