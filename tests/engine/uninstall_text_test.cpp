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
    EXPECT_EQ(UninstallText(package, ReadInstallSteps(package), "C:\\Apps\\Ред\\", "C:\\Apps\\Ред", links),
              "[Settings]\r\n+2\r\nТест\r\n1\r\n0\r\nC:\\Apps\\Ред\r\n \r\n$2\r\n2\r\n"
              "[Files]\r\nC:\\Apps\\Ред\\Uninstall.exe\r\nC:\\Apps\\Ред\\sub\\a.txt\r\n"
              "[Regs]\r\nHKEY_CURRENT_USER\r\nSoftware\\Rodev\r\nPath\r\n"
              "HKEY_LOCAL_MACHINE\r\nSoftware\\Rodev\\Opt\r\n\r\n"
              "[RegsKeyUn]\r\nТест\r\n"
              "[Links]\r\nC:\\Menu\\Редактор\\Редактор.lnk\r\nC:\\Desk\\Редактор.lnk\r\n[End]\r\n");
    // Empty lists leave the section headers side by side.
    EXPECT_EQ(UninstallText(Package("0", "0"), {}, "C:\\A\\", "", {}),
              "[Settings]\r\n0\r\nТест\r\n0\r\n0\r\n\r\n0\r\n0\r\n0\r\n"
              "[Files]\r\n[Regs]\r\n[RegsKeyUn]\r\nТест\r\n[Links]\r\n[End]\r\n");
}

// Version 2 over version 1 in its folder: its record also lists what only version 1 installed (b.txt,
// a value and a link it dropped), each once whatever the case of its letters; [Settings] and the
// entry are version 2's. A record of another program, a damaged one or none is simply replaced.
TEST(UninstallRecord, AnUpdateAlsoListsWhatOnlyTheEarlierVersionOfItsProgramInstalled) {
    PackageData v1 = Package("3", "2"), v2 = Package("2", "1");
    v1.MainSettings[setting::kUninstallName] = "Тест 1.0", v1.MainSettings[setting::kUninstallSetting1] = "1";
    v1.FileEntries = {"Uninstall.exe", "1", "32", "a.txt", "1", "32", "b.txt", "1", "32"};
    v2.FileEntries = {"Uninstall.exe", "1", "32", "A.TXT", "1", "32"};
    v1.RegistryEntries = {"HKEY_CURRENT_USER", "Software\\Rodev", "Path", "1", "String",
                          "HKEY_CURRENT_USER", "Software\\Rodev", "Old", "1", "String"};
    v2.RegistryEntries = {"HKEY_CURRENT_USER", "SOFTWARE\\Rodev", "Path", "2", "String"};
    PackageData other = v1;
    other.MainSettings[setting::kProgramName] = "Другая";
    const std::string folder = "C:\\Ред\\", earlier = UninstallText(v1, ReadInstallSteps(v1), folder, "", {"C:\\A.lnk", "C:\\B.lnk"});
    const std::string own = UninstallText(v2, ReadInstallSteps(v2), folder, "", {"C:\\a.lnk"});
    const std::pair<std::string, std::string> rows[] = {  // the earlier record, the new one
        {earlier, "[Settings]\r\n3\r\nТест\r\n0\r\n0\r\n\r\n0\r\n2\r\n2\r\n[Files]\r\nC:\\Ред\\Uninstall.exe\r\n"
                  "C:\\Ред\\A.TXT\r\nC:\\Ред\\b.txt\r\n[Regs]\r\nHKEY_CURRENT_USER\r\nSOFTWARE\\Rodev\r\nPath\r\n"
                  "HKEY_CURRENT_USER\r\nSoftware\\Rodev\r\nOld\r\n[RegsKeyUn]\r\nТест\r\n"
                  "[Links]\r\nC:\\a.lnk\r\nC:\\B.lnk\r\n[End]\r\n"},
        {UninstallText(other, ReadInstallSteps(other), folder, "", {"C:\\B.lnk"}), own},
        {earlier.substr(0, earlier.size() - 7), own},  // without "[End]"
        {"", own}};
    for (const auto& [before, after] : rows) {
        const PlanReading reading = ReadRecordLists(before, folder);
        EXPECT_EQ(UninstallText(v2, ReadInstallSteps(v2), folder, "", {"C:\\a.lnk"}, &reading), after) << before;
    }
}

}  // namespace
