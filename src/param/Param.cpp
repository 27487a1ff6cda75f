// CParam as a registry: construction, destruction, registration with its
// name checks, the check of the positional parameters, lookups and listing.
#include "Param.h"

#include <cstdint>
#include <cstring>
#include <iostream>
#include <new>

#include "ProcessEnd.h"

namespace {

const char* const kBeware = "          BEWARE OF UNPREDICTIBLE BEHAVIOUR!";

// FNV-1a over the keyword's bytes, with the high half folded into the low
// bits, which choose the slot.
std::size_t keywordHash(const char* keyword) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (auto* byte = reinterpret_cast<const unsigned char*>(keyword); *byte != 0; ++byte) {
        hash = (hash ^ *byte) * 1099511628211ULL;
    }
    return static_cast<std::size_t>(hash ^ (hash >> 32));
}

}  // namespace

struct CParam::ElementBlock {
    static constexpr std::size_t kCapacity = 16;
    std::unique_ptr<ElementBlock> older;
    std::size_t used = 0;
    ParamListElement elements[kCapacity];
};

CParam::CParam()
    : definitionCount(0),
      firstElement(nullptr),
      lastElement(nullptr),
      paramFileList(nullptr),
      programName(nullptr),
      kwlessCount(0) {}

CParam::~CParam() {
    for (ParamListElement* element = firstElement; element != nullptr; element = element->next) {
        delete element->definition;
    }
    // One block at a time, so that a long chain does not recurse.
    while (elementBlocks) elementBlocks = std::move(elementBlocks->older);
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
    const char* keywordFinding = nullptr;
    // The first letter spares most keywords both comparisons.
    const char first = definition->keyword[0];
    if (first == 'h' && definition->understands("help")) {
        keywordFinding = "help";
    } else if (first == 'P' && definition->understands("ParameterFile")) {
        keywordFinding = "ParameterFile";
    }
    if (definitionWithFlag(definition->flag) != nullptr) flagFinding = definition->flag;
    const std::size_t hash = keywordHash(definition->keyword.get());
    if (findKeyword(definition->keyword.get(), hash) != nullptr) {
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
    // Room in the index first, so that running out of memory leaves the list
    // and the index as they were.
    if (!keywordIndexHasRoom()) return 0;
    ParamListElement* element = newElement(definition);
    if (element == nullptr) return 0;
    if (definitionCount == 0) {
        firstElement = element;
    } else {
        lastElement->next = element;
    }
    lastElement = element;
    ++definitionCount;
    appendDefinition(definition, hash);
    return 1;
}

ParamListElement* CParam::newElement(CParamDef* definition) {
    if (!elementBlocks || elementBlocks->used == ElementBlock::kCapacity) {
        std::unique_ptr<ElementBlock> block(new (std::nothrow) ElementBlock);
        if (!block) return nullptr;
        block->older = std::move(elementBlocks);
        elementBlocks = std::move(block);
    }
    ParamListElement* element = &elementBlocks->elements[elementBlocks->used++];
    *element = {nullptr, definition};
    return element;
}

void CParam::appendDefinition(CParamDef* definition, std::size_t keywordHash) {
    placeKeyword({keywordHash, definition});
    ++keywordsIndexed;
    if (definition->flag != 0) {
        const auto letter = static_cast<unsigned char>(definition->flag);
        flagTable[letter] = definition;
        flagsUsed.set(letter);
    }
}

bool CParam::keywordIndexHasRoom() {
    if ((keywordsIndexed + 1) * 2 <= keywordSlots.size()) return true;
    try {
        growKeywordIndex();
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void CParam::growKeywordIndex() {
    std::vector<KeywordSlot> slots(keywordSlots.empty() ? 16 : keywordSlots.size() * 2);
    slots.swap(keywordSlots);
    for (const KeywordSlot& slot : slots) {
        if (slot.definition != nullptr) placeKeyword(slot);
    }
}

void CParam::placeKeyword(const KeywordSlot& slot) {
    const std::size_t mask = keywordSlots.size() - 1;
    std::size_t index = slot.hash & mask;
    while (keywordSlots[index].definition != nullptr) index = (index + 1) & mask;
    keywordSlots[index] = slot;
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
    return registerOrDestroy(new Definition(keyword, flag, var, defaultValue, partypeName,
                                            description, optional, kwlessPosition));
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
    return registerOrDestroy(new CParamDef(keyword, flag, type, partypeName, description,
                                           errordesc, optional, kwlessPosition));
}

CParamDef* CParam::definitionWithKeyword(const char* keyword) const {
    return findKeyword(keyword, keywordHash(keyword));
}

CParamDef* CParam::findKeyword(const char* keyword, std::size_t hash) const {
    if (keywordSlots.empty()) return nullptr;
    const std::size_t mask = keywordSlots.size() - 1;
    for (std::size_t index = hash & mask; keywordSlots[index].definition != nullptr;
         index = (index + 1) & mask) {
        const KeywordSlot& slot = keywordSlots[index];
        if (slot.hash == hash && std::strcmp(slot.definition->keyword.get(), keyword) == 0) {
            return slot.definition;
        }
    }
    return nullptr;
}

CParamDef* CParam::definitionWithFlag(char letter) const {
    const auto index = static_cast<unsigned char>(letter);
    return letter != 0 && flagsUsed.test(index) ? flagTable[index] : nullptr;
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
    if (keyword == nullptr) return nullptr;
    for (ParamListElement* element = firstElement; element != nullptr; element = element->next) {
        if (std::strcmp(keyword, element->definition->getKeyword()) == 0) {
            return element->definition->getValue();
        }
    }
    return nullptr;
}

const char* CParam::getSourceFromKey(const char* keyword) {
    if (keyword == nullptr) return nullptr;
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
