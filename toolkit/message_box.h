#pragma once
// The system's message box for the program's UTF-8 texts.
#include <string_view>

#include "runtime/platform.h"

// MessageBoxW with the texts made wide in one place; returns the button pressed.
int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT flags);
