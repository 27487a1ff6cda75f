// The new interface (param::Command) doing the command-line work: a set built the way a host
// declares it, one option, flag or positional parameter per row.
#include "Bench.h"
#include "Command.h"

namespace {

struct CommandSet {
    using Text = std::string;
    using Prepared = const Table&;
    param::Command cli{"bench"};

    CommandSet(const Table& table, Vars<std::string>& vars) {
        for (std::size_t i = 0; i < table.size(); ++i) {
            const Row& row = table[i];
            const std::string letter{'-', row.flag}, longName = "--" + row.keyword;
            std::visit([&](auto& var) {
                if constexpr (std::is_same_v<std::decay_t<decltype(var)>, bool>) {
                    (row.flag != 0 ? cli.flag(var, letter.c_str(), longName.c_str()) : cli.flag(var, longName.c_str()))
                        .help(row.description);
                } else if (row.position > 0) {
                    cli.positional(var, row.keyword.c_str()).help(row.description);
                } else {
                    auto& option = row.flag != 0 ? cli.option(var, letter.c_str(), longName.c_str()) : cli.option(var, longName.c_str());
                    option.help(row.description);
                    if (!row.optional) option.required();
                }
            }, vars[i]);
        }
    }

    bool parse(int argc, char** argv) { return static_cast<bool>(cli.parse(argc, argv)); }
};

}  // namespace

void addCommandCases(const Works& works) {
    add("Five/Command", works.five, parse<CommandSet, true>);
    addCommandLineCases<CommandSet>(works, "Command");
}
