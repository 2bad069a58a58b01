#pragma once
// Where a Windows program's image ends in its file: the end of its last section's bytes, read from
// the headers at the start of the file. The builder appends the package right there, so the setup
// program and the builder's show both expect it there. Signing appends a certificate table after
// the package: the package then ends where the table begins. Inline and portable, like
// length_trailer.h.
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

// The certificate table that signing adds: its offset in the file and its size; size 0 when the
// program is not signed.
struct CertificateTable {
    std::int64_t offset = 0, size = 0;
};

// The security entry (index 4) of the optional header's data directories, whose "address" is a
// file offset. The directories sit 96 bytes into a 32-bit optional header (magic 0x10B) and 112
// into a 64-bit one (0x20B), after the count of entries.
inline CertificateTable CertificateTableOf(const unsigned char (&h)[kImageHeadersSize]) {
    // Little-endian numbers, read in one expression that compilers turn into one load.
    const auto u32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(h[at] | h[at + 1] << 8 | h[at + 2] << 16 | std::uint32_t{h[at + 3]} << 24);
    };
    const std::size_t nt = u32(0x3C);
    if (nt > kImageHeadersSize - 184 || u32(nt) != 0x4550) return {};
    const std::uint32_t magic = h[nt + 24] | h[nt + 25] << 8;
    const std::size_t directories = nt + 24 + (magic == 0x20B ? 112 : 96);
    if ((magic != 0x10B && magic != 0x20B) || u32(directories - 4) < 5) return {};
    return {u32(directories + 4 * 8), u32(directories + 4 * 8 + 4)};
}

// Where the package ends in a file of fileSize bytes: where a certificate table that ends the file
// begins, otherwise at the end of the file. A table elsewhere is not followed: bytes added after
// signing, or a package appended to a signed stub, then end the file, and the package they end
// does not start where the image ends.
inline std::int64_t PackageEnd(const unsigned char (&h)[kImageHeadersSize], std::int64_t fileSize) {
    const CertificateTable table = CertificateTableOf(h);
    return table.size > 0 && table.offset + table.size == fileSize ? table.offset : fileSize;
}
