// A type of the host's own, bound through its description alone: an enumeration by its names, a
// duration by how it reads and writes; as a parameter and as a list, with its choices or a range.
#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>

#include "TestSupport.h"

namespace {

enum class Color { Red, Green, Blue };
using Seconds = std::chrono::seconds;

}  // namespace

template <>
struct param::ValueType<Color> {
    static constexpr param::Named<Color> names[] = {{Color::Red, "red"}, {Color::Green, "green"}, {Color::Blue, "blue"}};
};

// "90s" or "2m"; written in seconds.
template <>
struct param::ValueType<Seconds> {
    static constexpr const char* name = "a duration (90s, 2m)";
    static bool read(const char* text, Seconds& value) {
        char* end = nullptr;
        const long count = std::strtol(text, &end, 10);
        if (end == text || (std::string(end) != "s" && std::string(end) != "m")) return false;
        value = Seconds(*end == 'm' ? count * 60 : count);
        return true;
    }
    static bool write(const Seconds& value, std::string& text) {
        text = std::to_string(value.count()) + "s";
        return true;
    }
};

namespace {

struct Host {
    Host() {
        set.SetConventions(CParam::CONVENTIONS_TODAY);
        set.AddParamDef("Color", 'c', &color, Color::Green, "pen", true, "color", -1);
        set.AddParamDef("Wait", 'w', &wait, Seconds(30), "wait", true, "time", -1);
        set.AddParamDef("Palette", 'p', &palette, {Color::Red}, "palette", true, "color", -1);
        set.AddParamDef("Steps", 's', &steps, {}, "steps", true, "time", -1);
        set.SetRange("Wait", "1s", "10m");
        set.SetRange("Steps", "1s", nullptr);
    }
    int run(const std::string& words, std::string* messages = nullptr) {
        Args& args = kept.emplace_back("prog|" + words);
        return captured([&] { return set.Interpret_returnError(args.argv(), args.argc()); }, messages);
    }
    std::string values() const {
        std::ostringstream out;
        set.Display(out);
        return out.str();
    }
    Color color = Color::Red;
    Seconds wait{0};
    std::vector<Color> palette;
    std::vector<Seconds> steps;
    std::deque<Args> kept;
    CParam set;
};

}  // namespace

TEST(HostType, TakesItsValuesAndRefusesOthersWithItsOwnWords) {
    const struct {
        std::string words;
        int result;
        std::string values, messages;
    } cases[] = {
        {"-c|blue|-w|2m|-p|green|-p|blue|-s|5s|-s|1m", CParam::OK, "Color=blue\nWait=120s\nPalette=green,blue\nSteps=5s,60s\n", ""},
        {"-c|purple", CParam::PROBLEM_INVALID_VALUE, "Color=green\nWait=30s\nPalette=red\nSteps=\n",
         "Invalid value 'purple' at parameter '-c'.\nIt should be one of red, green, blue."},
        {"-w|11m", CParam::PROBLEM_INVALID_VALUE, "Color=green\nWait=30s\nPalette=red\nSteps=\n",
         "Invalid value '11m' at parameter '-w'.\nIt should be a duration (90s, 2m) from 1s to 10m."},
        {"-s|0s", CParam::PROBLEM_INVALID_VALUE, "Color=green\nWait=30s\nPalette=red\nSteps=\n",
         "Invalid value '0s' at parameter '-s'.\nIt should be a duration (90s, 2m) at least 1s."},
        {"-p|Red", CParam::PROBLEM_INVALID_VALUE, "Color=green\nWait=30s\nPalette=red\nSteps=\n",
         "Invalid value 'Red' at parameter '-p'.\nIt should be one of red, green, blue.\nDid you mean 'red'?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        Host host;
        std::string messages;
        EXPECT_EQ(host.run(c.words, &messages), c.result);
        EXPECT_EQ(host.values(), c.values);
        EXPECT_EQ(messages, c.messages.empty() ? "" : c.messages + hint());
    }
}

TEST(HostType, IsWrittenBackShownOnTheUsageScreenAndReadBack) {
    Host first, second;
    ASSERT_EQ(first.run("-c|blue|-w|2m|-p|green|-s|5s"), CParam::OK);
    std::ostringstream written;
    ASSERT_EQ(first.set.WriteParameters(written), CParam::OK);
    EXPECT_NE(written.str().find("Color blue  # from the command line\nWait 120s  #"), std::string::npos) << written.str();
    ASSERT_EQ(second.run("-f|" + writeTempFile("host-type.par", written.str())), CParam::OK);
    EXPECT_EQ(second.values(), first.values());
    testing::internal::CaptureStdout();
    first.run("--help");
    const std::string screen = testing::internal::GetCapturedStdout();
    for (const char* shown : {"\t\tpen (one of red, green, blue)\n\t\tDefault: green\n", "\t\twait (from 1s to 10m)\n\t\tDefault: 30s\n",
                              "\t\tpalette (one of red, green, blue)\n\t\tMay be given several times.\n\t\tDefault: red\n"}) {
        EXPECT_NE(screen.find(shown), std::string::npos) << shown << " in\n" << screen;
    }
}
