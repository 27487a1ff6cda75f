// How a value of a type is read from a text and written back: one description per type, which the
// definitions, the ranges and choices, the written configuration, the help and the completion all
// go by.
//
// The built-in types have theirs. A host makes a type of its own bindable, as a parameter of the
// type and as a list of it, by describing it once; an enumeration by its names:
//
//     enum class Order { Count, Alpha };
//     template <> struct param::ValueType<Order> {
//         static constexpr param::Named<Order> names[] = {{Order::Count, "count"}, {Order::Alpha, "alpha"}};
//     };
//
// any other type by how a text reads as a value and how a value is written:
//
//     template <> struct param::ValueType<std::chrono::seconds> {
//         static constexpr const char* name = "a number of seconds";  // "It should be a number of seconds."
//         static bool read(const char* text, std::chrono::seconds& value);          // false: no value
//         static bool write(const std::chrono::seconds& value, std::string& text);  // a text that reads back
//     };
//
// Optional members: valueName, the value's name on a help screen ("SECONDS"); files, true when the
// value names a file (completion offers file names); ordered, false to allow no range although the
// type has operator<. A range compares with operator<, choices and written values with operator==.
// read and write may take a third argument, bool strictly: the set's STRICT_VALUES.
#ifndef PARAM_PARAMVALUE_H
#define PARAM_PARAMVALUE_H

#include <cstddef>
#include <cstring>
#include <iosfwd>
#include <new>
#include <string>
#include <type_traits>
#include <utility>

namespace param {

// One of the names of a type described by its names.
template <typename T>
struct Named {
    T value;
    const char* text;
};

// The description of T; a type without one cannot be bound.
template <typename T, typename = void>
struct ValueType;

// The built-in descriptions. By default a number reads as a stream reads it in the global locale (the
// longest readable beginning); strictly, the whole text, blanks around it aside, in every locale the
// same. A value is written as the shortest text that reads back. show writes it as a stream does.
#define PARAM_NUMBER_TYPES(X) X(int) X(unsigned int) X(short) X(unsigned short) X(long) X(unsigned long) X(double) X(float)
#define PARAM_SCALAR_TYPES(X) X(char) PARAM_NUMBER_TYPES(X)
#define PARAM_DESCRIBE_BUILT_IN(T)                                           \
    template <>                                                              \
    struct ValueType<T> {                                                    \
        static const char* const name;                                       \
        static const char* const valueName;                                  \
        static bool read(const char* text, T& value, bool strictly);         \
        static bool write(const T& value, std::string& text, bool strictly); \
        static void show(std::ostream& out, const T& value);                 \
    };
PARAM_NUMBER_TYPES(PARAM_DESCRIBE_BUILT_IN)
#undef PARAM_DESCRIBE_BUILT_IN

// A character: the first that is not white space by default, exactly one strictly. No range.
template <>
struct ValueType<char> {
    static const char* const name;
    static const char* const valueName;
    static constexpr bool ordered = false;
    static bool read(const char* text, char& value, bool strictly);
    static bool write(const char& value, std::string& text, bool strictly);
    static void show(std::ostream& out, const char& value);
};

// A text: any but the empty one, as it is. It names a file unless choices say otherwise.
template <>
struct ValueType<std::string> {
    static const char* const name;
    static const char* const valueName;
    static constexpr bool files = true;
    static constexpr bool ordered = false;
    static bool read(const char* text, std::string& value);
    static bool write(const std::string& value, std::string& text);
    static void show(std::ostream& out, const std::string& value);
};

}  // namespace param

namespace param_detail {

// What the library does with values of one type, as plain functions over untyped pointers, so that
// the code around them is the same for every type; made once per type from its description.
struct ValueOps {
    const char* name;       // in messages ("It should be an integer."): "an integer", "one of count, alpha"
    const char* valueName;  // on a help screen; null: none given
    bool (*read)(const char* text, void* value, bool strictly);
    bool (*write)(const void* value, std::string& text, bool strictly);  // may throw std::bad_alloc
    void (*show)(std::ostream& out, const void* value);
    bool (*equal)(const void* a, const void* b);
    bool (*less)(const void* a, const void* b);  // null: the type takes no range
    void* (*make)();                             // a value-initialized value on the heap; null when memory runs out
    void* (*copy)(const void* value);            // a copy on the heap; null when memory runs out
    void (*destroy)(void* value);
    const char* const* names;  // a type described by its names: those, in order; else null
    std::size_t nameCount;
    bool files;  // the value names a file
};

// What a type described by its names is called: "one of count, alpha". Made once per type.
const char* joinNames(const char* const* names, std::size_t count);
void showText(std::ostream& out, const char* text);

template <typename T, typename = void>
struct IsDescribed : std::false_type {};
template <typename T>
struct IsDescribed<T, std::void_t<decltype(sizeof(param::ValueType<T>))>> : std::true_type {};
template <typename T, typename = void>
struct HasNames : std::false_type {};
template <typename T>
struct HasNames<T, std::void_t<decltype(param::ValueType<T>::names)>> : std::true_type {};
template <typename T, typename = void>
struct ReadsStrictly : std::false_type {};
template <typename T>
struct ReadsStrictly<T, std::void_t<decltype(param::ValueType<T>::read("", std::declval<T&>(), true))>> : std::true_type {};
template <typename T, typename = void>
struct WritesStrictly : std::false_type {};
template <typename T>
struct WritesStrictly<T, std::void_t<decltype(param::ValueType<T>::write(std::declval<const T&>(), std::declval<std::string&>(), true))>>
    : std::true_type {};
template <typename T, typename = void>
struct Shows : std::false_type {};
template <typename T>
struct Shows<T, std::void_t<decltype(param::ValueType<T>::show(std::declval<std::ostream&>(), std::declval<const T&>()))>>
    : std::true_type {};
template <typename T, typename = void>
struct HasValueName : std::false_type {};
template <typename T>
struct HasValueName<T, std::void_t<decltype(param::ValueType<T>::valueName)>> : std::true_type {};
template <typename T, typename = void>
struct NamesFiles : std::false_type {};
template <typename T>
struct NamesFiles<T, std::void_t<decltype(param::ValueType<T>::files)>> : std::bool_constant<param::ValueType<T>::files> {};
template <typename T, typename = void>
struct LessThan : std::false_type {};
template <typename T>
struct LessThan<T, std::void_t<decltype(std::declval<const T&>() < std::declval<const T&>())>> : std::true_type {};
template <typename T, typename = void>
struct Ordered : LessThan<T> {};
template <typename T>
struct Ordered<T, std::void_t<decltype(param::ValueType<T>::ordered)>>
    : std::bool_constant<param::ValueType<T>::ordered && LessThan<T>::value> {};

// The description of T as ValueOps.
template <typename T>
struct Described {
    using Type = param::ValueType<T>;

    static const char* const* nameTexts() {
        if constexpr (HasNames<T>::value) {
            static const auto texts = [] {
                struct Texts {
                    const char* list[std::extent<decltype(Type::names)>::value];
                } made{};
                for (std::size_t i = 0; i < std::extent<decltype(Type::names)>::value; ++i) made.list[i] = Type::names[i].text;
                return made;
            }();
            return texts.list;
        } else {
            return nullptr;
        }
    }
    static constexpr std::size_t nameCount() {
        if constexpr (HasNames<T>::value) {
            return std::extent<decltype(Type::names)>::value;
        } else {
            return 0;
        }
    }
    static bool read(const char* text, void* value, bool strictly) {
        T& target = *static_cast<T*>(value);
        if constexpr (HasNames<T>::value) {
            static_cast<void>(strictly);
            for (const auto& named : Type::names) {
                if (std::strcmp(named.text, text) == 0) {
                    target = named.value;
                    return true;
                }
            }
            return false;
        } else if constexpr (ReadsStrictly<T>::value) {
            return Type::read(text, target, strictly);
        } else {
            static_cast<void>(strictly);
            return Type::read(text, target);
        }
    }
    static bool write(const void* value, std::string& text, bool strictly) {
        const T& source = *static_cast<const T*>(value);
        if constexpr (HasNames<T>::value) {
            static_cast<void>(strictly);
            for (const auto& named : Type::names) {
                if (named.value == source) {
                    text = named.text;
                    return true;
                }
            }
            return false;
        } else if constexpr (WritesStrictly<T>::value) {
            return Type::write(source, text, strictly);
        } else {
            static_cast<void>(strictly);
            return Type::write(source, text);
        }
    }
    static void show(std::ostream& out, const void* value) {
        if constexpr (Shows<T>::value) {
            Type::show(out, *static_cast<const T*>(value));
        } else {
            std::string text;
            try {
                if (!write(value, text, true)) text.clear();
            } catch (...) {
                text.clear();
            }
            showText(out, text.c_str());
        }
    }
    static bool equal(const void* a, const void* b) { return *static_cast<const T*>(a) == *static_cast<const T*>(b); }
    static bool less(const void* a, const void* b) {
        if constexpr (LessThan<T>::value) {
            return *static_cast<const T*>(a) < *static_cast<const T*>(b);
        } else {
            return false;
        }
    }
    static void* make() {
        try {
            return new (std::nothrow) T{};
        } catch (...) {
            return nullptr;
        }
    }
    static void* copy(const void* value) {
        try {
            return new (std::nothrow) T(*static_cast<const T*>(value));
        } catch (...) {
            return nullptr;
        }
    }
    static void destroy(void* value) { delete static_cast<T*>(value); }

    static const ValueOps& ops() {
        static_assert(IsDescribed<T>::value, "the type has no description: specialize param::ValueType for it");
        static const ValueOps made = [] {
            ValueOps o{};
            if constexpr (HasNames<T>::value) {
                o.name = joinNames(nameTexts(), nameCount());
            } else {
                o.name = Type::name;
            }
            if constexpr (HasValueName<T>::value) o.valueName = Type::valueName;
            o.read = &read;
            o.write = &write;
            o.show = &show;
            o.equal = &equal;
            o.less = Ordered<T>::value ? &less : nullptr;
            o.make = &make;
            o.copy = &copy;
            o.destroy = &destroy;
            o.names = nameTexts();
            o.nameCount = nameCount();
            o.files = NamesFiles<T>::value;
            return o;
        }();
        return made;
    }
};

template <typename T>
const ValueOps& opsOf() {
    return Described<T>::ops();
}

}  // namespace param_detail

#endif
