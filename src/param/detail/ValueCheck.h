// What a value must keep to beyond its type: a range of values or a list of words.
#ifndef PARAM_DETAIL_VALUECHECK_H
#define PARAM_DETAIL_VALUECHECK_H

#include <memory>
#include <string>
#include <vector>

#include "ParamValue.h"

namespace param_detail {

class ValueCheck {
public:
    virtual ~ValueCheck() = default;
    // value points to a value of the checked definition's type (a std::string for words).
    virtual bool admits(const void* value) const = 0;
    // Empty when the check admits value, else what the value should be, completing "It ..." in a
    // message: "should be an integer from 1 to 9". May throw std::bad_alloc.
    virtual std::string refusal(const void* value) const { return admits(value) ? std::string() : expected; }
    // A word as text; a range admits no text.
    virtual bool admitsText(const char*) const { return false; }
    // "from 1 to 100000", "one of count, alpha": shown beside the description.
    const char* summary() const { return brief.c_str(); }
    // "should be an integer from 1 to 100000": what a refused value should have been.
    const char* expectation() const { return expected.c_str(); }
    // The allowed words of a list of choices; null for a range.
    virtual const std::vector<std::string>* words() const { return nullptr; }

    // A further check a value must pass too; null for none.
    std::unique_ptr<ValueCheck> next;

protected:
    std::string brief;
    std::string expected;
};

// The values of ops' type from lower to upper, given as texts read strictly (either may be null: no
// limit on that side); null when the type takes no range, a limit is no value of it, lower lies above
// upper, or memory runs out.
std::unique_ptr<ValueCheck> makeRange(const ValueOps& ops, const char* lower, const char* upper);

// The given words, compared exactly; null when there are none or memory runs out.
std::unique_ptr<ValueCheck> makeChoices(const std::vector<std::string>& words);

// The same from values of ops' type (either limit may be null); null when memory runs out.
std::unique_ptr<ValueCheck> makeRangeOf(const ValueOps& ops, const void* lower, const void* upper);
std::unique_ptr<ValueCheck> makeChoicesOf(const ValueOps& ops, const void* const* values, std::size_t count);

}  // namespace param_detail

#endif
