// The uninstall record that the package's uninstaller reads, byte for byte.
#include "engine/uninstall_text.h"

#include <gtest/gtest.h>

#include "package/setting_lines.h"
#include "runtime/errors.h"
#include "tests/support/failure_capture.h"

namespace {

PackageData Package(const char* files, const char* registry) {
    PackageData package;
    package.MainSettings.assign(setting::kCount, "");
    package.MainSettings[setting::kProgramName] = "Редактор";
    package.MainSettings[setting::kRegistryCount] = registry;
    package.MainSettings[setting::kUninstallName] = "Редактор 2.0";
    package.MainSettings[setting::kFileCount] = files;
    package.MainSettings[setting::kUninstallSetting1] = "1";
    package.MainSettings[setting::kUninstallSetting2] = "0";
    package.MainSettings[setting::kUninstallSetting3] = "%ProgDr%";  // the caller passes it expanded
    package.MainSettings[setting::kUninstallSetting4] = " ";
    return package;
}

TEST(UninstallRecord, ListsFilesRegistryValuesAndLinksInItsFixedOrder) {
    PackageData package = Package("2", "2");
    package.FileEntries = {"Uninstall.exe", "10", "32", "sub\\a.txt", "0", "33"};
    package.RegistryEntries = {"HKEY_CURRENT_USER", "Software\\Rodev", "Path", "%ProgDr%", "String",
                               "HKEY_LOCAL_MACHINE", "Software\\Rodev\\Opt", "", "$FF", "DWORD"};
    const StringList links = {"C:\\Menu\\Редактор\\Редактор.lnk", "C:\\Desk\\Редактор.lnk"};

    EXPECT_EQ(UninstallText(package, "C:\\Apps\\Ред\\", "C:\\Apps\\Ред", links),
              "[Settings]\r\n"
              "2\r\n"
              "Редактор\r\n"
              "1\r\n"
              "0\r\n"
              "C:\\Apps\\Ред\r\n"
              " \r\n"
              "2\r\n"
              "2\r\n"
              "[Files]\r\n"
              "C:\\Apps\\Ред\\Uninstall.exe\r\n"
              "C:\\Apps\\Ред\\sub\\a.txt\r\n"
              "[Regs]\r\n"
              "HKEY_CURRENT_USER\r\nSoftware\\Rodev\r\nPath\r\n"
              "HKEY_LOCAL_MACHINE\r\nSoftware\\Rodev\\Opt\r\n\r\n"
              "[RegsKeyUn]\r\n"
              "Редактор 2.0\r\n"
              "[Links]\r\n"
              "C:\\Menu\\Редактор\\Редактор.lnk\r\n"
              "C:\\Desk\\Редактор.lnk\r\n"
              "[End]\r\n");
}

TEST(UninstallRecord, EmptyListsLeaveTheSectionHeadersSideBySide) {
    const std::string text = UninstallText(Package("0", "0"), "C:\\A\\", "", {});
    EXPECT_EQ(text,
              "[Settings]\r\n0\r\nРедактор\r\n1\r\n0\r\n\r\n \r\n0\r\n0\r\n"
              "[Files]\r\n[Regs]\r\n[RegsKeyUn]\r\nРедактор 2.0\r\n[Links]\r\n[End]\r\n");
}

TEST(UninstallRecord, CountLinesAreCopiedAsThePackageWritesThem) {
    // "+1" and "$1" both mean one record; the uninstaller gets the package's own text.
    PackageData package = Package("+1", "$1");
    package.FileEntries = {"a.exe", "1", "32"};
    package.RegistryEntries = {"HKEY_CURRENT_USER", "K", "V", "d", "String"};
    const std::string text = UninstallText(package, "C:\\A\\", "", {});
    EXPECT_EQ(text.substr(0, 12), "[Settings]\r\n");
    EXPECT_NE(text.find("\r\n+1\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n \r\n$1\r\n0\r\n[Files]\r\nC:\\A\\a.exe\r\n[Regs]\r\nHKEY_CURRENT_USER\r\nK\r\nV\r\n[RegsKeyUn]"),
              std::string::npos);
}

TEST(UninstallRecord, CountThatIsNotANumberIsReported) {
    EXPECT_FAILURE(UninstallText(Package("two", "0"), "C:\\A\\", "", {}), "ConvertError",
                   "'two' is not a valid integer value");
    EXPECT_FAILURE(UninstallText(Package("0", ""), "C:\\A\\", "", {}), "ConvertError",
                   "'' is not a valid integer value");
}

}  // namespace
