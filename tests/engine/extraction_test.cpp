// Files copied from the temporary package copy into the install folder, on the real file system.
#include "engine/extraction.h"

#include "engine/folders.h"

#include "runtime/errors.h"
#include "tests/engine/engine_fixture.h"

namespace {

class Extraction : public EngineTest {
protected:
    void Extract() {
        package_.WriteCopy(copyPath_);
        Installation run = Run();
        ExtractFiles(run);
    }
};

TEST_F(Extraction, FilesLandInTheInstallFolderWithTheirSubFolders) {
    package_.AddFile("app.exe", "MZ program");
    package_.AddFile("data\\sub\\a.bin", std::string("\0\x01\xff", 3));
    package_.AddFile("Документы\\Справка.txt", "справка");
    Extract();
    EXPECT_EQ(ReadFileBytes(Installed("app.exe")), "MZ program");
    EXPECT_EQ(ReadFileBytes(Installed("data\\sub\\a.bin")), std::string("\0\x01\xff", 3));
    EXPECT_EQ(ReadFileBytes(Installed("Документы\\Справка.txt")), "справка");
    EXPECT_EQ(state_.FilesDone, 3);
    EXPECT_EQ(state_.FilesTotal, 3);
}

TEST_F(Extraction, EmptyFileTakesNoPayloadBytesAndTheNextStartsWhereItWould) {
    package_.AddFile("first.txt", "one");
    package_.AddFile("empty.txt", "");
    package_.AddFile("last.txt", "three");
    Extract();
    EXPECT_EQ(ReadFileBytes(Installed("empty.txt")), "");
    EXPECT_EQ(ReadFileBytes(Installed("last.txt")), "three");
}

TEST_F(Extraction, LargeFileIsCopiedWhole) {
    std::string big(200000, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + i / 251);
    package_.AddFile("big.bin", big);
    package_.AddFile("after.txt", "after");
    Extract();
    EXPECT_EQ(ReadFileBytes(Installed("big.bin")), big);
    EXPECT_EQ(ReadFileBytes(Installed("after.txt")), "after");
}

TEST_F(Extraction, ExistingFilesAreReplacedWithoutAQuestionAndTheLastRecordWins) {
    WriteFileBytes(Installed("app.exe"), std::string(5000, 'o'));
    package_.AddFile("app.exe", "new");
    package_.AddFile("same.txt", "first");
    package_.AddFile("same.txt", "second");
    Extract();
    EXPECT_EQ(ReadFileBytes(Installed("app.exe")), "new");
    EXPECT_EQ(ReadFileBytes(Installed("same.txt")), "second");
    EXPECT_EQ(state_.FilesDone, 3);  // both records of one path count
}

TEST_F(Extraction, ReadOnlyAndHiddenFilesAreWrittenInFullThenMarked) {
    package_.AddFile("readonly.txt", "kept whole", "1");
    package_.AddFile("hidden.txt", "h", "34");
    Extract();
    EXPECT_EQ(ReadFileBytes(Installed("readonly.txt")), "kept whole");
    // The file system may add the archive bit of its own.
    EXPECT_TRUE(GetFileAttributesA(Installed("readonly.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(GetFileAttributesA(Installed("readonly.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(GetFileAttributesA(Installed("hidden.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(Extraction, FolderBoxEndsInABackslashAndMissingFoldersAreMade) {
    view_.folder = install_ / "Новая папка\\Ещё одна";
    package_.AddFile("a.txt", "a");
    Extract();
    EXPECT_EQ(view_.folder, install_ / "Новая папка\\Ещё одна\\");
    EXPECT_EQ(ReadFileBytes(install_ / "Новая папка\\Ещё одна\\a.txt"), "a");
}

TEST_F(Extraction, PackageWithoutFilesStillPreparesTheFolderAndKeepsTheTotal) {
    view_.folder = install_ / "Empty";
    state_.FilesTotal = 7;
    Extract();
    EXPECT_EQ(view_.folder, install_ / "Empty\\");
    EXPECT_TRUE(FolderExists(install_ / "Empty"));
    EXPECT_EQ(state_.FilesTotal, 7);
    EXPECT_TRUE(view_.bars.empty());

    package_.data.MainSettings[setting::kFileCount] = "-2";
    Extract();
    EXPECT_EQ(state_.FilesTotal, 7);
}

TEST_F(Extraction, EachFileShowsItsNameAndAdvancesTheBar) {
    package_.AddFile("one.txt", "1");
    package_.AddFile("sub\\two.txt", "2");
    Extract();
    EXPECT_EQ(view_.events, (std::vector<std::string>{"bar 228", "status one.txt", "messages",
                                                      "bar 456", "status two.txt", "messages"}));
    package_.AddFile("three.txt", "3");
    view_.bars.clear();
    state_ = InstallState{};
    Extract();
    EXPECT_EQ(view_.bars, (std::vector<int>{152, 304, 456}));
}

// Under Wine as root a read-only file can still be opened for writing, so a folder of the same
// name stands in for a target that cannot be created.
TEST_F(Extraction, TargetThatCannotBeCreatedStopsTheRunWithCannotCreateFile) {
    CreateDirectoryA(Installed("taken.txt").c_str(), nullptr);
    package_.AddFile("before.txt", "before");
    package_.AddFile("taken.txt", "new");
    package_.AddFile("after.txt", "after");
    package_.WriteCopy(copyPath_);
    Installation run = Run();
    EXPECT_FAILURE(ExtractFiles(run), "FileCreateError", "Cannot create file " + Installed("taken.txt"));
    EXPECT_EQ(ReadFileBytes(Installed("before.txt")), "before");
    EXPECT_FALSE(FileExists(Installed("after.txt")));
    EXPECT_EQ(view_.statuses, (std::vector<std::string>{"before.txt"}));
}

TEST_F(Extraction, SubFolderThatCannotBeMadeStopsTheRunWithCannotCreateFile) {
    WriteFileBytes(Installed("data"), "a file where the folder should be");
    package_.AddFile("data\\a.txt", "a");
    package_.WriteCopy(copyPath_);
    Installation run = Run();
    EXPECT_FAILURE(ExtractFiles(run), "FileCreateError", "Cannot create file " + Installed("data\\a.txt"));
}

// The system's ANSI calls take less than MAX_PATH characters; a longer target is never cut short.
TEST_F(Extraction, TargetOfMaxPathCharactersIsNotCreated) {
    const std::string deep = "deep\\" + std::string(MAX_PATH - Installed("deep\\").size(), 'a');
    package_.AddFile(deep, "a");
    package_.WriteCopy(copyPath_);
    Installation run = Run();
    EXPECT_FAILURE(ExtractFiles(run), "FileCreateError", "Cannot create file " + Installed(deep));
    EXPECT_EQ(ListFiles(install_.Path()), "");
}

TEST_F(Extraction, ShortPackageCopyIsAStreamReadError) {
    package_.AddFile("whole.txt", "whole");
    package_.AddFile("cut.txt", "0123456789");
    package_.WriteCopy(copyPath_);
    const std::string copy = ReadFileBytes(copyPath_);
    WriteFileBytes(copyPath_, copy.substr(0, copy.size() - 3));
    Installation run = Run();
    EXPECT_FAILURE(ExtractFiles(run), "StreamError", "Stream read error");
    EXPECT_EQ(ReadFileBytes(Installed("whole.txt")), "whole");
}

TEST_F(Extraction, MissingPackageCopyCannotBeOpened) {
    package_.AddFile("a.txt", "a");
    Installation run = Run();
    EXPECT_FAILURE(ExtractFiles(run), "FileOpenError", "Cannot open file " + copyPath_);
    EXPECT_EQ(ListFiles(install_.Path()), "");
}

TEST_F(Extraction, SizeLineThatIsNotANumberIsReported) {
    package_.AddFile("a.txt", "a");
    package_.data.FileEntries[1] = "1x";
    package_.WriteCopy(copyPath_);
    Installation run = Run();
    EXPECT_FAILURE(ExtractFiles(run), "ConvertError", "'1x' is not a valid integer value");
}

TEST_F(Extraction, ConfirmedCloseStopsBeforeTheNextFile) {
    for (const char* name : {"a", "b", "c"}) package_.AddFile(name, name);
    view_.stopAtRound = 1;
    Extract();
    EXPECT_EQ(ListFiles(install_.Path()), "a");
    EXPECT_EQ(state_.FilesDone, 1);
}

TEST(FolderCreation, MissingParentsAreMadeAndAnEmptyPathFails) {
    ScratchFolder scratch;
    EXPECT_TRUE(CreateFolderPath(scratch / "x\\y\\z\\"));
    EXPECT_TRUE(FolderExists(scratch / "x\\y\\z"));
    EXPECT_TRUE(CreateFolderPath(scratch / "x\\y"));
    EXPECT_FALSE(CreateFolderPath(""));
    // A file in the way stops the creation there.
    WriteFileBytes(scratch / "file", "f");
    EXPECT_FALSE(CreateFolderPath(scratch / "file\\below"));
}

}  // namespace
