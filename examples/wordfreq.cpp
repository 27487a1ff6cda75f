// wordfreq: prints the most frequent words of its texts, one line per word (the count, a tab, the
// word), most frequent first, ties in byte order of the word (or, with -o alpha, in byte order of
// the word alone). A word is a maximal run of ASCII letters and digits and of bytes of 128 and
// above; ASCII letters are folded to lower case unless CaseSensitive is on. The counts of all files
// add up; words given with -i are not counted.
//
// It is a host of the new interface (param::Command), and shows what a program gets with it: strict
// values (-n 3x is refused), switches that take on/off words (--CaseSensitive=off), problems the
// program reports itself, help on standard output, quoted values in parameter files (read with -f)
// and "-" for standard input; the value kinds programs have: std::string, lists, the rest of the words
// as a list of files, a range, a list of choices and a type of its own (Order); values from
// environment variables (WORDFREQ_Top=5), the parameters in force saved with where each came from
// (--SaveParameters), a completion script for bash, zsh or fish (--Completion bash), and its manual
// page (--Manual man) or Markdown reference (--Manual markdown).
//
// Exit status: 0 after success, help, completion script and manual page; 2 after a problem with the
// parameters (the library has written the message); 1 when an input or the output cannot be opened.
#include <algorithm>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <param/Command.h>

namespace {

// How the words are ordered: most frequent first, or by the word alone.
enum class Order { Count, Alpha };

}  // namespace

// The two orders by their names on the command line, in files and in messages.
template <>
struct param::ValueType<Order> {
    static constexpr param::Named<Order> names[] = {{Order::Count, "count"}, {Order::Alpha, "alpha"}};
};

namespace {

struct Settings {
    int top = 10;
    unsigned int minLength = 1;
    bool caseSensitive = false;
    std::string output;
    std::string save;
    Order order = Order::Count;
    std::vector<std::string> ignore;
    std::vector<std::string> files;
};

std::string folded(std::string word, const Settings& settings) {
    if (!settings.caseSensitive) {
        for (char& c : word) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return word;
}

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
        if (!word.empty() && characters(word) >= settings.minLength) {
            word = folded(word, settings);
            if (std::find(settings.ignore.begin(), settings.ignore.end(), word) == settings.ignore.end()) ++counts[word];
        }
        word.clear();
    };
    for (char c; in.get(c);) {
        if (isWordByte(static_cast<unsigned char>(c))) {
            word += c;
        } else {
            finish();
        }
    }
    finish();
}

// Counts the words of one input, "-" being standard input; false when it cannot be opened.
bool countInput(const std::string& name, const Settings& settings, std::map<std::string, long>& counts) {
    if (name == "-") {
        countWords(std::cin, settings, counts);
        return true;
    }
    std::ifstream in(name, std::ios::binary);
    if (!in) return false;
    countWords(in, settings, counts);
    return true;
}

void writeMostFrequent(std::ostream& out, const std::map<std::string, long>& counts, const Settings& settings) {
    std::vector<std::pair<std::string, long>> words(counts.begin(), counts.end());
    // The map is in byte order already; a stable sort by count keeps it among equal counts.
    if (settings.order == Order::Count) {
        std::stable_sort(words.begin(), words.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    }
    for (int i = 0; i < settings.top && i < static_cast<int>(words.size()); ++i) {
        out << words[i].second << '\t' << words[i].first << '\n';
    }
}

}  // namespace

int main(int argc, char** argv) {
    Settings settings;
    param::Command cli("wordfreq", "Print the most frequent words of the texts, the count, a tab and the word on each line, "
                                   "most frequent first.");
    cli.environmentPrefix("WORDFREQ_");
    cli.parameterFile("-f", "--ParameterFile");
    // Files is needed only to count words, not to save the parameters: the program checks it.
    cli.positional(settings.files, "Files").valueName("file").help("the texts to read, in order, at least one; - is standard input");
    cli.option(settings.ignore, "-i", "--Ignore").valueName("word").help("a word not to count");
    cli.option(settings.order, "-o", "--Order").valueName("order")
        .help("count: most frequent first, ties in byte order; alpha: byte order of the word");
    cli.option(settings.top, "-n", "--Top").valueName("n").help("how many words to print at most").range(1, 100000);
    cli.option(settings.minLength, "-m", "--MinLength").valueName("n").help("shortest word counted, in characters").range(1U, 1000U);
    cli.flag(settings.caseSensitive, "-c", "--CaseSensitive").help("keep letter case");
    cli.option(settings.output, "--Output").valueName("file").help("file to write to instead of standard output");
    cli.completionOption("--Completion");
    cli.manualOption("--Manual");
    cli.exitStatus(0, "success, and after help, completion script and manual page");
    cli.exitStatus(1, "an input or the output cannot be opened");
    cli.exitStatus(2, "a problem with the parameters, named on standard error");
    cli.seeAlso("sort(1)").seeAlso("uniq(1)");
    cli.option(settings.save, "--SaveParameters").valueName("file")
        .help("write the parameters in force to this file (- for standard output), read no input");

    const param::Result result = cli.parse(argc, argv);
    if (!result) return result.report();

    if (!settings.save.empty()) {
        const std::vector<std::string> notSaved = {"SaveParameters"};
        const int saved = settings.save == "-" ? cli.writeParameters(std::cout, notSaved)
                                               : cli.writeParameterFile(settings.save.c_str(), notSaved);
        return saved == param::OK ? 0 : 1;
    }
    if (settings.files.empty()) return cli.problem(param::PROBLEM_MISSING_PARAMETER, "file").report();
    for (std::string& word : settings.ignore) word = folded(word, settings);
    std::map<std::string, long> counts;
    for (const std::string& file : settings.files) {
        if (!countInput(file, settings, counts)) {
            std::cerr << "wordfreq: cannot open '" << file << "'\n";
            return 1;
        }
    }
    if (settings.output.empty()) {
        writeMostFrequent(std::cout, counts, settings);
        return 0;
    }
    std::ofstream out(settings.output, std::ios::binary);
    if (!out) {
        std::cerr << "wordfreq: cannot write '" << settings.output << "'\n";
        return 1;
    }
    writeMostFrequent(out, counts, settings);
    return out.flush() ? 0 : 1;
}
