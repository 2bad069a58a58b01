// The measurement behind loading the common controls at run time (toolkit/common_controls.h), one
// small program built in three ways: it restricts the DLL search (runtime/dll_search.h) and then
// loads comctl32.dll from the system folder (PROBE_LOADS_AT_RUN_TIME), restricts it and imports
// comctl32.dll (PROBE_IMPORTS), or only imports it (neither). Each then shows a themed button, for
// which the common controls use uxtheme.dll, and ends. bench/planted_dll.sh plants a uxtheme.dll
// beside each and says which loaded it.
#include "runtime/dll_search.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
#if defined(PROBE_LOADS_AT_RUN_TIME) || defined(PROBE_IMPORTS)
    RestrictDllSearch();
#endif
#ifdef PROBE_LOADS_AT_RUN_TIME
    const auto initialise = reinterpret_cast<void(WINAPI*)()>(
        reinterpret_cast<void*>(GetProcAddress(LoadSystemLibrary("comctl32.dll"), "InitCommonControls")));
    if (initialise) initialise();
#else
    InitCommonControls();
#endif
    const HWND button = CreateWindowExA(0, "BUTTON", "probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                        nullptr, nullptr, nullptr, nullptr);
    UpdateWindow(button);
    DestroyWindow(button);
    return 0;
}
