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

    ScratchFolder programs_, temp_;
    std::string program_ = programs_ / "setup.exe", copy_ = temp_ / "QORT\\Tmp_Data.tmp";
    PackageData data_;
};

TEST_F(Loader, EachPackageLoadsOrIsRefusedAndIsCopiedOnlyWhenItsLengthIsThere) {
    PackageLayout sound;
    sound.settings[setting::kLicenceText] = "Соглашение\r\nстрока 2";
    ShiftText(sound.settings[setting::kLicenceText]);
    sound.files = {{"edit.exe", 5, "32"}, {"sub\\empty.txt", 0, "33"}};
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
        {"length one byte beyond the file",
         text + LengthTrailer(static_cast<std::int32_t>(stub.size() + text.size() + 5)), LoadResult::LengthBeyondFile,
         false},
    };
    for (const auto& row : rows) {
        DeleteFileA(copy_.c_str());
        EXPECT_EQ(Load(row.package), row.result) << row.what;
        EXPECT_EQ(data_.MainSettings.empty(), row.result != LoadResult::Loaded) << row.what << ": no partly filled lists";
        // The copy is the package without its length, byte for byte.
        if (row.copied) EXPECT_EQ(ReadFileBytes(copy_), row.package.substr(0, row.package.size() - 4)) << row.what;
        else EXPECT_FALSE(FileExists(copy_)) << row.what;
    }
    EXPECT_TRUE(FolderExists(temp_ / "QORT"));
    ASSERT_EQ(Load(rows[0].package), LoadResult::Loaded);
    EXPECT_EQ(data_.LicenceText, "Соглашение\r\nстрока 2");
    EXPECT_EQ(data_.FileEntries, (StringList{"edit.exe", "5", "32", "sub\\empty.txt", "0", "33"}));
}

TEST_F(Loader, OldCopyIsReplacedAndAnythingThatCannotBeReadOrWrittenIsDamage) {
    WriteSetupProgram(program_, ComposePackage(StringList(setting::kCount, "0"), ""));
    EXPECT_EQ(ReadPackageFrom(programs_ / "missing.exe", temp_.Path(), data_), LoadResult::Damaged);
    EXPECT_EQ(ReadPackageFrom(program_, temp_ / "no\\such\\", data_), LoadResult::Damaged);
    CreateDirectoryA((temp_ / "QORT").c_str(), nullptr);
    WriteFileBytes(copy_, std::string(10000, 'x'));
    ASSERT_EQ(ReadPackageFrom(program_, temp_.Path(), data_), LoadResult::Loaded);
    EXPECT_EQ(ReadFileBytes(copy_).size(), 65u * 3);
    HANDLE held = CreateFileA(copy_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(ReadPackageFrom(program_, temp_.Path(), data_), LoadResult::Damaged) << "a copy held open";
    CloseHandle(held);
}

}  // namespace
