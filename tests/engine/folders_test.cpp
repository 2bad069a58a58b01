// The machine's folders as the engine finds them: the registry's value first (the install run and
// the program's own tests point them at scratch folders), the system's when the registry has none.
#include "engine/folders.h"

#include <shlobj.h>

#include "tests/engine/engine_fixture.h"

namespace {

TEST(MachineFolders, WithoutARegistryValueTheSystemNamesTheFolder) {
    ValueOverride system(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Setup", "SysDir");
    ValueOverride quickLaunch(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\GrpConv\\MapGroups",
                              "Quick Launch");
    system.Set(""), quickLaunch.Remove();
    wchar_t path[MAX_PATH];
    EXPECT_EQ(GetSystemDir(), Utf8(std::wstring_view(path, GetSystemDirectoryW(path, MAX_PATH))));
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path);
    EXPECT_EQ(GetQuickLaunchDir(), Utf8(path) + "\\Microsoft\\Internet Explorer\\Quick Launch");
    // A value that is no text is reported, not taken for a folder.
    quickLaunch.Set(REG_DWORD, std::string(4, '\5'));
    EXPECT_FAILURE(GetQuickLaunchDir(), "RegistryError", "Invalid data type for 'Quick Launch'");
}

}  // namespace
