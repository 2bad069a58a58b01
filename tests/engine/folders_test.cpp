// The machine's folders as the engine finds them: the registry's value first, the system's when the
// registry has none.
#include "engine/folders.h"

#include <shlobj.h>

#include "tests/engine/engine_fixture.h"

namespace {

TEST(MachineFolders, RegistryValueComesFirstAndTheSystemAnswersWithoutOne) {
    char system[MAX_PATH], shellFolder[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    const auto SystemFolder = [&](int csidl) {
        return std::string(SHGetFolderPathA(nullptr, csidl, nullptr, 0, shellFolder) == S_OK ? shellFolder : "");
    };
    const std::string version = "Software\\Microsoft\\Windows\\CurrentVersion", shell = version + "\\Explorer\\Shell Folders";
    const std::tuple<HKEY, std::string, const char*, std::string (*)(), std::string> folders[] = {
        {HKEY_LOCAL_MACHINE, version, "ProgramFilesDir", GetProgramFilesDir, SystemFolder(CSIDL_PROGRAM_FILES)},
        {HKEY_LOCAL_MACHINE, version + "\\Setup", "SysDir", GetSystemDir, system},
        {HKEY_CURRENT_USER, shell, "Programs", GetProgramsDir, SystemFolder(CSIDL_PROGRAMS)},
        {HKEY_CURRENT_USER, shell, "Start Menu", GetStartMenuDir, SystemFolder(CSIDL_STARTMENU)},
        {HKEY_CURRENT_USER, shell, "Desktop", GetDesktopDir, SystemFolder(CSIDL_DESKTOPDIRECTORY)},
        {HKEY_CURRENT_USER, version + "\\GrpConv\\MapGroups", "Quick Launch", GetQuickLaunchDir,
         SystemFolder(CSIDL_APPDATA) + "\\Microsoft\\Internet Explorer\\Quick Launch"}};
    for (const auto& [root, key, name, folder, systemFolder] : folders) {
        ValueOverride value(root, key, name);
        value.Set("D:\\Программы");
        EXPECT_EQ(folder(), "D:\\Программы") << name;
        value.Remove();
        EXPECT_EQ(folder(), systemFolder) << name;
        value.Set(REG_DWORD, std::string(4, '\5'));
        EXPECT_FAILURE(folder(), "RegistryError", "Invalid data type for '" + std::string(name) + "'");
    }
    // An empty value counts as missing: links would otherwise land at the root of the drive.
    ValueOverride desktop(HKEY_CURRENT_USER, shell, "Desktop");
    desktop.Set("");
    EXPECT_EQ(GetDesktopDir(), SystemFolder(CSIDL_DESKTOPDIRECTORY));
}

}  // namespace
