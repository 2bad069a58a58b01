#include "toolkit/window_class.h"

void RegisterWindowClass(const char* name, WNDPROC procedure, UINT style) {
    const HINSTANCE module = GetModuleHandleA(nullptr);
    WNDCLASSA c{};
    if (GetClassInfoA(module, name, &c)) return;
    c.style = style;
    c.lpfnWndProc = procedure;
    c.hInstance = module;
    c.hIcon = LoadIconA(module, "MAINICON");
    c.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    c.lpszClassName = name;
    RegisterClassA(&c);
}
