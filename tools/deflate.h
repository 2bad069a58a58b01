#pragma once
// Compresses bytes into a zlib stream (one deflate block with the fixed codes), enough to keep
// screenshots small without a library.
#include <cstdint>
#include <vector>

std::vector<std::uint8_t> ZlibCompress(const std::vector<std::uint8_t>& data);
