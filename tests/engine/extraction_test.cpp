// Files copied from the temporary package copy into the install folder, on the real file system.
#include "engine/extraction.h"

#include "engine/folders.h"
#include "engine/install_run.h"
#include "tests/engine/engine_fixture.h"

namespace {

using Extraction = EngineTest;

// The relative path with its "*" replaced by as many "ж" as make the path below the folder length
// characters long, as the system counts them; each "ж" is two bytes of UTF-8. The 100th is a "\":
// Linux under Wine takes names of at most 255 bytes.
std::string FilledTo(std::size_t length, std::string relative, const std::string& folder) {
    const std::size_t letters = length + 1 - Wide(folder + relative).size();
    std::string fill;
    for (std::size_t i = 1; i <= letters; ++i) fill += i == 100 ? "\\" : "ж";
    return relative.replace(relative.find('*'), 1, fill);
}

TEST_F(Extraction, EveryFileLandsWholeWithItsAttributesReplacingWhatWasThere) {
    std::string big;  // larger than the pieces it is copied in
    for (int i = 0; i < 200000; ++i) big += static_cast<char>(i * 7 + i / 251);
    WriteFileBytes(Installed("app.exe"), std::string(5000, 'o'));
    const std::pair<std::string, std::string> files[] = {{"app.exe", "new"}, {"data\\sub\\a.bin", {"\0\x01\xff", 3}},
        {"empty.txt", ""}, {"big.bin", big}, {"Документы\\Справка.txt", "справка"}, {"Müller\\Әлия.txt", "ә"},
        {"same.txt", "first"}};
    for (const auto& [path, bytes] : files) package_.AddFile(path, bytes);
    package_.AddFile("same.txt", "second");               // the last record of a path wins
    package_.AddFile("readonly.txt", "kept whole", "1");  // written in full, then marked
    package_.AddFile("hidden.txt", "h", "34");
    const std::string longest = FilledTo(MAX_PATH - 1, "Длинный\\*", install_.Path());  // the system's limit
    package_.AddFile(longest, "long");
    Do(ExtractFiles);
    EXPECT_EQ(ReadFileBytes(Installed(longest)), "long");
    for (const auto& [path, bytes] : files) EXPECT_EQ(ReadFileBytes(Installed(path)), path == "same.txt" ? "second" : bytes);
    EXPECT_EQ(ReadFileBytes(Installed("readonly.txt")), "kept whole");
    // The file system may add the archive bit of its own.
    EXPECT_EQ(GetFileAttributesW(Wide(Installed("readonly.txt")).c_str()) & 3, DWORD{FILE_ATTRIBUTE_READONLY});
    EXPECT_EQ(GetFileAttributesW(Wide(Installed("hidden.txt")).c_str()) & 3, DWORD{FILE_ATTRIBUTE_HIDDEN});
    EXPECT_EQ(std::pair(state_.FilesDone, state_.FilesTotal), std::pair(11, 11));  // both records of a path count
}

// Files come faster than anyone reads their names: the window is brought up to date once the run's
// clock has gone on 30 ms, and always for the last file, so the page ends complete.
TEST_F(Extraction, ManySmallFilesAreShownAsOftenAsAPersonCanSeeTheLastAlways) {
    view_.tick = 1;
    for (int i = 0; i < 100; ++i) package_.AddFile("f" + std::to_string(i) + ".txt", "x");
    Do(ExtractFiles);
    const auto bars = std::count_if(view_.events.begin(), view_.events.end(), [](auto& e) { return e[0] == 'b'; });
    EXPECT_TRUE(bars > 1 && bars < 10) << bars;
    EXPECT_EQ(StringList(view_.events.end() - 3, view_.events.end()), (StringList{"bar 456", "f99.txt", "messages"}));
    EXPECT_TRUE(FileExists(Installed("f0.txt")) && state_.FilesDone == 100);
}

// What is in the way of a file (a folder when it ends in "\"), or a package copy shorter than its
// sizes, ends the run at that file with the runtime's message (followed by the file's path after a
// blank), and the files written before, and a file cut short, go with the undo of the run. A "*" is
// filled up to MAX_PATH characters: the system takes fewer.
using Fault = std::tuple<std::string, const char*, std::string, const char*, std::string>;

class ExtractionFault : public EngineTest, public testing::WithParamInterface<Fault> {};

TEST_P(ExtractionFault, EndsTheRunPuttingBackTheFilesBefore) {
    auto [file, size, way, kind, message] = GetParam();
    if (file.back() == '*') file = FilledTo(MAX_PATH, file, install_.Path());
    if (!way.empty()) way.back() == '\\' ? void(CreateFolderPath(Installed(way))) : WriteFileBytes(Installed(way), "");
    package_.AddFile("before.txt", "before");
    package_.AddFile(file, "0123456789");
    package_.data.FileEntries.end()[-2] = size;
    package_.AddFile("after.txt", "after");
    EXPECT_FAILURE(Do(RunInstall), kind, message.back() == ' ' ? message + Installed(file) : message);
    EXPECT_EQ(view_.events.back(), "undone");
    EXPECT_FALSE(FileExists(Installed("before.txt")) || FileExists(Installed("after.txt")));
    if (kind == std::string("StreamError")) EXPECT_FALSE(FileExists(Installed(file))) << "no file is left cut short";
}

// A compressed payload that breaks off or is no stream at all (the loader's checksum keeps damaged
// downloads out; no builder writes one): the run ends at the file with "Stream read error", and
// the file cut short goes.
TEST_F(EngineTest, CompressedStreamThatBreaksOffEndsTheRunWithTheStreamReadError) {
    for (const std::string& stream : {std::string(5, '\0'), std::string("\0\x41\x42\xFF\x10\x20", 6), std::string()}) {
        package_ = TestPackage();
        package_.AddFile("a.txt", "0123456789");
        // The header: properties 93 (lc 3, lp 0, pb 2), a 4 KiB window, 10 bytes unpacked.
        package_.payload = std::string("\x5D\0\x10\0\0\x0A\0\0\0\0\0\0\0", 13) + stream;
        package_.data.Compressed = true;
        EXPECT_FAILURE(Do(RunInstall), "StreamError", "Stream read error");
        EXPECT_FALSE(FileExists(Installed("a.txt"))) << stream.size();
    }
}

// Under Wine as root a read-only file can still be opened for writing, so a folder of the same
// name stands in for a target that cannot be created.
INSTANTIATE_TEST_SUITE_P(Faults, ExtractionFault, testing::Values(
    Fault("taken.txt", "10", "taken.txt\\", "FileCreateError", "Cannot create file "),
    Fault("data\\a.txt", "10", "data", "FileCreateError", "Cannot create file "),
    Fault("deep\\*", "10", "", "FileCreateError", "Cannot create file "),
    Fault("cut.txt", "1000", "", "StreamError", "Stream read error")));

}  // namespace
