#pragma once
// Colour values: a signed 32-bit number. With the high bit clear it is a literal colour 0x00BBGGRR
// (red in the low byte); with the high bit set it names a system colour by its low byte.
#include <cstdint>

constexpr bool IsSystemColor(std::int32_t value) { return value < 0; }
constexpr int SystemColorIndex(std::int32_t value) { return value & 0xFF; }

constexpr int RedOf(std::uint32_t rgb) { return rgb & 0xFF; }
constexpr int GreenOf(std::uint32_t rgb) { return (rgb >> 8) & 0xFF; }
constexpr int BlueOf(std::uint32_t rgb) { return (rgb >> 16) & 0xFF; }
constexpr std::uint32_t MakeRgb(int red, int green, int blue) {
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}
