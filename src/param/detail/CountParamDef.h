// A count of mentions (-vvv), the definition behind param::Counter.
#ifndef PARAM_DETAIL_COUNTPARAMDEF_H
#define PARAM_DETAIL_COUNTPARAMDEF_H

#include "ParamDef.h"

namespace param_detail {

// Each mention without a value adds one; a value (--verbose=2, a file line, a variable) sets the count.
// Mentions add up within a source; a later source starts the count afresh.
class CountParamDef : public CParamDef {
public:
    CountParamDef(const char* keyword, int* var, int defaultValue, const char* description, bool optional);

    int dealWith(char* value, char* source) override;
    bool skipAfter() override;  // false: named alone, it counts
    void* getValue() override;
    void display(std::ostream& out) const override;
    int getValueTexts(std::vector<std::string>& texts, std::vector<ParamOrigin>& origins) override;
    std::string refusalOf(const char* value) override;
    bool readsBack(const char* text, std::size_t index) override;
    bool holdsDefault() override;
    void writeDefaultValue(std::ostream& out) override;
    void startOver(bool toDefault) override;
    bool gathers() override;

private:
    int* var;
    int defaultValue;
    bool counting = false;  // false: the next value starts the count afresh
};

}  // namespace param_detail

#endif
