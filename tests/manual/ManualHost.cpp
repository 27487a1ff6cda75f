// Writes the manual page (manual_host man) or the Markdown reference (manual_host markdown) of a
// program whose every text is full of roff and Markdown syntax, for check.sh to render.
#include <iostream>
#include <string>
#include <vector>

#include "Command.h"

int main(int argc, char** argv) {
    const std::string format = argc == 2 ? argv[1] : "";
    std::string mode = "*fast*";
    int level = 1;
    bool force = false;
    std::vector<std::string> files;
    param::Command cli("hostile", ".TH roff\n'br quote\n\\fB backslash\n# heading *star* _under_ |pipe| <b>html</b> [link](x)\n1. listed");
    cli.option(mode, "-m", "--mode").valueName("<MODE>").help("'sq apostrophe \\e escape \"dq quotes\" `back`").choices({"*fast*", "_slow_"});
    cli.option(level, "--level").valueName("N|M").help("- dash + plus = equals > quote ~tilde~ &amp; entity").env("HOSTILE_LEVEL");
    cli.flag(force, "-f", "--force").help("caf\xc3\xa9 na\xc3\xafve \\\\ double backslash").group(".SS group");
    param::Command& run = cli.command("run", ".B bold request\n\\(dq named");
    run.positional(files, "FILE").help(".SH request at the start");
    run.epilog("'\\\" a remark");
    cli.file("~/.hostile\\rc", "$HOME/.rc \\n");
    cli.exitStatus(3, ".ex three");
    cli.seeAlso("evil\\fB(1)");
    cli.commandOptional();
    cli.epilog("..\n.\\\" end");
    const int written = format == "man" ? cli.writeManualPage(std::cout) : cli.writeMarkdown(std::cout);
    return written == param::OK ? 0 : 1;
}
