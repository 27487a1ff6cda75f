// The baseline: what a C programmer writes by hand. Command lines through
// glibc's getopt_long, parameter files through a getline loop with the
// library's line splitting; values through strtol/strtod/strtof and strdup.
#include <getopt.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "Bench.h"

namespace {

struct Free { void operator()(char* text) const { std::free(text); } };
using Owned = std::unique_ptr<char, Free>;  // a string owns its latest copy, as in the library
std::string_view view(const Owned& text) { return ::view(text.get()); }

// All of the text as a number in T's range: integers through strtol.
template <class T>
bool convert(const char* text, T& out) {
    using Read = std::conditional_t<std::is_integral_v<T>, long, T>;
    char* end;
    errno = 0;
    Read value;
    if constexpr (std::is_same_v<T, float>) value = std::strtof(text, &end);
    else if constexpr (std::is_same_v<T, double>) value = std::strtod(text, &end);
    else value = std::strtol(text, &end, 10);
    out = static_cast<T>(value);
    return end != text && *end == '\0' && errno == 0 && static_cast<Read>(out) == value;
}
bool convert(const char*, bool& out) { return out = true; }
bool convert(const char* text, Owned& out) {
    out.reset(strdup(text));
    return out != nullptr;
}

bool take(Slot<Owned>& var, const char* text) {
    return std::visit([text](auto& v) { return convert(text, v); }, var);
}

// getopt_long's tables, written once; a long option returns 256 + its row.
struct GetoptTables {
    const Table& table;
    std::vector<option> longOptions;
    std::string shortOptions = "+";  // stop at the first positional word
    int rowOfFlag[128] = {};         // row + 1
    std::vector<int> rowOfPosition;  // of position 1, 2, ...

    explicit GetoptTables(const Table& t) : table(t) {
        longOptions.reserve(t.size() + 1);
        for (std::size_t i = 0; i < t.size(); ++i) {
            const bool value = !std::holds_alternative<bool>(t[i].expected);
            longOptions.push_back({t[i].keyword.c_str(), value ? required_argument : no_argument,
                                   nullptr, 256 + int(i)});
            if (t[i].flag != 0) {
                shortOptions += value ? std::string{t[i].flag, ':'} : std::string{t[i].flag};
                rowOfFlag[t[i].flag & 127] = int(i) + 1;
            }
            if (t[i].position > 0) rowOfPosition.push_back(int(i));  // listed in order
        }
        longOptions.push_back({nullptr, 0, nullptr, 0});
    }
};

// Cuts a file line in place into keyword and value, by the format's rules:
// blanks, the keyword (at least one character), blanks, tabs and "="s, and
// the value up to the next blank.
void split(char* line, char*& keyword, char*& value) {
    keyword = line + std::strspn(line, " \t");
    char* end = *keyword != '\0' ? keyword + 1 + std::strcspn(keyword + 1, " \t=") : keyword;
    value = end + std::strspn(end, " \t=");
    value[std::strcspn(value, " \t")] = '\0';
    *end = '\0';
}

struct GetoptSet {
    using Text = Owned;
    using Prepared = GetoptTables;
    const GetoptTables& t;
    Vars<Owned>& vars;

    // The defaults, as a program initialises its variables.
    GetoptSet(const GetoptTables& tables, Vars<Owned>& variables) : t(tables), vars(variables) {
        for (auto& var : vars) std::visit([](auto& v) { v = std::decay_t<decltype(v)>(); }, var);
    }

    bool parse(int argc, char** argv) {
        optind = 0;  // glibc: start afresh
        opterr = 0;
        for (int c; (c = getopt_long(argc, argv, t.shortOptions.c_str(),
                                     t.longOptions.data(), nullptr)) != -1;) {
            const int row = c >= 256 ? c - 256 : t.rowOfFlag[c & 127] - 1;
            if (row < 0 || !take(vars[row], optarg)) return false;
        }
        if (argc - optind > static_cast<int>(t.rowOfPosition.size())) return false;
        for (int i = optind; i < argc; ++i) {
            if (!take(vars[t.rowOfPosition[i - optind]], argv[i])) return false;
        }
        for (std::size_t i = 0; i < vars.size(); ++i) {  // the required ones are strings
            if (!t.table[i].optional && std::get<Owned>(vars[i]) == nullptr) return false;
        }
        return true;
    }

    bool read(const char* path) {
        FILE* file = std::fopen(path, "r");
        if (file == nullptr) return false;
        char *line = nullptr, *keyword, *value;
        std::size_t capacity = 0;
        bool ok = true;
        while (ok && getline(&line, &capacity, file) != -1) {
            line[std::strcspn(line, "\r\n")] = '\0';
            if (line[0] == '#') continue;
            split(line, keyword, value);
            if (*keyword != '\0') ok = assign(keyword, value);
        }
        std::free(line);
        std::fclose(file);
        return ok;
    }

    bool assign(const char* keyword, const char* value) {
        for (std::size_t i = 0; i < vars.size(); ++i) {
            if (std::strcmp(t.table[i].keyword.c_str(), keyword) == 0) {
                return take(vars[i], value);
            }
        }
        return false;
    }
};

}  // namespace

void addBaselineCases(const Works& works) {
    addCommandLineCases<GetoptSet>(works, "getopt_long");
    for (const Work& file : works.files) {
        add(file.name + "/getline_strtol", file, readFile<GetoptSet>);
    }
}
