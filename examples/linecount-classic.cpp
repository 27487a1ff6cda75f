// linecount-classic: linecount (prints the first lines of each file) written with the classic
// interface, CParam, in today's conventions.
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "Param.h"

int main(int argc, char** argv) {
    std::vector<std::string> files;
    int limit = 0;
    bool numbered = false;

    CParam params;
    params.SetConventions(CParam::CONVENTIONS_TODAY);
    params.AddParamDef("Files", 0, &files, {}, "files to read", false, "file", 1);
    params.AddParamDef("Limit", 'n', &limit, 10, "number of lines to print", true, "count", -1);
    params.SetRange("Limit", "1", nullptr);
    params.AddParamDef("Numbered", 'N', &numbered, false, "number the lines", true, "", -1);
    const int result = params.Interpret_returnError(argv, argc);
    if (result == CParam::HELP_SHOWN) return 0;  // the usage screen is on standard output
    if (result != CParam::OK) return 2;          // the message is already on standard error

    for (const std::string& file : files) {
        std::ifstream input(file);
        if (!input) {
            std::cerr << "cannot open " << file << '\n';
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
