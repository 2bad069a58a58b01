// Starting crafted setup programs as a user would, and reading what they show.
#include <gtest/gtest.h>

#include "package/loader.h"
#include "package/package_writer.h"
#include "tests/support/child_program.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/screen.h"

namespace {

constexpr int kTimeout = 20000;

class SetupProgram : public testing::Test {
protected:
    ChildProgram& Start(const std::string& package) {
        WriteSetupProgram(program_, package);
        child_.emplace(program_, temp_.Path());
        return *child_;
    }

    ScratchFolder programs_, temp_;
    std::string program_ = programs_ / "setup.exe";
    std::optional<ChildProgram> child_;
};

StringList Settings() {
    StringList lines(setting::kCount, "");
    lines[setting::kRegistryCount] = lines[setting::kShortcutCount] = lines[setting::kFileCount] = "0";
    return lines;
}

void ExpectDamagedDataMessageThenExitZero(const ChildProgram& child) {
    const auto box = child.WaitForMessageBox(kTimeout);
    ASSERT_TRUE(box) << "no message box";
    EXPECT_EQ(box->caption, "Ошибка");
    EXPECT_EQ(box->text, "Данные повреждены или отсутствуют!");
    EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
    EXPECT_EQ(MessageBoxIconColor(box->window), IconColor::Red) << "the error icon";
    EXPECT_FALSE(child.WaitForExit(300)) << "the program must wait for the user";
    PressButton(box->window, IDOK);
    EXPECT_EQ(child.WaitForExit(kTimeout), 0u);
}

TEST_F(SetupProgram, SoundPackageLoadsWithoutAMessageAndWritesOnlyItsTemporaryCopy) {
    PackageLayout layout;
    // The wizard that follows the loading reads the licence font's numbers.
    layout.settings[setting::kLicenceFontSize] = "8", layout.settings[setting::kLicenceFontColor] = "0";
    layout.settings[setting::kLicenceCharset] = "204";
    layout.files.push_back({"a.txt", 3, "32"});
    const std::string package = ComposePackage(TextLines(layout), "abc");
    const auto& child = Start(package);
    const std::string copy = temp_ / "QORT\\Tmp_Data.tmp";
    const DWORD start = GetTickCount();
    while (!(FileExists(copy) && ReadFileBytes(copy).size() == package.size() - 4) && GetTickCount() - start < kTimeout)
        Sleep(50);
    EXPECT_EQ(ListFiles(temp_.Path()), "QORT\\Tmp_Data.tmp");
    EXPECT_FALSE(child.WaitForMessageBox(1000));
}

TEST_F(SetupProgram, CountThatIsNotANumberShowsTheDamagedDataMessage) {
    StringList lines = Settings();
    lines[setting::kFileCount] = "abc";
    ExpectDamagedDataMessageThenExitZero(Start(ComposePackage(lines, "")));
}

TEST_F(SetupProgram, RecordsThatDoNotFitOrLeaveTheirFolderAreRejectedBeforeAnythingIsInstalled) {
    PackageLayout tooLong, outside, link;
    tooLong.files.push_back({"app.exe", 100, "32"});
    outside.files.push_back({"..\\..\\..\\windows\\evil.txt", 5, "32"});
    link.shortcuts.push_back({"Пуск", "..\\..\\Startup\\evil", "a.exe", "", "", ""});
    for (const PackageLayout* layout : {&tooLong, &outside, &link}) {
        ExpectDamagedDataMessageThenExitZero(Start(ComposePackage(TextLines(*layout), "short")));
        // Nothing but the temporary copy was written.
        EXPECT_EQ(ListFiles(temp_.Path()), "QORT\\Tmp_Data.tmp");
        EXPECT_EQ(ListFiles(programs_.Path()), "setup.exe");
    }
}

// Ten million registry records of empty lines: a 50 MB package whose lists outgrow the 32-bit
// program's memory while loading.
TEST_F(SetupProgram, PackageThatExhaustsMemoryWhileLoadingShowsTheDamagedDataMessage) {
    if (sizeof(void*) != 4) GTEST_SKIP() << "a 64-bit program has the memory to load it";
    StringList lines = Settings();
    lines[setting::kRegistryCount] = "10000000";
    const std::string text = ComposeTextBlock(lines) + std::string(50000000, '\r');
    ExpectDamagedDataMessageThenExitZero(Start(text + LengthTrailer(static_cast<std::int32_t>(text.size() + 4))));
}

TEST_F(SetupProgram, LengthBelowFourShowsTheDamagedDataMessage) {
    ExpectDamagedDataMessageThenExitZero(Start(ComposeTextBlock(Settings()) + LengthTrailer(2)));
}

TEST_F(SetupProgram, BareProgramWithoutPackageShowsTheDamagedDataMessage) {
    // The bare stub ends with bytes of its own: whatever length they spell, no package follows.
    const auto& child = Start("");
    const auto box = child.WaitForMessageBox(kTimeout);
    if (box) {
        EXPECT_EQ(box->text, "Данные повреждены или отсутствуют!");
        PressButton(box->window, IDOK);
    }
    EXPECT_EQ(child.WaitForExit(kTimeout), 0u);
}

TEST_F(SetupProgram, StoredLengthOneByteBeyondTheFileEndsSilently) {
    const std::string text = ComposeTextBlock(Settings());
    const std::string stub = ReadFileBytes(StubPath());
    const auto& child = Start(text + LengthTrailer(static_cast<std::int32_t>(stub.size() + text.size() + 4 + 1)));
    EXPECT_EQ(child.WaitForExit(kTimeout), 0u);
    EXPECT_FALSE(child.WaitForMessageBox(0));
    EXPECT_EQ(ListFiles(temp_.Path()), "") << "no temporary copy";
}

}  // namespace

namespace {

TEST_F(SetupProgram, SecondSetupProgramIsRefusedWhileOneRuns) {
    // The first one stays on its damaged-data message, so it still runs.
    StringList lines = Settings();
    lines[setting::kRegistryCount] = "abc";
    const auto& first = Start(ComposePackage(lines, ""));
    const auto firstBox = first.WaitForMessageBox(kTimeout);
    ASSERT_TRUE(firstBox);

    ScratchFolder otherTemp;
    const std::string second = programs_ / "second.exe";
    WriteSetupProgram(second, ComposePackage(Settings(), ""));
    ChildProgram refused(second, otherTemp.Path());
    const auto box = refused.WaitForMessageBox(kTimeout);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Ошибка");
    EXPECT_EQ(box->text, "Программа установки уже запущена.");
    EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
    EXPECT_EQ(MessageBoxIconColor(box->window), IconColor::Blue) << "the information icon";
    PressButton(box->window, IDOK);
    EXPECT_EQ(refused.WaitForExit(kTimeout), 0u);
    EXPECT_FALSE(FolderExists(otherTemp / "QORT")) << "the refused program touches no temporary files";

    PressButton(firstBox->window, IDOK);
    EXPECT_EQ(first.WaitForExit(kTimeout), 0u);
    // Once the first has ended, a setup program runs again and loads its package.
    ChildProgram again(second, otherTemp.Path());
    const DWORD start = GetTickCount();
    while (!FileExists(otherTemp / "QORT\\Tmp_Data.tmp") && GetTickCount() - start < kTimeout) Sleep(50);
    EXPECT_TRUE(FileExists(otherTemp / "QORT\\Tmp_Data.tmp"));
}

TEST(SetupProgramFile, CarriesItsIconPictureAndManifest) {
    HMODULE program = LoadLibraryExA(StubPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    EXPECT_NE(FindResourceA(program, "MAINICON", reinterpret_cast<LPCSTR>(RT_GROUP_ICON)), nullptr);
    HRSRC picture = FindResourceA(program, "SETUPFORM_IMAGELIST1", reinterpret_cast<LPCSTR>(RT_BITMAP));
    ASSERT_NE(picture, nullptr);
    const auto* info = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(program, picture)));
    EXPECT_EQ(info->biWidth, 32);
    EXPECT_EQ(info->biHeight, 32);
    EXPECT_EQ(info->biBitCount, 24);
    HRSRC manifest = FindResourceA(program, MAKEINTRESOURCEA(1), reinterpret_cast<LPCSTR>(RT_MANIFEST));
    ASSERT_NE(manifest, nullptr);
    const std::string text(static_cast<const char*>(LockResource(LoadResource(program, manifest))),
                           SizeofResource(program, manifest));
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(text.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(text.find("requireAdministrator"), std::string::npos);
    FreeLibrary(program);
}

}  // namespace
