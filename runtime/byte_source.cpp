#include "runtime/byte_source.h"

#include <algorithm>
#include <cstring>

std::size_t StringSource::Read(char* buffer, std::size_t size) {
    const std::size_t n = std::min(size, bytes_.size());
    std::memcpy(buffer, bytes_.data(), n);
    bytes_.remove_prefix(n);
    return n;
}
