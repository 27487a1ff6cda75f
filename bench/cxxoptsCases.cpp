// cxxopts doing the command-line work (Debian's libcxxopts-dev). Every
// option is bound to the host's variable, so parsing stores the values as
// the library does.
#include <cxxopts.hpp>

#include "Bench.h"

namespace {

struct CxxoptsSet {
    using Text = std::string;
    using Prepared = const Table&;
    const Table& table;
    cxxopts::Options options{"bench"};

    CxxoptsSet(const Table& definitions, Vars<std::string>& vars) : table(definitions) {
        auto adder = options.add_options();
        std::vector<std::string> positionals;
        for (std::size_t i = 0; i < table.size(); ++i) {
            const Row& row = table[i];
            const std::string name =
                row.flag != 0 ? std::string{row.flag, ','} + row.keyword : row.keyword;
            std::visit([&](auto& var) {
                adder(name, row.description, cxxopts::value<std::decay_t<decltype(var)>>(var));
            }, vars[i]);
            if (row.position > 0) positionals.push_back(row.keyword);
        }
        if (!positionals.empty()) options.parse_positional(positionals);
    }

    // Required options are checked here: cxxopts leaves that to its caller.
    bool parse(int argc, char** argv) try {
        const cxxopts::ParseResult result = options.parse(argc, argv);
        for (const Row& row : table) {
            if (!row.optional && result.count(row.keyword) == 0) return false;
        }
        return result.unmatched().empty();
    } catch (const cxxopts::exceptions::exception&) {
        return false;
    }
};

}  // namespace

void addCxxoptsCases(const Works& works) { addCommandLineCases<CxxoptsSet>(works, "cxxopts"); }
