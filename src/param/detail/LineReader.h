// Reads a parameter file line by line, lines of any length, in blocks.
#ifndef PARAM_DETAIL_LINEREADER_H
#define PARAM_DETAIL_LINEREADER_H

#include <cstddef>
#include <cstdio>

#include "Memory.h"

namespace param_detail {

class LineReader {
public:
    LineReader() noexcept = default;
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Opens the file and reads its first block. False when it cannot be
    // opened or read (a directory opens, but cannot be read).
    bool open(const char* fileName);

    enum Outcome { LINE, END, READ_ERROR };
    // Reads the next line into line(), without its line end. A carriage
    // return ending the line belongs to a CRLF line end, not to the line.
    Outcome next();
    char* line() noexcept { return text.data(); }

private:
    static constexpr std::size_t kBlockSize = 16384;
    std::FILE* file = nullptr;
    Text block;
    std::size_t start = 0;
    std::size_t end = 0;
    bool failed = false;
    Buffer text{"line"};

    bool fill();
};

}  // namespace param_detail

#endif
