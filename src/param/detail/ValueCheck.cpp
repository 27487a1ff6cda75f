#include "ValueCheck.h"

#include <algorithm>
#include <cstring>
#include <sstream>
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

// Values of a type, compared with its ==; their texts are the words completion offers.
class ValueChoices : public ValueCheck {
public:
    ValueChoices(const ValueOps& ops, std::vector<Boxed> values, std::vector<std::string> texts)
        : ops(ops), values(std::move(values)), texts(std::move(texts)) {
        brief = text::choicesSummary(this->texts);
        expected = std::string(text::shouldBe()) + brief;
    }
    bool admits(const void* value) const override {
        for (const Boxed& allowed : values) {
            if (ops.equal(allowed.get(), value)) return true;
        }
        return false;
    }
    const std::vector<std::string>* words() const override { return &texts; }

private:
    const ValueOps& ops;
    std::vector<Boxed> values;
    std::vector<std::string> texts;
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

// A limit's or a choice's text: the one that reads back, or, for a value that no text reads back to
// (an infinite double), the one a stream writes. The program declared the value, so it is described
// rather than refused.
std::string describedText(const ValueOps& ops, const void* value) {
    std::string text;
    if (ops.write(value, text, true)) return text;
    std::ostringstream shown;
    ops.show(shown, value);
    return shown.str();
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

std::unique_ptr<ValueCheck> makeRangeOf(const ValueOps& ops, const void* lower, const void* upper) {
    std::unique_ptr<ValueCheck> range;
    tryAllocating([&] {
        Boxed low(ops, lower != nullptr ? ops.copy(lower) : nullptr), high(ops, upper != nullptr ? ops.copy(upper) : nullptr);
        if ((lower != nullptr && low.get() == nullptr) || (upper != nullptr && high.get() == nullptr)) return;
        const std::string lowerText = lower != nullptr ? describedText(ops, lower) : std::string();
        const std::string upperText = upper != nullptr ? describedText(ops, upper) : std::string();
        range.reset(new Range(ops, std::move(low), std::move(high), lower != nullptr ? lowerText.c_str() : nullptr,
                              upper != nullptr ? upperText.c_str() : nullptr));
    });
    return range;
}

std::unique_ptr<ValueCheck> makeChoicesOf(const ValueOps& ops, const void* const* values, std::size_t count) {
    std::unique_ptr<ValueCheck> choices;
    tryAllocating([&] {
        std::vector<Boxed> kept;
        std::vector<std::string> texts;
        for (std::size_t i = 0; i < count; ++i) {
            kept.emplace_back(ops, ops.copy(values[i]));
            if (kept.back().get() == nullptr) return;
            texts.push_back(describedText(ops, values[i]));
        }
        choices.reset(new ValueChoices(ops, std::move(kept), std::move(texts)));
    });
    return choices;
}

std::unique_ptr<ValueCheck> makeChoices(const std::vector<std::string>& words) {
    std::unique_ptr<ValueCheck> choices;
    if (!words.empty()) tryAllocating([&] { choices.reset(new Choices(words)); });
    return choices;
}

}  // namespace param_detail
