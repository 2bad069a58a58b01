#include "toolkit/window_class.h"

void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, UINT style) {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSW c{};
    if (GetClassInfoW(module, name, &c)) return;
    c.style = style;
    c.lpfnWndProc = procedure;
    c.hInstance = module;
    c.hIcon = LoadIconW(module, L"MAINICON");
    c.hCursor = LoadCursorW(nullptr, SystemResource(IDC_ARROW));
    c.lpszClassName = name;
    RegisterClassW(&c);
}
