// A DLL planted where the programs must never look for one, under the name of a DLL they use:
// loaded, it leaves a file beside itself, its own name with ".loaded" added, and refuses the load.
#include "runtime/platform.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void*) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH + 8] = {};
    lstrcpyW(path + GetModuleFileNameW(self, path, MAX_PATH), L".loaded");
    CloseHandle(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return FALSE;
}
