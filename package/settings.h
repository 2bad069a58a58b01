#pragma once
// Reading values out of the settings lines. Settings stay text for the whole run and are converted
// where they are used.
#include <cstdint>
#include <string>

#include "package/setting_lines.h"

// Lines per record of the three record lists.
inline constexpr int kRegistryRecordLines = 5;
inline constexpr int kShortcutRecordLines = 6;
inline constexpr int kFileRecordLines = 3;

// A flag is on exactly when its line is the text "1".
inline bool IsFlagOn(const std::string& line) { return line == "1"; }

// Font height for a font size S: S x 1.55 rounded to the nearest integer, an exact half going to
// the even neighbour (8 -> 12, 10 -> 16, 28 -> 43, 30 -> 46).
std::int32_t ScaledFontHeight(std::int32_t size);
