// Starting crafted setup programs as a user would, and reading what they show.
#include <gtest/gtest.h>

#include "package/loader.h"
#include "package/package_writer.h"
#include "tests/support/child_program.h"
#include "tests/support/driver.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/screen.h"

namespace {

constexpr int kTimeout = 20000;

class SetupProgram : public testing::Test {
protected:
    const ChildProgram& Start(const std::string& package) {
        WriteSetupProgram(program_, package);
        child_.emplace(program_, temp_.Path());
        return *child_;
    }
    // The message shows over the splash and no other window, waits for the user, and OK ends the
    // program with exit code 0.
    void ExpectDamagedDataMessageThenExitZero(const std::string& package) {
        const ChildProgram& child = Start(package);
        const auto box = child.WaitForMessageBox(kTimeout);
        ASSERT_TRUE(box) << "no message box";
        EXPECT_EQ(box->caption, "Ошибка");
        EXPECT_EQ(box->text, "Данные повреждены или отсутствуют!");
        EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
        EXPECT_EQ(MessageBoxIconColor(box->window), IconColor::Red) << "the error icon";
        for (HWND window : TopLevelWindows(child.Id())) {
            const WindowState w = Describe(window);
            EXPECT_TRUE(w.className != "Form" || w.visible == (w.text == "SetupProgram")) << w.text;
        }
        EXPECT_FALSE(child.WaitForExit(300)) << "the program waits for the user";
        PressButton(box->window, IDOK);
        EXPECT_EQ(child.WaitForExit(kTimeout), 0u);
    }

    ScratchFolder programs_, temp_;
    std::string program_ = programs_ / "setup.exe";
    std::optional<ChildProgram> child_;
};

TEST_F(SetupProgram, DamagedPackageShowsTheDamagedDataMessageBeforeWritingAnythingButItsCopy) {
    PackageLayout tooLong, outside, link;
    tooLong.files.push_back({"app.exe", 100, "32"});
    outside.files.push_back({"..\\..\\..\\windows\\evil.txt", 5, "32"});
    link.shortcuts.push_back({"Пуск", "..\\..\\Startup\\evil", "a.exe", "", "", ""});
    StringList notANumber = TextLines(tooLong);
    notANumber[setting::kFileCount] = "abc";
    for (const StringList& lines : {notANumber, TextLines(tooLong), TextLines(outside), TextLines(link)}) {
        ExpectDamagedDataMessageThenExitZero(ComposePackage(lines, "short"));
        EXPECT_EQ(ListFiles(temp_.Path()), "QORT\\Tmp_Data.tmp");
        EXPECT_EQ(ListFiles(programs_.Path()), "setup.exe");
    }
    ExpectDamagedDataMessageThenExitZero(ComposeTextBlock(notANumber) + LengthTrailer(2));  // a length below 4
}

// Ten million registry records of empty lines: a 50 MB package whose lists outgrow the 32-bit
// program's memory while loading.
TEST_F(SetupProgram, PackageThatExhaustsMemoryWhileLoadingShowsTheDamagedDataMessage) {
    if (sizeof(void*) != 4) GTEST_SKIP() << "a 64-bit program has the memory to load it";
    StringList lines(setting::kCount, "0");
    lines[setting::kRegistryCount] = "10000000";
    const std::string text = ComposeTextBlock(lines) + std::string(50000000, '\r');
    ExpectDamagedDataMessageThenExitZero(text + LengthTrailer(static_cast<std::int32_t>(text.size() + 4)));
}

TEST_F(SetupProgram, StoredLengthBeyondTheFileEndsSilentlyWithoutACopy) {
    const std::string text = ComposeTextBlock(StringList(setting::kCount, "0"));
    const std::string stub = ReadFileBytes(StubPath());
    const auto& child = Start(text + LengthTrailer(static_cast<std::int32_t>(stub.size() + text.size() + 4 + 1)));
    EXPECT_EQ(child.WaitForExit(kTimeout), 0u);
    EXPECT_FALSE(child.WaitForMessageBox(0));
    EXPECT_EQ(ListFiles(temp_.Path()), "") << "no temporary copy";
    // The bare stub ends with bytes of its own: whatever length they spell, no package follows.
    const auto& bare = Start("");
    if (const auto box = bare.WaitForMessageBox(kTimeout)) PressButton(box->window, IDOK);
    EXPECT_EQ(bare.WaitForExit(kTimeout), 0u);
}

TEST_F(SetupProgram, SecondSetupProgramIsRefusedWhileOneRuns) {
    // The first one stays on its damaged-data message, so it still runs.
    const auto& first = Start(ComposePackage(StringList(setting::kCount, "abc"), ""));
    const auto firstBox = first.WaitForMessageBox(kTimeout);
    ASSERT_TRUE(firstBox);
    ScratchFolder otherTemp;
    const std::string second = programs_ / "second.exe";
    WriteSetupProgram(second, ComposePackage(StringList(setting::kCount, "0"), ""));
    ChildProgram refused(second, otherTemp.Path());
    const auto box = refused.WaitForMessageBox(kTimeout);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption + ": " + box->text, "Ошибка: Программа установки уже запущена.");
    EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
    EXPECT_EQ(MessageBoxIconColor(box->window), IconColor::Blue) << "the information icon";
    PressButton(box->window, IDOK);
    EXPECT_EQ(refused.WaitForExit(kTimeout), 0u);
    EXPECT_FALSE(FolderExists(otherTemp / "QORT")) << "the refused program touches no temporary files";

    PressButton(firstBox->window, IDOK);
    EXPECT_EQ(first.WaitForExit(kTimeout), 0u);
    // Once the first has ended, a setup program runs again and loads its package.
    ChildProgram again(second, otherTemp.Path());
    EXPECT_TRUE(WaitFor([&] { return FileExists(otherTemp / "QORT\\Tmp_Data.tmp"); }, kTimeout));
}

TEST(SetupProgramFile, CarriesItsIconPictureAndAManifestAskingForAdministratorsAndNewControls) {
    HMODULE program = LoadLibraryExA(StubPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    EXPECT_NE(FindResourceA(program, "MAINICON", reinterpret_cast<LPCSTR>(RT_GROUP_ICON)), nullptr);
    EXPECT_NE(FindResourceA(program, "SETUPFORM_IMAGELIST1", reinterpret_cast<LPCSTR>(RT_BITMAP)), nullptr);
    HRSRC manifest = FindResourceA(program, MAKEINTRESOURCEA(1), reinterpret_cast<LPCSTR>(RT_MANIFEST));
    ASSERT_NE(manifest, nullptr);
    const std::string text(static_cast<const char*>(LockResource(LoadResource(program, manifest))),
                           SizeofResource(program, manifest));
    for (const char* part : {"Microsoft.Windows.Common-Controls", "version=\"6.0.0.0\"", "requireAdministrator"})
        EXPECT_NE(text.find(part), std::string::npos) << part;
    FreeLibrary(program);
}

}  // namespace
