// The new interface, param::Command: names as tools have them, the value shapes, problems told rather
// than shown, nothing reserved, relations, checks, and what the classic interface has (variables,
// origins, the written configuration, parameter files, completion).
#include <cstdlib>
#include <functional>
#include <limits>
#include <sstream>

#include "Command.h"
#include "TestSupport.h"

namespace {

// A tool with one parameter of each shape.
struct Tool {
    Tool() {
        cli.option(lines, "-n", "--lines", "--count").valueName("N").help("how many lines").range(1, 99);
        cli.option(ratio, "--ratio").help("long only");
        cli.option(output, "-o").help("short only");
        cli.option(separator, "-s", "--field-separator").help("an inner hyphen");
        cli.flag(verbose, "-v", "--verbose");
        cli.flag(color, "--color").negatable();
        cli.counter(debug, "-d", "--debug");
        cli.option(tags, "-t", "--tag");
        cli.option(when, "-w", "--when").implicitValue("always").choices({"always", "never", "auto"});
        cli.positional(input, "INPUT");
        cli.positional(rest, "MORE");
    }
    param::Result run(const std::string& words) {
        Args& args = kept.emplace_back(words.empty() ? "tool" : "tool|" + words);
        return cli.parse(args.argc(), args.argv());
    }
    // The values, each named: those at their defaults left out.
    std::string values() const {
        std::string shown;
        const auto add = [&](bool changed, const std::string& text) { shown += changed ? (shown.empty() ? "" : " ") + text : ""; };
        add(lines != 10, "lines=" + std::to_string(lines));
        add(ratio != 0.5, "ratio=" + std::to_string(ratio).substr(0, 4));
        add(!output.empty(), "output=" + output);
        add(separator != ",", "separator=" + separator);
        add(verbose, "verbose");
        add(!color, "no color");
        add(debug != 0, "debug=" + std::to_string(debug));
        std::string list;
        for (const std::string& t : tags) list += (list.empty() ? "" : ",") + t;
        add(!tags.empty(), "tags=" + list);
        add(when != "never", "when=" + when);
        add(!input.empty(), "input=" + input);
        list.clear();
        for (const std::string& r : rest) list += (list.empty() ? "" : ",") + r;
        add(!rest.empty(), "more=" + list);
        return shown;
    }
    int lines = 10, debug = 0;
    double ratio = 0.5;
    std::string output, separator = ",", when = "never", input;
    bool verbose = false, color = true;
    std::vector<std::string> tags, rest;
    std::deque<Args> kept;
    param::Command cli{"tool", "A tool of every shape."};
};

}  // namespace

TEST(Command, ReadsTheNamesAndValueShapesToolsHave) {
    const struct {
        const char* what;
        std::string words, values;
    } cases[] = {
        {"no words", "", ""},
        {"letters and long names, any of them", "-n|5|--count=6|--lines|7", "lines=7"},
        {"a value attached to a letter, and after it", "-s:|-o|out", "output=out separator=:"},
        {"a long name with an inner hyphen, = or the next word", "--field-separator=:|--ratio|0.25", "ratio=0.25 separator=:"},
        {"letters grouped, the last taking a value", "-vdds|;", "separator=; verbose debug=2"},
        {"a count by mentions and by a value", "-d|--debug|--debug=5|-d", "debug=6"},
        {"a switch by its on and off words, and negated", "--verbose=yes|--color=off|--color|--no-color", "verbose no color"},
        {"an optional value alone, attached, never the next word", "-w|in.txt", "when=always input=in.txt"},
        {"an optional value attached", "--when=auto|-wnever", ""},
        {"a list, each time it is given", "-t|a|--tag=b|-tc", "tags=a,b,c"},
        {"positional words among options, the rest to the last", "a|-v|b|c|--|-d", "verbose input=a more=b,c,-d"},
        {"- is a word", "-", "input=-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Tool tool;
        const param::Result result = tool.run(c.words);
        EXPECT_EQ(result.status(), param::Result::SUCCESS) << result.text();
        EXPECT_EQ(tool.values(), c.values);
    }
}

TEST(Command, ToldProblemsNeverEndTheProgram) {
    const struct {
        const char* what;
        std::string words;
        int code;
        std::string parameter, value, message;
    } cases[] = {
        {"a number with more after it", "-n|3x", param::PROBLEM_INVALID_VALUE, "-n", "3x",
         "Invalid value '3x' at parameter '-n'.\nIt should be an integer."},
        {"a count with more after it", "--debug=2x", param::PROBLEM_INVALID_VALUE, "--debug", "2x",
         "Invalid value '2x' at parameter '--debug'.\nIt should be a count: 0, 1, 2 and so on."},
        {"not a whole number", "--lines=2.5", param::PROBLEM_INVALID_VALUE, "--lines", "2.5",
         "Invalid value '2.5' at parameter '--lines'.\nIt should be an integer."},
        {"outside the range", "--count=0", param::PROBLEM_INVALID_VALUE, "--count", "0",
         "Invalid value '0' at parameter '--count'.\nIt should be an integer from 1 to 99."},
        {"not among the choices", "--when=later", param::PROBLEM_INVALID_VALUE, "--when", "later",
         "Invalid value 'later' at parameter '--when'.\nIt should be one of always, never, auto."},
        {"an unknown long name", "--nope=1", param::PROBLEM_UNKNOWN_KEYWORD, "nope", "1", "Unknown keyword 'nope'."},
        {"an unknown letter", "-vx", param::PROBLEM_UNKNOWN_FLAG, "-x", "", "Unknown flag '-x'."},
        {"a missing value", "-o", param::PROBLEM_MISSING_VALUE, "-o", "", "Missing value at keyword '-o'."},
        {"a control character, shown", "-n|3\x1b", param::PROBLEM_INVALID_VALUE, "-n", "3\x1b",
         "Invalid value '3\\x1b' at parameter '-n'.\nIt should be an integer."},
        {"a negated switch given a value", "--no-color=1", param::PROBLEM_INVALID_VALUE, "--no-color", "1",
         "Invalid value '1' at parameter '--no-color'.\nIt takes no value."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Tool tool;
        const param::Result result = tool.run(c.words);
        EXPECT_EQ(result.status(), param::Result::PROBLEM);
        EXPECT_EQ(result.code(), c.code);
        EXPECT_EQ(result.parameter(), c.parameter);
        EXPECT_EQ(result.value(), c.value);
        EXPECT_EQ(result.text(), c.message + hint("tool"));
    }
}

TEST(Command, ReportsWhereEachOutcomeBelongsWithTheStatusTheProgramNames) {
    Tool tool;
    tool.cli.version("tool 1.2");
    std::ostringstream out, errors;
    EXPECT_EQ(tool.run("--version").report(out, errors), 0);
    EXPECT_EQ(tool.run("-n|x").report(out, errors, 1), 1);
    EXPECT_EQ(tool.run("-n|5").report(out, errors), 0);
    EXPECT_EQ(tool.run("-n|x").report(out, errors), 2);
    std::ostringstream full;
    full.setstate(std::ios::badbit);
    EXPECT_EQ(tool.run("--version").report(full, errors), 1);
    EXPECT_EQ(out.str(), "tool 1.2\n");
    EXPECT_EQ(errors.str(), "Invalid value 'x' at parameter '-n'.\nIt should be an integer." + hint("tool") +
                                "Invalid value 'x' at parameter '-n'.\nIt should be an integer." + hint("tool"));
    const param::Result help = tool.run("-v|--help|--nope");
    EXPECT_EQ(help.status(), param::Result::HELP);
    EXPECT_EQ(help.text().substr(0, 34), "Usage: tool [OPTIONS] [INPUT] [MOR");
}

TEST(Command, ReservesNothing) {
    bool help = false, file = false;
    int verbose = 0;
    param::Command cli("tool");
    cli.helpOption("-?", "--usage");
    cli.flag(help, "-h", "--help");
    cli.flag(file, "-f");
    cli.counter(verbose, "-v");
    Args args("tool|-hfvv");
    EXPECT_TRUE(cli.parse(args.argc(), args.argv()));
    EXPECT_TRUE(help);
    EXPECT_TRUE(file);
    EXPECT_EQ(verbose, 2);
    Args usage("tool|--usage"), version("tool|--version"), parameters("tool|--ParameterFile=x");
    EXPECT_EQ(cli.parse(usage.argc(), usage.argv()).status(), param::Result::HELP);
    EXPECT_EQ(cli.parse(version.argc(), version.argv()).code(), param::PROBLEM_UNKNOWN_KEYWORD);
    EXPECT_EQ(cli.parse(parameters.argc(), parameters.argv()).code(), param::PROBLEM_UNKNOWN_KEYWORD);
    cli.helpOption();
    EXPECT_EQ(cli.parse(usage.argc(), usage.argv()).code(), param::PROBLEM_UNKNOWN_KEYWORD);
}

TEST(Command, RelationsAreCheckedAfterTheWordsAndNamedAsGiven) {
    const struct {
        const char* what;
        std::string words, message;
    } cases[] = {
        {"two that exclude each other", "--bytes=1|-c|2", "'-c' and '--bytes' cannot be given together."},
        {"one without what it needs", "-d|:|-b|1", "'-d' needs '--fields'."},
        {"none of exactly one", "-q", "One of '--bytes', '--characters' or '--fields' is required."},
        {"two of exactly one", "-b|1|-f|2", "Only one of '--bytes', '--characters' and '--fields' may be given, not '-b' and '-f'."},
        {"a name given once only, twice", "-f|1|-f|2", "'-f' may be given only once."},
        {"none of at least one", "-b|1", "At least one of '-q' or '-r' is required."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bytes, characters, fields, delimiter;
        bool quiet = false, raw = false;
        param::Command cli("cut");
        auto& b = cli.option(bytes, "-b", "--bytes");
        auto& ch = cli.option(characters, "-c", "--characters").excludes(b);
        auto& f = cli.option(fields, "-f", "--fields").once();
        cli.option(delimiter, "-d").needs(f);
        auto& q = cli.flag(quiet, "-q");
        auto& r = cli.flag(raw, "-r");
        cli.exactlyOne(b, ch, f);
        if (std::string(c.what) == "none of at least one") cli.atLeastOne(q, r);
        Args args("cut|" + c.words);
        const param::Result result = cli.parse(args.argc(), args.argv());
        EXPECT_EQ(result.code(), param::PROBLEM_RELATION);
        EXPECT_EQ(result.text(), c.message + hint("cut"));
    }
}

TEST(Command, ChecksAreCallablesWhoseReasonEndsTheMessage) {
    int even = 0, small = 0, odd = 0;
    param::Command cli("tool");
    cli.option(even, "-e").check([](int n) { return n % 2 == 0 ? std::string() : std::string("must be even"); });
    cli.option(small, "-s").check([](int n) { return n < 10 ? nullptr : "must be below 10"; });
    cli.option(odd, "-o").check([](int n) { return n % 2 == 1; });
    const struct {
        std::string words, message;
    } cases[] = {
        {"-e|4|-s|3|-o|5", ""},
        {"-e|3", "Invalid value '3' at parameter '-e'.\nIt must be even."},
        {"-s|10", "Invalid value '10' at parameter '-s'.\nIt must be below 10."},
        {"-o|2", "Invalid value '2' at parameter '-o'.\nIt is not accepted."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        Args args("tool|" + c.words);
        EXPECT_EQ(cli.parse(args.argc(), args.argv()).text(), c.message.empty() ? "" : c.message + hint("tool"));
    }
}

TEST(Command, LimitsAndChoicesNoTextReadsBackToAreShownAsAStreamWritesThem) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* what;
        std::function<void(param::Option<double>&)> declare;
        std::string words, message;
    } cases[] = {
        {"an upper limit of infinity", [&](param::Option<double>& o) { o.atMost(inf); }, "-x|1e308", ""},
        {"a range from minus infinity", [&](param::Option<double>& o) { o.range(-inf, 0.0); }, "-x|1",
         "Invalid value '1' at parameter '-x'.\nIt should be a double from -inf to 0."},
        {"infinity among the choices", [&](param::Option<double>& o) { o.choices({1.5, inf}); }, "-x|2",
         "Invalid value '2' at parameter '-x'.\nIt should be one of 1.5, inf."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        double x = 0;
        param::Command cli("tool");
        c.declare(cli.option(x, "-x"));
        Args args("tool|" + c.words);
        EXPECT_EQ(cli.parse(args.argc(), args.argv()).text(), c.message.empty() ? "" : c.message + hint("tool"));
    }
}

TEST(Command, DeclarationsNoCommandLineCouldGiveAreAProblemOfTheProgram) {
    const struct {
        const char *first, *second, *message;
    } cases[] = {
        {"--lines", "--lines", "two parameters are named '--lines'."},
        {"-n", "-n", "two parameters are named '-n'."},
        {"lines", "--other", "'lines' is no name a command line can give (-x, --name, or a word for a positional parameter)."},
        {"--a=b", "--other", "'--a=b' is no name a command line can give (-x, --name, or a word for a positional parameter)."},
        {"-ab", "--other", "'-ab' is no name a command line can give (-x, --name, or a word for a positional parameter)."},
        {"--help", "--other", "two parameters are named '--help'."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        int one = 0, two = 0;
        param::Command cli("tool");
        cli.option(one, c.first);
        cli.option(two, c.second);
        Args args("tool");
        const param::Result result = cli.parse(args.argc(), args.argv());
        EXPECT_EQ(result.code(), param::PROBLEM_DECLARATION);
        EXPECT_EQ(result.text(), std::string("The program declares its parameters wrongly: ") + c.message + "\n");
    }
    int one = 0, two = 0;
    param::Command cli("tool");
    auto& top = cli.option(one, "-a");
    cli.command("sub").option(two, "-b").needs(top);
    Args args("tool|sub");
    EXPECT_EQ(cli.parse(args.argc(), args.argv()).text(),
              "The program declares its parameters wrongly: '-b' is related to a parameter of another command.\n");
}

TEST(Command, HasWhatTheClassicInterfaceHas) {
    const std::string inner = writeTempFile("command-inner.par", "lines 4\n");
    const std::string outer = writeTempFile("command-outer.par", "tag from-file\nsettings " + inner + "\n");
    const std::string loop = writeTempFile("command-loop.par", "settings " + tempDir() + "/./command-loop.par\n");
    setenv("TOOLTEST_ratio", "0.75", 1);
    setenv("TOOLTEST_MODE", "fast", 1);
    Tool tool;
    std::string mode;
    tool.cli.environmentPrefix("TOOLTEST_");
    tool.cli.parameterFile("-F", "--settings");
    auto& modeOption = tool.cli.option(mode, "--mode").env("TOOLTEST_MODE");
    const param::Result result = tool.run("-F|" + outer + "|-v");
    unsetenv("TOOLTEST_ratio");
    unsetenv("TOOLTEST_MODE");
    ASSERT_TRUE(result) << result.text();
    EXPECT_EQ(tool.values(), "lines=4 ratio=0.75 verbose tags=from-file");
    EXPECT_EQ(mode, "fast");
    EXPECT_EQ(modeOption.givenAs(), "$TOOLTEST_MODE");
    EXPECT_EQ(modeOption.origin().kind, ParamOrigin::ENVIRONMENT);
    std::ostringstream written;
    ASSERT_EQ(tool.cli.writeParameters(written, {"ratio", "mode"}), param::OK);
    EXPECT_NE(written.str().find("lines 4  # from " + inner + ", line 1\n"), std::string::npos) << written.str();
    Tool second;
    second.cli.parameterFile("--settings");
    ASSERT_TRUE(second.run("--settings=" + writeTempFile("command-written.par", written.str())));
    EXPECT_EQ(second.values(), "lines=4 verbose tags=from-file");
    EXPECT_EQ(second.run("--settings=" + loop).code(), CParam::PROBLEM_PARAM_FILE_LOOP);
    std::ostringstream script;
    EXPECT_EQ(tool.cli.writeCompletion(script, "bash"), param::OK);
    EXPECT_NE(script.str().find("--settings"), std::string::npos);
}

TEST(Command, WritesAConfigurationThatReadsBackPastItsRelations) {
    const auto run = [](const std::string& words, std::string* written) {
        std::string bytes;
        int characters = 0;
        param::Command cli("cut");
        cli.parameterFile("--settings");
        auto& b = cli.option(bytes, "-b", "--bytes");
        cli.option(characters, "-c", "--characters").excludes(b);
        Args args("cut|" + words);
        const param::Result result = cli.parse(args.argc(), args.argv());
        std::ostringstream out;
        EXPECT_EQ(cli.writeParameters(out), param::OK);
        *written = out.str();
        return result.text() + "bytes=" + bytes + " characters=" + std::to_string(characters);
    };
    std::string first, second;
    EXPECT_EQ(run("-b|1-2", &first), "bytes=1-2 characters=0");
    EXPECT_EQ(run("--settings|" + writeTempFile("related.par", first), &second), "bytes=1-2 characters=0");
}
