// Package paths beginning with a placeholder token, expanded with known folders.
#include "engine/placeholders.h"

#include <gtest/gtest.h>

namespace {

struct KnownFolders : PathFolders {
    explicit KnownFolders(std::string box) : box(std::move(box)) {}
    std::string ProgramFiles() override { return "C:\\PF"; }
    std::string Windows() override { return "C:\\WIN"; }
    std::string System() override { return "C:\\WIN\\SYS"; }
    std::string InstallFolder() override { return box; }
    std::string box;
};

// The package's path, the folder box, the path expanded.
using Row = std::tuple<const char*, const char*, const char*>;

class PackagePath : public testing::TestWithParam<Row> {};

TEST_P(PackagePath, ExpandsAsThePackageAuthorExpects) {
    const auto [path, box, expanded] = GetParam();
    KnownFolders folders(box);
    EXPECT_EQ(ExpandPathWith(path, folders), expanded);
}

INSTANTIATE_TEST_SUITE_P(Rows, PackagePath, testing::Values(
    // Tokens in any letter case.
    Row{"%PROGFS%", "", "C:\\PF"}, Row{"%progfs%\\Tools", "", "C:\\PF\\Tools"},
    Row{"%WinDir%\\notepad.exe", "", "C:\\WIN\\notepad.exe"}, Row{"%sysdir%\\x.dll", "", "C:\\WIN\\SYS\\x.dll"},
    // Texts that are not a leading token stay as they are.
    Row{"", "D:\\A", ""}, Row{"%ProgFs", "D:\\A", "%ProgFs"}, Row{"%ProgFsX\\a", "D:\\A", "%ProgFsX\\a"},
    Row{"%ABCDEF%\\a", "D:\\A", "%ABCDEF%\\a"}, Row{"%PROG_S%\\a", "D:\\A", "%PROG_S%\\a"},
    Row{"C:\\%ProgFs%\\a", "D:\\A", "C:\\%ProgFs%\\a"}, Row{" %ProgFs%", "D:\\A", " %ProgFs%"},
    Row{"%ProgFs%\\%WinDir%", "", "C:\\PF\\%WinDir%"}, Row{"%ProgDr%%ProgDr%", "D:\\A\\", "D:\\A%ProgDr%"},
    // The folder box with and without its backslash; the remainder brings its own separator or none.
    Row{"%ProgDr%", "D:\\Games\\", "D:\\Games"}, Row{"%ProgDr%", "D:\\Games", "D:\\Games"},
    Row{"%ProgDr%\\x.exe", "C:\\Apps\\Tool", "C:\\Apps\\Tool\\x.exe"},
    Row{"%ProgDr%\\x.exe", "C:\\Apps\\Tool\\", "C:\\Apps\\Tool\\x.exe"},
    Row{"%ProgDr%setup.exe", "C:\\Apps\\Tool\\", "C:\\Apps\\Toolsetup.exe"},
    // An empty box means the default folder.
    Row{"%ProgDr%", "", "C:\\Program Files\\Rodev"},
    Row{"%progdr%\\Docs\\readme.txt", "", "C:\\Program Files\\Rodev\\Docs\\readme.txt"}));

TEST(PackagePathLength, LongTextIsCutTo255CharactersBeforeAndAfterTheFolderIsPutIn) {
    const std::string box = "D:\\" + std::string(20, 'f') + "\\", tail(300, 't');
    KnownFolders folders(box);
    EXPECT_EQ(ExpandPathWith(tail, folders), tail.substr(0, 255));
    // 255 - 8 characters of the remainder follow the folder.
    EXPECT_EQ(ExpandPathWith("%WinDir%" + tail, folders), "C:\\WIN" + tail.substr(0, 247));
    EXPECT_EQ(ExpandPathWith("%ProgDr%" + tail, folders), (box.substr(0, box.size() - 1) + tail).substr(0, 255));
}

}  // namespace
