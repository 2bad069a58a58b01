#include "tools/description.h"

#include <gtest/gtest.h>

#include "package/shifted_text.h"
#include "tools/cp1251.h"
#include "tools/setting_names.h"

namespace {

// Descriptions and the builder's messages are UTF-8; package text is Windows-1251.
std::string W(const char* utf8) { return *Utf8ToCp1251(utf8); }

PackageSource Parse(const std::string& text) { return ParseDescription(text, "pkg.txt", "/base"); }

std::string ErrorOf(const std::string& text) {
    try {
        Parse(text);
    } catch (const DescriptionError& error) {
        return error.what();
    }
    return "no error";
}

TEST(Description, EverySettingHasANameAndTheDocumentedDefault) {
    const PackageSource source = Parse("");
    const auto& s = source.layout.settings;
    ASSERT_EQ(s.size(), 65u);
    EXPECT_EQ(s[setting::kBackground], "1");
    EXPECT_EQ(s[setting::kBackgroundColor], "8388608");
    EXPECT_EQ(s[setting::kTitle2FontName], "MS Sans Serif");
    EXPECT_EQ(s[setting::kLicenceFontColor], "-16777208");
    EXPECT_EQ(s[setting::kUninstallSetting3], " ");
    EXPECT_EQ(s[setting::kRestartOrdinary], "1");
    for (int i = 0; i < setting::kCount; ++i)
        EXPECT_EQ(FindSetting(kSettingNames[i].name), i) << "names must be unique";
}

TEST(Description, SettingsAndRecordsBecomeWindows1251Lines) {
    const PackageSource source = Parse(
        "# comment\n"
        "[settings]\n"
        "program-name = Редактор\r\n"
        "uninstall-setting-3 = \"  two blanks\"\n"
        "licence-text = Текст\n"
        "[registry]\n"
        "root = HKEY_CURRENT_USER\nkey = Software\\Rodev\nname = Путь\ndata = %ProgDr%\ntype = String\n"
        "[shortcut]\n"
        "place = Пуск->Программы\nname = Редактор\ntarget = edit.exe\nworkdir = %ProgDr%\\\n"
        "[file]\npath = edit.exe\nsource = bin/edit.exe\n"
        "[file]\npath = sub\\readme.txt\nsource = readme.txt\nattributes = 33\n");
    const auto& s = source.layout.settings;
    EXPECT_EQ(s[setting::kProgramName], "\xD0\xE5\xE4\xE0\xEA\xF2\xEE\xF0");  // "Редактор" in Windows-1251
    EXPECT_EQ(s[setting::kUninstallSetting3], "  two blanks");
    std::string licence = s[setting::kLicenceText];
    UnshiftText(licence);
    EXPECT_EQ(licence, W("Текст"));
    ASSERT_EQ(source.layout.registry.size(), 1u);
    EXPECT_EQ(source.layout.registry[0].name, W("Путь"));
    EXPECT_EQ(source.layout.registry[0].data, "%ProgDr%");
    ASSERT_EQ(source.layout.shortcuts.size(), 1u);
    EXPECT_EQ(source.layout.shortcuts[0].place, W("Пуск->Программы"));
    EXPECT_EQ(source.layout.shortcuts[0].arguments, "");
    ASSERT_EQ(source.layout.files.size(), 2u);
    EXPECT_EQ(source.layout.files[0].attributes, "32");
    EXPECT_EQ(source.layout.files[1].attributes, "33");
    EXPECT_EQ(source.fileSources[0], "/base/bin/edit.exe");
    EXPECT_EQ(source.fileLines[1], 20);
}

TEST(Description, RefusalsNameTheLine) {
    EXPECT_EQ(ErrorOf("[settings]\nprogram-name = 中文\n"), "pkg.txt:2: the text has no Windows-1251 form: 中文");
    EXPECT_EQ(ErrorOf("[settings]\n\nfile-count = 3\n"),
              "pkg.txt:3: 'file-count' is counted by the builder from the records");
    EXPECT_EQ(ErrorOf("[settings]\ncolour = 1\n"), "pkg.txt:2: unknown setting 'colour'");
    EXPECT_EQ(ErrorOf("program-name = x\n"), "pkg.txt:1: 'program-name' stands before any [section]");
    EXPECT_EQ(ErrorOf("[settings]\njust text\n"), "pkg.txt:2: expected 'name = value' or a [section]");
    EXPECT_EQ(ErrorOf("[icons]\n"), "pkg.txt:1: unknown section [icons]");
    EXPECT_EQ(ErrorOf("[registry]\nvalue = 1\n"), "pkg.txt:2: unknown [registry] field 'value'");
    EXPECT_EQ(ErrorOf("[file]\nsource = a\n"), "pkg.txt:1: the [file] has no path");
    EXPECT_EQ(ErrorOf("[file]\npath = a\n"), "pkg.txt:1: the [file] has no source");
    // "Ќ" is 0x8D in Windows-1251: shifted it would become CR.
    EXPECT_EQ(ErrorOf("[settings]\nlicence-text = aЌb\n"),
              "pkg.txt:2: the licence text holds the character 'Ќ', which a package cannot store");
    EXPECT_EQ(ErrorOf("[settings]\nlicence-text = љ\n"),
              "pkg.txt:2: the licence text holds the character 'љ', which a package cannot store");
}

// What the setup program would refuse as damaged, or end on with "is not a valid integer value".
TEST(Description, PackagesTheSetupProgramWouldRefuseAreRefusedNamingTheLine) {
    const std::pair<const char*, const char*> refusals[] = {
        {"[file]\npath = ..\\..\\windows\\evil.txt\n",
         "pkg.txt:2: the path '..\\..\\windows\\evil.txt' leads out of its folder ('..')"},
        {"[file]\n\npath = sub/Con.txt\n", "pkg.txt:3: the path 'sub/Con.txt' names the device 'Con.txt'"},
        {"[shortcut]\nname = C:\\Ярлык\n", "pkg.txt:2: the shortcut name 'C:\\Ярлык' names a drive or a stream (':')"},
        {"[settings]\nprogram-group = \\Startup\n",
         "pkg.txt:2: the program group '\\Startup' starts at the root of a drive"},
        {"[registry]\nroot = HKEY_CURRENT_USER\nkey = \\\n", "pkg.txt:1: the [registry] has no key"},
        {"[registry]\nkey = K\ndata = 1x\ntype = DWORD\n", "pkg.txt:3: DWORD data: '1x' is not a valid integer value"},
        {"[settings]\ntitle1-font-size = big\n", "pkg.txt:2: title1-font-size: 'big' is not a valid integer value"},
        {"[settings]\nlicence-font-colour =\n", "pkg.txt:2: licence-font-colour: '' is not a valid integer value"},
        {"[file]\npath = a\nattributes = rw\n", "pkg.txt:3: attributes: 'rw' is not a valid integer value"},
        {"[settings]\nlicence-file = /dev/zero\n", "pkg.txt:2: the licence file /dev/zero is not a file"},
        {"[settings]\nlicence-file = /\n", "pkg.txt:2: the licence file / is not a file"},
        {"[settings]\nlicence-file = none.txt\n", "pkg.txt:2: the licence file /base/none.txt is not a file"},
    };
    for (const auto& [text, error] : refusals) EXPECT_EQ(ErrorOf(text), error);
    // Sub-folders in the group, and DWORD data known only once placeholders are replaced.
    EXPECT_EQ(ErrorOf("[settings]\nprogram-group = Rodev\\Notes\ntitle2-charset = $CC\n"
                      "[registry]\nkey = K\ndata = %ProgDr%\ntype = DWORD\n"),
              "no error");
}

}  // namespace
