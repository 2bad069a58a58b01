#include "runtime/dll_search.h"

#include "runtime/unicode.h"

namespace {

bool g_searchSystemOnly = false;

}  // namespace

void RestrictDllSearch() {
    // Looked up, not imported: Windows Vista and 7 have it only with an update (KB2533623), and a
    // missing import would keep the program from starting at all.
    using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
    const auto setDefault = reinterpret_cast<SetDefaultDirectories>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    g_searchSystemOnly = setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Without it, the next best: the current folder leaves the search, and LoadSystemLibrary names
    // the system folder in full. The program's own folder stays first for what the system itself
    // loads by name; nothing short of that function can change this.
    if (!g_searchSystemOnly) SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const char* name) {
    if (g_searchSystemOnly) return LoadLibraryExW(Wide(name).c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    const std::string folder = SystemFolder();
    if (folder.empty()) return nullptr;
    // The DLLs it imports are then looked for in the system folder before the program's.
    return LoadLibraryExW(Wide(folder + "\\" + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

std::string SystemFolder() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return length < MAX_PATH ? Utf8(std::wstring_view(folder, length)) : std::string();
}
