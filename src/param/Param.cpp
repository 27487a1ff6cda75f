// CParam as a registry: construction, destruction, registration with its
// name checks, the check of the positional parameters, lookups, listing and
// the problem reports.
#include "Param.h"

#include <cstring>
#include <iostream>

#include "detail/Environment.h"
#include "detail/Memory.h"
#include "detail/Registry.h"
#include "detail/ProcessEnd.h"
#include "detail/Texts.h"

namespace text = param_detail::text;

CParam::CParam()
    : definitionCount(0),
      firstElement(nullptr),
      lastElement(nullptr),
      paramFileList(nullptr),
      programName(nullptr),
      kwlessCount(0) {}

ParamOrigin CParam::getOriginFromKey(const char* keyword) {
    const ParamListElement* element = keyword != nullptr ? elementWithKeyword(keyword) : nullptr;
    return element != nullptr ? element->origin : ParamOrigin{};
}

CParam::~CParam() {
    for (ParamListElement* element = firstElement; element != nullptr; element = element->next) {
        delete element->definition;
    }
    while (paramFileList != nullptr) {
        ParamFileElement* element = paramFileList;
        paramFileList = element->next;
        delete[] element->fileName;
        delete element;
    }
}

// ---------------------------------------------------------------------------
// Registration

int CParam::AddParamDef(CParamDef* definition) {
    if (definition == nullptr) return 0;
    char flagFinding = 0;
    if (definition->understands('h')) {
        flagFinding = 'h';
    } else if (definition->understands('f')) {
        flagFinding = 'f';
    }
    // A flag or keyword that no command line or parameter file could give, or would read as
    // something else.
    const char* flagWhy = text::unusableFlag(definition->flag);
    if (flagWhy != nullptr) flagFinding = definition->flag;
    const char* keywordFinding = nullptr;
    const char* keyword = definition->keyword.get();
    // The first letter spares most keywords both comparisons.
    if (keyword[0] == 'h' && definition->understands("help")) {
        keywordFinding = "help";
    } else if (keyword[0] == 'P' && definition->understands("ParameterFile")) {
        keywordFinding = "ParameterFile";
    }
    const char* keywordWhy = text::unusableKeyword(keyword);
    if (keywordWhy != nullptr) keywordFinding = keyword;
    if (elementWithFlag(definition->flag) != nullptr) flagFinding = definition->flag;
    const std::size_t hash = param_detail::NameIndex::hashOf(keyword);
    if (registry && registry->names.withKeyword(keyword, hash) != nullptr) keywordFinding = keyword;

    if (flagFinding != 0) {
        const char flagText[2] = {flagFinding, '\0'};
        text::registrationWarning("flag", flagText, flagWhy);
        return 0;
    }
    if (keywordFinding != nullptr) {
        text::registrationWarning("keyword", keywordFinding, keywordWhy);
        return 0;
    }
    return enlist(definition, definition->flag, hash) != nullptr ? 1 : 0;
}

ParamListElement* CParam::adopt(CParamDef* definition) {
    ParamListElement* element = enlist(definition, 0, param_detail::NameIndex::hashOf(definition->keyword.get()));
    if (element == nullptr) delete definition;
    return element;
}

ParamListElement* CParam::enlist(CParamDef* definition, char flag, std::size_t keywordHash) {
    if (!registry) registry.reset(param_detail::tryNew<param_detail::Registry>());
    ParamListElement* element = registry ? registry->elements.take(definition) : nullptr;
    if (element == nullptr) return nullptr;
    if (!registry->names.add(element, flag, keywordHash)) {
        registry->elements.giveBackLast();
        return nullptr;
    }
    if (definitionCount == 0) {
        firstElement = element;
    } else {
        lastElement->next = element;
    }
    lastElement = element;
    ++definitionCount;
    definition->owner = this;
    return element;
}

template <typename Definition, typename Var, typename Default>
int CParam::addTyped(const char* keyword, char flag, Var* var, Default defaultValue,
                     const char* description, bool optional, const char* partypeName,
                     int kwlessPosition) {
    return registerOrDestroy(param_detail::tryNew<Definition>(
        keyword, flag, var, defaultValue, partypeName, description, optional, kwlessPosition));
}

// The overloads' definitions belong to nobody else: a refused one goes at
// once (its constructor has already stored the default into the variable).
int CParam::registerOrDestroy(CParamDef* definition) {
    const int result = AddParamDef(definition);
    if (result == 0) delete definition;
    return result;
}

#define PARAM_TYPED_OVERLOAD(Definition, Var, Default)                                        \
    int CParam::AddParamDef(const char* keyword, char flag, Var* var, Default defaultValue,    \
                            const char* description, bool optional, const char* partypeName, \
                            int kwlessPosition) {                                             \
        return addTyped<Definition>(keyword, flag, var, defaultValue, description, optional,  \
                                    partypeName, kwlessPosition);                             \
    }
#define PARAM_SCALAR_OVERLOAD(T) PARAM_TYPED_OVERLOAD(CScalarParamDef<T>, T, T)

PARAM_SCALAR_TYPES(PARAM_SCALAR_OVERLOAD)
PARAM_TYPED_OVERLOAD(CStringParamDef, char*, const char*)
PARAM_TYPED_OVERLOAD(CBoolParamDef, bool, bool)
PARAM_TYPED_OVERLOAD(CStdStringParamDef, std::string, const char*)

#undef PARAM_SCALAR_OVERLOAD
#undef PARAM_TYPED_OVERLOAD

int CParam::SetRange(const char* keyword, const char* lower, const char* upper) {
    CParamDef* definition = keyword != nullptr ? definitionWithKeyword(keyword) : nullptr;
    return definition != nullptr ? definition->setRange(lower, upper) : 0;
}

int CParam::SetChoices(const char* keyword, const std::vector<std::string>& choices) {
    CParamDef* definition = keyword != nullptr ? definitionWithKeyword(keyword) : nullptr;
    return definition != nullptr ? definition->setChoices(choices) : 0;
}

int CParam::AddParamDef(const char* keyword, char flag, types type, const char* description,
                        const char* errordesc, bool optional, const char* partypeName,
                        int kwlessPosition) {
    return registerOrDestroy(param_detail::tryNew<CParamDef>(
        keyword, flag, type, partypeName, description, errordesc, optional, kwlessPosition));
}

// ---------------------------------------------------------------------------
// Finding definitions

ParamListElement* CParam::elementWithKeyword(const char* keyword) const {
    return registry ? registry->names.withKeyword(keyword) : nullptr;
}

ParamListElement* CParam::elementWithFlag(char letter) const {
    return registry ? registry->names.withFlag(letter) : nullptr;
}

CParamDef* CParam::definitionWithKeyword(const char* keyword) const {
    const ParamListElement* element = elementWithKeyword(keyword);
    return element != nullptr ? element->definition : nullptr;
}

void* CParam::getValueFromKey(const char* keyword) {
    CParamDef* definition = keyword != nullptr ? definitionWithKeyword(keyword) : nullptr;
    return definition != nullptr ? definition->getValue() : nullptr;
}

const char* CParam::getSourceFromKey(const char* keyword) {
    CParamDef* definition = keyword != nullptr ? definitionWithKeyword(keyword) : nullptr;
    return definition != nullptr ? definition->getSource() : nullptr;
}

// ---------------------------------------------------------------------------
// Check of the positional parameters

bool CParam::CheckParameters() {
    kwlessCount = 0;
    int restFrom = 0;  // the position of the first list that takes the rest of the words
    for (ParamListElement* element = firstElement; element != nullptr; element = element->next) {
        CParamDef* definition = element->definition;
        if (!definition->no_keyword()) continue;
        ++kwlessCount;
        const int position = definition->kwlessPosition;
        if (definition->isList() && position > 0 && (restFrom == 0 || position < restFrom)) restFrom = position;
    }
    bool result = true;
    for (ParamListElement* element = firstElement; restFrom > 0 && element != nullptr; element = element->next) {
        CParamDef* definition = element->definition;
        if (definition->no_keyword() && definition->kwlessPosition > restFrom) {
            text::behindRestListWarning(definition->getPartypeName());
            result = false;
        }
    }
    bool optionalSeen = false;  // over the whole check, not per position
    for (int position = 1; position <= kwlessCount; ++position) {
        int users = 0;
        for (ParamListElement* element = firstElement; element != nullptr;
             element = element->next) {
            CParamDef* definition = element->definition;
            // A list counts at its own position only, though it takes every later word too.
            if (!definition->myKWless_param(position) ||
                (definition->isList() && definition->kwlessPosition != position)) {
                continue;
            }
            ++users;
            if (definition->optional()) {
                optionalSeen = true;
            } else if (optionalSeen) {
                text::obligatoryBehindOptionalWarning(definition->getPartypeName());
                result = false;
            }
        }
        if (users != 1) {
            text::positionUseWarning(position, users);
            result = false;
        }
    }
    return result;
}

// ---------------------------------------------------------------------------
// Listing and problem reports

void CParam::Display(std::ostream& out) const {
    for (ParamListElement* element = firstElement; element != nullptr; element = element->next) {
        if (element->definition == nullptr) {
            param_detail::failAssertion("currentListElement->definition");
        }
        element->definition->display(out);
    }
}

int CParam::showError(int problem, const char* subject, const char* detail) {
    text::Problem report{problem, subject, detail};
    report.visible = (GetConventions() & RETURN_PROBLEMS) != 0;
    text::problem(report, programName, std::cerr);
    return problem;
}

void CParam::SetConventions(unsigned newConventions) { conventions = newConventions; }


