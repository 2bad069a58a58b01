#pragma once
// Where a Windows program's image ends in its file: the end of its last section's bytes, read from
// the headers at the start of the file. The builder appends the package right there, so the setup
// program and the builder's show both expect it there. Inline and portable, like length_trailer.h.
#include <cstddef>
#include <cstdint>

inline constexpr std::size_t kImageHeadersSize = 1024;

// The end of the image described by the first kImageHeadersSize bytes of a file, or -1 when they
// are not a Windows program's headers (or the section table lies beyond them).
inline std::int64_t ImageEnd(const unsigned char (&h)[kImageHeadersSize]) {
    const auto u16 = [&](std::size_t at) { return static_cast<std::uint32_t>(h[at] | h[at + 1] << 8); };
    const auto u32 = [&](std::size_t at) { return u16(at) | u16(at + 2) << 16; };
    const std::size_t nt = u32(0x3C);  // the DOS header's pointer to "PE\0\0"
    if (h[0] != 'M' || h[1] != 'Z' || nt > kImageHeadersSize - 24 || u32(nt) != 0x4550) return -1;
    // The section table follows the 24 bytes of signature and file header and the optional header;
    // a section's raw size and file offset are at 16 and 20 of its 40 bytes.
    const std::size_t sections = nt + 24 + u16(nt + 20), count = u16(nt + 6);
    if (sections + count * 40 > kImageHeadersSize) return -1;
    std::int64_t end = 0;
    for (std::size_t at = sections; at < sections + count * 40; at += 40) {
        const std::int64_t sectionEnd = std::int64_t{u32(at + 20)} + u32(at + 16);
        if (sectionEnd > end) end = sectionEnd;
    }
    return end;
}
