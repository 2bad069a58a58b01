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

constexpr int kTimeout = 20000;

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

class SilentInstall : public testing::Test {
protected:
    SilentInstall() {
        desktop_.Set(links_.Path()), startMenu_.Set(links_.Path());
        WriteFileBytes(starter_, ReadFileBytes(WindowsPath(RECORD_ARGS)));
        using namespace setting;
        StringList& s = layout_.settings = TestSettings();
        // The background, the first and the last program: the wizard would show or start each.
        s[kBackground] = s[kRunAtStart] = s[kRunAtEnd] = s[kCreateShortcuts] = "1";
        s[kRunAtStartProgram] = s[kRunAtEndProgram] = starter_;
        s[kInstallFolder] = installs_ / "Тест";
        // The wizard leaves the box of "Пуск" unticked.
        layout_.shortcuts = {{"Рабочий стол", "A", "a.txt", "", "", ""}, {"Пуск", "B", "a.txt", "", "", ""}};
        layout_.files = {{"a.txt", 1}, {"sub\\b.txt", 2}};
    }
    // The program's exit code, while no window of it may ever show.
    DWORD Run(const std::string& arguments, const std::string& package = {}) {
        WriteSetupProgram(programs_ / "setup.exe", package.empty() ? ComposePackage(TextLines(layout_), "abb") : package);
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
    ShellFolderOverride desktop_{"Desktop"}, startMenu_{"Start Menu"};
    std::string starter_ = programs_ / "starter.exe";
    PackageLayout layout_;
};

TEST_F(SilentInstall, InstallsWithEveryShortcutStartingNothingAndLogsEachFileAndStepInUtf8) {
    EXPECT_EQ(Run("/S"), 0u);
    EXPECT_EQ(ListFiles(installs_ / "Тест\\"), "a.txt sub\\b.txt") << "the package's folder";
    EXPECT_EQ(ListFiles(links_.Path()), "A.lnk B.lnk");
    EXPECT_FALSE(FileExists(starter_ + ".args")) << "neither the first nor the last program starts";

    const std::string log = programs_ / "журнал.log";
    EXPECT_EQ(Run("/LOG=\"" + log + "\" /s /D=" + installs_ / "Другая папка"), 0u);
    EXPECT_EQ(ListFiles(installs_ / "Другая папка\\"), "a.txt sub\\b.txt");
    const std::string folder = installs_.Path() + Utf8(u8"Другая папка\\");
    EXPECT_EQ(ReadFileBytes(log), folder + "a.txt\r\n" + folder + "sub\\b.txt\r\n" +
                                      Utf8(u8"Создание ярлыков...\r\nУдаление *.tmp\r\nГотово\r\n"));
}

TEST_F(SilentInstall, EachFailureEndsWithItsExitCodeAndNoWindow) {
    EXPECT_EQ(Run("/S /Quiet"), 4u) << "an unknown option";
    EXPECT_EQ(Run("/S /LOG=" + programs_ / "missing\\setup.log"), 4u) << "a log that cannot be created";
    StringList damaged = TextLines(layout_);
    damaged[setting::kFileCount] = "abc";
    EXPECT_EQ(Run("/S", ComposePackage(damaged, "abb")), 1u);
    EXPECT_EQ(Run("/S", ComposeTextBlock(damaged) + LengthTrailer(1 << 30)), 1u) << "a length beyond the file";
    std::string flipped = ComposeSealedPackage(TextLines(layout_), "abb");
    flipped[flipped.size() - 6] ^= 4;  // a bad download: one byte of a file
    EXPECT_EQ(Run("/S", flipped), 1u) << "a checksum that does not match";
    EXPECT_EQ(ListFiles(installs_.Path()), "") << "nothing installed";

    const std::string log = programs_ / "setup.log", blocker = installs_ / "file";
    WriteFileBytes(blocker, "");
    EXPECT_EQ(Run("/LOG=" + log + " /S /D=" + blocker + "\\sub"), 3u);
    EXPECT_EQ(ReadFileBytes(log), "Cannot create file " + blocker + "\\sub\\a.txt\r\n");

    ScratchFolder firstTemp;
    WriteSetupProgram(programs_ / "first.exe", ComposePackage(TextLines(layout_), "abb"));
    ChildProgram first(programs_ / "first.exe", firstTemp.Path());
    ASSERT_TRUE(WaitForWindow(first.Id(), [](const WindowState& w) { return w.visible; }, kTimeout));
    EXPECT_EQ(Run("/S"), 2u) << "another setup program runs";
}

}  // namespace
