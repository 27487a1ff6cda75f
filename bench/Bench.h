// The benchmark's works and the cases every parser runs on them. A work is
// a table of definitions with the value each must hold afterwards; every
// parser builds its set from the same table, so that all do the same work.
#ifndef PARAM_BENCH_BENCH_H
#define PARAM_BENCH_BENCH_H

#include <benchmark/benchmark.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// A parameter's type is that of its expected value (text: const char*).
using Value = std::variant<bool, int, long, unsigned, double, float, const char*>;
// The host's variable of a parameter; Text is the parser's string type.
template <class Text> using Slot = std::variant<bool, int, long, unsigned, double, float, Text>;
template <class Text> using Vars = std::vector<Slot<Text>>;

struct Row {
    std::string keyword;
    char flag;             // 0 for none
    Value expected;        // what the work leaves; a bool is a switch
    int position = -1;     // 1, 2, ... for a positional parameter
    bool optional = true;
    const char* description = "a parameter of the benchmark";
};
using Table = std::vector<Row>;

struct Work {
    std::string name;
    Table table;
    std::vector<std::string> line;  // argv, program name first
    std::string file = "";          // the parameter file of a file work
    int lines = 0;                  // its length
};

struct Works {
    Work typical, mixed;
    Work five;  // a host of five typical parameters, for the two interfaces
    std::vector<Work> scaling;  // N int definitions, for Register/N and Interpret/N
    std::vector<Work> files;    // read by the library and the getline baseline
    Work fileWithExtras;        // the longest file, the set grown by 1,000 definitions
};

inline std::string_view view(const char* text) { return text != nullptr ? text : ""; }
inline std::string_view view(const std::string& text) { return text; }

// What a case of Set needs, made before timing. Set::Prepared is what a
// hand-written program has as static data (getopt_long's tables).
template <class Set>
struct Context {
    using Text = typename Set::Text;
    const Work& work;
    typename Set::Prepared prepared{work.table};
    Vars<Text> vars;  // each of its parameter's type
    std::vector<std::string> words{work.line};
    std::vector<char*> argv;  // the line as main receives it

    explicit Context(const Work& w) : work(w) {
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        for (const Row& row : w.table) {
            vars.push_back(std::visit([](auto v) {
                using T = std::conditional_t<std::is_same_v<decltype(v), const char*>, Text,
                                             decltype(v)>;
                return Slot<Text>(std::in_place_type<T>);
            }, row.expected));
        }
    }

    // A parser that did not leave the expected values would not do the same
    // work: its case stops with an error. Called while the set that parsed
    // still lives (it may own the strings).
    bool refused(benchmark::State& state, bool parsed) const {
        for (std::size_t i = 0; parsed && i < vars.size(); ++i) {
            parsed = std::visit([&](const auto& got) {
                const Value& want = work.table[i].expected;
                using T = std::decay_t<decltype(got)>;
                if constexpr (std::is_arithmetic_v<T>) return got == std::get<T>(want);
                else return view(got) == std::get<const char*>(want);
            }, vars[i]);
        }
        if (!parsed) state.SkipWithError((work.name + ": not the expected values").c_str());
        return !parsed;
    }

    bool parse(Set& set) { return set.parse(static_cast<int>(words.size()), argv.data()); }
};

// Parses the line each iteration, with a new set each time when rebuild
// (destroying the previous one), else with the same set.
template <class Set, bool rebuild>
void parse(benchmark::State& state, const Work& work) {
    Context<Set> c(work);
    std::optional<Set> set(std::in_place, c.prepared, c.vars);
    if (c.refused(state, c.parse(*set))) return;
    for (auto _ : state) {
        if constexpr (rebuild) set.emplace(c.prepared, c.vars);
        benchmark::DoNotOptimize(c.parse(*set));
    }
}

// Small sets are built in batches, so that the pause which keeps their
// destruction out of the timing costs little beside the work timed.
inline int setsPerIteration(std::size_t definitions) {
    return definitions < 1000 ? static_cast<int>(1000 / definitions) : 1;
}

// Builds sets, with their prepared tables, without parsing.
template <class Set>
void registering(benchmark::State& state, const Work& work) {
    struct Built {
        typename Set::Prepared prepared;
        Set set;
        Built(const Table& table, Vars<typename Set::Text>& vars)
            : prepared(table), set(prepared, vars) {}
    };
    Context<Set> c(work);
    if (Built first(work.table, c.vars); c.refused(state, c.parse(first.set))) return;
    std::vector<std::optional<Built>> built(setsPerIteration(work.table.size()));
    for (auto _ : state) {
        for (auto& one : built) one.emplace(work.table, c.vars);
        state.PauseTiming();
        for (auto& one : built) one.reset();
        state.ResumeTiming();
    }
}

// Reads the work's parameter file again and again into one set.
template <class Set>
void readFile(benchmark::State& state, const Work& work) {
    Context<Set> c(work);
    Set set(c.prepared, c.vars);
    if (c.refused(state, set.read(work.file.c_str()))) return;
    for (auto _ : state) benchmark::DoNotOptimize(set.read(work.file.c_str()));
    state.SetItemsProcessed(state.iterations() * work.lines);
}

inline void add(const std::string& name, const Work& work,
                void (*body)(benchmark::State&, const Work&)) {
    benchmark::RegisterBenchmark(name.c_str(), body, std::cref(work))
        ->Unit(benchmark::kMicrosecond);
}

// Registers "<work>/<parser>" for the command-line works.
template <class Set>
void addCommandLineCases(const Works& works, const std::string& parser) {
    add("Typical/" + parser, works.typical, parse<Set, true>);
    add("Mixed50/" + parser, works.mixed, parse<Set, true>);
    for (const Work& w : works.scaling) {
        add("Register/" + w.name + "/" + parser, w, registering<Set>);
        add("Interpret/" + w.name + "/" + parser, w, parse<Set, false>);
    }
}

void addParamCases(const Works& works);
void addCommandCases(const Works& works);
void addBaselineCases(const Works& works);
void addCli11Cases(const Works& works);
void addCxxoptsCases(const Works& works);

#endif
