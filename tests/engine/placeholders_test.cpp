// Package paths beginning with a placeholder token, expanded with known folders.
#include "engine/placeholders.h"

#include <gtest/gtest.h>

namespace {

class KnownFolders : public PathFolders {
public:
    explicit KnownFolders(std::string installFolder) : install_(std::move(installFolder)) {}
    std::string ProgramFiles() override { return "C:\\PF"; }
    std::string Windows() override { return "C:\\WIN"; }
    std::string System() override { return "C:\\WIN\\SYS"; }
    std::string InstallFolder() override { return install_; }

private:
    std::string install_;
};

struct Row {
    const char* path;
    const char* installFolder;
    const char* expanded;
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.path << " with box " << row.installFolder; }

class PackagePath : public testing::TestWithParam<Row> {};

TEST_P(PackagePath, ExpandsAsThePackageAuthorExpects) {
    KnownFolders folders(GetParam().installFolder);
    EXPECT_EQ(ExpandPathWith(GetParam().path, folders), GetParam().expanded);
}

INSTANTIATE_TEST_SUITE_P(TokensInAnyCase, PackagePath, testing::Values(
    Row{"%PROGFS%", "", "C:\\PF"},
    Row{"%ProgFs%\\Tools", "", "C:\\PF\\Tools"},
    Row{"%progfs%", "", "C:\\PF"},
    Row{"%WinDir%\\notepad.exe", "", "C:\\WIN\\notepad.exe"},
    Row{"%sysdir%\\x.dll", "", "C:\\WIN\\SYS\\x.dll"},
    Row{"%ProgDr%\\app.exe", "D:\\Apps", "D:\\Apps\\app.exe"}));

INSTANTIATE_TEST_SUITE_P(TextsThatAreNotTokensStayUnchanged, PackagePath, testing::Values(
    Row{"", "D:\\A", ""},
    Row{"%ProgFs", "D:\\A", "%ProgFs"},
    Row{"%ProgFsX\\a", "D:\\A", "%ProgFsX\\a"},
    Row{"%ABCDEF%\\a", "D:\\A", "%ABCDEF%\\a"},
    Row{"%PROG_S%\\a", "D:\\A", "%PROG_S%\\a"},
    Row{"C:\\%ProgFs%\\a", "D:\\A", "C:\\%ProgFs%\\a"},
    Row{" %ProgFs%", "D:\\A", " %ProgFs%"},
    Row{"relative\\path", "D:\\A", "relative\\path"}));

INSTANTIATE_TEST_SUITE_P(OnlyTheLeadingTokenIsExpanded, PackagePath, testing::Values(
    Row{"%ProgFs%\\%WinDir%", "", "C:\\PF\\%WinDir%"},
    Row{"%ProgDr%%ProgDr%", "D:\\A\\", "D:\\A%ProgDr%"}));

INSTANTIATE_TEST_SUITE_P(InstallFolderWithAndWithoutItsBackslash, PackagePath, testing::Values(
    Row{"%ProgDr%", "D:\\Games\\", "D:\\Games"},
    Row{"%ProgDr%", "D:\\Games", "D:\\Games"},
    Row{"%ProgDr%\\x.exe", "C:\\Apps\\Tool", "C:\\Apps\\Tool\\x.exe"},
    Row{"%ProgDr%\\x.exe", "C:\\Apps\\Tool\\", "C:\\Apps\\Tool\\x.exe"},
    // The remainder brings its own separator or none.
    Row{"%ProgDr%setup.exe", "C:\\Apps\\Tool\\", "C:\\Apps\\Toolsetup.exe"}));

INSTANTIATE_TEST_SUITE_P(EmptyFolderBoxMeansTheDefaultFolder, PackagePath, testing::Values(
    Row{"%ProgDr%", "", "C:\\Program Files\\Rodev"},
    Row{"%ProgDr%\\app.exe", "", "C:\\Program Files\\Rodev\\app.exe"},
    Row{"%progdr%\\Docs\\readme.txt", "", "C:\\Program Files\\Rodev\\Docs\\readme.txt"}));

TEST(PackagePathLength, LongTextIsCutTo255CharactersBeforeExpansion) {
    const std::string box = "D:\\" + std::string(20, 'f') + "\\";
    KnownFolders folders(box);
    const std::string plain(300, 'p');
    EXPECT_EQ(ExpandPathWith(plain, folders), plain.substr(0, 255));

    // The remainder is taken from the cut text: 255 - 8 characters follow the folder.
    const std::string tail(300, 't');
    EXPECT_EQ(ExpandPathWith("%WinDir%" + tail, folders), "C:\\WIN" + tail.substr(0, 247));
    // An install-folder result is cut again after the folder is put in.
    const std::string expanded = ExpandPathWith("%ProgDr%" + tail, folders);
    EXPECT_EQ(expanded.size(), 255u);
    EXPECT_EQ(expanded, (box.substr(0, box.size() - 1) + tail).substr(0, 255));
}

}  // namespace
