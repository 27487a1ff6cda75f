// linecount: prints the first lines of each file.
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <param/Command.h>

int main(int argc, char** argv) {
    int limit = 10;
    bool numbered = false;
    std::vector<std::string> files;

    param::Command cli("linecount", "Print the first lines of each file.");
    cli.option(limit, "-n", "--lines").valueName("COUNT").help("how many lines to print").atLeast(1);
    cli.flag(numbered, "-N", "--numbered").help("number the lines");
    cli.positional(files, "FILE").help("the files to read").required();
    const param::Result result = cli.parse(argc, argv);
    if (!result) return result.report();  // help (status 0) or a problem (status 2), already shown

    for (const std::string& file : files) {
        std::ifstream input(file);
        if (!input) {
            std::cerr << "linecount: cannot open " << file << '\n';
            return 1;
        }
        std::string line;
        for (int number = 1; number <= limit && std::getline(input, line); ++number) {
            if (numbered) std::cout << number << ": ";
            std::cout << line << '\n';
        }
    }
    return 0;
}
