#include "LineReader.h"

#include <cstring>

#include "ProcessEnd.h"

namespace param_detail {

LineReader::~LineReader() {
    if (file != nullptr) std::fclose(file);
}

bool LineReader::open(const char* fileName) {
    file = std::fopen(fileName, "rb");
    if (file == nullptr) return false;
    block = tryNewArray<char>(kBlockSize);
    if (!block) failAssertion("line");
    if (!fill()) return !failed;
    if (end >= 3 && std::memcmp(block.get(), "\xEF\xBB\xBF", 3) == 0) start = 3;
    return true;
}

bool LineReader::fill() {
    start = 0;
    end = std::fread(block.get(), 1, kBlockSize, file);
    if (end == 0 && std::ferror(file)) failed = true;
    return end > 0;
}

LineReader::Outcome LineReader::next(Buffer& line) {
    line.clear();
    bool anything = false;
    while (true) {
        if (start == end && !fill()) {
            if (failed) return READ_ERROR;
            if (!anything) return END;
            break;  // the last line has no line feed
        }
        anything = true;
        const char* from = block.get() + start;
        const auto* feed = static_cast<const char*>(std::memchr(from, '\n', end - start));
        std::size_t length = feed != nullptr ? static_cast<std::size_t>(feed - from) : end - start;
        // One character past the limit tells a line that is too long from one that is not.
        const bool tooLong = line.size() + length > maxLength + 1;
        if (tooLong) length = maxLength + 1 - line.size();
        line.append(from, length);
        start += length;
        if (tooLong) break;
        if (feed != nullptr) {
            ++start;
            break;
        }
    }
    ++lines;
    if (line.size() > 0 && line.data()[line.size() - 1] == '\r') line.dropLast();
    if (line.size() <= maxLength) return LINE;
    line.dropLast();
    return TOO_LONG;
}

}  // namespace param_detail
