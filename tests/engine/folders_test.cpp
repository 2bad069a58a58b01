// Placeholders expanded against the folders of the machine, registry first.
#include "engine/folders.h"

#include "runtime/errors.h"
#include "tests/engine/engine_fixture.h"

namespace {

constexpr const char* kCurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kSetup = "Software\\Microsoft\\Windows\\CurrentVersion\\Setup";

std::string SystemDirectory() {
    char path[MAX_PATH];
    return std::string(path, GetSystemDirectoryA(path, MAX_PATH));
}

std::string WindowsDirectory() {
    char path[MAX_PATH];
    return std::string(path, GetWindowsDirectoryA(path, MAX_PATH));
}

TEST(MachineFolders, RegistryValuesComeFirst) {
    ValueOverride programFiles(HKEY_LOCAL_MACHINE, kCurrentVersion, "ProgramFilesDir");
    ValueOverride system(HKEY_LOCAL_MACHINE, kSetup, "SysDir");
    programFiles.Set("D:\\Программы");
    system.Set("D:\\WIN\\SYS");
    RecordingView view;
    EXPECT_EQ(ExpandPath("%ProgFs%\\Tools", view), "D:\\Программы\\Tools");
    EXPECT_EQ(ExpandPath("%SysDir%\\x.dll", view), "D:\\WIN\\SYS\\x.dll");
    EXPECT_EQ(ExpandPath("%WinDir%", view), WindowsDirectory());
}

TEST(MachineFolders, MissingValuesAreAskedOfTheSystem) {
    ValueOverride programFiles(HKEY_LOCAL_MACHINE, kCurrentVersion, "ProgramFilesDir");
    ValueOverride system(HKEY_LOCAL_MACHINE, kSetup, "SysDir");
    programFiles.Remove();
    system.Set("");
    RecordingView view;
    EXPECT_EQ(ExpandPath("%SysDir%\\x.dll", view), SystemDirectory() + "\\x.dll");
    EXPECT_EQ(GetProgramFilesDir().substr(1), ":\\Program Files");
}

TEST(MachineFolders, ValueThatIsNoTextIsReported) {
    ValueOverride programFiles(HKEY_LOCAL_MACHINE, kCurrentVersion, "ProgramFilesDir");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCurrentVersion, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    const DWORD number = 5;
    RegSetValueExA(key, "ProgramFilesDir", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
    RegCloseKey(key);
    RecordingView view;
    EXPECT_FAILURE(ExpandPath("%ProgFs%", view), "RegistryError", "Invalid data type for 'ProgramFilesDir'");
}

TEST(InstallFolderBox, FollowsWhatTheUserTypedUpToNow) {
    RecordingView view;
    view.folder = "D:\\Games";
    EXPECT_EQ(ExpandPath("%ProgDr%\\g.exe", view), "D:\\Games\\g.exe");
    view.folder = "E:\\Other\\";
    EXPECT_EQ(ExpandPath("%ProgDr%\\g.exe", view), "E:\\Other\\g.exe");
}

TEST(InstallFolderBox, IsMadeToEndInABackslashAndAnEmptyBoxGetsTheDefault) {
    RecordingView view;
    view.folder = "D:\\Games";
    EXPECT_EQ(PrepareInstallFolder(view), "D:\\Games\\");
    EXPECT_EQ(view.events, (std::vector<std::string>{"folder D:\\Games\\"}));
    EXPECT_EQ(PrepareInstallFolder(view), "D:\\Games\\");
    EXPECT_EQ(view.events.size(), 1u);  // already right: the box is left alone
    view.folder = "";
    EXPECT_EQ(PrepareInstallFolder(view), "C:\\Program Files\\Rodev\\");
    EXPECT_EQ(view.folder, "C:\\Program Files\\Rodev\\");
}

}  // namespace
