// Any bytes as a .lzma stream: each ends as the data, damage or a refused header, never yields a
// byte beyond the unpacked size, and never reads or writes outside the decoder's buffers.
#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "codec/lzma_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* bytes, std::size_t size) {
    LzmaHeader header;
    if (size < kLzmaHeaderSize || !ReadLzmaHeader(bytes, header)) return 0;
    // Small windows, outputs and literal tables keep each run fast; the decoding is the same at any
    // size (lc + lp above 8 only makes the table larger, up to 6 MiB).
    if (header.properties % 9 + header.properties / 9 % 5 > 8) return 0;
    constexpr std::uint32_t kLimit = 1 << 16;
    header.dictionarySize = std::min(header.dictionarySize, kLimit);
    const bool sized = header.unpackedSize != kLzmaUnknownSize;
    if (sized) header.unpackedSize = std::min<std::uint64_t>(header.unpackedSize, kLimit);
    StringSource compressed(std::string_view(reinterpret_cast<const char*>(bytes) + kLzmaHeaderSize,
                                             size - kLzmaHeaderSize));
    LzmaSource source(compressed, header);
    if (!source.Ready()) std::abort();
    // Odd pieces, as the installer's reads and the package file's may fall.
    char buffer[4099];
    const std::size_t piece = 1 + bytes[size - 1] % sizeof buffer;
    std::uint64_t total = 0;
    while (const std::size_t n = source.Read(buffer, piece)) {
        total += n;
        if (total > (sized ? header.unpackedSize : kLimit)) {
            if (sized) std::abort();
            return 0;
        }
    }
    // The decoder stops short of the size only on damage.
    if (sized && !source.Damaged() && total != header.unpackedSize) std::abort();
    if (source.EndsCleanly() && source.Damaged()) std::abort();
    return 0;
}
