// The help screen at the widths of terminals, and the manual page and Markdown reference, whose texts
// from the declarations stay text in their formats.
#include <cstdlib>
#include <sstream>

#include "Command.h"
#include "TestSupport.h"

enum class Shade { Light, Dark };
template <>
struct param::ValueType<Shade> {
    static constexpr param::Named<Shade> names[] = {{Shade::Light, "light"}, {Shade::Dark, "dark"}};
};

namespace {

// show [-n COUNT] [-m MODE] [--[no-]color] FILE...: a default, a range, a variable, choices, a
// relation, a group, a deprecated and a hidden option, and an epilog.
struct Show {
    Show() {
        cli.positional(files, "FILE").help("the files to read; - is standard input");
        auto& n = cli.option(lines, "-n", "--lines").valueName("COUNT").help("how many lines to show of each file").range(1, 99).env("SHOW_LINES");
        cli.flag(color, "--color").negatable().help("color the output").group("Output");
        cli.option(mode, "-m", "--mode").choices({"fast", "exact"}).help("how to find the lines").excludes(n);
        cli.flag(old, "--old").deprecated("use --mode").help("the old way");
        cli.flag(secret, "--secret").hidden();
        cli.epilog("Exit status: 0 when every file was read.");
    }
    int lines = 10;
    bool color = false, old = false, secret = false;
    std::string mode = "fast";
    std::vector<std::string> files;
    param::Command cli{"show", "Show the first lines of each file."};
};

std::string pageOf(const param::Command& cli, bool manual) {
    std::ostringstream out;
    EXPECT_EQ(manual ? cli.writeManualPage(out) : cli.writeMarkdown(out), param::OK);
    return out.str();
}

}  // namespace

TEST(HelpScreen, WrapsItsSecondColumnToTheWidth) {
    const std::string head = "Usage: show [OPTIONS] [FILE]...\nShow the first lines of each file.\n\n";
    const std::string tail = "\nOutput:\n      --[no-]color  color the output\n\nExit status: 0 when every file was read.\n";
    const struct {
        int width;
        std::string body;
    } cases[] = {
        {40,
         "Arguments:\n"
         "  FILE...  the files to read; - is\n"
         "           standard input\n\n"
         "Options:\n"
         "  -n, --lines=COUNT  how many lines to\n"
         "                     show of each file\n"
         "                     [default: 10] [from\n"
         "                     1 to 99] [env:\n"
         "                     SHOW_LINES]\n"
         "  -m, --mode=TEXT    how to find the\n"
         "                     lines [default:\n"
         "                     fast] [one of fast,\n"
         "                     exact] [not with\n"
         "                     --lines]\n"
         "      --old          the old way\n"
         "                     [deprecated: use\n"
         "                     --mode]\n"
         "  -h, --help         show this help and\n"
         "                     exit\n"},
        {80,
         "Arguments:\n"
         "  FILE...  the files to read; - is standard input\n\n"
         "Options:\n"
         "  -n, --lines=COUNT  how many lines to show of each file [default: 10] [from 1\n"
         "                     to 99] [env: SHOW_LINES]\n"
         "  -m, --mode=TEXT    how to find the lines [default: fast] [one of fast, exact]\n"
         "                     [not with --lines]\n"
         "      --old          the old way [deprecated: use --mode]\n"
         "  -h, --help         show this help and exit\n"},
        {120,
         "Arguments:\n"
         "  FILE...  the files to read; - is standard input\n\n"
         "Options:\n"
         "  -n, --lines=COUNT  how many lines to show of each file [default: 10] [from 1 to 99] [env: SHOW_LINES]\n"
         "  -m, --mode=TEXT    how to find the lines [default: fast] [one of fast, exact] [not with --lines]\n"
         "      --old          the old way [deprecated: use --mode]\n"
         "  -h, --help         show this help and exit\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        Show show;
        EXPECT_EQ(show.cli.helpText(c.width), head + c.body + tail);
    }
}

TEST(HelpScreen, ShowsWhatADeclarationWouldSendATerminal) {
    bool on = false;
    param::Command cli("tool", "caf\xc3\xa9 \x1b[2J");
    cli.flag(on, "--on").help("\x1b]0;title\x07 \xff");
    EXPECT_EQ(cli.helpText(80),
              "Usage: tool [OPTIONS]\ncaf\xc3\xa9 \\x1b[2J\n\nOptions:\n      --on    \\x1b]0;title\\x07 \\xff\n"
              "  -h, --help  show this help and exit\n");
}

TEST(ManualPage, KeepsEveryTextOfTheDeclarationsText) {
    bool on = false;
    std::string mode;
    param::Command cli("tool", ".TH x\n'br\nback\\slash \"quoted\" caf\xc3\xa9 \xe0\xa4\x85\xf0\x9f\x98\x80");
    cli.flag(on, "-o", "--on").help(".SH y").group("\"group\"");
    cli.option(mode, "--mode", "--a-rather-long-name-for-the-mode", "--and-another-one-as-long-as-that").valueName("M\\N");
    const std::string page = pageOf(cli, true);
    for (const char* line : {"\\&.TH x\n", "\\&'br\n", "back\\eslash \\(dqquoted\\(dq caf\\[u00E9] \\[u0905]\\[u1F600]\n", ".SS \"\\(dqgroup\\(dq\"\n",
                             "\\fB\\-o\\fR, \\fB\\-\\-on\\fR\n\\&.SH y\n", ".TP\n\\fB\\-\\-mode\\fR, \\fB\\-\\-a\\-rather\\-long\\-name\\-for\\-the\\-mode\\fR, "
                             "\\fB\\-\\-and\\-another\\-one\\-as\\-long\\-as\\-that\\fR=\\fIM\\eN\\fR\n.TP\n"}) {
        EXPECT_NE(page.find(line), std::string::npos) << line << " not in\n" << page;
    }
}

TEST(ManualPage, HasTheSectionsOfAManualPage) {
    Show show;
    show.cli.environmentPrefix("SHOW_");
    show.cli.parameterFile("--settings");
    show.cli.exitStatus(1, "a file cannot be read");
    show.cli.file("/etc/show.conf", "read first");
    show.cli.seeAlso("head(1)");
    setenv("SOURCE_DATE_EPOCH", "86400", 1);
    const std::string page = pageOf(show.cli, true);
    unsetenv("SOURCE_DATE_EPOCH");
    EXPECT_NE(page.find(".TH \"SHOW\" \"1\" \"1970-01-02\" \"\" \"User Commands\"\n"), std::string::npos) << page;
    std::string sections;
    for (std::size_t at = page.find(".SH \""); at != std::string::npos; at = page.find(".SH \"", at + 1)) {
        sections += page.substr(at + 5, page.find('"', at + 5) - at - 5) + ",";
    }
    EXPECT_EQ(sections, "NAME,SYNOPSIS,DESCRIPTION,OPTIONS,ENVIRONMENT,FILES,EXIT STATUS,NOTES,SEE ALSO,");
    EXPECT_NE(page.find(".SH \"NAME\"\nshow \\- Show the first lines of each file.\n"), std::string::npos);
    EXPECT_NE(page.find(".TP\n\\fBSHOW_settings\\fR\nnames a parameter file, read before the command line\n"), std::string::npos);
    EXPECT_NE(page.find(".TP\n\\fBSHOW_LINES\\fR\ngives --lines: how many lines to show of each file\n"), std::string::npos);
    EXPECT_NE(page.find(".TP\n\\fI/etc/show.conf\\fR\nread first\n"), std::string::npos);
    EXPECT_NE(page.find(".TP\n\\fB1\\fR\na file cannot be read\n"), std::string::npos);
    EXPECT_EQ(page.find("secret"), std::string::npos);
    EXPECT_NE(page.find("\\fBhead\\fR(1)\n"), std::string::npos);
}

TEST(ManualPage, DescribesEachCommandBesideTheProgramsOptionsAndTheStatusesOfReport) {
    std::string store, key;
    param::Command cli("kv", "Keep values.");
    cli.option(store, "--store").help("the store");
    cli.shared();
    param::Command& get = cli.command("get", "Print a value.");
    get.positional(key, "KEY").help("the key").required();
    const std::string page = pageOf(cli, true);
    EXPECT_NE(page.find(".SS \"kv get [OPTIONS] KEY\"\nPrint a value.\n.PP\n\\fIArguments:\\fR\n.TP\n\\fIKEY\\fR\nthe key\n.PP\n"
                        "\\fIOptions:\\fR\n.TP\n\\fB\\-h\\fR, \\fB\\-\\-help\\fR\nshow this help and exit\n.SH \"OPTIONS\"\n.TP\n"
                        "\\fB\\-\\-store\\fR=\\fITEXT\\fR\nthe store\n"),
              std::string::npos)
        << page;
    // Without statuses of its own, the page names those of report().
    EXPECT_NE(page.find(".SH \"EXIT STATUS\"\n.TP\n\\fB0\\fR\nsuccess, and after help, version, completion script or manual page\n"
                        ".TP\n\\fB2\\fR\na problem with the command line, named on standard error\n"),
              std::string::npos);
}

TEST(MarkdownReference, EscapesWhatMarkdownWouldReadAsSyntax) {
    bool on = false;
    std::string value;
    param::Command cli("tool", "*a* _b_ `c` [d](e) <f> | # g\n1. h\n- i\n    j");
    cli.flag(on, "--o`n").help("&amp; ~k~");
    cli.option(value, "--v").valueName("a```b").required();
    const std::string page = pageOf(cli, false);
    for (const char* line : {"\\*a\\* \\_b\\_ \\`c\\` \\[d\\](e) \\<f\\> \\| \\# g\n\n", "1\\. h\n\n", "\\- i\n\n", "\nj\n\n",
                             "- ``--o`n``: \\&amp; \\~k\\~\n", "````\ntool --v=a```b [OPTIONS]\n````\n"}) {
        EXPECT_NE(page.find(line), std::string::npos) << line << " not in\n" << page;
    }
}

TEST(HelpScreen, NamesTheProgramByItsBaseNameAndOptionsOnlyWhereItHasSome) {
    std::string name;
    param::Command cli("/usr/local/bin/show");
    cli.helpOption();
    cli.positional(name, "NAME").required();
    EXPECT_EQ(cli.helpText(80), "Usage: show NAME\n\nArguments:\n  NAME\n");
}

TEST(HelpScreen, NamesAValueByItsTypeWhereTheProgramGivesNoName) {
    std::string text;
    std::vector<double> ratios;
    Shade shade = Shade::Light;
    param::Command cli("tool");
    cli.option(text, "-t").help("t");
    cli.option(ratios, "-r").help("r");
    cli.option(shade, "-s").help("s");
    EXPECT_EQ(cli.helpText(80), "Usage: tool [OPTIONS]\n\nOptions:\n  -t TEXT     t\n  -r NUM      r [may be given several times]\n"
                                "  -s VALUE    s [default: light] [one of light, dark]\n  -h, --help  show this help and exit\n");
}
