// Loading crafted setup programs: in this process against the real file system, and started as a
// user starts them.
#include "package/loader.h"
#include "package/package_copy.h"

#include <gtest/gtest.h>

#include "package/package_writer.h"
#include "tests/support/child_program.h"
#include "tools/window_driver.h"
#include "tests/support/scratch_folder.h"
#include "tools/screen_capture.h"
#include "runtime/unicode.h"

namespace {

class Loader : public testing::Test {
protected:
    // Writes the stub followed by the package and loads it, with temp_ as the temporary folder.
    LoadResult Load(const std::string& package) {
        WriteSetupProgram(program_, package);
        return ReadPackageFrom(program_, temp_.Path(), data_, held_);
    }
    ScratchFolder programs_, temp_;
    std::string program_ = programs_ / "setup.exe", copy_ = temp_ / "QORT\\Tmp_Data.tmp";
    PackageData data_;
    PackageCopy held_;
};

TEST_F(Loader, EachPackageLoadsOrIsRefusedAndIsCopiedOnlyWhenItsLengthIsThere) {
    PackageLayout sound;
    // The package's texts are Windows-1251 ("Установка" as any tool writes it; the writer stores
    // the others so), read as UTF-8 once loaded.
    sound.settings[setting::kCaption] = "\xD3\xF1\xF2\xE0\xED\xEE\xE2\xEA\xE0";
    sound.settings[setting::kLicenceText] = StoredLicenceText("Соглашение\r\nстрока 2");
    sound.registry = {{"HKEY_CURRENT_USER", "Software\\Тест", "Имя", "Значение", "String"}};
    sound.shortcuts = {{"Рабочий стол", "Тест", "edit.exe", "", "", "Правка"}};
    sound.files = {{"edit.exe", 5, "32"}, {"Справка\\пусто.txt", 0, "33"}};
    ASSERT_EQ(Load(ComposePackage(TextLines(sound), "12345")), LoadResult::Loaded);
    EXPECT_EQ(data_.MainSettings[setting::kCaption], "Установка");
    EXPECT_EQ(data_.LicenceText, "Соглашение\r\nстрока 2");
    EXPECT_EQ(data_.RegistryEntries, (StringList{"HKEY_CURRENT_USER", "Software\\Тест", "Имя", "Значение", "String"}));
    EXPECT_EQ(data_.ShortcutEntries, (StringList{"Рабочий стол", "Тест", "edit.exe", "", "", "Правка"}));
    EXPECT_EQ(data_.FileEntries, (StringList{"edit.exe", "5", "32", "Справка\\пусто.txt", "0", "33"}));
    EXPECT_FALSE(data_.ForUser) << "a package without the mark installs for the machine";
    // A package for the user, sealed as setup-pack seals it, names nothing of the machine; naming
    // the machine's registry or folders, as another tool may write it, it is damaged.
    PackageLayout forUser = sound, machineValue, systemFolder;
    forUser.settings[setting::kInstallFolder] = "%ProgFs%\\Тест";
    ASSERT_EQ(Load(ComposeSealedPackage(TextLines(forUser), "12345", true)), LoadResult::Loaded);
    EXPECT_TRUE(data_.ForUser);
    machineValue = systemFolder = forUser;
    machineValue.registry[0].root = "HKEY_LOCAL_MACHINE";
    systemFolder.settings[setting::kInstallFolder] = "%SysDir%\\Тест";
    for (const PackageLayout* damaged : {&machineValue, &systemFolder})
        EXPECT_EQ(Load(ComposeSealedPackage(TextLines(*damaged), "12345", true)), LoadResult::Damaged);

    // Damaged packages of every kind: damaged_program_test.cpp.
    const std::string text = ComposeTextBlock(TextLines(sound));
    const struct {
        const char* what;
        std::string package;
        LoadResult result;
        bool copied;
    } rows[] = {
        {"sound", ComposePackage(TextLines(sound), "12345"), LoadResult::Loaded, true},
        {"length 4: no text", LengthTrailer(4), LoadResult::Damaged, true},
        {"length 3", text + LengthTrailer(3), LoadResult::Damaged, false},
    };
    for (const auto& row : rows) {
        const std::string old(10000, 'x');
        held_.Remove();
        WriteFileBytes(copy_, old);
        EXPECT_EQ(Load(row.package), row.result) << row.what;
        // The copy is the package without its length, byte for byte.
        EXPECT_EQ(ReadFileBytes(copy_), row.copied ? row.package.substr(0, row.package.size() - 4) : old) << row.what;
    }
    // A copy, a temporary folder or a program that cannot be used.
    held_.Remove();
    WriteFileBytes(copy_, "old");
    HANDLE held = CreateFileW(Wide(copy_).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(Load(rows[0].package), LoadResult::Damaged) << "a copy held open by another program";
    CloseHandle(held);
    EXPECT_EQ(ReadPackageFrom(program_, temp_ / "no\\such\\", data_, held_), LoadResult::Damaged);
    EXPECT_EQ(ReadPackageFrom(programs_ / "missing.exe", temp_.Path(), data_, held_), LoadResult::Damaged);
}

// Another program of the user may put a link where the copy's folder goes, to have an elevated
// setup program write elsewhere. The link goes and a real folder takes its place, or, where the
// link cannot be removed (Wine's links to Unix folders), the package is refused: nothing is
// written through it.
TEST_F(Loader, PackageCopyIsNeverWrittenThroughALinkInPlaceOfItsFolder) {
    ScratchFolder elsewhere;
    STARTUPINFOA start{sizeof start};
    PROCESS_INFORMATION linker{};
    std::string command = "ln -s " + elsewhere.Path().substr(2) + " QORT";  // Wine maps Z: to /
    for (char& c : command) c = c == '\\' ? '/' : c;
    ASSERT_TRUE(CreateProcessA("Z:\\bin\\ln", command.data(), nullptr, nullptr, FALSE, 0, nullptr, temp_.Path().c_str(),
                               &start, &linker));
    WaitForSingleObject(linker.hProcess, kTimeout), CloseHandle(linker.hProcess), CloseHandle(linker.hThread);
    ASSERT_TRUE(GetFileAttributesA((temp_ / "QORT").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) << "a link";
    const LoadResult result = Load(ComposePackage(StringList(setting::kCount, "0"), ""));
    const DWORD folder = GetFileAttributesA((temp_ / "QORT").c_str());
    EXPECT_EQ(result == LoadResult::Loaded, folder == FILE_ATTRIBUTE_DIRECTORY) << std::hex << folder;
    EXPECT_EQ(ListFiles(elsewhere.Path()), "") << "nothing written through the link";
}

TEST_F(Loader, SecondSetupProgramIsRefusedWhileOneRuns) {
    WriteSetupProgram(program_, ComposePackage(StringList(setting::kCount, "abc"), ""));
    const ChildProgram first(program_, temp_.Path());
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

// The programs for packages for the machine ask for administrator rights; their twins, for packages
// for the user, run with the rights of whoever starts them.
TEST(SetupProgramFile, CarriesItsIconPictureAndAManifestAskingForItsRightsAndNewControls) {
    const std::string folder = StubPath().substr(0, StubPath().rfind('\\') + 1);
    const std::pair<std::string, std::string> rows[] = {{"setup.exe", "requireAdministrator"}, {"setup-user.exe", "asInvoker"},
        {"Uninstall.exe", "requireAdministrator"}, {"Uninstall-user.exe", "asInvoker"}};
    for (const auto& [name, level] : rows) {
        HMODULE program = LoadLibraryExA((folder + name).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(program, nullptr) << name;
        const bool setup = name[0] == 's';
        EXPECT_EQ(FindResourceA(program, "MAINICON", reinterpret_cast<LPCSTR>(RT_GROUP_ICON)) != nullptr, setup);
        EXPECT_EQ(FindResourceA(program, "SETUPFORM_IMAGELIST1", reinterpret_cast<LPCSTR>(RT_BITMAP)) != nullptr, setup);
        HRSRC manifest = FindResourceA(program, MAKEINTRESOURCEA(1), reinterpret_cast<LPCSTR>(RT_MANIFEST));
        ASSERT_NE(manifest, nullptr) << name;
        const std::string text(static_cast<const char*>(LockResource(LoadResource(program, manifest))),
                               SizeofResource(program, manifest));
        for (const std::string& part : {std::string("Microsoft.Windows.Common-Controls"), std::string("version=\"6.0.0.0\""),
                                        "requestedExecutionLevel level=\"" + level + "\""})
            EXPECT_NE(text.find(part), std::string::npos) << name << ": " << part;
        FreeLibrary(program);
    }
}

}  // namespace
