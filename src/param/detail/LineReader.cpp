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
    return fill() || !failed;
}

bool LineReader::fill() {
    start = 0;
    end = std::fread(block.get(), 1, kBlockSize, file);
    if (end == 0 && std::ferror(file)) failed = true;
    return end > 0;
}

LineReader::Outcome LineReader::next() {
    text.clear();
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
        const std::size_t length = feed != nullptr ? static_cast<std::size_t>(feed - from) : end - start;
        text.append(from, length);
        start += length;
        if (feed != nullptr) {
            ++start;
            break;
        }
    }
    if (text.size() > 0 && text.data()[text.size() - 1] == '\r') text.dropLast();
    return LINE;
}

}  // namespace param_detail
