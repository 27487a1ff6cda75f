// CLI11 doing the command-line work (Debian's libcli11-dev). A repeated
// option keeps its last value, as in the library.
#include <CLI/CLI.hpp>

#include "Bench.h"

namespace {

struct Cli11Set {
    using Text = std::string;
    using Prepared = const Table&;
    CLI::App app{"bench"};

    Cli11Set(const Table& table, Vars<std::string>& vars) {
        app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
        for (std::size_t i = 0; i < table.size(); ++i) {
            const Row& row = table[i];
            const std::string dashes = row.flag != 0 ? std::string{'-', row.flag} + ",--" : "--";
            // A positional parameter is named without dashes.
            const std::string name = (row.position > 0 ? "" : dashes) + row.keyword;
            std::visit([&](auto& var) {
                if constexpr (std::is_same_v<std::decay_t<decltype(var)>, bool>) {
                    app.add_flag(name, var, row.description);
                } else {
                    app.add_option(name, var, row.description)->required(!row.optional);
                }
            }, vars[i]);
        }
    }

    bool parse(int argc, char** argv) try {
        app.parse(argc, argv);
        return true;
    } catch (const CLI::Error&) {
        return false;
    }
};

}  // namespace

void addCli11Cases(const Works& works) { addCommandLineCases<Cli11Set>(works, "CLI11"); }
