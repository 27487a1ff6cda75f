// The library: a set built the way a host builds it, one AddParamDef per
// definition, with the host's variables where the work keeps them.
#include "Bench.h"
#include "Param.h"

namespace {

struct ParamSet {
    using Text = char*;
    using Prepared = const Table&;  // nothing beyond the definitions
    CParam param;

    ParamSet(const Table& table, Vars<char*>& vars) {
        for (std::size_t i = 0; i < table.size(); ++i) {
            const Row& row = table[i];
            std::visit([&](auto& var) {
                using T = std::decay_t<decltype(var)>;
                param.AddParamDef(row.keyword.c_str(), row.flag, &var, T{}, row.description,
                                  row.optional, std::is_same_v<T, bool> ? "" : "value",
                                  row.position);
            }, vars[i]);
        }
    }

    bool parse(int argc, char** argv) { return param.Interpret(argv, argc) == CParam::OK; }
    bool read(const char* path) { return param.read_parameter_file(path) == CParam::OK; }
};

// Converts tokens of an int and a double definition, the way a value reaches them, with the stream
// conversion of the default or the strict conversion of today's conventions.
void converting(benchmark::State& state, unsigned conventions) {
    static const char* const kTokens[] = {"42", "-17", "2147483647", "0", "3.25", "-1e-3", "1234567", "0.5"};
    int number = 0;
    double real = 0;
    CParam set;
    set.SetConventions(conventions);
    auto* integer = new CIntParamDef("Number", 'n', &number, 0, "n", "an int", true, -1);
    auto* floating = new CDoubleParamDef("Real", 'r', &real, 0, "x", "a double", true, -1);
    if (set.AddParamDef(integer) + set.AddParamDef(floating) != 2) return state.SkipWithError("not registered");
    std::vector<std::string> tokens(std::begin(kTokens), std::end(kTokens));
    long sum = 0;
    for (int i = 0; i < 4; ++i) sum += integer->getVarFromToken(tokens[i].data()) * number;
    for (int i = 4; i < 8; ++i) sum += floating->getVarFromToken(tokens[i].data());
    if (sum != 42 - 17 + 2147483647L + 4 || real != 0.5) return state.SkipWithError("converted other values");
    for (auto _ : state) {
        for (int i = 0; i < 4; ++i) benchmark::DoNotOptimize(integer->getVarFromToken(tokens[i].data()));
        for (int i = 4; i < 8; ++i) benchmark::DoNotOptimize(floating->getVarFromToken(tokens[i].data()));
    }
    state.SetItemsProcessed(state.iterations() * 8);
}

// Interprets "-i w" count times into a list, in a new set: one element more must cost the same,
// however long the list already is.
void growingList(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    std::vector<std::string> words{"bench"};
    for (std::size_t i = 0; i < count; ++i) words.insert(words.end(), {"-i", "w"});
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    for (auto _ : state) {
        std::vector<std::string> list;
        CParam set;
        set.AddParamDef("Ignore", 'i', &list, {}, "a word", true, "word", -1);
        if (set.Interpret(argv.data(), static_cast<int>(argv.size())) != CParam::OK || list.size() != count) {
            return state.SkipWithError("the list took other elements");
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(count));
}

}  // namespace

void addParamCases(const Works& works) {
    benchmark::RegisterBenchmark("List/Param", growingList)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Convert/stream", converting, 0U)->Unit(benchmark::kNanosecond);
    benchmark::RegisterBenchmark("Convert/strict", converting, CParam::STRICT_VALUES)->Unit(benchmark::kNanosecond);
    addCommandLineCases<ParamSet>(works, "Param");
    add("Five/Param", works.five, parse<ParamSet, true>);
    for (const Work& file : works.files) add(file.name + "/Param", file, readFile<ParamSet>);
    add(works.fileWithExtras.name + "/Param", works.fileWithExtras, readFile<ParamSet>);
}
