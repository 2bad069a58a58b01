#pragma once
// The toolkit's own window classes.
#include "runtime/platform.h"

// Registers the class in this module unless it already is, with the program's icon (MAINICON) and
// the arrow cursor. No class brush: our windows erase with their own colours.
void RegisterWindowClass(const char* name, WNDPROC procedure, UINT style = 0);
