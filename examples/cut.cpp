// cut: prints selected parts of the lines of each file, as the usual Unix tool does: bytes (-b),
// characters (-c, the same as bytes here) or fields (-f) separated by a delimiter (-d, a tab unless
// given), the selection complemented with --complement; lines without a delimiter are left out with
// -s; --output-delimiter joins what is printed; -z reads and writes lines that end in a NUL byte.
// Files are read in order, "-" or none being standard input.
//
// It is a host of the new interface (param::Command): letters and long names with inner hyphens
// (--output-delimiter), a list type of its own (the LIST of positions), relations between options
// (exactly one of -b, -c, -f; -d and -s need -f), a check (the delimiter is one character), long
// names that may be abbreviated (--compl), help and version texts of its own, and a manual page.
//
// Exit status: 0 after success, help and version; 1 after a problem with the words and when a file
// cannot be read (the others are read all the same).
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <limits>
#include <string>
#include <vector>

#include <param/Command.h>

namespace {

using Position = unsigned long long;
constexpr Position kEnd = std::numeric_limits<Position>::max();

// A LIST: ranges of positions counted from 1, N, N-, N-M or -M, separated by commas or blanks;
// the ranges sorted, and merged where they overlap.
struct Ranges {
    std::vector<std::pair<Position, Position>> list;
    bool operator==(const Ranges& other) const { return list == other.list; }
};

// Any text, the empty one too (an empty delimiter is the NUL byte), and a file's name.
struct Text {
    std::string value;
    bool operator==(const Text& other) const { return value == other.value; }
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Reads a LIST; false for anything that is none: an empty range, position 0, a decreasing range, a
// lone "-", a number too large, any other character.
bool readRanges(const char* text, Ranges& ranges) {
    Ranges read;
    Position low = 1, value = 0;
    bool lowGiven = false, highGiven = false, dash = false;
    for (const char* c = text;; ++c) {
        if (*c == '-') {
            if (dash || (lowGiven && value == 0)) return false;
            dash = true;
            low = lowGiven ? value : 1;
            value = 0;
        } else if (*c == ',' || isBlank(*c) || *c == '\0') {
            if (dash && !lowGiven && !highGiven) return false;  // "-" alone
            if (dash && highGiven && value < low) return false;
            if (!dash && value == 0) return false;
            read.list.emplace_back(dash ? low : value, !dash ? value : highGiven ? value : kEnd);
            if (*c == '\0') break;
            low = 1;
            value = 0;
            lowGiven = highGiven = dash = false;
        } else if (*c >= '0' && *c <= '9') {
            (dash ? highGiven : lowGiven) = true;
            if (value > (kEnd - static_cast<Position>(*c - '0')) / 10) return false;
            value = value * 10 + static_cast<Position>(*c - '0');
            if (value == kEnd) return false;
        } else {
            return false;
        }
    }
    std::sort(read.list.begin(), read.list.end());
    ranges.list.clear();
    for (const auto& range : read.list) {
        if (!ranges.list.empty() && range.first <= ranges.list.back().second) {
            ranges.list.back().second = std::max(ranges.list.back().second, range.second);
        } else {
            ranges.list.push_back(range);
        }
    }
    return true;
}

}  // namespace

template <>
struct param::ValueType<Ranges> {
    static constexpr const char* name = "a list of positions from 1: N, N-, N-M or -M, separated by commas";
    static constexpr const char* valueName = "LIST";
    static bool read(const char* text, Ranges& value) { return readRanges(text, value); }
    static bool write(const Ranges& value, std::string& text) {
        text.clear();
        for (const auto& range : value.list) {
            text += (text.empty() ? "" : ",") + std::to_string(range.first);
            if (range.second != range.first) text += "-" + (range.second == kEnd ? std::string() : std::to_string(range.second));
        }
        return true;
    }
};

template <>
struct param::ValueType<Text> {
    static constexpr const char* name = "a text";
    static constexpr bool files = true;
    static bool read(const char* text, Text& value) {
        value.value = text;
        return true;
    }
    static bool write(const Text& value, std::string& text) {
        text = value.value;
        return !text.empty();
    }
};

namespace {

struct Selection {
    Ranges ranges;
    bool fields = false;
    bool complement = false;
    bool onlyDelimited = false;
    char delimiter = '\t';
    char end = '\n';
    bool outputDelimiterGiven = false;
    std::string outputDelimiter;
};

// The ranges not selected, for --complement.
Ranges complemented(const Ranges& ranges) {
    Ranges other;
    Position next = 1;
    for (const auto& range : ranges.list) {
        if (range.first > next) other.list.emplace_back(next, range.first - 1);
        if (range.second == kEnd) return other;
        next = range.second + 1;
    }
    other.list.emplace_back(next, kEnd);
    return other;
}

// The index of the range that holds position, or -1.
long rangeOf(const Ranges& ranges, Position position) {
    for (std::size_t i = 0; i < ranges.list.size(); ++i) {
        if (ranges.list[i].first <= position && position <= ranges.list[i].second) return static_cast<long>(i);
    }
    return -1;
}

void cutBytes(const std::string& line, const Selection& s, std::string& out) {
    long previous = -1;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const long range = rangeOf(s.ranges, i + 1);
        if (range < 0) continue;
        if (s.outputDelimiterGiven && previous >= 0 && range != previous) out += s.outputDelimiter;
        previous = range;
        out += line[i];
    }
    out += s.end;
}

void cutFields(const std::string& line, const Selection& s, std::string& out) {
    if (line.find(s.delimiter) == std::string::npos) {
        if (!s.onlyDelimited) out += line + s.end;
        return;
    }
    bool first = true;
    Position field = 1;
    for (std::size_t start = 0;; ++field) {
        const std::size_t stop = line.find(s.delimiter, start);
        if (rangeOf(s.ranges, field) >= 0) {
            if (!first) out += s.outputDelimiter;
            out.append(line, start, (stop == std::string::npos ? line.size() : stop) - start);
            first = false;
        }
        if (stop == std::string::npos) break;
        start = stop + 1;
    }
    out += s.end;
}

// Cuts every line of one input; false when it cannot be read.
bool cutInput(std::FILE* in, const Selection& s) {
    std::string line, out;
    for (int c; (c = std::getc(in)) != EOF;) {
        if (c != s.end) {
            line += static_cast<char>(c);
            continue;
        }
        s.fields ? cutFields(line, s, out) : cutBytes(line, s, out);
        std::fwrite(out.data(), 1, out.size(), stdout);
        line.clear();
        out.clear();
    }
    if (!line.empty()) {
        s.fields ? cutFields(line, s, out) : cutBytes(line, s, out);
        std::fwrite(out.data(), 1, out.size(), stdout);
    }
    return !std::ferror(in);
}

}  // namespace

int main(int argc, char** argv) {
    Ranges bytes, characters, fields;
    Text delimiter{"\t"}, outputDelimiter;
    bool complement = false, onlyDelimited = false, zeroTerminated = false, ignored = false;
    std::vector<Text> files;

    param::Command cli("cut", "Print selected parts of lines from each FILE to standard output.");
    cli.version("cut (Param example) 1.0");
    cli.abbreviations();
    cli.epilog("Use one, and only one of -b, -c or -f. With no FILE, or when FILE is -, read standard input.");
    auto& b = cli.option(bytes, "-b", "--bytes").help("select only these bytes").once();
    auto& c = cli.option(characters, "-c", "--characters").help("select only these characters").once();
    auto& f = cli.option(fields, "-f", "--fields")
                  .help("select only these fields; also print any line that contains no delimiter character, unless "
                        "the -s option is specified")
                  .once();
    cli.option(delimiter, "-d", "--delimiter")
        .valueName("DELIM")
        .help("use DELIM instead of TAB for field delimiter")
        .check([](const Text& d) { return d.value.size() <= 1 ? "" : "must be a single character"; })
        .needs(f);
    cli.flag(ignored, "-n").help("(ignored)");
    cli.flag(complement, "--complement").help("complement the set of selected bytes, characters or fields");
    cli.flag(onlyDelimited, "-s", "--only-delimited").help("do not print lines not containing delimiters").needs(f);
    auto& output = cli.option(outputDelimiter, "--output-delimiter")
                       .valueName("STRING")
                       .help("use STRING as the output delimiter; the default is to use the input delimiter");
    cli.flag(zeroTerminated, "-z", "--zero-terminated").help("line delimiter is NUL, not newline");
    cli.positional(files, "FILE").help("the files to read, in order; - is standard input");
    cli.exactlyOne(b, c, f);
    // The manual page, for the build to write (not an option of the tool it follows).
    cli.manualOption("--manual").hidden();
    cli.exitStatus(0, "success, and after help and version");
    cli.exitStatus(1, "a problem with the command line, or a file that cannot be read (the others are read all the same)");
    cli.seeAlso("paste(1)");

    const param::Result result = cli.parse(argc, argv);
    if (!result) return result.report(1);

    Selection s;
    s.fields = f.given();
    s.ranges = s.fields ? fields : b.given() ? bytes : characters;
    if (complement) s.ranges = complemented(s.ranges);
    s.onlyDelimited = onlyDelimited;
    s.delimiter = delimiter.value.empty() ? '\0' : delimiter.value.front();
    s.end = zeroTerminated ? '\0' : '\n';
    // Given, the output delimiter joins bytes too; given empty, it is the NUL byte.
    s.outputDelimiterGiven = output.given();
    if (output.given()) {
        s.outputDelimiter = outputDelimiter.value.empty() ? std::string(1, '\0') : outputDelimiter.value;
    } else if (s.fields) {
        s.outputDelimiter = std::string(1, s.delimiter);
    }

    int status = 0;
    if (files.empty()) files.push_back({"-"});
    for (const Text& file : files) {
        std::FILE* in = file.value == "-" ? stdin : std::fopen(file.value.c_str(), "rb");
        if (in == nullptr) {
            std::cerr << "cut: " << file.value << ": " << std::strerror(errno) << "\n";
            status = 1;
            continue;
        }
        if (!cutInput(in, s)) {
            std::cerr << "cut: " << file.value << ": " << std::strerror(errno) << "\n";
            status = 1;
        }
        if (in != stdin) std::fclose(in);
    }
    return std::fflush(stdout) == 0 ? status : 1;
}
