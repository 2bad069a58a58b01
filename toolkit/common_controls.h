#pragma once
// The common controls library (window subclassing, image lists) is not one of the system's known
// DLLs, and its visual-styles version imports uxtheme.dll, which is not one either: imported, both
// would be looked for beside the program before its first statement could restrict the search. So
// the toolkit calls it through these functions, which load it at run time from the system folder
// (runtime/dll_search.h) on first use. Each behaves as the function of its name, and as a failure
// when the library cannot be had.
#include "runtime/platform.h"
#include <commctrl.h>

namespace comctl {

BOOL SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);
LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow);
int ImageList_AddMasked(HIMAGELIST list, HBITMAP bitmap, COLORREF mask);
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
BOOL ImageList_Destroy(HIMAGELIST list);

}  // namespace comctl
