// What the completion scripts refuse to hold; the scripts themselves are tried in the real shells
// (tests/completion).
#include <set>
#include <sstream>

#include "TestSupport.h"
#include "detail/Completion.h"
#include "detail/Texts.h"

namespace {

const std::string controls = "': it holds a line end or another control character, which no script can hold.\n";
const std::string programs = "': a program's name must not be empty, begin with a hyphen or hold \"=\".\n";

}  // namespace

TEST(CompletionScript, ATextTheShellCannotHoldIsNamedAndNothingIsWritten) {
    const struct {
        const char *shell, *program, *keyword;
        char flag;
        const char* choice;
        std::string message;
    } cases[] = {
        {"fish", "tool", "Mode", 0, "fa\x1bst", "Cannot write the fish completion script: 'fa\\x1Bst" + controls},
        {"bash", "", "Mode", 0, nullptr, "Cannot write the bash completion script: '" + programs},
        {"fish", "-tool", "Mode", 0, nullptr, "Cannot write the fish completion script: '-tool" + programs},
        {"zsh", "a=b", "Mode", 0, nullptr, "Cannot write the zsh completion script: 'a=b" + programs},
        {"zsh", "my tool", "Mode", 0, nullptr,
         "Cannot write the zsh completion script: 'my tool': zsh's #compdef line cannot hold a program's name with a "
         "blank.\n"},
        {"fish", "my$tool", "Mode", 0, nullptr,
         "Cannot write the fish completion script: 'my$tool': fish reads $ * ? ~ { } ' \" \\ in a program's name as "
         "an expansion, a pattern or a quote.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        CParam set;
        std::string value;
        ASSERT_EQ(set.AddParamDef(c.keyword, c.flag, &value, nullptr, "d", true, "m", -1), 1);
        if (c.choice != nullptr) {
            ASSERT_EQ(set.SetChoices(c.keyword, {"slow", c.choice}), 1);
        }
        std::ostringstream out;
        EXPECT_EQ(stderrOf([&] { EXPECT_EQ(set.WriteCompletionScript(out, c.shell, c.program), CParam::NOT_OK); }),
                  c.message);
        EXPECT_EQ(out.str(), "");
    }
}

TEST(CompletionScript, LineEndsTabsAndPageBreaksInADescriptionShowAsBlanks) {
    CParam set;
    std::string value;
    set.AddParamDef("Mode", 'm', &value, nullptr, "two\nlines\tand a tab\r\v\fend", true, "m", -1);
    std::ostringstream out;
    ASSERT_EQ(set.WriteCompletionScript(out, "fish", "tool"), CParam::OK);
    EXPECT_NE(out.str().find("-d 'two lines and a tab   end'"), std::string::npos) << out.str();
}

TEST(CompletionScript, ProgramsWhoseNamesDifferOnlyInOtherCharactersGetFunctionsOfTheirOwn) {
    for (const char* shell : {"bash", "zsh", "fish"}) {
        std::set<std::string> functions;
        for (const char* program : {"a-b", "a.b", "a_b", "a_2db"}) {
            CParam set;
            std::string value;
            ASSERT_EQ(set.AddParamDef("Mode", 'm', &value, nullptr, "d", true, "m", -1), 1);
            ASSERT_EQ(set.SetChoices("Mode", {"fast"}), 1);
            std::ostringstream out;
            ASSERT_EQ(set.WriteCompletionScript(out, shell, program), CParam::OK);
            // The first function the script defines: "name() {" in bash and zsh, "function name" in fish.
            const std::string script = out.str();
            const std::size_t fish = script.find("\nfunction ");
            const std::size_t start = fish != std::string::npos ? fish + 10 : script.rfind('\n', script.find("() {")) + 1;
            functions.insert(script.substr(start, script.find_first_of("( \n", start) - start));
        }
        EXPECT_EQ(functions.size(), 4u) << shell;
    }
}

TEST(CompletionModel, NamesThatNoCommandLineCouldHoldAreRefused) {
    using param_detail::CompletionCommand;
    namespace completion = param_detail::text::completion;
    const struct {
        const char *optionName, *commandName, *refused, *reason;
    } cases[] = {
        {"--a=b", "run", "--a=b", completion::optionName()},
        {"-ab", "run", "-ab", completion::optionName()},
        {"-", "run", "-", completion::optionName()},
        {"--", "run", "--", completion::optionName()},
        {"-a", "-run", "-run", completion::commandName()},
        {"-a", "", "", completion::commandName()},
        {"-a", "r\x1bun", "r\x1bun", completion::controlCharacter()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.refused);
        CompletionCommand root{"", "", {}, false, {CompletionCommand{c.commandName, "", {}, false, {}}}};
        root.commands[0].options.push_back({{c.optionName}, "", "", param_detail::CompletionOption::NONE, {}, false, false});
        std::string script = "left over";
        param_detail::CompletionRefusal refusal;
        EXPECT_FALSE(param_detail::composeCompletionScript(param_detail::CompletionShell::BASH, "tool", root, script, refusal));
        EXPECT_EQ(script, "");
        EXPECT_EQ(refusal.text, c.refused);
        EXPECT_STREQ(refusal.reason, c.reason);
    }
}
