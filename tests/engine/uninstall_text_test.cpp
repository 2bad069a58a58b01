// The uninstall record that the package's uninstaller reads, byte for byte.
#include "engine/uninstall_text.h"

#include <gtest/gtest.h>

#include "package/setting_lines.h"
#include "tests/support/test_settings.h"

namespace {

PackageData Package(const char* files, const char* registry) {
    PackageData package;
    package.MainSettings = TestSettings();
    package.MainSettings[setting::kFileCount] = files, package.MainSettings[setting::kRegistryCount] = registry;
    return package;
}

TEST(UninstallRecord, ListsFilesRegistryValuesAndLinksInItsFixedOrder) {
    // "+2" and "$2" both mean two records; the uninstaller gets the package's own text.
    PackageData package = Package("+2", "$2");
    package.MainSettings[setting::kUninstallSetting1] = "1", package.MainSettings[setting::kUninstallSetting4] = " ";
    package.FileEntries = {"Uninstall.exe", "10", "32", "sub\\a.txt", "0", "33"};
    package.RegistryEntries = {"HKEY_CURRENT_USER", "Software\\Rodev", "Path", "%ProgDr%", "String",
                               "HKEY_LOCAL_MACHINE", "Software\\Rodev\\Opt", "", "$FF", "DWORD"};
    const StringList links = {"C:\\Menu\\Редактор\\Редактор.lnk", "C:\\Desk\\Редактор.lnk"};
    EXPECT_EQ(UninstallText(package, "C:\\Apps\\Ред\\", "C:\\Apps\\Ред", links),
              "[Settings]\r\n+2\r\nТест\r\n1\r\n0\r\nC:\\Apps\\Ред\r\n \r\n$2\r\n2\r\n"
              "[Files]\r\nC:\\Apps\\Ред\\Uninstall.exe\r\nC:\\Apps\\Ред\\sub\\a.txt\r\n"
              "[Regs]\r\nHKEY_CURRENT_USER\r\nSoftware\\Rodev\r\nPath\r\n"
              "HKEY_LOCAL_MACHINE\r\nSoftware\\Rodev\\Opt\r\n\r\n"
              "[RegsKeyUn]\r\nТест\r\n"
              "[Links]\r\nC:\\Menu\\Редактор\\Редактор.lnk\r\nC:\\Desk\\Редактор.lnk\r\n[End]\r\n");
    // Empty lists leave the section headers side by side.
    EXPECT_EQ(UninstallText(Package("0", "0"), "C:\\A\\", "", {}),
              "[Settings]\r\n0\r\nТест\r\n0\r\n0\r\n\r\n0\r\n0\r\n0\r\n"
              "[Files]\r\n[Regs]\r\n[RegsKeyUn]\r\nТест\r\n[Links]\r\n[End]\r\n");
}

}  // namespace
