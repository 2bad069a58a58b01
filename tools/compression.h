#pragma once
// Compressing a package's payload: the files' bytes, in record order, as one solid LZMA stream in
// the .lzma form (a 13-byte header naming the properties, the dictionary and the unpacked size),
// through liblzma.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct CompressionOptions {
    // The dictionary; the builder never uses one larger than the payload, which a window past
    // the data would not help.
    std::uint32_t dictionarySize = 64u << 20;
};

// Writes the compressed stream of the files (each exactly its size in bytes) to out and returns
// how many bytes it wrote. Throws std::runtime_error with the reason.
std::int64_t CompressFiles(const std::vector<std::string>& files, const std::vector<std::int64_t>& sizes,
                           const CompressionOptions& options, std::FILE* out);
