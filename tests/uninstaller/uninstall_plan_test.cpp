// Uninstall.ini as the setup program writes it, read into what the uninstaller will remove; a
// record that cannot be trusted removes nothing.
#include "uninstaller/uninstall_plan.h"

#include <gtest/gtest.h>

#include "engine/uninstall_text.h"
#include "package/setting_lines.h"

namespace {

using Strings = std::vector<std::string>;

TEST(UninstallPlan, RecordTheSetupProgramWritesListsEverythingInRemovalOrder) {
    PackageData package;
    package.MainSettings.assign(setting::kCount, "");
    const std::pair<setting::Line, const char*> lines[] = {
        {setting::kProgramName, "Редактор"}, {setting::kFileCount, "3"}, {setting::kRegistryCount, "1"},
        {setting::kUninstallName, "Редактор 2.0"}, {setting::kUninstallSetting1, "0"},
        {setting::kUninstallSetting2, "1"}, {setting::kUninstallSetting4, "Настройки останутся."}};
    for (const auto& [line, text] : lines) package.MainSettings[line] = text;
    package.FileEntries = {"Uninstall.exe", "1", "32", "notes.exe", "1", "32", "docs\\sub\\Справка.txt", "1", "33"};
    package.RegistryEntries = {"HKEY_CURRENT_USER", "Software\\Rodev", "Path", "%ProgDr%", "String"};
    const std::string record = UninstallText(package, ReadInstallSteps(package), "C:\\Apps\\Ред\\", "C:\\Apps",
                                             {"C:\\Menu\\Rodev\\Ред\\Ред.lnk", "C:\\Desk\\Ред.lnk"});

    // Folders compare without case, Russian letters too.
    const PlanReading reading = ReadUninstallPlan(record, "c:\\APPS\\рЕД\\");
    ASSERT_EQ(reading.damage, Damage::None) << reading.detail;
    const UninstallPlan& plan = reading.plan;
    EXPECT_TRUE(!plan.ask && plan.reportSuccess);
    EXPECT_EQ(plan.programName + "|" + plan.note + "|" + plan.uninstallEntry + "|" + plan.extraFolder,
              "Редактор|Настройки останутся.|Редактор 2.0|C:\\Apps");
    // The uninstaller's own file goes last, after it has ended.
    EXPECT_EQ(plan.files, (Strings{"C:\\Apps\\Ред\\notes.exe", "C:\\Apps\\Ред\\docs\\sub\\Справка.txt"}));
    ASSERT_EQ(plan.values.size(), 1u);
    EXPECT_EQ(plan.values[0].root + "|" + plan.values[0].keyPath + "|" + plan.values[0].name,
              "HKEY_CURRENT_USER|Software\\Rodev|Path");
    EXPECT_EQ(plan.links, (Strings{"C:\\Menu\\Rodev\\Ред\\Ред.lnk", "C:\\Desk\\Ред.lnk"}));
    EXPECT_EQ(plan.linkFolders, (Strings{"C:\\Menu\\Rodev\\Ред", "C:\\Desk"}));
    EXPECT_EQ(plan.folders, (Strings{"C:\\Apps\\Ред\\docs\\sub", "C:\\Apps\\Ред\\docs", "c:\\APPS\\рЕД", "C:\\Apps"}));
    // The entry of a package for the user is in the user's own list.
    package.ForUser = true;
    const PlanReading user = ReadUninstallPlan(UninstallText(package, ReadInstallSteps(package), "C:\\Apps\\Ред\\", "", {}),
                                                "C:\\Apps\\Ред\\");
    EXPECT_EQ(user.damage, Damage::None);
    EXPECT_TRUE(user.plan.userEntry && !plan.userEntry);
}

struct Row {
    const char* name;
    const char* from;  // a piece of the sound record below, replaced by "to"
    const char* to;
    Damage damage;
    const char* detail;
    const char* folder = "C:\\Apps\\Ред\\";  // the install folder the uninstaller is given
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

const std::string kRecord =
    "[Settings]\r\n2\r\nРед\r\n1\r\n0\r\n \r\n \r\n1\r\n1\r\n"
    "[Files]\r\nC:\\Apps\\Ред\\a.exe\r\nC:\\Apps\\Ред\\sub\\b.txt\r\n"
    "[Regs]\r\nHKEY_CURRENT_USER\r\nSoftware\\Rodev\r\nPath\r\n"
    "[RegsKeyUn]\r\nРед 2.0\r\n[Links]\r\nC:\\Menu\\Ред\\Ред.lnk\r\n[End]\r\n";

class Record : public testing::TestWithParam<Row> {};

// Folders match whatever the case of their letters, in any of the alphabets the folder names of
// users are in; a record naming anything else is refused with its reason.
TEST_P(Record, IsTrustedOnlyWhenWholeAndInsideItsFolder) {
    std::string record = kRecord;
    const std::string from = GetParam().from, to = GetParam().to;
    ASSERT_NE(record.find(from), std::string::npos);
    for (std::size_t at = record.find(from); at != std::string::npos; at = record.find(from, at + to.size()))
        record.replace(at, from.size(), to);
    const PlanReading reading = ReadUninstallPlan(record, GetParam().folder);
    EXPECT_EQ(reading.damage, GetParam().damage);
    EXPECT_EQ(reading.detail, GetParam().detail);
}

INSTANTIATE_TEST_SUITE_P(Records, Record, testing::Values(
    Row{"folder in other case", "C:\\Apps\\Ред", "C:\\Müller\\әлия ғқңөұүһі\\Справка ёж", Damage::None, "",
        "c:\\MÜLLER\\ӘЛИЯ ҒҚҢӨҰҮҺІ\\СПРАВКА ЁЖ\\"},
    Row{"folder without the accent", "C:\\Apps\\Ред", "C:\\Müller", Damage::UnsafePath, "C:\\Müller\\a.exe",
        "C:\\Muller\\"},
    Row{"folder with a Latin look-alike letter", "C:\\Apps\\Ред", "C:\\Әлия", Damage::UnsafePath, "C:\\Әлия\\a.exe",
        "C:\\Əлия\\"},
    Row{"folder with a Russian letter for a Kazakh one", "C:\\Apps\\Ред", "C:\\Әлия", Damage::UnsafePath,
        "C:\\Әлия\\a.exe", "C:\\Алия\\"},
    Row{"empty", kRecord.c_str(), "", Damage::NotARecord, "[Settings]"},
    Row{"count not a number", "[Settings]\r\n2", "[Settings]\r\nдва", Damage::BadCount, "2"},
    Row{"more files counted than listed", "[Settings]\r\n2", "[Settings]\r\n3", Damage::SectionOutOfPlace, "[Regs]"},
    Row{"fewer links counted", "\r\n1\r\n[Files]", "\r\n0\r\n[Files]", Damage::SectionOutOfPlace, "[End]"},
    Row{"cut short", "[End]\r\n", "", Damage::NoEnd, "[End]"},
    Row{"file in a look-alike folder", "C:\\Apps\\Ред\\a.exe", "C:\\Apps\\Ред2\\a.exe", Damage::UnsafePath,
        "C:\\Apps\\Ред2\\a.exe"},
    Row{"file climbing out", "C:\\Apps\\Ред\\a.exe", "C:\\Apps\\Ред\\..\\..\\boot.ini", Damage::UnsafePath,
        "C:\\Apps\\Ред\\..\\..\\boot.ini"},
    Row{"link that is no link", "Ред.lnk", "Ред.exe", Damage::UnsafePath, "C:\\Menu\\Ред\\Ред.exe"}));

}  // namespace
