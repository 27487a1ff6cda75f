// Reads a parameter file line by line, in blocks, with lines of a bounded length.
#ifndef PARAM_DETAIL_LINEREADER_H
#define PARAM_DETAIL_LINEREADER_H

#include <cstddef>
#include <cstdio>

#include "Memory.h"

namespace param_detail {

class LineReader {
public:
    explicit LineReader(std::size_t maxLength) noexcept : maxLength(maxLength) {}
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Opens the file and reads its first block, dropping a UTF-8 byte order mark at its start. False
    // when it cannot be opened or read (a directory opens, but cannot be read).
    bool open(const char* fileName);

    enum Outcome { LINE, END, READ_ERROR, TOO_LONG };
    // Reads the next line into line, without its line end; a carriage return ending the line belongs
    // to a CRLF line end, not to the line. After TOO_LONG, line holds the line's first maxLength
    // characters and the file is not read further.
    Outcome next(Buffer& line);
    // The number of the line next() read last, counted from 1.
    long lineNumber() const noexcept { return lines; }

private:
    static constexpr std::size_t kBlockSize = 16384;
    const std::size_t maxLength;
    std::FILE* file = nullptr;
    Text block;
    std::size_t start = 0;
    std::size_t end = 0;
    bool failed = false;
    long lines = 0;

    bool fill();
};

}  // namespace param_detail

#endif
