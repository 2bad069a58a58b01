#pragma once
// The toolkit's own window classes.
#include "runtime/platform.h"

// Registers the class in this module unless it already is, with the program's icon (MAINICON) and
// the arrow cursor. No class brush: our windows erase with their own colours.
void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, UINT style = 0);

// A system resource number (IDC_ARROW, IDI_...) for the wide calls: windows.h spells them for the
// ANSI calls, and the number is the same either way.
inline LPCWSTR SystemResource(LPCSTR id) { return reinterpret_cast<LPCWSTR>(id); }
