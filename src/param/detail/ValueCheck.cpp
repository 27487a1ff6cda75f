#include "ValueCheck.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "Memory.h"
#include "Texts.h"

namespace param_detail {
namespace {

// A value of ops' type on the heap, or none.
class Boxed {
public:
    Boxed(const ValueOps& ops, void* value) : ops(ops), value(value) {}
    ~Boxed() {
        if (value != nullptr) ops.destroy(value);
    }
    Boxed(Boxed&& other) noexcept : ops(other.ops), value(other.value) { other.value = nullptr; }
    Boxed& operator=(Boxed&& other) noexcept {
        std::swap(value, other.value);
        return *this;
    }
    Boxed(const Boxed&) = delete;
    Boxed& operator=(const Boxed&) = delete;
    const void* get() const { return value; }

private:
    const ValueOps& ops;
    void* value;
};

class Range : public ValueCheck {
public:
    Range(const ValueOps& ops, Boxed lower, Boxed upper, const char* lowerText, const char* upperText)
        : ops(ops), lower(std::move(lower)), upper(std::move(upper)) {
        brief = text::rangeSummary(lowerText, upperText);
        expected = text::shouldBe() + std::string(ops.name) + " " + brief;
    }
    bool admits(const void* value) const override {
        return !(lower.get() != nullptr && ops.less(value, lower.get())) && !(upper.get() != nullptr && ops.less(upper.get(), value));
    }

private:
    const ValueOps& ops;
    Boxed lower, upper;
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
    bool admitsText(const char* text) const override { return std::find(list.begin(), list.end(), text) != list.end(); }
    const std::vector<std::string>* words() const override { return &list; }

private:
    std::vector<std::string> list;
};

// A limit read strictly: none for a null text; false when the text is no value of the type.
bool limit(const ValueOps& ops, const char* text, Boxed& boxed) {
    if (text == nullptr) return true;
    Boxed read(ops, ops.make());
    if (read.get() == nullptr || !ops.read(text, const_cast<void*>(read.get()), true)) return false;
    boxed = std::move(read);
    return true;
}

}  // namespace

std::unique_ptr<ValueCheck> makeRange(const ValueOps& ops, const char* lower, const char* upper) {
    if (ops.less == nullptr || (lower == nullptr && upper == nullptr)) return nullptr;
    Boxed low(ops, nullptr), high(ops, nullptr);
    if (!limit(ops, lower, low) || !limit(ops, upper, high)) return nullptr;
    if (low.get() != nullptr && high.get() != nullptr && ops.less(high.get(), low.get())) return nullptr;
    std::unique_ptr<ValueCheck> range;
    tryAllocating([&] { range.reset(new Range(ops, std::move(low), std::move(high), lower, upper)); });
    return range;
}

std::unique_ptr<ValueCheck> makeChoices(const std::vector<std::string>& words) {
    std::unique_ptr<ValueCheck> choices;
    if (!words.empty()) tryAllocating([&] { choices.reset(new Choices(words)); });
    return choices;
}

}  // namespace param_detail
