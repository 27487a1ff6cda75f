// Programs with commands (tool remote add), the closest name offered for a mistyped one, and long
// names shortened to a beginning of their own.
#include <cstdlib>
#include <sstream>

#include "Command.h"
#include "TestSupport.h"
#include "detail/Suggestion.h"

namespace {

// tool [-v] [-C DIR] remote [-n NAME] add [-f] [-m MODE] URL... | remote remove | build [-j N]; the
// options of tool and of remote may also follow their commands.
struct Git {
    Git() {
        cli.flag(verbose, "-v", "--verbose");
        cli.option(dir, "-C", "--dir");
        cli.shared().environmentPrefix("TOOL_");
        remote.option(name, "-n", "--name").help("the remote's name");
        remote.shared();
        add.flag(force, "-f", "--force");
        add.option(mode, "-m", "--mode").choices({"fast", "slow"});
        add.positional(urls, "URL");
        remote.command("remove", "remove a remote");
        build.option(jobs, "-j", "--jobs");
    }
    param::Result run(const std::string& words) {
        Args& args = kept.emplace_back(words.empty() ? "tool" : "tool|" + words);
        return cli.parse(args.argc(), args.argv());
    }
    std::string values() const {
        std::string shown = std::string(verbose ? "v " : "") + "C=" + dir + " n=" + name + (force ? " f" : "") + " m=" + mode;
        for (const std::string& url : urls) shown += " " + url;
        return shown + " j=" + std::to_string(jobs);
    }
    bool verbose = false, force = false;
    std::string dir, name, mode = "fast";
    std::vector<std::string> urls;
    int jobs = 1;
    std::deque<Args> kept;
    param::Command cli{"tool", "A tool with commands."};
    param::Command& remote = cli.command("remote", "manage remotes");
    param::Command& add = remote.command("add", "add a remote");
    param::Command& build = cli.command("build", "build it");
};

}  // namespace

TEST(Commands, EachReadsItsOwnWordsAndThoseOfTheSharedCommandsAbove) {
    const struct {
        std::string words;
        const char* chosen;
        std::string values;
    } cases[] = {
        {"remote|add|u", "add", "C= n= m=fast u j=1"},
        {"-v|-C|d|remote|-n|o|add|-f|u|w", "add", "v C=d n=o f m=fast u w j=1"},
        {"remote|add|-vm|slow|--name=o|--dir=d|u", "add", "v C=d n=o m=slow u j=1"},
        {"build|-j|4|-v", "build", "v C= n= m=fast j=4"},
        {"remote|add|--|-v", "add", "C= n= m=fast -v j=1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        Git git;
        const param::Result result = git.run(c.words);
        ASSERT_TRUE(result) << result.text();
        EXPECT_STREQ(result.command().name(), c.chosen);
        EXPECT_EQ(git.values(), c.values);
    }
}

TEST(Commands, ProblemsWithCommandsNameThemAndTheClosestName) {
    const struct {
        std::string words;
        int code;
        std::string message, hintOf;
    } cases[] = {
        {"", param::PROBLEM_MISSING_COMMAND, "A command is required: 'remote' or 'build'.", "tool"},
        {"-v|remote", param::PROBLEM_MISSING_COMMAND, "A command is required: 'add' or 'remove'.", "tool remote"},
        {"remot|add", param::PROBLEM_UNKNOWN_COMMAND, "Unknown command 'remot'.\nDid you mean 'remote'?", "tool"},
        {"remote|ad", param::PROBLEM_UNKNOWN_COMMAND, "Unknown command 'ad'.\nDid you mean 'add'?", "tool remote"},
        {"remote|commit", param::PROBLEM_UNKNOWN_COMMAND, "Unknown command 'commit'.", "tool remote"},
        {"-j|4|build", param::PROBLEM_UNKNOWN_FLAG, "Unknown flag '-j'.", "tool"},
        {"build|-f", param::PROBLEM_UNKNOWN_FLAG, "Unknown flag '-f'.", "tool build"},
        {"--verbos|build", param::PROBLEM_UNKNOWN_KEYWORD, "Unknown keyword 'verbos'.\nDid you mean '--verbose'?", "tool"},
        {"remote|add|--mod=slow", param::PROBLEM_UNKNOWN_KEYWORD, "Unknown keyword 'mod'.\nDid you mean '--mode'?", "tool remote add"},
        {"build|--jbos=2", param::PROBLEM_UNKNOWN_KEYWORD, "Unknown keyword 'jbos'.\nDid you mean '--jobs'?", "tool build"},
        {"build|--parallel", param::PROBLEM_UNKNOWN_KEYWORD, "Unknown keyword 'parallel'.", "tool build"},
        {"remote|add|-m|slo|u", param::PROBLEM_INVALID_VALUE,
         "Invalid value 'slo' at parameter '-m'.\nIt should be one of fast, slow.\nDid you mean 'slow'?", "tool remote add"},
        {"remote|add|-m|quick|u", param::PROBLEM_INVALID_VALUE,
         "Invalid value 'quick' at parameter '-m'.\nIt should be one of fast, slow.", "tool remote add"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        Git git;
        const param::Result result = git.run(c.words);
        EXPECT_EQ(result.code(), c.code);
        EXPECT_EQ(result.text(), c.message + hint(c.hintOf));
    }
}

TEST(Commands, HaveAHelpScreenEachThatListsTheCommandsBelowAndTheOptionsAbove) {
    Git git;
    const std::string program = git.run("-v|--help").text();
    EXPECT_EQ(program.substr(0, program.find('\n')), "Usage: tool [OPTIONS] COMMAND");
    EXPECT_NE(program.find("\nCommands:\n  remote  manage remotes\n  build   build it\n"), std::string::npos) << program;
    const param::Result add = git.run("remote|add|--help");
    EXPECT_EQ(add.status(), param::Result::HELP);
    EXPECT_EQ(add.text().substr(0, add.text().find('\n')), "Usage: tool remote add [OPTIONS] [URL]...");
    EXPECT_NE(add.text().find("\nOptions of tool remote:\n  -n, --name=TEXT  the remote's name [env: TOOL_REMOTE_name]\n"),
              std::string::npos)
        << add.text();
    EXPECT_NE(add.text().find("\nOptions of tool:\n  -v, --verbose   [env: TOOL_verbose]\n"), std::string::npos) << add.text();
    EXPECT_EQ(add.text().find("-j"), std::string::npos);
}

TEST(Commands, TakeValuesFromVariablesNamedAfterTheirPath) {
    setenv("TOOL_REMOTE_name", "origin", 1);
    setenv("TOOL_dir", "/src", 1);
    Git git;
    const param::Result result = git.run("remote|add|u");
    unsetenv("TOOL_REMOTE_name");
    unsetenv("TOOL_dir");
    ASSERT_TRUE(result) << result.text();
    EXPECT_EQ(git.values(), "C=/src n=origin m=fast u j=1");
}

TEST(Commands, ReadTheirOwnParameterFilesAndWriteTheirOwnValues) {
    Git git;
    git.remote.parameterFile("--settings");
    const std::string file = writeTempFile("remote.par", "name origin\n");
    ASSERT_TRUE(git.run("remote|--settings|" + file + "|add|u"));
    EXPECT_EQ(git.name, "origin");
    std::ostringstream written;
    ASSERT_EQ(git.remote.writeParameters(written), param::OK);
    EXPECT_NE(written.str().find("name origin  # from " + file + ", line 1\n"), std::string::npos) << written.str();
    EXPECT_EQ(written.str().find("verbose"), std::string::npos);
}

TEST(Commands, NoneKeepsAValueOfAnEarlierReadingNorDoesAGroupWithAParameterOfAnother) {
    int count = 0;
    bool yes = false;
    param::Command cli("tool");
    auto& countOption = cli.command("add").option(count, "--count");
    param::Command& remove = cli.command("remove");
    remove.atMostOne(remove.flag(yes, "-y"), countOption);
    Args add("tool|add|--count=1"), removeYes("tool|remove|-y");
    ASSERT_TRUE(cli.parse(add.argc(), add.argv()));
    const param::Result result = cli.parse(removeYes.argc(), removeYes.argv());
    EXPECT_TRUE(result) << result.text();
    EXPECT_TRUE(result.chose(remove));
    EXPECT_EQ(count, 0);
}

TEST(Commands, ShowTheVersionOfTheCommandWhoseOptionWasGiven) {
    const struct {
        std::string words, version;
    } cases[] = {
        {"--version", "tool 1.0\n"},
        {"remote|--version", "remote 2.0\n"},
        {"build|--version", "tool 1.0\n"},  // the program's option, shared with its commands
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        Git git;
        git.cli.version("tool 1.0");
        git.remote.version("remote 2.0");
        const param::Result result = git.run(c.words);
        EXPECT_EQ(result.status(), param::Result::VERSION);
        EXPECT_EQ(result.text(), c.version);
    }
}

TEST(Commands, MayBeLeftOutWhereTheProgramSaysSo) {
    Git git;
    git.cli.commandOptional();
    const param::Result result = git.run("-v");
    ASSERT_TRUE(result) << result.text();
    EXPECT_TRUE(result.chose(git.cli));
}

TEST(Commands, DeclaredWronglyAreAProblemOfTheProgram) {
    const struct {
        const char *first, *second;
        bool positional;
        std::string message;
    } cases[] = {
        {"put", "put", false, "its commands wrongly: two commands are named 'put'."},
        {"-put", "get", false, "its commands wrongly: '-put' is no name a command line can give."},
        {"put", "get", true, "its parameters wrongly: 'KEY' is a positional parameter of a command whose words name its commands."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        std::string key;
        param::Command cli("kv");
        cli.command(c.first);
        cli.command(c.second);
        if (c.positional) cli.positional(key, "KEY");
        Args args("kv|put");
        EXPECT_EQ(cli.parse(args.argc(), args.argv()).text(), "The program declares " + c.message + "\n");
    }
}

TEST(Suggestions, NameTheClosestKeywordOfAParameterFile) {
    int lines = 0;
    param::Command cli("tool");
    cli.option(lines, "--lines");
    cli.parameterFile("--settings");
    const std::string file = writeTempFile("suggested.par", "lnies 4\n");
    Args args("tool|--settings=" + file);
    EXPECT_EQ(cli.parse(args.argc(), args.argv()).text(),
              "Unknown keyword in file '" + file + "' at line 1:\n'lnies 4'.\nDid you mean 'lines'?" + hint("tool"));
}

TEST(Abbreviations, GiveTheOneLongNameThatBeginsSoAndNameTheCandidatesOtherwise) {
    const struct {
        std::string words, values;
    } cases[] = {
        {"--compl", "complement"},
        {"--out=X|--no-col", "output=X no color"},
        {"--only", "only"},
        {"--only-d", "only-delimited"},
        {"--comp", "Ambiguous option '--comp': it may be '--complement' or '--compress'."},
        {"--o=X", "Ambiguous option '--o': it may be '--output-delimiter', '--only' or '--only-delimited'."},
        {"--x", "Unknown keyword 'x'."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        bool complement = false, compress = false, only = false, onlyDelimited = false, color = true;
        std::string output;
        param::Command cli("cut");
        cli.abbreviations();
        cli.flag(complement, "--complement");
        cli.flag(compress, "--compress");
        cli.option(output, "--output-delimiter");
        cli.flag(only, "--only");
        cli.flag(onlyDelimited, "--only-delimited");
        cli.flag(color, "--color").negatable();
        Args args("cut|" + c.words);
        const param::Result result = cli.parse(args.argc(), args.argv());
        const std::string values = std::string(complement ? "complement" : "") + (compress ? "compress" : "") +
                                   (output.empty() ? "" : "output=" + output) + (color ? "" : " no color") +
                                   (only ? "only" : "") + (onlyDelimited ? "only-delimited" : "");
        EXPECT_EQ(result ? values : result.text(), result ? c.values : c.values + hint("cut"));
    }
}

TEST(Suggestions, AreTheFirstNameAtMostTwoEditsAwayOrTheOneThatBeginsSo) {
    const std::vector<std::string> names = {"complement", "compress", "delimiter", "list", "fields"};
    const struct {
        const char *typed, *suggested;
    } cases[] = {
        {"delimtier", "delimiter"},   // two neighbours swapped: one edit
        {"fiedls", "fields"},         // one swap
        {"lst", "list"},              // one left out
        {"lisst", "list"},            // one too many
        {"dalimitr", "delimiter"},    // two edits
        {"dxlimxtr", ""},             // three
        {"ls", ""},                   // two edits, but as many as the word has
        {"compl", "complement"},      // the one that begins so
        {"comp", ""},                 // two begin so
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(param_detail::closest(c.typed, names), c.suggested);
    }
}

TEST(Commands, WritingPagesAndScriptsAfterAReadingKeepsTheValuesRead) {
    std::string key, value;
    param::Command cli("/usr/local/bin/kv");
    param::Command& put = cli.command("put");
    put.positional(key, "KEY");
    put.positional(value, "VALUE");
    cli.command("get").positional(key, "KEY");
    Args args("kv|put|k|v");
    ASSERT_TRUE(cli.parse(args.argc(), args.argv()));
    std::ostringstream page, script;
    cli.writeManualPage(page);
    cli.writeCompletion(script, "bash");
    EXPECT_EQ(key + "=" + value, "k=v");
    EXPECT_NE(script.str().find("complete -F _kv_completion -- 'kv'"), std::string::npos) << script.str();
    EXPECT_EQ(put.problem(param::PROBLEM_INVALID_VALUE, "KEY", "k").text(), "Invalid value 'k' at parameter 'KEY'." + hint("kv put"));
}

TEST(Commands, ReadTheWordsAfterADoubleDashAsWordsNeverAsCommands) {
    Git git;
    EXPECT_EQ(git.run("--|build").text(), "Unexpected word 'build': no parameter takes it." + hint("tool"));
}

TEST(Abbreviations, HoldForTheCommandsBelowAndNeverForAnEmptyNameNorSuggestAHiddenOne) {
    const struct {
        std::string words, outcome;
    } cases[] = {
        {"build|--jo=3", "j=3"},
        {"build|--he", "help"},
        {"--=x|build", "Unknown keyword ''." + hint("tool")},
        {"build|--secert", "Unknown keyword 'secert'." + hint("tool build")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        Git git;
        bool secret = false;
        git.cli.abbreviations();
        git.build.flag(secret, "--secret").hidden();
        const param::Result result = git.run(c.words);
        EXPECT_EQ(result.status() == param::Result::HELP ? "help" : result ? "j=" + std::to_string(git.jobs) : result.text(), c.outcome);
    }
}
