#include "package/package_text.h"

#include <gtest/gtest.h>

#include "package/package_writer.h"
#include "package/safe_path.h"
#include "tests/support/repeated.h"

namespace {

// Why the setup program refuses the package, checked in the loader's order; "" when it installs it.
std::string Damage(const std::string& package, PackageData& data) {
    const std::int64_t copyLength = static_cast<std::int64_t>(package.size()) - 4;
    data = PackageData{};
    StringSource source(std::string_view(package).substr(0, copyLength));
    std::string why = ReadPackageText(source, data);
    if (why.empty()) why = CheckFileRecords(data, copyLength);
    return why.empty() ? CheckLinkAndKeyRecords(data) : why;
}

// A package of empty settings with these three counts, then the record lines and the payload.
std::string Package(const char* registry, const char* shortcuts, const char* files, const StringList& records = {},
                    const std::string& payload = "") {
    StringList lines(setting::kCount, "");
    lines[setting::kRegistryCount] = registry, lines[setting::kShortcutCount] = shortcuts;
    lines[setting::kFileCount] = files;
    lines.insert(lines.end(), records.begin(), records.end());
    return ComposePackage(lines, payload);
}

TEST(PackageText, CountsAreTrustedPastTheTextIntoThePayloadAndBeyond) {
    PackageData data;
    for (const char* none : {"0", "-3", "+0", " 0"}) {
        EXPECT_EQ(Damage(Package(none, none, none), data), "");
        EXPECT_TRUE(data.RegistryEntries.empty() && data.ShortcutEntries.empty() && data.FileEntries.empty()) << none;
    }
    StringList fifty;
    for (int i = 0; i < 50; ++i) fifty.push_back("r" + std::to_string(i));
    EXPECT_EQ(Damage(Package("$A", "0", "0", fifty), data), "");
    EXPECT_EQ(data.RegistryEntries, fifty);
    // Then the payload bytes are read as lines, and past the end empty lines, each counted with its
    // break but not kept.
    EXPECT_EQ(Damage(Package("1", "1", "0", {}, "abc\r\nxyz"), data), "");
    EXPECT_EQ(data.RegistryEntries, (StringList{"abc", "xyz"}));
    EXPECT_EQ(data.PayloadOffset, 65 * 2 + 3 + 5 + 5 + 9 * 2);
    EXPECT_EQ(Damage(Package("0", "100000", "0"), data), "");
    EXPECT_EQ(data.PayloadOffset, 65 * 2 + 8 + 600000 * 2);
}

// (A shortcut name or program group that leaves its folder: the paths test below, with the
// faults worded as the builder's refusals word them.)
TEST(PackageText, DamagedPackagesAreRefusedWithTheirReason) {
    const StringList key = {"HKEY_CURRENT_USER", "Software\\Rodev", "V", "1", "DWORD"};
    StringList keys = key;
    keys.insert(keys.end(), {"HKEY_CURRENT_USER", "\\", "V", "1", "DWORD"});
    const std::pair<std::string, std::string> rows[] = {
        {Package("0", "0", "2", {"a", "2", "32", "b", "3", "32"}, "12345"), ""},
        {Package("0", "0", "1", {"a", "2", "32"}, "12345"),  // a size or count too small: bytes left over
         "the file sizes add up to 2 bytes, the payload holds 5"},
        {Package("abc", "0", "0"), "'abc' is not a valid integer value"},
        {Package("0", "", "0"), "'' is not a valid integer value"},
        {Package("0", "0", "1.5"), "'1.5' is not a valid integer value"},
        {LengthTrailer(4), "'' is not a valid integer value"},  // no text at all
        {Package("2147483647", "0", "0"), "the record counts ask for more lines than the package holds"},
        {Package("0", "0", "2", {"a", "2", "32", "b", "4", "32"}, "12345"),
         "file record 2: the file sizes need 6 bytes, the payload holds 5"},
        {Package("0", "0", "1", {"a", "-1", "32"}, "1"), "file record 1: size '-1' is not a byte count"},
        {Package("0", "0", "1", {"a", "two", "32"}, "1"), "file record 1: size 'two' is not a byte count"},
        {Package("0", "0", "2"), "file record 1: size '' is not a byte count"},  // records past the end
        {Package("0", "0", "1", {"a", "1", "x"}, "1"), "file record 1: attributes 'x' are not an integer"},
        {Package("0", "0", "1", {"a", "1", ""}, "1"), "file record 1: attributes '' are not an integer"},
        {Package("0", "0", "2", {"ok", "0", "32", "..\\evil.txt", "0", "32"}),
         "file record 2: the path '..\\evil.txt' leads out of its folder ('..')"},
        {Package("2", "0", "0", keys), "registry record 2: the key path is empty"},
    };
    PackageData data;
    for (const auto& [package, reason] : rows) EXPECT_EQ(Damage(package, data), reason);
}

// A file path, a shortcut name and the program group are all taken below a folder of the machine.
TEST(PackageText, PathsThatLeaveTheirFolderOrNameADeviceAreDamage) {
    const std::string longest = std::string(kMaxRelativePath - 4, 'a') + "\\b.c";
    const StringList inside = {"a.txt", "sub\\b.txt", "a..b", "..a\\.hidden", "CONFIG.SYS", "COM10", "lpt0",
                               "Rodev\\Notes", "Редактор", longest};
    const StringList outside = {"..\\..\\windows\\evil.txt", "a/../../b", "..", "sub\\.. \\x", "...", "C:evil",
                                "C:\\evil", "\\evil", "/evil", "a.txt:stream", "CON", "nul.txt", "sub\\Com1.log",
                                "LPT9", "aux .txt", longest + "d"};
    PackageData data;
    for (const StringList* paths : {&inside, &outside}) {
        for (const std::string& path : *paths) {
            PackageLayout file, link, group;
            file.files.push_back({path, 0, "32"});
            link.shortcuts.push_back({"Пуск", path, "a.exe", "", "", ""});
            group.settings[setting::kProgramGroup] = path;
            for (const PackageLayout* layout : {&file, &link, &group})
                EXPECT_EQ(Damage(ComposePackage(TextLines(*layout), ""), data) != "", paths == &outside) << path;
        }
    }
    // Once loaded, the texts are UTF-8: 259 letters of two bytes each still fit.
    const std::string letters = Repeated("ж", kMaxRelativePath);
    EXPECT_EQ(Utf8RelativePathFault(letters) + "|" + Utf8RelativePathFault(letters + "ж"), "|is longer than 259 characters");
}

}  // namespace
