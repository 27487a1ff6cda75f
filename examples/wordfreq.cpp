// wordfreq: prints the most frequent words of a text, one line per word (the count, a tab, the
// word), most frequent first, ties in byte order of the word. A word is a maximal run of ASCII
// letters and digits and of bytes of 128 and above; ASCII letters are folded to lower case unless
// CaseSensitive is on.
//
// It is a host of the library that adopts today's conventions with one line, and shows what they
// give: strict values (-n 3x is refused), switches that take on/off words (--CaseSensitive=off),
// problems the program handles itself, help on standard output, quoted values in parameter files
// and "-" for standard input.
//
// Exit status: 0 after success and after help; 2 after a problem with the parameters (the library
// has written the message); 1 when an input or the output cannot be opened.
#include <algorithm>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Param.h"

namespace {

struct Settings {
    int top = 10;
    unsigned int minLength = 1;
    bool caseSensitive = false;
    char* output = nullptr;
    char* file = nullptr;
};

bool isWordByte(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c >= 128;
}

// Characters, not bytes: a UTF-8 continuation byte belongs to the character before it.
std::size_t characters(const std::string& word) {
    return std::count_if(word.begin(), word.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}

void countWords(std::istream& in, const Settings& settings, std::map<std::string, long>& counts) {
    std::string word;
    const auto finish = [&] {
        if (!word.empty() && characters(word) >= settings.minLength) ++counts[word];
        word.clear();
    };
    for (char c; in.get(c);) {
        const auto byte = static_cast<unsigned char>(c);
        if (!isWordByte(byte)) {
            finish();
        } else {
            word += (!settings.caseSensitive && byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte - 'A' + 'a') : c;
        }
    }
    finish();
}

// Counts the words of one input, "-" being standard input; false when it cannot be opened.
bool countInput(const char* name, const Settings& settings, std::map<std::string, long>& counts) {
    if (std::string(name) == "-") {
        countWords(std::cin, settings, counts);
        return true;
    }
    std::ifstream in(name, std::ios::binary);
    if (!in) return false;
    countWords(in, settings, counts);
    return true;
}

void writeMostFrequent(std::ostream& out, const std::map<std::string, long>& counts, int top) {
    std::vector<std::pair<std::string, long>> words(counts.begin(), counts.end());
    // The map is in byte order already; a stable sort by count keeps it among equal counts.
    std::stable_sort(words.begin(), words.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    for (int i = 0; i < top && i < static_cast<int>(words.size()); ++i) {
        out << words[i].second << '\t' << words[i].first << '\n';
    }
}

}  // namespace

int main(int argc, char** argv) {
    Settings settings;
    CParam params;
    params.SetConventions(CParam::CONVENTIONS_TODAY);
    params.AddParamDef("Top", 'n', &settings.top, 10, "how many words to print at most", true, "n", -1);
    params.AddParamDef("MinLength", 'm', &settings.minLength, 1U, "shortest word counted, in characters", true,
                       "n", -1);
    params.AddParamDef("CaseSensitive", 'c', &settings.caseSensitive, false, "keep letter case", true, "", -1);
    params.AddParamDef("Output", 0, &settings.output, nullptr, "file to write to instead of standard output",
                       true, "file", -1);
    params.AddParamDef("Files", 0, &settings.file, nullptr, "the text to read; - is standard input", false,
                       "file", 1);

    const int result = params.Interpret_returnError(argv, argc);
    if (result == CParam::HELP_SHOWN) return 0;
    if (result != CParam::OK) return 2;

    std::map<std::string, long> counts;
    if (!countInput(settings.file, settings, counts)) {
        std::cerr << "wordfreq: cannot open '" << settings.file << "'\n";
        return 1;
    }
    if (settings.output == nullptr) {
        writeMostFrequent(std::cout, counts, settings.top);
        return 0;
    }
    std::ofstream out(settings.output, std::ios::binary);
    if (!out) {
        std::cerr << "wordfreq: cannot write '" << settings.output << "'\n";
        return 1;
    }
    writeMostFrequent(out, counts, settings.top);
    return out.flush() ? 0 : 1;
}
