// The setup program and the uninstaller run as administrator: a DLL that anyone put beside them or
// in the temporary folder, under the name of a DLL they load, must never be loaded. The real
// programs run as users start them, with Wine told to prefer a DLL it finds on the search path to
// its own, as Windows does.
#include <gtest/gtest.h>

#include "package/package_writer.h"
#include "runtime/unicode.h"
#include "tests/support/child_program.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_settings.h"
#include "tools/window_driver.h"

namespace {

// What the programs load once running (Wine's +loaddll trace). Left out, as Windows takes them
// from the system folder as known DLLs or what known DLLs import: what Wine's own DLLs import at
// start (version, zlib1, imm32, sechost, ucrtbase, win32u, shcore, rpcrt4, combase, ole32,
// shlwapi) or load through their delay imports, which Wine looks for beside the program whatever
// the program asked (msimg32 for Wine's uxtheme; ole32, with combase and rpcrt4, for its imm32).
const char* const kPlanted[] = {"uxtheme", "comctl32"};
const char* const kPrograms[] = {"setup.exe", "Uninstall.exe"};

std::string AppDefaults(const char* program) { return std::string("Software\\Wine\\AppDefaults\\") + program; }

class PlantedDlls : public testing::Test {
protected:
    PlantedDlls() {
        // Wine's switch for the programs of these names: a DLL found on the search path comes
        // before Wine's own, as on Windows (WINEDLLOVERRIDES="uxtheme,comctl32=n,b" for one run).
        for (const char* program : kPrograms)
            for (const char* dll : kPlanted)
                RegSetKeyValueA(HKEY_CURRENT_USER, (AppDefaults(program) + "\\DllOverrides").c_str(), dll, REG_SZ,
                                "native,builtin", 15);
        StringList& s = layout_.settings = TestSettings();
        s[setting::kInstallFolder] = installs_.Path() + "Тест";
        s[setting::kWriteUninstall] = s[setting::kUninstallSetting1] = "1";  // the uninstaller asks
        layout_.files = {{"a.txt", 1}, {"Uninstall.exe", static_cast<std::int64_t>(uninstaller_.size())}};
        WriteSetupProgram(setup_, ComposePackage(TextLines(layout_), "a" + uninstaller_));
        Plant(programs_.Path()), Plant(temp_.Path());
    }
    ~PlantedDlls() override { for (auto p : kPrograms) RegDeleteTreeA(HKEY_CURRENT_USER, AppDefaults(p).c_str()); }

    void Plant(const std::string& folder) {
        for (const char* name : kPlanted)
            CopyFileW(Wide(WindowsPath(PLANTED_DLL)).c_str(), Wide(folder + name + ".dll").c_str(), FALSE);
    }
    // The files of each folder where a planted DLL was loaded: it leaves a ".loaded" file beside itself.
    std::string Loaded() {
        std::string loaded;
        for (const ScratchFolder* folder : {&programs_, &temp_, &installs_})
            if (const auto files = ListFiles(folder->Path()); files.find(".loaded") != files.npos) loaded += files;
        return loaded;
    }
    // Installs with /S; DLLs are then planted beside the installed uninstaller too.
    std::optional<DWORD> InstallSilently() {
        const auto code = ChildProgram(setup_, temp_.Path(), "/S").WaitForExit(kTimeout);
        return Plant(installs_ / "Тест\\"), code;
    }

    ScratchFolder programs_, temp_, installs_;
    std::string setup_ = programs_ / "setup.exe", uninstaller_ = ReadFileBytes(WindowsPath(UNINSTALLER_PROGRAM));
    PackageLayout layout_;
};

// The wizard, a silent installation, the uninstaller asking, and its copy in the quiet.
TEST_F(PlantedDlls, NoProgramLoadsOne) {
    {
        ChildProgram wizard(setup_, temp_.Path());
        const auto shown = [](const WindowState& w) { return w.visible && w.text == kTestCaption; };
        EXPECT_NE(WaitForWindow(wizard.Id(), shown, kTimeout), nullptr) << "the wizard shows";
    }
    ASSERT_EQ(InstallSilently(), 0u);
    // Started with the install folder, the uninstaller does the work itself and asks first.
    WriteFileBytes(programs_ / "Uninstall.exe", uninstaller_);
    ChildProgram asking(programs_ / "Uninstall.exe", temp_.Path(), "\"" + installs_ / "Тест\"");
    HWND question = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (question = FindWindowW(L"#32770", L"Удаление - Тест")) != nullptr; }, kTimeout));
    PressButton(question, IDYES);
    EXPECT_EQ(asking.WaitForExit(kTimeout), 0u);

    ASSERT_EQ(InstallSilently(), 0u);
    EXPECT_EQ(ChildProgram(installs_ / "Тест\\Uninstall.exe", temp_.Path(), "/S").WaitForExit(kTimeout), 0u);
    EXPECT_EQ(Loaded(), "");
}

}  // namespace
