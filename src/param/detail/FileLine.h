// How a line of a parameter file is cut into its keyword and value: the reader reads lines this way,
// and the writer checks with it that what it writes reads back.
#ifndef PARAM_DETAIL_FILELINE_H
#define PARAM_DETAIL_FILELINE_H

namespace param_detail {

struct FileLine {
    char* keyword;  // empty for an empty or blank line
    char* value;    // empty when the line has none; null for a quote that is not closed
    bool quoted = false;
};

// Cuts a line (in place) into its keyword and value: blanks, the keyword up to a blank or "=",
// separators (blanks and "=" in any mix), the value up to the next blank (or, with quoting, a value
// in quotes, \" and \\ standing for " and \); the rest of the line is a remark. A line whose first
// character is "#" is a comment, which the reader skips before it cuts anything.
FileLine splitFileLine(char* text, bool quoting);

}  // namespace param_detail

#endif
