#include "ValueCheck.h"

#include <algorithm>
#include <new>

#include "Conversion.h"
#include "Memory.h"
#include "Texts.h"

namespace param_detail {
namespace {

template <typename T>
class Range : public ValueCheck {
public:
    Range(const T* lower, const T* upper, const char* lowerText, const char* upperText, const char* errordesc)
        : hasLower(lower != nullptr), hasUpper(upper != nullptr), lower(lower ? *lower : T{}), upper(upper ? *upper : T{}) {
        brief = text::rangeSummary(lowerText, upperText);
        expected = std::string(errordesc) + " " + brief;
    }
    bool admits(const void* value) const override {
        const T& v = *static_cast<const T*>(value);
        return !(hasLower && v < lower) && !(hasUpper && upper < v);
    }

private:
    bool hasLower, hasUpper;
    T lower, upper;
};

class Choices : public ValueCheck {
public:
    explicit Choices(const std::vector<std::string>& words) : list(words) {
        brief = text::choicesSummary(list);
        expected = std::string("should be ") + brief;
    }
    bool admits(const void* value) const override {
        return std::find(list.begin(), list.end(), *static_cast<const std::string*>(value)) != list.end();
    }
    bool admitsText(const char* text) const override {
        return std::find(list.begin(), list.end(), text) != list.end();
    }
    const std::vector<std::string>* words() const override { return &list; }

private:
    std::vector<std::string> list;
};

}  // namespace

template <typename T>
std::unique_ptr<ValueCheck> makeRange(const char* lower, const char* upper, const char* errordesc) {
    T low{}, high{};
    if (lower == nullptr && upper == nullptr) return nullptr;
    if (lower != nullptr && !convert(lower, low, true)) return nullptr;
    if (upper != nullptr && !convert(upper, high, true)) return nullptr;
    if (lower != nullptr && upper != nullptr && high < low) return nullptr;
    std::unique_ptr<ValueCheck> range;
    tryAllocating([&] { range.reset(new Range<T>(lower ? &low : nullptr, upper ? &high : nullptr, lower, upper, errordesc)); });
    return range;
}

std::unique_ptr<ValueCheck> makeChoices(const std::vector<std::string>& words) {
    std::unique_ptr<ValueCheck> choices;
    if (!words.empty()) tryAllocating([&] { choices.reset(new Choices(words)); });
    return choices;
}

template std::unique_ptr<ValueCheck> makeRange<int>(const char*, const char*, const char*);
template std::unique_ptr<ValueCheck> makeRange<unsigned int>(const char*, const char*, const char*);
template std::unique_ptr<ValueCheck> makeRange<short>(const char*, const char*, const char*);
template std::unique_ptr<ValueCheck> makeRange<unsigned short>(const char*, const char*, const char*);
template std::unique_ptr<ValueCheck> makeRange<long>(const char*, const char*, const char*);
template std::unique_ptr<ValueCheck> makeRange<unsigned long>(const char*, const char*, const char*);
template std::unique_ptr<ValueCheck> makeRange<double>(const char*, const char*, const char*);
template std::unique_ptr<ValueCheck> makeRange<float>(const char*, const char*, const char*);

}  // namespace param_detail
