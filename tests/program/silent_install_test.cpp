// Installing without any window, as administrators do (setup.exe /S): the real program in a child
// process, its exit codes, its log, and never a window of it on the screen.
#include <gtest/gtest.h>

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
    PackageLayout machineValue = layout_;  // in a package for the user, as another tool may write it
    machineValue.registry[0].root = "HKEY_LOCAL_MACHINE";
    EXPECT_EQ(Run("/S", ComposeSealedPackage(TextLines(machineValue), payload_, true)), 1u) << "a machine's value";
    EXPECT_EQ(ListFiles(installs_.Path()), "") << "nothing installed";

    const std::string log = programs_ / "setup.log", blocker = installs_ / "file";
    WriteFileBytes(blocker, "");
    EXPECT_EQ(Run("/LOG=" + log + " /S /D=" + blocker + "\\sub"), 3u);
    EXPECT_EQ(ReadFileBytes(log), "\xEF\xBB\xBF" "Cannot create file " + blocker + "\\sub\\a.txt\r\n"
                                  "Установка прервана. Всё, что она изменила, возвращено как было.\r\n");

    // A file that another program holds stays until the next start, where the system puts the new one,
    // written beside it, in its place (this run is elevated, as under Wine every program is); the
    // run waits ten seconds for it first. The other files are replaced, and none is kept after.
    EXPECT_EQ(Run("/S"), 0u);
    const std::string folder = installs_ / "Тест\\";
    ValueOverride pending(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager",
                          "PendingFileRenameOperations");
    pending.Remove();
    const HANDLE held = CreateFileW(Wide(folder + "a.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    payload_ = "Adocbb";
    const DWORD started = GetTickCount();
    EXPECT_EQ(Run("/LOG=" + log + " /S"), 3010u);
    EXPECT_GE(GetTickCount() - started, 10000u);
    CloseHandle(held);
    const std::string question = "\xEF\xBB\xBFФайл\r\n" + folder + "a.txt\r\n";
    EXPECT_EQ(ReadFileBytes(log).substr(0, question.size()), question);
    EXPECT_EQ(ListFiles(folder), "a.txt a.txt.~new docs\\Справка.txt sub\\b.txt");
    EXPECT_EQ(ReadFileBytes(folder + "a.txt") + ReadFileBytes(folder + "a.txt.~new"), "aA");
    const std::wstring renames = Wide("\\??\\" + folder + "a.txt.~new") + L'\0' + Wide("!\\??\\" + folder + "a.txt");
    const std::string data = ReadRegValue(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager",
                                          "PendingFileRenameOperations").value_or(RegValue{}).data;
    EXPECT_NE(data.find(std::string(reinterpret_cast<const char*>(renames.data()), renames.size() * 2)), std::string::npos);

    ScratchFolder firstTemp;
    WriteSetupProgram(programs_ / "first.exe", ComposePackage(TextLines(layout_), payload_));
    ChildProgram first(programs_ / "first.exe", firstTemp.Path());
    ASSERT_TRUE(WaitForWindow(first.Id(), [](const WindowState& w) { return w.visible; }, kTimeout));
    EXPECT_EQ(Run("/S"), 2u) << "another setup program runs";
}

}  // namespace
