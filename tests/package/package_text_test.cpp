#include "package/package_text.h"

#include <gtest/gtest.h>

#include "package/package_writer.h"
#include "package/safe_path.h"
#include "package/shifted_text.h"

namespace {

PackageLayout SampleLayout() {
    PackageLayout layout;
    for (int i = 0; i < setting::kCount; ++i) layout.settings[i] = "setting " + std::to_string(i);
    layout.settings[setting::kLicenceText] = "Строка 1\r\nСтрока 2";
    ShiftText(layout.settings[setting::kLicenceText]);
    layout.registry.push_back({"HKEY_LOCAL_MACHINE", "SOFTWARE\\Rodev", "Path", "%ProgDr%", "String"});
    layout.shortcuts.push_back({"Рабочий стол", "App", "App.exe", "%ProgDr%\\", "", "Приложение"});
    layout.files.push_back({"App.exe", 3, "32"});
    layout.files.push_back({"sub\\Empty.txt", 0, "33"});
    layout.files.push_back({"Uninstall.exe", 2, "32"});
    return layout;
}

std::string ReadDamage(const std::string& package, PackageData& data) {
    StringSource source(std::string_view(package).substr(0, package.size() - 4));
    return ReadPackageText(source, data);
}

PackageData Read(const std::string& package) {
    PackageData data;
    EXPECT_EQ(ReadDamage(package, data), "");
    return data;
}

TEST(PackageText, WrittenPackageReadsBackRecordForRecord) {
    const PackageLayout layout = SampleLayout();
    const StringList lines = TextLines(layout);
    const std::string package = ComposePackage(lines, "abcXY");
    const PackageData data = Read(package);

    ASSERT_EQ(data.MainSettings.size(), 65u);
    EXPECT_EQ(data.MainSettings[setting::kRegistryCount], "1");
    EXPECT_EQ(data.MainSettings[setting::kShortcutCount], "1");
    EXPECT_EQ(data.MainSettings[setting::kFileCount], "3");
    EXPECT_EQ(data.MainSettings[setting::kLicenceText], layout.settings[setting::kLicenceText]);
    EXPECT_EQ(data.LicenceText, "Строка 1\r\nСтрока 2");
    EXPECT_EQ(data.RegistryEntries, (StringList{"HKEY_LOCAL_MACHINE", "SOFTWARE\\Rodev", "Path", "%ProgDr%", "String"}));
    EXPECT_EQ(data.ShortcutEntries, (StringList{"Рабочий стол", "App", "App.exe", "%ProgDr%\\", "", "Приложение"}));
    EXPECT_EQ(data.FileEntries,
              (StringList{"App.exe", "3", "32", "sub\\Empty.txt", "0", "33", "Uninstall.exe", "2", "32"}));
    EXPECT_EQ(data.PayloadOffset, static_cast<std::int64_t>(ComposeTextBlock(lines).size()));
    EXPECT_EQ(package.substr(data.PayloadOffset, 5), "abcXY");
    EXPECT_EQ(CheckFileRecords(data, static_cast<std::int64_t>(package.size()) - 4), "");
}

TEST(PackageText, WorkedExampleFromTheLayout) {
    // 82 lines of 732 bytes with their line breaks, two files of 80,384 bytes each.
    PackageLayout layout;
    layout.registry.push_back({"HKEY_CURRENT_USER", "Software\\A", "V", "1", "DWORD"});
    layout.shortcuts.push_back({"Пуск", "A", "a.exe", "", "", ""});
    layout.files.push_back({"a.bin", 80384, "32"});
    layout.files.push_back({"b.bin", 80384, "32"});
    StringList lines = TextLines(layout);
    ASSERT_EQ(lines.size(), 82u);
    lines[setting::kBanner] = std::string(732 - ComposeTextBlock(lines).size(), 'x');
    ASSERT_EQ(ComposeTextBlock(lines).size(), 732u);

    const std::string package = ComposePackage(lines, std::string(80384, 'a') + std::string(80384, 'b'));
    EXPECT_EQ(package.size(), 161504u);
    EXPECT_EQ(package.substr(package.size() - 4), std::string("\xE0\x76\x02\x00", 4));
    const PackageData data = Read(package);
    EXPECT_EQ(data.PayloadOffset, 732);
    EXPECT_EQ(package[732], 'a');
    EXPECT_EQ(package[81116 - 1], 'a');
    EXPECT_EQ(package[81116], 'b');
    EXPECT_EQ(CheckFileRecords(data, 161500), "");
}

TEST(PackageText, CountsOfZeroOrLessGiveNoRecordsAndHexCountsWork) {
    for (const char* none : {"0", "-3", "+0", " 0"}) {
        StringList lines(setting::kCount);
        lines[setting::kRegistryCount] = lines[setting::kShortcutCount] = lines[setting::kFileCount] = none;
        const PackageData data = Read(ComposePackage(lines, ""));
        EXPECT_TRUE(data.RegistryEntries.empty() && data.ShortcutEntries.empty() && data.FileEntries.empty()) << none;
        // Each empty setting line still takes its line break.
        EXPECT_EQ(data.PayloadOffset, 62 * 2 + 3 * (2 + static_cast<std::int64_t>(std::string(none).size())));
    }
    StringList lines(setting::kCount);
    lines[setting::kRegistryCount] = "$A";
    lines[setting::kShortcutCount] = lines[setting::kFileCount] = "0";
    for (int i = 0; i < 50; ++i) lines.push_back("r" + std::to_string(i));
    const PackageData data = Read(ComposePackage(lines, ""));
    ASSERT_EQ(data.RegistryEntries.size(), 50u);
    EXPECT_EQ(data.RegistryEntries[49], "r49");
}

TEST(PackageText, CountsPastTheTextBlockReadTheFileBytesThenEmptyLines) {
    StringList lines(setting::kCount);
    lines[setting::kRegistryCount] = "1";
    lines[setting::kShortcutCount] = lines[setting::kFileCount] = "0";
    const PackageData data = Read(ComposePackage(lines, "abc\r\nxyz"));
    EXPECT_EQ(data.RegistryEntries, (StringList{"abc", "xyz", "", "", ""}));
    // The three count lines hold one digit each.
    EXPECT_EQ(data.PayloadOffset, 65 * 2 + 3 + 5 + 5 + 3 * 2);
}

TEST(PackageText, SettingsOnlyPackageWithCountsStillReads) {
    StringList lines(setting::kCount);
    lines[setting::kRegistryCount] = "2";
    lines[setting::kShortcutCount] = "1";
    lines[setting::kFileCount] = "0";
    const PackageData data = Read(ComposePackage(lines, ""));
    EXPECT_EQ(data.RegistryEntries, StringList(10));
    EXPECT_EQ(data.ShortcutEntries, StringList(6));
    EXPECT_EQ(data.LicenceText, "");
    EXPECT_EQ(CheckFileRecords(data, 65 * 2 + 3), "");
}

TEST(PackageText, CountThatIsNotANumberIsDamage) {
    for (int line : {setting::kRegistryCount, setting::kShortcutCount, setting::kFileCount}) {
        for (const std::string bad : {"", "abc", "1.5"}) {
            PackageData data;
            StringList lines(setting::kCount, "0");
            lines[line] = bad;
            EXPECT_EQ(ReadDamage(ComposePackage(lines, ""), data), "'" + bad + "' is not a valid integer value")
                << "line " << line;
        }
    }
    // A package of length 4 has no text at all: the counts are empty.
    PackageData data;
    EXPECT_EQ(ReadDamage(LengthTrailer(4), data), "'' is not a valid integer value");
}

TEST(PackageText, AbsurdCountPastTheEndIsDamageNotAnEndlessRead) {
    StringList lines(setting::kCount, "0");
    lines[setting::kRegistryCount] = "2147483647";
    PackageData data;
    EXPECT_NE(ReadDamage(ComposePackage(lines, ""), data), "");
}

PackageData WithFiles(const StringList& fileLines, const std::string& payload, std::int64_t& copyLength) {
    StringList lines(setting::kCount, "0");
    lines[setting::kFileCount] = std::to_string(fileLines.size() / 3);
    lines.insert(lines.end(), fileLines.begin(), fileLines.end());
    const std::string package = ComposePackage(lines, payload);
    copyLength = static_cast<std::int64_t>(package.size()) - 4;
    return Read(package);
}

TEST(PackageText, FileRecordsMustDescribeThePayload) {
    std::int64_t copy = 0;
    auto data = WithFiles({"a", "2", "32", "b", "3", "32"}, "12345", copy);
    EXPECT_EQ(CheckFileRecords(data, copy), "");
    // Fewer bytes used than the payload holds is no damage.
    data = WithFiles({"a", "2", "32"}, "12345", copy);
    EXPECT_EQ(CheckFileRecords(data, copy), "");

    const std::vector<StringList> damaged = {
        {"a", "2", "32", "b", "4", "32"},  // one byte more than the payload
        {"a", "-1", "32"},                 // a negative size
        {"a", "", "32"},                   // an empty size
        {"a", "two", "32"},                // not a number
        {"a", "1", "x"},                   // attributes not a number
        {"a", "1", ""},
    };
    for (const auto& files : damaged) {
        data = WithFiles(files, "12345", copy);
        EXPECT_NE(CheckFileRecords(data, copy), "") << files[1] << " " << files[2];
    }
}

// A file path, a shortcut name and the program group are all taken below a folder of the machine.
TEST(PackageText, PathsThatLeaveTheirFolderOrNameADeviceAreDamage) {
    const std::string longest = std::string(kMaxRelativePath - 4, 'a') + "\\b.c";
    const StringList inside = {"a.txt", "sub\\b.txt", "a..b", "..a\\.hidden", "CONFIG.SYS", "COM10", "lpt0",
                               "Rodev\\Notes", "Редактор", longest};
    const StringList outside = {"..\\..\\windows\\evil.txt", "a/../../b", "..", "sub\\.. \\x", "...", "C:evil",
                                "C:\\evil", "\\evil", "/evil", "a.txt:stream", "CON", "nul.txt", "sub\\Com1.log",
                                "LPT9", "aux .txt", longest + "d"};
    for (const StringList* paths : {&inside, &outside}) {
        for (const std::string& path : *paths) {
            PackageLayout file, link, group;
            file.files.push_back({path, 0, "32"});
            link.shortcuts.push_back({"Пуск", path, "a.exe", "", "", ""});
            group.settings[setting::kProgramGroup] = path;
            const PackageData data = Read(ComposePackage(TextLines(file), ""));
            const bool damaged = paths == &outside;
            EXPECT_EQ(CheckFileRecords(data, data.PayloadOffset) != "", damaged) << path;
            EXPECT_EQ(CheckLinkAndKeyRecords(Read(ComposePackage(TextLines(link), ""))) != "", damaged) << path;
            EXPECT_EQ(CheckLinkAndKeyRecords(Read(ComposePackage(TextLines(group), ""))) != "", damaged) << path;
        }
    }
    std::int64_t copy = 0;
    const PackageData data = WithFiles({"ok", "0", "32", "..\\evil.txt", "0", "32"}, "", copy);
    EXPECT_EQ(CheckFileRecords(data, copy), "file record 2: the path '..\\evil.txt' leads out of its folder ('..')");
}

TEST(PackageText, RegistryRecordWithoutAKeyPathIsDamage) {
    PackageLayout layout;
    layout.registry.push_back({"HKEY_CURRENT_USER", "Software\\Rodev", "V", "1", "DWORD"});
    layout.registry.push_back({"HKEY_CURRENT_USER", "\\", "V", "1", "DWORD"});
    EXPECT_EQ(CheckLinkAndKeyRecords(Read(ComposePackage(TextLines(layout), ""))),
              "registry record 2: the key path is empty");
}

}  // namespace
