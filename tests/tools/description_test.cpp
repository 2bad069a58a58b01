#include "tools/description.h"

#include <gtest/gtest.h>

#include "package/shifted_text.h"
#include "tools/cp1251.h"
#include "tools/setting_names.h"

namespace {

// Descriptions and the builder's messages are UTF-8; package text is Windows-1251.
std::string W(const char* utf8) { return *Utf8ToCp1251(utf8); }

PackageSource Parse(const std::string& text) { return ParseDescription(text, "pkg.txt", "/base"); }

TEST(Description, EverySettingHasAUniqueNameAndTheDocumentedDefault) {
    const StringList s = Parse("").layout.settings;
    ASSERT_EQ(s.size(), 65u);
    const std::pair<int, const char*> defaults[] = {
        {setting::kBackground, "1"}, {setting::kBackgroundColor, "8388608"}, {setting::kUninstallSetting3, " "},
        {setting::kTitle2FontName, "MS Sans Serif"}, {setting::kLicenceFontColor, "-16777208"},
        {setting::kRestartOrdinary, "1"}};
    for (const auto& [line, value] : defaults) EXPECT_EQ(s[line], value) << line;
    for (int i = 0; i < setting::kCount; ++i) EXPECT_EQ(FindSetting(kSettingNames[i].name), i);
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
    const auto& layout = source.layout;
    EXPECT_EQ(layout.settings[setting::kProgramName], "\xD0\xE5\xE4\xE0\xEA\xF2\xEE\xF0");  // "Редактор"
    EXPECT_EQ(layout.settings[setting::kUninstallSetting3], "  two blanks");
    std::string licence = layout.settings[setting::kLicenceText];
    UnshiftText(licence);
    EXPECT_EQ(licence, W("Текст"));
    ASSERT_EQ(layout.registry.size(), 1u);
    EXPECT_EQ(layout.registry[0].name + "|" + layout.registry[0].data, W("Путь|%ProgDr%"));
    ASSERT_EQ(layout.shortcuts.size(), 1u);
    EXPECT_EQ(layout.shortcuts[0].place + "|" + layout.shortcuts[0].arguments, W("Пуск->Программы|"));
    ASSERT_EQ(layout.files.size(), 2u);
    EXPECT_EQ(layout.files[0].attributes + "|" + layout.files[1].attributes, "32|33");
    EXPECT_EQ(source.fileSources[0], "/base/bin/edit.exe");
    EXPECT_EQ(source.fileLines[1], 20);
}

// Whatever the setup program would refuse as damaged or end on is refused here, naming the line.
TEST(Description, RefusalsNameTheLine) {
    const std::pair<const char*, const char*> refusals[] = {
        {"[settings]\nprogram-name = 中文\n", "pkg.txt:2: the text has no Windows-1251 form: 中文"},
        {"[settings]\n\nfile-count = 3\n", "pkg.txt:3: 'file-count' is counted by the builder from the records"},
        {"[settings]\ncolour = 1\n", "pkg.txt:2: unknown setting 'colour'"},
        {"program-name = x\n", "pkg.txt:1: 'program-name' stands before any [section]"},
        {"[settings]\njust text\n", "pkg.txt:2: expected 'name = value' or a [section]"},
        {"[icons]\n", "pkg.txt:1: unknown section [icons]"},
        {"[registry]\nvalue = 1\n", "pkg.txt:2: unknown [registry] field 'value'"},
        {"[file]\nsource = a\n", "pkg.txt:1: the [file] has no path"},
        {"[file]\npath = a\n", "pkg.txt:1: the [file] has no source"},
        {"[file]\npath = x\nsource = none.bin\n", "pkg.txt:1: cannot read /base/none.bin: No such file or directory"},
        // "Ќ" is 0x8D in Windows-1251: shifted it would become CR.
        {"[settings]\nlicence-text = aЌb\n",
         "pkg.txt:2: the licence text holds the character 'Ќ', which a package cannot store"},
        {"[settings]\nlicence-text = љ\n", "pkg.txt:2: the licence text holds the character 'љ', which a package cannot store"},
        {"[file]\npath = ..\\..\\windows\\evil.txt\n",
         "pkg.txt:2: the path '..\\..\\windows\\evil.txt' leads out of its folder ('..')"},
        {"[file]\n\npath = sub/Con.txt\n", "pkg.txt:3: the path 'sub/Con.txt' names the device 'Con.txt'"},
        {"[shortcut]\nname = C:\\Ярлык\n", "pkg.txt:2: the shortcut name 'C:\\Ярлык' names a drive or a stream (':')"},
        {"[settings]\nprogram-group = \\Startup\n", "pkg.txt:2: the program group '\\Startup' starts at the root of a drive"},
        {"[registry]\nroot = HKEY_CURRENT_USER\nkey = \\\n", "pkg.txt:1: the [registry] has no key"},
        {"[registry]\nkey = K\ndata = 1x\ntype = DWORD\n", "pkg.txt:3: DWORD data: '1x' is not a valid integer value"},
        {"[settings]\ntitle1-font-size = big\n", "pkg.txt:2: title1-font-size: 'big' is not a valid integer value"},
        {"[settings]\nlicence-font-colour =\n", "pkg.txt:2: licence-font-colour: '' is not a valid integer value"},
        {"[file]\npath = a\nattributes = rw\n", "pkg.txt:3: attributes: 'rw' is not a valid integer value"},
        {"[settings]\nlicence-file = /dev/zero\n", "pkg.txt:2: the licence file /dev/zero is not a file"},
        {"[settings]\nlicence-file = none.txt\n", "pkg.txt:2: the licence file /base/none.txt is not a file"},
        // Sub-folders in the group, and DWORD data known only once placeholders are replaced.
        {"[settings]\nprogram-group = Rodev\\Notes\ntitle2-charset = $CC\n[registry]\nkey = K\ndata = %ProgDr%\ntype = DWORD\n",
         "no error"},
    };
    for (const auto& [text, error] : refusals) {
        std::string refusal = "no error";
        try {
            PackageSource source = Parse(text);
            MeasureFiles(source, "pkg.txt");
        } catch (const DescriptionError& e) {
            refusal = e.what();
        }
        EXPECT_EQ(refusal, error);
    }
}

}  // namespace
