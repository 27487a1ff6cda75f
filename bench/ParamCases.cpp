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

}  // namespace

void addParamCases(const Works& works) {
    addCommandLineCases<ParamSet>(works, "Param");
    for (const Work& file : works.files) add(file.name + "/Param", file, readFile<ParamSet>);
    add(works.fileWithExtras.name + "/Param", works.fileWithExtras, readFile<ParamSet>);
}
