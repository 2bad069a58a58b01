#pragma once
// Reads the text block of a package as the loader does: a line is the bytes up to the next CR; a
// LF right after the CR belongs to the line break. The byte 0x1A or the end of the data ends the
// line and the whole text: every later line reads as empty.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/byte_source.h"

class LineReader {
public:
    explicit LineReader(ByteSource& source, std::size_t bufferSize = 64 * 1024);
    std::string ReadLine();
    // True once the end of the data or the end-of-text byte has been met.
    bool TextEnded() const { return ended_; }

private:
    bool Fill();
    ByteSource& source_;
    std::vector<char> buffer_;
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    bool ended_ = false;
};
