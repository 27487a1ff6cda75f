#include "Summary.h"

#include <algorithm>
#include <cstdio>
#include <functional>

#include "Cases.h"

void RecordingReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred) continue;
        const double seconds =
            run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        const std::string& name = run.run_name.function_name;
        if (run.run_type == Run::RT_Iteration) {
            timings[name].push_back(seconds);
        } else if (run.aggregate_name == "median") {
            medians[name] = seconds;
            repetitionCount = static_cast<int>(run.repetitions);
        }
    }
}

double RecordingReporter::medianSeconds(const std::string& name) const {
    if (auto found = medians.find(name); found != medians.end()) return found->second;
    auto found = timings.find(name);
    if (found == timings.end() || found->second.empty()) return -1;
    std::vector<double> sorted = found->second;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t middle = sorted.size() / 2;
    return sorted.size() % 2 == 1 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

namespace {

std::string format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string duration(double seconds) {
    if (seconds < 0) return "-";
    if (seconds < 1e-6) return format("%.0f ns", seconds * 1e9);
    if (seconds < 1e-3) return format("%.2f us", seconds * 1e6);
    return format("%.2f ms", seconds * 1e3);
}

std::string ratio(double value) {
    if (value < 0) return "-";
    return format(value < 10 ? "%.2fx" : "%.0fx", value);
}

std::string rate(double linesPerSecond) {
    if (linesPerSecond < 0) return "-";
    return format("%.2f M/s", linesPerSecond / 1e6);
}

std::string verdict(bool known, bool met) { return !known ? "-" : met ? "met" : "MISSED"; }

void row(std::ostream& out, const std::vector<std::string>& cells,
         const std::vector<int>& widths) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int width = i < widths.size() ? widths[i] : 0;
        char cell[128];
        std::snprintf(cell, sizeof cell, i == 0 ? "%-*s" : "%*s", width, cells[i].c_str());
        out << cell << (i + 1 < cells.size() ? "  " : "\n");
    }
}

// One command-line work: the time of one unit (one set built, or one line
// parsed), for the library and for each other parser.
struct CommandLineWork {
    std::string label;
    std::string work;
    int unitsPerIteration;
    std::string target;                       // empty: no target
    std::function<bool(double, double)> met;  // (Param seconds, baseline seconds)
};

class CommandLineTable {
public:
    CommandLineTable(std::ostream& out, const RecordingReporter& results)
        : out(out), results(results) {}

    void header() {
        row(out, {"command line", cases::kParam, cases::kGetopt, "ratio", cases::kCli11,
                  cases::kCxxopts, "target", ""},
            widths);
    }

    void write(const CommandLineWork& w) {
        const double param = seconds(w, cases::kParam);
        const double base = seconds(w, cases::kGetopt);
        const bool known = param >= 0 && base >= 0;
        row(out,
            {w.label, duration(param), duration(base), ratio(relative(param, base)),
             ratio(relative(seconds(w, cases::kCli11), base)),
             ratio(relative(seconds(w, cases::kCxxopts), base)), w.target,
             w.target.empty() ? "" : verdict(known, known && w.met(param, base))},
            widths);
    }

private:
    std::ostream& out;
    const RecordingReporter& results;
    const std::vector<int> widths = {34, 10, 11, 7, 7, 7, 16, 6};

    double seconds(const CommandLineWork& w, const std::string& parser) const {
        const double total = results.medianSeconds(w.work + "/" + parser);
        return total < 0 ? total : total / w.unitsPerIteration;
    }
    static double relative(double value, double base) {
        return value < 0 || base <= 0 ? -1 : value / base;
    }
};

void writeCommandLines(std::ostream& out, const RecordingReporter& results) {
    const auto atMost = [](double limit) {
        return [limit](double param, double base) { return param <= limit * base; };
    };
    CommandLineTable table(out, results);
    table.header();
    table.write({"demo line, build + parse", cases::kTypical, 1, "<= 5x baseline", atMost(5)});
    table.write({"50-word line, build + parse", cases::kMixed, 1, "<= 5x baseline", atMost(5)});
    for (int count : cases::kScalingCounts) {
        const bool targeted = count == 1000;
        table.write({"interpret " + std::to_string(count) + " definitions",
                     cases::interpretWork(count), 1, targeted ? "<= 0.5x baseline" : "",
                     atMost(0.5)});
    }
    for (int count : cases::kScalingCounts) {
        const bool targeted = count == 1000;
        table.write({"register " + std::to_string(count) + " definitions",
                     cases::registerWork(count), cases::setsPerIteration(count),
                     targeted ? "< 200 us" : "",
                     [](double param, double) { return param < 200e-6; }});
    }
}

// Reading a parameter file: the library's time per line, its rate, the
// baseline's rate; then whether the time per line depends on the file's
// length or on the size of the set.
void writeFiles(std::ostream& out, const RecordingReporter& results) {
    const std::vector<int> widths = {34, 10, 11, 11, 7, 16, 6};
    row(out, {"parameter file", "per line", cases::kParam, cases::kGetlineStrtol, "ratio",
              "target", ""},
        widths);
    double fastest = -1, slowest = -1;
    const auto fileRow = [&](const std::string& label, int lines, int extras) {
        const std::string work = cases::fileWork(lines, extras);
        const double param = results.medianSeconds(work + "/" + cases::kParam);
        const double base = results.medianSeconds(work + "/" + cases::kGetlineStrtol);
        const double perLine = param < 0 ? -1 : param / lines;
        const double baseRate = base <= 0 ? -1 : lines / base;
        row(out,
            {label, duration(perLine), rate(param <= 0 ? -1 : lines / param), rate(baseRate),
             ratio(param < 0 || base <= 0 ? -1 : param / base), ">= 5 M lines/s",
             verdict(perLine > 0, perLine > 0 && perLine <= 200e-9)},
            widths);
        if (perLine > 0) {
            fastest = fastest < 0 ? perLine : std::min(fastest, perLine);
            slowest = std::max(slowest, perLine);
        }
    };
    for (int lines : cases::kFileLines) {
        fileRow(std::to_string(lines) + " lines", lines, 0);
    }
    const int longest = cases::kFileLines.back();
    fileRow(std::to_string(longest) + " lines, " + std::to_string(cases::kExtraDefinitions) +
                " more definitions",
            longest, cases::kExtraDefinitions);
    const bool known = fastest > 0;
    row(out,
        {"time per line, slowest / fastest", known ? format("%.2f", slowest / fastest) : "-",
         "", "", "", "<= 1.20", verdict(known, known && slowest <= 1.2 * fastest)},
        widths);
}

}  // namespace

void writeSummary(std::ostream& out, const RecordingReporter& results,
                  const std::string& loadBefore, const std::string& loadAfter) {
    out << "\nSummary: median CPU time of " << results.repetitions()
        << " repetition(s); ratio = time / the baseline's time in this run.\n"
        << "Load average before the run: " << loadBefore << ", after: " << loadAfter
        << "\n\n";
    writeCommandLines(out, results);
    out << '\n';
    writeFiles(out, results);
    out << std::flush;
}
