#include "package/line_reader.h"

#include <algorithm>

LineReader::LineReader(ByteSource& source, std::size_t bufferSize)
    : source_(source), buffer_(std::max<std::size_t>(bufferSize, 1)) {}

bool LineReader::Fill() {
    if (position_ < filled_) return true;
    position_ = 0;
    filled_ = source_.Read(buffer_.data(), buffer_.size());
    return filled_ > 0;
}

std::string LineReader::ReadLine() {
    std::string line;
    if (ended_) return line;
    for (;;) {
        if (!Fill()) {
            ended_ = true;
            return line;
        }
        const char* begin = buffer_.data() + position_;
        const char* end = buffer_.data() + filled_;
        const char* stop = std::find_if(begin, end, [](char c) { return c == '\r' || c == '\x1A'; });
        line.append(begin, stop);
        position_ += static_cast<std::size_t>(stop - begin);
        if (stop == end) continue;
        ++position_;
        if (*stop == '\x1A') {
            ended_ = true;
            return line;
        }
        if (Fill() && buffer_[position_] == '\n') ++position_;
        return line;
    }
}
