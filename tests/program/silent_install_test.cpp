// Installing without any window, as administrators do (setup.exe /S): the real program in a child
// process, its exit codes, its log, and never a window of it on the screen.
#include <gtest/gtest.h>

#include "engine/uninstall_record.h"
#include "package/length_trailer.h"
#include "package/package_writer.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/child_program.h"
#include "tools/window_driver.h"
#include "tests/support/test_settings.h"

namespace {

class SilentInstall : public testing::Test {
protected:
    SilentInstall() {
        WriteFileBytes(starter_, ReadFileBytes(WindowsPath(RECORD_ARGS)));
        using namespace setting;
        StringList& s = layout_.settings = TestSettings();
        // The background, the first and the last program: the wizard would show or start each.
        s[kBackground] = s[kRunAtStart] = s[kRunAtEnd] = s[kCreateShortcuts] = "1";
        s[kRunAtStartProgram] = s[kRunAtEndProgram] = starter_;
        s[kInstallFolder] = installs_ / "Тест";
        // The wizard leaves the box of "Пуск" unticked.
        layout_.shortcuts = {{"Рабочий стол", "A", "a.txt", "", "", ""}, {"Пуск", "B", "a.txt", "", "", ""}};
        layout_.files = {{"a.txt", 1}, {"docs\\Справка.txt", 3}, {"sub\\b.txt", 2}};
        s[kWriteRegistry] = "1";
        layout_.registry = {{"HKEY_CURRENT_USER", key_.Path(), "Справка", "%ProgDr%\\docs\\Справка.txt", "String"}};
    }
    // The program's exit code, while no window of it may ever show.
    DWORD Run(const std::string& arguments, const std::string& package = {}) {
        WriteSetupProgram(programs_ / "setup.exe", package.empty() ? ComposePackage(TextLines(layout_), payload_) : package);
        ChildProgram child(programs_ / "setup.exe", temp_.Path(), arguments);
        std::string shown;
        WaitFor([&] {
            for (HWND window : TopLevelWindows(child.Id()))
                if (Describe(window).visible) shown = Describe(window).text;
            return child.WaitForExit(0).has_value();
        }, kTimeout);
        EXPECT_EQ(shown, "") << arguments;
        EXPECT_EQ(ListFiles(temp_.Path()), "") << arguments << ": the package copy is removed on every end";
        return child.WaitForExit(0).value_or(99);
    }

    ScratchFolder programs_, temp_, installs_, links_;
    ShellFolderOverride desktop_{"Desktop", links_.Path()}, startMenu_{"Start Menu", links_.Path()};
    ScratchKey key_{HKEY_CURRENT_USER, "Software\\"};
    std::string starter_ = programs_ / "starter.exe", payload_ = "adocbb";
    PackageLayout layout_;
};

// Folders, file names and values may hold letters of any language. (A user named "Әлия", whose
// temporary folder has no Windows-1251 form: locale_install_test.sh.)
TEST_F(SilentInstall, InstallsWithEveryShortcutStartingNothingAndLogsEachFileAndStepInUtf8) {
    const std::string log = programs_ / "журнал.log";
    const std::pair<std::string, std::string> rows[] = {  // the arguments, the install folder
        {"/S", installs_ / "Тест\\"},  // the package's folder, no log
        {"/LOG=\"" + log + "\" /s /D=" + installs_ / "Другая папка", installs_ / "Другая папка\\"},
        {"/S /LOG=" + log + " /D=" + installs_ / "Программы Müller\\Проверка", installs_ / "Программы Müller\\Проверка\\"}};
    for (const auto& [arguments, folder] : rows) {
        DeleteFileW(Wide(log).c_str());
        EXPECT_EQ(Run(arguments), 0u);
        EXPECT_EQ(ListFiles(folder), "a.txt docs\\Справка.txt sub\\b.txt");
        EXPECT_EQ(ReadFileBytes(folder + "docs\\Справка.txt"), "doc");
        EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, key_.Path(), "Справка").value_or(RegValue{}).data,
                  folder + "docs\\Справка.txt" + '\0');
        EXPECT_EQ(ListFiles(links_.Path()), "A.lnk B.lnk");
        EXPECT_FALSE(FileExists(starter_ + ".args")) << "neither the first nor the last program starts";
        if (arguments == "/S") continue;
        EXPECT_EQ(ReadFileBytes(log), "\xEF\xBB\xBF" + folder + "a.txt\r\n" + folder + "docs\\Справка.txt\r\n" + folder +
                                          "sub\\b.txt\r\nДобавление данных в реестр...\r\nСоздание ярлыков...\r\n"
                                          "Удаление *.tmp\r\nГотово\r\n") << arguments;
    }
}

TEST_F(SilentInstall, EachFailureEndsWithItsExitCodeAndNoWindow) {
    EXPECT_EQ(Run("/S /Quiet"), 4u) << "an unknown option";
    EXPECT_EQ(Run("/S /LOG=" + programs_ / "missing\\setup.log"), 4u) << "a log that cannot be created";
    StringList damaged = TextLines(layout_);
    damaged[setting::kFileCount] = "abc";
    EXPECT_EQ(Run("/S", ComposePackage(damaged, payload_)), 1u);
    EXPECT_EQ(Run("/S", ComposeTextBlock(damaged) + LengthTrailer(1 << 30)), 1u) << "a length beyond the file";
    EXPECT_EQ(ListFiles(installs_.Path()), "") << "nothing installed";

    const std::string log = programs_ / "setup.log", blocker = installs_ / "file";
    WriteFileBytes(blocker, "");
    EXPECT_EQ(Run("/LOG=" + log + " /S /D=" + blocker + "\\sub"), 3u);
    EXPECT_EQ(ReadFileBytes(log), "\xEF\xBB\xBF" "Cannot create file " + blocker + "\\sub\\a.txt\r\n");

    ScratchFolder firstTemp;
    WriteSetupProgram(programs_ / "first.exe", ComposePackage(TextLines(layout_), payload_));
    ChildProgram first(programs_ / "first.exe", firstTemp.Path());
    ASSERT_TRUE(WaitForWindow(first.Id(), [](const WindowState& w) { return w.visible; }, kTimeout));
    EXPECT_EQ(Run("/S"), 2u) << "another setup program runs";
}

// Version 2 installed over version 1 in its folder, whose name puts Uninstall.ini in UTF-8: version
// 2's entry replaces version 1's, and removing it removes what either version installed but the
// user's own file.
TEST_F(SilentInstall, RemovingAnUpdateRemovesWhatEitherVersionInstalledButTheUsersFile) {
    const std::string uninstaller = ReadFileBytes(WindowsPath(UNINSTALLER_PROGRAM)), folder = installs_ / "Müller\\";
    const auto value = [&](const char* name) { return ReadRegValue(HKEY_CURRENT_USER, key_.Path(), name); };
    const auto entry = [](const char* name) { return ReadRegValue(HKEY_LOCAL_MACHINE, UninstallKeyPath(name), "DisplayName"); };
    layout_.settings[setting::kWriteUninstall] = "1";
    for (const std::string version : {"1", "2"}) {  // dropping b.txt, link B and the value "Old"
        layout_.settings[setting::kUninstallName] = "Тест " + version + ".0";
        layout_.files = {{"Uninstall.exe", std::int64_t(uninstaller.size())}, {"a.txt", 1}, {version == "1" ? "b.txt" : "c.txt", 1}};
        payload_ = uninstaller + version + version;
        layout_.registry = {{"HKEY_CURRENT_USER", key_.Path(), "Справка", version, "String"},
                            {"HKEY_CURRENT_USER", key_.Path(), "Old", version, "String"}};
        layout_.shortcuts = {{"Рабочий стол", "A", "a.txt", "", "", ""}, {"Пуск", "B", "b.txt", "", "", ""}};
        if (version == "2") layout_.registry.pop_back(), layout_.shortcuts.pop_back();
        ASSERT_EQ(Run("/S /D=" + folder), 0u);
    }
    EXPECT_EQ(ListFiles(folder) + ReadFileBytes(folder + "a.txt"), "Uninstall.exe Uninstall.ini a.txt b.txt c.txt2");
    EXPECT_EQ(std::string(entry("Тест 1.0") ? "1.0 " : "") + (entry("Тест 2.0") ? "2.0" : ""), "2.0");
    WriteFileBytes(folder + "мой.txt", "the user's own");
    ScratchFolder temp;
    EXPECT_EQ(ChildProgram(folder + "Uninstall.exe", temp.Path(), "/S").WaitForExit(kTimeout), 0u);
    for (int i = 0; i < 100 && FileExists(folder + "Uninstall.exe"); ++i) Sleep(100);  // its copy removes it last
    EXPECT_EQ(ListFiles(folder) + "|" + ListFiles(links_.Path()), "мой.txt|");
    EXPECT_FALSE(value("Справка") || value("Old") || entry("Тест 2.0"));
    for (int i = 0; i < 100 && !ListFiles(temp.Path()).empty(); ++i, Sleep(100))  // the copy, once it has ended
        DeleteFileW(Wide(temp / ListFiles(temp.Path())).c_str());
}

}  // namespace
