#pragma once
// Writes 24-bit RGB pictures as PNG files, compressed by zlib.
#include <cstdint>
#include <string>
#include <vector>

// `rgb` holds height rows of width pixels, three bytes (red, green, blue) each, top row first.
bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb);
