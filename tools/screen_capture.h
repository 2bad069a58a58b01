#pragma once
// Reading what is on the screen, as a user would see it.
#include <cstdint>
#include <vector>

#include "runtime/platform.h"

// The pixels of a screen rectangle, row by row, as 0x00RRGGBB.
std::vector<std::uint32_t> CaptureScreen(const RECT& area);

// The icon a message box shows, told apart by its dominant colour.
enum class IconColor { None, Red, Blue, Yellow };
IconColor MessageBoxIconColor(HWND box);
