// Loading crafted setup programs: in this process against the real file system, and started as a
// user starts them.
#include "package/loader.h"

#include <gtest/gtest.h>

#include "package/package_writer.h"
#include "package/shifted_text.h"
#include "tests/support/child_program.h"
#include "tools/window_driver.h"
#include "tests/support/scratch_folder.h"
#include "tools/screen_capture.h"

namespace {

constexpr int kTimeout = 20000;

class Loader : public testing::Test {
protected:
    // Writes the stub followed by the package and loads it, with temp_ as the temporary folder.
    LoadResult Load(const std::string& package) {
        WriteSetupProgram(program_, package);
        return ReadPackageFrom(program_, temp_.Path(), data_);
    }
    // Writes the setup program and starts it as a user would.
    const ChildProgram& Start(const std::string& package) {
        WriteSetupProgram(program_, package);
        return child_.emplace(program_, temp_.Path());
    }
    // The message shows over the splash and no other window and waits for the user; OK ends the
    // program with exit code 0.
    void ExpectDamagedDataMessageThenExitZero(const std::string& package) {
        const ChildProgram& child = Start(package);
        const auto box = child.WaitForMessageBox(kTimeout);
        ASSERT_TRUE(box) << "no message box";
        EXPECT_EQ(box->caption + ": " + box->text, "Ошибка: Данные повреждены или отсутствуют!");
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
    std::string program_ = programs_ / "setup.exe", copy_ = temp_ / "QORT\\Tmp_Data.tmp";
    PackageData data_;
    std::optional<ChildProgram> child_;
};

TEST_F(Loader, EachPackageLoadsOrIsRefusedAndIsCopiedOnlyWhenItsLengthIsThere) {
    PackageLayout sound;
    sound.settings[setting::kLicenceText] = "Соглашение\r\nстрока 2";
    ShiftText(sound.settings[setting::kLicenceText]);
    sound.files = {{"edit.exe", 5, "32"}, {"sub\\empty.txt", 0, "33"}};
    ASSERT_EQ(Load(ComposePackage(TextLines(sound), "12345")), LoadResult::Loaded);
    EXPECT_TRUE(FolderExists(temp_ / "QORT"));
    EXPECT_EQ(data_.LicenceText, "Соглашение\r\nстрока 2");
    EXPECT_EQ(data_.FileEntries, (StringList{"edit.exe", "5", "32", "sub\\empty.txt", "0", "33"}));

    StringList notANumber = TextLines(sound), tooShort = notANumber, outside = notANumber;
    notANumber[setting::kFileCount] = "abc";
    tooShort[setting::kCount + 1] = "6";  // the first file needs 6 of the 5 bytes
    outside[setting::kCount] = "..\\edit.exe";
    const std::string text = ComposeTextBlock(TextLines(sound)), stub = ReadFileBytes(StubPath());
    const struct {
        const char* what;
        std::string package;
        LoadResult result;
        bool copied;
    } rows[] = {
        {"sound", ComposePackage(TextLines(sound), "12345"), LoadResult::Loaded, true},
        {"count not a number", ComposePackage(notANumber, "12345"), LoadResult::Damaged, true},
        {"sizes that do not fit", ComposePackage(tooShort, "12345"), LoadResult::Damaged, true},
        {"path out of its folder", ComposePackage(outside, "12345"), LoadResult::Damaged, true},
        {"absurd count", ComposePackage(StringList(setting::kCount, "2000000000"), ""), LoadResult::Damaged, true},
        {"length 4: no text", LengthTrailer(4), LoadResult::Damaged, true},
        {"length 3", text + LengthTrailer(3), LoadResult::Damaged, false},
        {"negative length", text + LengthTrailer(-5), LoadResult::Damaged, false},
        {"length one byte beyond the file", text + LengthTrailer(static_cast<std::int32_t>(stub.size() + text.size() + 5)),
         LoadResult::LengthBeyondFile, false},
    };
    for (const auto& row : rows) {
        const std::string old(10000, 'x');
        WriteFileBytes(copy_, old);
        EXPECT_EQ(Load(row.package), row.result) << row.what;
        EXPECT_EQ(data_.MainSettings.empty(), row.result != LoadResult::Loaded) << row.what << ": no partly filled lists";
        // The copy is the package without its length, byte for byte.
        EXPECT_EQ(ReadFileBytes(copy_), row.copied ? row.package.substr(0, row.package.size() - 4) : old) << row.what;
    }
    // A copy, a temporary folder or a program that cannot be used.
    HANDLE held = CreateFileA(copy_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(Load(rows[0].package), LoadResult::Damaged) << "a copy held open";
    CloseHandle(held);
    EXPECT_EQ(ReadPackageFrom(program_, temp_ / "no\\such\\", data_), LoadResult::Damaged);
    EXPECT_EQ(ReadPackageFrom(programs_ / "missing.exe", temp_.Path(), data_), LoadResult::Damaged);
}

TEST_F(Loader, DamagedPackageShowsTheDamagedDataMessageAndLeavesNothingBehind) {
    PackageLayout tooLong, outside, link;
    tooLong.files.push_back({"app.exe", 100, "32"});
    outside.files.push_back({"..\\..\\..\\windows\\evil.txt", 5, "32"});
    link.shortcuts.push_back({"Пуск", "..\\..\\Startup\\evil", "a.exe", "", "", ""});
    StringList notANumber = TextLines(tooLong);
    notANumber[setting::kFileCount] = "abc";
    for (const StringList& lines : {notANumber, TextLines(tooLong), TextLines(outside), TextLines(link)}) {
        ExpectDamagedDataMessageThenExitZero(ComposePackage(lines, "short"));
        EXPECT_EQ(ListFiles(temp_.Path()) + " " + ListFiles(programs_.Path()), " setup.exe") << "not even the copy";
    }
    ExpectDamagedDataMessageThenExitZero(ComposeTextBlock(notANumber) + LengthTrailer(2));  // a length below 4
}

// Ten million registry records of empty lines: a 50 MB package whose lists outgrow the 32-bit
// program's memory while loading.
TEST_F(Loader, PackageThatExhaustsMemoryWhileLoadingShowsTheDamagedDataMessage) {
    if (sizeof(void*) != 4) GTEST_SKIP() << "a 64-bit program has the memory to load it";
    StringList lines(setting::kCount, "0");
    lines[setting::kRegistryCount] = "10000000";
    const std::string text = ComposeTextBlock(lines) + std::string(50000000, '\r');
    ExpectDamagedDataMessageThenExitZero(text + LengthTrailer(static_cast<std::int32_t>(text.size() + 4)));
}

TEST_F(Loader, StoredLengthBeyondTheFileEndsTheProgramSilentlyWithoutACopy) {
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

TEST_F(Loader, SecondSetupProgramIsRefusedWhileOneRuns) {
    const auto& first = Start(ComposePackage(StringList(setting::kCount, "abc"), ""));
    const auto firstBox = first.WaitForMessageBox(kTimeout);  // the first waits on its damaged-data message
    ASSERT_TRUE(firstBox);
    ScratchFolder otherTemp;
    WriteSetupProgram(programs_ / "second.exe", ComposePackage(StringList(setting::kCount, "0"), ""));
    ChildProgram refused(programs_ / "second.exe", otherTemp.Path());
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
    ChildProgram again(programs_ / "second.exe", otherTemp.Path());
    EXPECT_TRUE(WaitFor([&] { return FileExists(otherTemp / "QORT\\Tmp_Data.tmp"); }, kTimeout)) << "runs once alone";
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
