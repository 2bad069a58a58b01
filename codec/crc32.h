#pragma once
// CRC-32 with the polynomial of zip files (reflected 0xEDB88320), as zlib's crc32 computes it:
// Crc32(Crc32(0, a), b) is the checksum of a followed by b.
#include <cstddef>
#include <cstdint>

std::uint32_t Crc32(std::uint32_t crc, const void* data, std::size_t size);
