#pragma once
// The last 4 bytes of a setup program: the length of the package, little-endian, counting the
// whole package including these 4 bytes. Inline, so that reading it links nothing else.
#include <cstdint>
#include <string>

inline std::string LengthTrailer(std::int32_t length) {
    const auto bits = static_cast<std::uint32_t>(length);
    return {static_cast<char>(bits & 0xFF), static_cast<char>((bits >> 8) & 0xFF),
            static_cast<char>((bits >> 16) & 0xFF), static_cast<char>(bits >> 24)};
}

inline std::int32_t ReadLengthTrailer(const unsigned char bytes[4]) {
    return static_cast<std::int32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 |
                                     static_cast<std::uint32_t>(bytes[3]) << 24);
}
