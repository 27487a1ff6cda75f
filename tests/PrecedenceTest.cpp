// Which value holds when several sources give one, and what an interpretation starts from: the
// default, then the environment, then the command line and the files it names; each interpretation
// afresh; parameter files refused as loops only where they loop.
#include <cstdlib>
#include <filesystem>

#include "TestSupport.h"

namespace {

// Level -l (int, default 1) and Tags -t (list of words, default x), from PRECEDENCE_ variables too.
struct Host {
    explicit Host(unsigned conventions = 0) {
        set.SetConventions(conventions);
        set.SetEnvironmentPrefix("PRECEDENCE_");
        set.AddParamDef("Level", 'l', &level, 1, "d", true, "n", -1);
        set.AddParamDef("Tags", 't', &tags, {"x"}, "d", true, "tag", -1);
    }
    // The values after interpreting the words (after "prog", separated by "|"), and the messages.
    std::string run(const std::string& words, std::string* messages = nullptr) {
        Args& args = kept.emplace_back(words.empty() ? "prog" : "prog|" + words);
        const int result = captured([&] { return set.Interpret_returnError(args.argv(), args.argc()); }, messages);
        std::string shown = std::to_string(result) + ": " + std::to_string(level);
        for (const std::string& tag : tags) shown += " " + tag;
        return shown;
    }
    int level = 0;
    std::vector<std::string> tags;
    std::deque<Args> kept;
    CParam set;
};

struct Variables {
    Variables(const char* level, const char* tags) {
        if (level != nullptr) setenv("PRECEDENCE_Level", level, 1);
        if (tags != nullptr) setenv("PRECEDENCE_Tags", tags, 1);
    }
    ~Variables() {
        unsetenv("PRECEDENCE_Level");
        unsetenv("PRECEDENCE_Tags");
    }
};

}  // namespace

TEST(Precedence, ALaterSourceReplacesAListAndWithinASourceItsElementsAddUp) {
    const std::string file = writeTempFile("tags.par", "Tags f\nLevel 4\n");
    const struct {
        const char* what;
        const char *level, *tags;  // the variables; null: not set
        std::string words;
        std::string values;  // the result, the level and the tags
    } cases[] = {
        {"the defaults", nullptr, nullptr, "", "1: 1 x"},
        {"the variables over the defaults", "2", "a b", "", "1: 2 a b"},
        {"the command line over the variables", "2", "a b", "-l|3|-t|c", "1: 3 c"},
        {"a variable's list stays where the command line gives none", "2", "a b", "-l|3", "1: 3 a b"},
        {"the command line and its files add up", nullptr, "a", "-t|c|-f|" + file + "|-t|d", "1: 4 c f d"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Variables variables(c.level, c.tags);
        Host host;
        EXPECT_EQ(host.run(c.words), c.values);
    }
}

TEST(Precedence, EachInterpretationStartsAfreshNestedFilesIncluded) {
    const std::string inner = writeTempFile("afresh-inner.par", "Tags i\n");
    const std::string outer = writeTempFile("afresh-outer.par", "Tags o\nParameterFile " + inner + "\n");
    for (const unsigned conventions : {0U, CParam::CONVENTIONS_TODAY}) {
        Host host(conventions);
        std::string first, second;
        EXPECT_EQ(host.run("-t|a|-f|" + outer + "|-l|2", &first), "1: 2 a o i");
        EXPECT_EQ(host.run("-t|a|-f|" + outer + "|-l|2", &second), "1: 2 a o i");
        EXPECT_EQ(first + second, "");  // no loop: the files read before are not read in this interpretation
    }
}

TEST(ParameterFileLoops, ByDefaultAFileReadBeforeWithTodaysConventionsOnlyAFileOpenOnTheChain) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(tempDir()) / "loops";
    fs::create_directories(folder);
    const auto file = [&](const char* name, const std::string& content) { return writeTempFile("loops/" + std::string(name), content); };
    const std::string common = file("common.par", "Tags common\n");
    const std::string a = file("a.par", "ParameterFile " + common + "\n"), b = file("b.par", "ParameterFile " + common + "\n");
    const std::string x = file("x.par", "Tags x1\nParameterFile " + (folder / "y.par").string() + "\n");
    file("y.par", "Tags y\nParameterFile " + x + "\nTags y2\n");
    const std::string self = file("p.par", "Tags p\nParameterFile " + (folder / "." / "p.par").string() + "\n");
    fs::create_symlink(folder / "x.par", folder / "link.par");
    const std::string throughLink = file("z.par", "ParameterFile " + (folder / "link.par").string() + "\n");
    const auto loop = [](const std::string& in, const std::string& line, int number) {
        return "Loop detected in nested parameter file call in file '" + in + "' at line" + (number > 0 ? " " + std::to_string(number) : "") +
               ":\n'" + line + "'.\nSkipping parameter file call." + hint();
    };
    const std::string yPath = (folder / "y.par").string();
    const struct {
        const char* what;
        unsigned conventions;
        std::string words, values, messages;
    } cases[] = {
        {"a shared file, by default read once", 0, "-f|" + a + "|-l|2|-f|" + b, "1: 2 common", loop(b, "ParameterFile " + common, 0)},
        {"a shared file, read for each that names it", CParam::CONVENTIONS_TODAY, "-f|" + a + "|-l|2|-f|" + b, "1: 2 common common", ""},
        {"x names y, which names x", CParam::CONVENTIONS_TODAY, "-f|" + x, "1: 1 x1 y y2", loop(yPath, "ParameterFile " + x, 2)},
        {"p.par names ./p.par", CParam::CONVENTIONS_TODAY, "-f|" + self, "1: 1 p",
         loop(self, "ParameterFile " + (folder / "." / "p.par").string(), 2)},
        {"a link to a file on the chain", CParam::CONVENTIONS_TODAY, "-f|" + x + "|-f|" + throughLink, "1: 1 x1 y y2 x1 y y2",
         loop(yPath, "ParameterFile " + x, 2) + loop(yPath, "ParameterFile " + x, 2)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Host host(c.conventions);
        std::string messages;
        EXPECT_EQ(host.run(c.words, &messages), c.values);
        EXPECT_EQ(messages, c.messages);
    }
}
