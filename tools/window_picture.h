#pragma once
// Pictures of what the screen shows, saved as PNG files: the demo's illustrations.
#include <string>

#include "runtime/platform.h"

// The window as it stands on the screen, frame included.
bool SaveWindowPicture(HWND window, const std::string& path);
// The whole screen.
bool SaveScreenPicture(const std::string& path);
