// CParam as a registry: construction, destruction, registration with its
// name checks, the check of the positional parameters, lookups and listing.
#include "Param.h"

#include <cstring>
#include <iostream>
#include <new>

#include "ProcessEnd.h"

namespace {

const char* const kBeware = "          BEWARE OF UNPREDICTIBLE BEHAVIOUR!";

}  // namespace

CParam::CParam()
    : definitionCount(0),
      firstElement(nullptr),
      lastElement(nullptr),
      paramFileList(nullptr),
      programName(nullptr),
      kwlessCount(0),
      flagTable{} {}

CParam::~CParam() {
    for (ParamListElement* element = firstElement; element != nullptr;) {
        ParamListElement* next = element->next;
        delete element->definition;
        delete element;
        element = next;
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
    char flagFinding = 0;
    if (definition->understands('h')) {
        flagFinding = 'h';
    } else if (definition->understands('f')) {
        flagFinding = 'f';
    }
    const char* keywordFinding = nullptr;
    if (definition->understands("help")) {
        keywordFinding = "help";
    } else if (definition->understands("ParameterFile")) {
        keywordFinding = "ParameterFile";
    }
    if (definitionWithFlag(definition->flag) != nullptr) flagFinding = definition->flag;
    if (definitionWithKeyword(definition->keyword.get()) != nullptr) {
        keywordFinding = definition->keyword.get();
    }

    if (flagFinding != 0) {
        const char flagText[2] = {flagFinding, '\0'};
        warnReservedName("flag", flagText);
        return 0;
    }
    if (keywordFinding != nullptr) {
        warnReservedName("keyword", keywordFinding);
        return 0;
    }
    auto* element = new (std::nothrow) ParamListElement{nullptr, definition};
    if (element == nullptr) return 0;
    if (definitionCount == 0) {
        firstElement = element;
    } else {
        lastElement->next = element;
    }
    lastElement = element;
    ++definitionCount;
    appendDefinition(definition);
    return 1;
}

void CParam::appendDefinition(CParamDef* definition) {
    keywordIndex.emplace(definition->keyword.get(), definition);
    if (definition->flag != 0) {
        flagTable[static_cast<unsigned char>(definition->flag)] = definition;
    }
}

void CParam::warnReservedName(const char* what, const char* name) {
    std::cerr << std::endl
              << "CParam.AddParamDef :" << std::endl
              << " Internal warning: the " << what << " '" << name
              << "' is reserved for special purposes or has" << std::endl
              << " been used for another parameter." << std::endl
              << " It should not be redefined." << std::endl
              << kBeware << std::endl
              << std::endl;
}

template <typename Definition, typename Var, typename Default>
int CParam::addTyped(const char* keyword, char flag, Var* var, Default defaultValue,
                     const char* description, bool optional, const char* partypeName,
                     int kwlessPosition) {
    auto* definition = new Definition(keyword, flag, var, defaultValue, partypeName, description,
                                      optional, kwlessPosition);
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

PARAM_TYPED_OVERLOAD(CCharParamDef, char, char)
PARAM_TYPED_OVERLOAD(CIntParamDef, int, int)
PARAM_TYPED_OVERLOAD(CUnsignedintParamDef, unsigned int, unsigned int)
PARAM_TYPED_OVERLOAD(CShortintParamDef, short, short)
PARAM_TYPED_OVERLOAD(CUnsignedshortParamDef, unsigned short, unsigned short)
PARAM_TYPED_OVERLOAD(CLongintParamDef, long, long)
PARAM_TYPED_OVERLOAD(CUnsignedlongParamDef, unsigned long, unsigned long)
PARAM_TYPED_OVERLOAD(CStringParamDef, char*, const char*)
PARAM_TYPED_OVERLOAD(CDoubleParamDef, double, double)
PARAM_TYPED_OVERLOAD(CFloatParamDef, float, float)
PARAM_TYPED_OVERLOAD(CBoolParamDef, bool, bool)

#undef PARAM_TYPED_OVERLOAD

int CParam::AddParamDef(const char* keyword, char flag, types type, const char* description,
                        const char* errordesc, bool optional, const char* partypeName,
                        int kwlessPosition) {
    auto* definition = new CParamDef(keyword, flag, type, partypeName, description, errordesc,
                                     optional, kwlessPosition);
    const int result = AddParamDef(definition);
    if (result == 0) delete definition;
    return result;
}

CParamDef* CParam::definitionWithKeyword(const char* keyword) const {
    const auto found = keywordIndex.find(keyword);
    return found == keywordIndex.end() ? nullptr : found->second;
}

CParamDef* CParam::definitionWithFlag(char letter) const {
    return letter == 0 ? nullptr : flagTable[static_cast<unsigned char>(letter)];
}

// Positions are asked of every definition in registration order, since a
// host's subclass may answer myKWless_param in its own way.
CParamDef* CParam::positionalDefinition(int position) const {
    for (ParamListElement* element = firstElement; element != nullptr; element = element->next) {
        if (element->definition->myKWless_param(position)) return element->definition;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------
// Check of the positional parameters

bool CParam::CheckParameters() {
    kwlessCount = 0;
    for (ParamListElement* element = firstElement; element != nullptr; element = element->next) {
        if (element->definition->no_keyword()) ++kwlessCount;
    }
    bool result = true;
    bool optionalSeen = false;  // over the whole check, not per position
    for (int position = 1; position <= kwlessCount; ++position) {
        int users = 0;
        for (ParamListElement* element = firstElement; element != nullptr;
             element = element->next) {
            CParamDef* definition = element->definition;
            if (!definition->myKWless_param(position)) continue;
            ++users;
            if (definition->optional()) {
                optionalSeen = true;
            } else if (optionalSeen) {
                warnObligatoryBehindOptional(definition);
                result = false;
            }
        }
        if (users != 1) {
            warnPositionUse(position, users);
            result = false;
        }
    }
    return result;
}

void CParam::warnObligatoryBehindOptional(CParamDef* definition) {
    std::cerr << std::endl
              << "CParam::CheckParameters():" << std::endl
              << "Internal warning: An obligatory kwdless parameter ("
              << definition->getPartypeName() << ") is located  " << std::endl
              << "behind an optional one." << std::endl
              << kBeware << std::endl
              << std::endl;
}

void CParam::warnPositionUse(int position, int users) {
    std::cerr << std::endl
              << "CParam::CheckParameters():" << std::endl
              << "Internal Warning: Position nr. " << position << " for keyword-less parameters";
    if (users == 0) {
        std::cerr << std::endl << "is not used by any parameter.";
    } else {
        std::cerr << std::endl << "is used by " << users << " parameters." << std::endl;
    }
    std::cerr << std::endl << kBeware << std::endl << std::endl;
}

// ---------------------------------------------------------------------------
// Lookups and listing

void* CParam::getValueFromKey(const char* keyword) {
    for (ParamListElement* element = firstElement; element != nullptr; element = element->next) {
        if (std::strcmp(keyword, element->definition->getKeyword()) == 0) {
            return element->definition->getValue();
        }
    }
    return nullptr;
}

const char* CParam::getSourceFromKey(const char* keyword) {
    for (ParamListElement* element = firstElement; element != nullptr; element = element->next) {
        if (std::strcmp(keyword, element->definition->getKeyword()) == 0) {
            return element->definition->getSource();
        }
    }
    return nullptr;
}

void CParam::Display(std::ostream& out) const {
    for (ParamListElement* element = firstElement; element != nullptr; element = element->next) {
        if (element->definition == nullptr) {
            param_internal::failAssertion("currentListElement->definition");
        }
        element->definition->display(out);
    }
}
