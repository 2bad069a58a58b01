// Package paths beginning with a placeholder token, expanded with known folders.
#include "engine/placeholders.h"

#include <gtest/gtest.h>

#include "tests/support/repeated.h"

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
using Row = std::tuple<std::string, std::string, std::string>;

const std::string kTail(300, 't'), kBox(20, 'f');


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
    // Texts that are not a leading token stay as they are; only the leading token is expanded.
    Row{"", "D:", ""}, Row{"%ProgFs", "D:", "%ProgFs"}, Row{"%ProgFsX\\a", "D:", "%ProgFsX\\a"},
    Row{"%ABCDEF%", "D:", "%ABCDEF%"}, Row{"%PROG_S%", "D:", "%PROG_S%"}, Row{" %ProgFs%", "D:", " %ProgFs%"},
    Row{"C:\\%ProgFs%", "D:", "C:\\%ProgFs%"}, Row{"%ProgDr%%ProgDr%", "D:\\A\\", "D:\\A%ProgDr%"},
    // The folder box with and without its backslash; the remainder brings its own separator or none.
    Row{"%ProgDr%", "D:\\Games\\", "D:\\Games"}, Row{"%ProgDr%\\x.exe", "C:\\Apps", "C:\\Apps\\x.exe"},
    Row{"%ProgDr%\\x.exe", "C:\\Apps\\", "C:\\Apps\\x.exe"}, Row{"%ProgDr%x.exe", "C:\\Apps\\", "C:\\Appsx.exe"},
    // An empty box means the default folder.
    Row{"%progdr%\\Docs\\readme.txt", "", "C:\\Program Files\\Rodev\\Docs\\readme.txt"},
    // Texts are cut to 255 characters before the folder is put in, and the result again after.
    Row{std::string(300, 'p'), "", std::string(255, 'p')}, Row{"%WinDir%" + kTail, "", "C:\\WIN" + kTail.substr(0, 247)},
    Row{"%ProgDr%" + kTail, "D:\\" + kBox + "\\", ("D:\\" + kBox + kTail).substr(0, 255)},
    // Characters, not bytes, and never half of one.
    Row{Repeated("п", 300), "", Repeated("п", 255)},
    Row{"%ProgDr%" + Repeated("п", 300), "D:\\" + Repeated("Ә", 20) + "\\", "D:\\" + Repeated("Ә", 20) + Repeated("п", 232)}));

}  // namespace
