#include "toolkit/common_controls.h"

#include "runtime/dll_search.h"

namespace {

// The library's function as the type F, or nullptr. The subclass functions go by their ordinals:
// version 5.8, the one the system folder holds on Windows Vista and 7, exports them without names.
template <typename F>
F Function(const char* name) {
    static const HMODULE library = LoadSystemLibrary("comctl32.dll");
    return library ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

}  // namespace

namespace comctl {

BOOL SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
    static const auto function = Function<decltype(&::SetWindowSubclass)>(MAKEINTRESOURCEA(410));
    return function && function(window, procedure, id, data);
}

BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
    static const auto function = Function<decltype(&::RemoveWindowSubclass)>(MAKEINTRESOURCEA(412));
    return function && function(window, procedure, id);
}

LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static const auto function = Function<decltype(&::DefSubclassProc)>(MAKEINTRESOURCEA(413));
    return function ? function(window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow) {
    static const auto function = Function<decltype(&::ImageList_Create)>("ImageList_Create");
    return function ? function(width, height, flags, initial, grow) : nullptr;
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP bitmap, COLORREF mask) {
    static const auto function = Function<decltype(&::ImageList_AddMasked)>("ImageList_AddMasked");
    return function ? function(list, bitmap, mask) : -1;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
    static const auto function = Function<decltype(&::ImageList_Draw)>("ImageList_Draw");
    return function && function(list, index, dc, x, y, style);
}

BOOL ImageList_Destroy(HIMAGELIST list) {
    static const auto function = Function<decltype(&::ImageList_Destroy)>("ImageList_Destroy");
    return function && function(list);
}

}  // namespace comctl
