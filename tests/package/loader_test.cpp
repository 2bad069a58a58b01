// Loading crafted setup programs in this process, against the real file system.
#include "package/loader.h"

#include <gtest/gtest.h>

#include "package/package_writer.h"
#include "package/shifted_text.h"
#include "tests/support/child_program.h"
#include "tests/support/scratch_folder.h"

namespace {

class Loader : public testing::Test {
protected:
    // Writes the stub followed by the package and loads it, with temp_ as the temporary folder.
    LoadResult Load(const std::string& package) {
        WriteSetupProgram(program_, package);
        return ReadPackageFrom(program_, temp_.Path(), data_);
    }
    std::string Copy() const { return ReadFileBytes(temp_ / "QORT\\Tmp_Data.tmp"); }
    bool CopyExists() const { return FileExists(temp_ / "QORT\\Tmp_Data.tmp"); }

    ScratchFolder programs_, temp_;
    std::string program_ = programs_ / "setup.exe";
    PackageData data_;
};

StringList Settings(const char* registry = "0", const char* shortcuts = "0", const char* files = "0") {
    StringList lines(setting::kCount, "");
    lines[setting::kRegistryCount] = registry;
    lines[setting::kShortcutCount] = shortcuts;
    lines[setting::kFileCount] = files;
    return lines;
}

StringList WithFileRecords(StringList lines, const StringList& records) {
    lines[setting::kFileCount] = std::to_string(records.size() / 3);
    lines.insert(lines.end(), records.begin(), records.end());
    return lines;
}

TEST_F(Loader, SoundPackageIsCopiedAndReadIntoTheLists) {
    PackageLayout layout;
    layout.settings[setting::kBackground] = "1";
    layout.settings[setting::kProgramName] = "Редактор";
    layout.settings[setting::kLicenceText] = "Соглашение\r\nстрока 2";
    ShiftText(layout.settings[setting::kLicenceText]);
    layout.registry.push_back({"HKEY_CURRENT_USER", "Software\\Rodev", "Path", "%ProgDr%", "String"});
    layout.shortcuts.push_back({"Пуск", "Редактор", "edit.exe", "", "", ""});
    layout.files.push_back({"edit.exe", 5, "32"});
    layout.files.push_back({"sub\\empty.txt", 0, "33"});
    const StringList lines = TextLines(layout);
    const std::string package = ComposePackage(lines, "12345");

    ASSERT_EQ(Load(package), LoadResult::Loaded);
    EXPECT_EQ(data_.MainSettings.size(), 65u);
    EXPECT_EQ(data_.MainSettings[setting::kProgramName], "Редактор");
    EXPECT_EQ(data_.LicenceText, "Соглашение\r\nстрока 2");
    EXPECT_EQ(data_.RegistryEntries.size(), 5u);
    EXPECT_EQ(data_.ShortcutEntries[1], "Редактор");
    EXPECT_EQ(data_.FileEntries, (StringList{"edit.exe", "5", "32", "sub\\empty.txt", "0", "33"}));
    EXPECT_EQ(data_.PayloadOffset, static_cast<std::int64_t>(ComposeTextBlock(lines).size()));
    // The copy is the package without its length, byte for byte.
    EXPECT_EQ(Copy(), package.substr(0, package.size() - 4));
}

TEST_F(Loader, MissingQortFolderIsCreatedAndAnOldCopyReplaced) {
    ASSERT_EQ(Load(ComposePackage(Settings(), "")), LoadResult::Loaded);
    EXPECT_TRUE(FolderExists(temp_ / "QORT"));
    WriteFileBytes(temp_ / "QORT\\Tmp_Data.tmp", std::string(10000, 'x'));
    const std::string package = ComposePackage(Settings(), "");
    ASSERT_EQ(Load(package), LoadResult::Loaded);
    EXPECT_EQ(Copy(), package.substr(0, package.size() - 4));
}

TEST_F(Loader, CountsOfZeroNegativeOrPlusZeroGiveEmptyLists) {
    ASSERT_EQ(Load(ComposePackage(Settings("0", "-3", "+0"), "")), LoadResult::Loaded);
    EXPECT_TRUE(data_.RegistryEntries.empty());
    EXPECT_TRUE(data_.ShortcutEntries.empty());
    EXPECT_TRUE(data_.FileEntries.empty());
}

TEST_F(Loader, HexCountAndCountsPastTheTextBlockLoad) {
    StringList lines = Settings("0", "$A", "0");
    ASSERT_EQ(Load(ComposePackage(lines, "")), LoadResult::Loaded);
    EXPECT_EQ(data_.ShortcutEntries, StringList(60));

    // The payload bytes are read as lines when the counts ask for more than the text holds.
    ASSERT_EQ(Load(ComposePackage(Settings("1"), "abc\r\nxyz")), LoadResult::Loaded);
    EXPECT_EQ(data_.RegistryEntries, (StringList{"abc", "xyz", "", "", ""}));
}

TEST_F(Loader, StoredLengthBeyondTheFileEndsWithoutWritingTheCopy) {
    std::string package = ComposePackage(Settings(), "");
    const std::string stub = ReadFileBytes(StubPath());
    package.replace(package.size() - 4, 4, LengthTrailer(static_cast<std::int32_t>(stub.size() + package.size() + 1)));
    EXPECT_EQ(Load(package), LoadResult::LengthBeyondFile);
    EXPECT_FALSE(CopyExists());
    EXPECT_TRUE(FolderExists(temp_ / "QORT"));
}

TEST_F(Loader, DamagedPackagesAreRecognised) {
    const std::string sound = ComposeTextBlock(Settings());
    struct Case {
        const char* what;
        std::string package;
    };
    StringList abc = Settings();
    abc[54] = "abc";
    StringList empty = Settings();
    empty[50] = "";
    const Case cases[] = {
        {"count abc", ComposePackage(abc, "")},
        {"empty count", ComposePackage(empty, "")},
        {"length 3", sound + LengthTrailer(3)},
        {"negative length", sound + LengthTrailer(-5)},
        {"length 4: no text at all", sound + LengthTrailer(4)},
        {"sizes that do not fit", ComposePackage(WithFileRecords(Settings(), {"a", "3", "32", "b", "3", "32"}), "12345")},
        {"size not an integer", ComposePackage(WithFileRecords(Settings(), {"a", "x", "32"}), "1")},
        {"negative size", ComposePackage(WithFileRecords(Settings(), {"a", "-1", "32"}), "1")},
        {"attributes not an integer", ComposePackage(WithFileRecords(Settings(), {"a", "1", ""}), "1")},
        {"file records past the end", ComposePackage(Settings("0", "0", "2"), "")},
        {"absurd count", ComposePackage(Settings("2000000000"), "")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Load(c.package), LoadResult::Damaged) << c.what;
        EXPECT_TRUE(data_.MainSettings.empty()) << c.what << ": partly filled lists are dropped";
    }
}

TEST_F(Loader, ProgramThatCannotBeOpenedIsDamaged) {
    EXPECT_EQ(ReadPackageFrom(programs_ / "missing.exe", temp_.Path(), data_), LoadResult::Damaged);
}

TEST_F(Loader, TemporaryFolderThatDoesNotExistIsDamaged) {
    WriteSetupProgram(program_, ComposePackage(Settings(), ""));
    EXPECT_EQ(ReadPackageFrom(program_, temp_ / "no\\such\\", data_), LoadResult::Damaged);
}

TEST_F(Loader, CopyHeldOpenByAnotherProgramIsDamaged) {
    ASSERT_EQ(Load(ComposePackage(Settings(), "")), LoadResult::Loaded);
    HANDLE held = CreateFileA((temp_ / "QORT\\Tmp_Data.tmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Load(ComposePackage(Settings(), "")), LoadResult::Damaged);
    CloseHandle(held);
}

}  // namespace
