// The package builder: descriptions people write in UTF-8 become setup programs, or are refused
// naming the line.
#include "tools/builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "package/package_text.h"
#include "package/seal.h"
#include "tools/cp1251.h"

namespace {

namespace fs = std::filesystem;

std::string W(const char* utf8) { return *Utf8ToCp1251(utf8); }  // package text is Windows-1251

class Builder : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir_ / "files");
        Write("stub.exe", "MZstub"), Write("files/a.bin", "AAAA"), Write("files/empty.txt", "");
        Write("licence.txt", "Первая строка\nВторая строка\n");
        Write("pkg.txt", "# comment\n[settings]\nprogram-name = Редактор\r\nuninstall-setting-3 = \"  two blanks\"\n"
                         "licence-file = licence.txt\n"
                         "[registry]\nroot = HKEY_CURRENT_USER\nkey = Software\\Rodev\nname = Путь\ndata = 1\ntype = String\n"
                         "[shortcut]\nplace = Пуск->Программы\nname = Редактор\ntarget = a.bin\nworkdir = %ProgDr%\\\n"
                         "[file]\npath = a.bin\nsource = files/a.bin\n"
                         "[file]\npath = sub\\empty.txt\nsource = files/empty.txt\nattributes = 33\n");
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Write(const std::string& name, const std::string& bytes) { std::ofstream(dir_ / name, std::ios::binary) << bytes; }
    std::string Read(const std::string& name) {
        std::ifstream in(dir_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::string Path(const std::string& name) { return (dir_ / name).string(); }
    void Build(const std::string& output, BuildOptions options = {}) {
        BuildSetupProgram(ReadDescription(Path("pkg.txt")), Path("stub.exe"), Path(output), options);
    }
    std::string Shown(const std::string& name, int status) {
        std::ostringstream shown;  // in UTF-8 again
        EXPECT_EQ(ShowSetupProgram(Path(name), shown), status) << shown.str();
        return shown.str();
    }

    fs::path dir_ = fs::temp_directory_path() / ("builder-test-" + std::to_string(::getpid()));
};

TEST_F(Builder, SetupProgramIsTheStubFollowedByAWindows1251PackageThatShowListsBack) {
    Build("setup.exe", {.compress = false});
    const std::string program = Read("setup.exe"), package = program.substr(6);
    ASSERT_EQ(program.substr(0, 6), "MZstub");
    EXPECT_EQ(program.size() % 8, 0u) << "a signature's table follows the package without padding";
    EXPECT_EQ(package.substr(package.size() - 4), LengthTrailer(static_cast<std::int32_t>(package.size())));
    PackageData data;
    StringSource source(std::string_view(package).substr(0, package.size() - 4));
    ASSERT_EQ(ReadPackageText(source, data), "");
    EXPECT_EQ(data.MainSettings[setting::kProgramName], "\xD0\xE5\xE4\xE0\xEA\xF2\xEE\xF0");  // "Редактор"
    EXPECT_EQ(data.MainSettings[setting::kUninstallSetting3], "  two blanks");
    EXPECT_EQ(data.MainSettings[setting::kBackground] + data.MainSettings[setting::kBackgroundColor], "18388608")
        << "the documented defaults";
    EXPECT_EQ(data.LicenceText, W("Первая строка\r\nВторая строка\r\n"));
    EXPECT_EQ(data.RegistryEntries, (StringList{"HKEY_CURRENT_USER", "Software\\Rodev", W("Путь"), "1", "String"}));
    EXPECT_EQ(data.ShortcutEntries, (StringList{W("Пуск->Программы"), W("Редактор"), "a.bin", "%ProgDr%\\", "", ""}));
    EXPECT_EQ(data.FileEntries, (StringList{"a.bin", "4", "32", "sub\\empty.txt", "0", "33"}));
    EXPECT_EQ(package.substr(data.PayloadOffset, 4), "AAAA");
    EXPECT_EQ(ReadSeal(data.MainSettings[setting::kBanner]).kind, SealKind::Plain);

    const std::string shown = Shown("setup.exe", 0);
    for (const char* line : {"checksum: CRC-32 ", ", matches\ncompression: none\n", "0  banner = \"setup-pack\"\n",
                             "28  program-name = \"Редактор\"", "57  file-count = \"2\"", "2: \"sub\\empty.txt\"",
                             "1: root=\"HKEY_CURRENT_USER\" key=\"Software\\Rodev\"", "size 4 attributes 32", "layout: sound"})
        EXPECT_NE(shown.find(line), std::string::npos) << line << " in\n" << shown;
    // Any byte changed after the build breaks the seal: a bad download or disk.
    for (const std::size_t at : {std::size_t{30}, static_cast<std::size_t>(data.PayloadOffset + 2), package.size() - 5}) {
        std::string changed = program;
        changed[6 + at] ^= 0x10;
        Write("changed.exe", changed);
        EXPECT_NE(Shown("changed.exe", 1).find("damaged: the checksum is "), std::string::npos) << at;
    }

    // A damaged record is refused by its number, a line of 100,000 digits cut to a readable length;
    // the package is unsealed, as another tool would write it.
    std::string damaged = package.substr(0, package.size() - 4);
    damaged.erase(0, damaged.find('\x01', 1) + 1);
    damaged.replace(damaged.find("a.bin\r\n4\r\n"), 10, "a.bin\r\n" + std::string(100000, '7') + "\r\n");
    Write("damaged.exe", "MZstub" + damaged + LengthTrailer(static_cast<std::int32_t>(damaged.size() + 4)));
    const std::string refused = Shown("damaged.exe", 1);
    EXPECT_NE(refused.find("\ndamaged: file record 1: size '777"), std::string::npos);
    std::istringstream lines(refused);
    for (std::string line; std::getline(lines, line);) EXPECT_LT(line.size(), 400u) << line.substr(0, 80);
}

// By default the files are one LZMA stream (packed_install_test.sh installs such a package and
// compares every file byte for byte).
TEST_F(Builder, PayloadIsCompressedByDefault) {
    Write("files/empty.txt", std::string(300000, 'z'));
    Build("setup.exe");
    EXPECT_LT(Read("setup.exe").size(), 5000u) << "300,004 bytes of files";
    const std::string shown = Shown("setup.exe", 0);
    for (const char* line : {"compression: LZMA, dictionary 512 KiB, ", "bytes unpack to 300004 ("})
        EXPECT_NE(shown.find(line), std::string::npos) << line << " in\n" << shown;
}

// A stub with a Windows program's headers, 32- or 64-bit: as the setup program does, show requires
// the package to start where the image ends and to end where a signature at the end of the file
// begins. Signing pads a program whose size is not a multiple of 8 before the signature.
TEST_F(Builder, ShowFindsThePackageBetweenTheImageAndASignatureAtTheEnd) {
    struct Row {
        bool wide, lengthOff;
        int table, gap, after;  // a signature of table bytes, gap bytes after the package; bytes after it
        const char* shown;
    } rows[] = {{true, false, 24, 0, 0, "signature: 24 bytes at offset "},
                {false, true, 0, 0, 0, ", the program's image ends at byte 1024\n"},
                {true, true, 16, 0, 0, ", the program's image ends at byte 1024\n"},
                {true, false, 16, 3, 0, "damaged: the package does not sit right in front of the signature: 3 bytes between"},
                {false, false, 16, 0, 5, ", not at the end of the file: the package is looked for at the end\n"}};
    for (const Row& row : rows) {
        std::string pe(0x400, '\0');
        pe.replace(0, 2, "MZ"), pe[0x3C] = 0x40, pe.replace(0x40, 4, std::string("PE\0\0", 4)), pe[0x46] = 1;
        pe[0x54] = static_cast<char>(0xF0), pe[0x58] = 0x0B, pe[0x59] = row.wide ? 2 : 1;  // the optional header
        const std::size_t directories = 0x58 + (row.wide ? 112 : 96);
        pe[directories - 4] = 16, pe[0x159] = pe[0x15D] = 2;  // 16 directories; 0x200 bytes at 0x200: the image ends at 1024
        Write("stub.exe", pe);
        Build("setup.exe");
        std::string program = Read("setup.exe") + std::string(static_cast<std::size_t>(row.gap), '\0');
        if (row.lengthOff) program[program.size() - 4] ^= 1;
        if (row.table > 0)
            program.replace(directories + 32, 8, LengthTrailer(static_cast<std::int32_t>(program.size())) + LengthTrailer(row.table)),
                program += std::string(static_cast<std::size_t>(row.table + row.after), 'S');
        Write("setup.exe", program);
        const std::string shown = Shown("setup.exe", row.lengthOff || row.gap || row.after ? 1 : 0);
        EXPECT_NE(shown.find(row.shown), std::string::npos) << row.shown << " in\n" << shown;
    }
    EXPECT_NE(Shown("stub.exe", 1).find("\nno package: the program ends where its image ends\n"), std::string::npos);
}

// The text with its "@", if any, replaced by the spelling.
std::string Spelled(std::string text, const std::string& spelling) {
    if (const auto at = text.find('@'); at != std::string::npos) text.replace(at, 1, spelling);
    return text;
}

// A description with "@" standing for each spelling, and the start of what the builder says.
struct Refusal {
    const char* text;
    const char* refusal;
    std::vector<const char*> spellings = {""};
};

// Whatever the setup program would refuse as damaged or end on is refused here, naming the line.
TEST(Description, RefusalsNameTheLineInEverySpelling) {
    const Refusal refusals[] = {
        {"[settings]\nprogram-name = 中文\n", "pkg.txt:2: the text has no Windows-1251 form: 中文"},
        {"[settings]\n\nfile-count = 3\n", "pkg.txt:3: 'file-count' is counted by the builder from the records"},
        {"[settings]\ncolour = 1\n", "pkg.txt:2: unknown setting 'colour'"},
        // Overlong ".", a surrogate, past U+10FFFF, cut short; an overlong line is quoted by 80 characters.
        {"[file]\npath = \xC0\xAE\xC0\xAE\\x\n", "pkg.txt:2: the text has no Windows-1251 form: \xC0\xAE\xC0\xAE\\x"},
        {"[settings]\nprogram-name = \xED\xA0\x80\xF4\x90\x80\x80\xD0\n", "pkg.txt:2: the text has no Windows-1251 form: \xED\xA0\x80\xF4\x90\x80\x80\xD0"},
        {"[settings]\naaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa = 1\n",
         "pkg.txt:2: unknown setting 'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa…'"},
        {"\xEF\xBB\xBF[settings]\n", "no error"},
        {"program-name = x\n", "pkg.txt:1: 'program-name' stands before any [section]"},
        {"[settings]\njust text\n", "pkg.txt:2: expected 'name = value' or a [section]"},
        {"[icons]\n", "pkg.txt:1: unknown section [icons]"},
        {"[registry]\nvalue = 1\n", "pkg.txt:2: unknown [registry] field 'value'"},
        {"[file]\nsource = a\n", "pkg.txt:1: the [file] has no path"},
        {"[file]\npath = a\n", "pkg.txt:1: the [file] has no source"},
        {"[file]\npath = x\nsource = none.bin\n", "pkg.txt:1: cannot read /base/none.bin: No such file or directory"},
        {"[file]\n\npath = sub/Con.txt\n", "pkg.txt:3: the path 'sub/Con.txt' names the device 'Con.txt'"},
        {"[shortcut]\nname = C:\\Ярлык\n", "pkg.txt:2: the shortcut name 'C:\\Ярлык' names a drive or a stream (':')"},
        {"[settings]\nprogram-group = \\Startup\n", "pkg.txt:2: the program group '\\Startup' starts at the root of a drive"},
        {"[registry]\nkey = K\nroot = hkey_current_user\n", "pkg.txt:3: the root 'hkey_current_user' is none of HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, "
         "HKEY_LOCAL_MACHINE, HKEY_USERS, HKEY_PERFORMANCE_DATA, HKEY_CURRENT_CONFIG, HKEY_DYN_DATA (letter case counts)"},
        {"[registry]\nkey = K\ntype = dword\n", "pkg.txt:3: the type 'dword' is none of String, Binary, DWORD (letter case counts)"},
        {"[registry]\nkey = K\n", "pkg.txt:1: the [registry] has no root"},
        {"[registry]\nroot = HKEY_USERS\nkey = K\ndata = 1\n", "pkg.txt:4: the data has no type (String, Binary, DWORD)"},
        {"[settings]\ntitle1-font-size = big\n", "pkg.txt:2: title1-font-size: 'big' is not a valid integer value"},
        {"[file]\npath = a\nattributes = rw\n", "pkg.txt:3: attributes: 'rw' is not a valid integer value"},
        {"[settings]\nlicence-file = /dev/zero\n", "pkg.txt:2: the licence file /dev/zero is not a file"},
        {"[settings]\nlicence-file = none.txt\n", "pkg.txt:2: the licence file /base/none.txt is not a file"},
        // Sub-folders in the group, DWORD data known only once placeholders are replaced, a key alone.
        {"[settings]\nprogram-group = Rodev\\Notes\ntitle2-charset = $CC\n[registry]\nroot = HKEY_USERS\nkey = K\n"
         "data = %ProgDr%\ntype = DWORD\n[registry]\nroot = HKEY_DYN_DATA\nkey = K\n", "no error"},
        // Each refusal in the spellings authors write, quoting the text as written.
        {"[file]\nsource = a\npath = @\n", "pkg.txt:3: the path '@' ", {"../x", "a\\..\\..\\b", "sub/.. /x", "...\\x",
            "C:x", "c:\\x", "x.txt:s", "/x", "\\\\server\\x", "nul", "Con.txt", "com1.log", "LPT9 .txt", "sub\\Aux.h"}},
        {"[shortcut]\nname = @\n", "pkg.txt:2: the shortcut name '@' ", {"..", "../Ярлык", "prn", "d:Ярлык", "/Ярлык"}},
        {"[settings]\nprogram-group = @\n", "pkg.txt:2: the program group '@' ", {"Rodev/../..", "Rodev\\lpt1", "D:Rodev", "/Rodev"}},
        {"[registry]\nroot = HKEY_USERS\nkey = @\n", "pkg.txt:1: the [registry] has no key", {"", "\\", "\\\\"}},
        {"[registry]\nroot = HKEY_USERS\nkey = K\ntype = DWORD\ndata = @\n", "pkg.txt:5: DWORD data: '@' is not a valid integer value",
         {"0x1F", "1,5", "- 1", "4294967295", "$"}},
        // Shifted by 128 these would become CR, LF and the end-of-text byte.
        {"[settings]\nlicence-text = a@\n", "pkg.txt:2: the licence text holds the character '@', which a package cannot store",
         {"Ќ", "Љ", "љ"}},
        {"[settings]\nuninstaller = @\n", "pkg.txt:2: 'uninstaller' is 1 (add Uninstall.exe) or 0", {"yes", "true", "2", ""}},
        // The system finds each of these as the uninstaller's file.
        {"[settings]\nuninstaller = 1\n[file]\nsource = a\npath = @\n", "pkg.txt:3: the package carries its own Uninstall.exe",
         {"Uninstall.exe", "uninstall.exe", "UNINSTALL.EXE", ".\\Uninstall.exe", "./uninstall.exe.", "Uninstall.exe. ."}},
        {"[settings]\nuninstaller = 1\n[file]\nsource = a\npath = @\n", "pkg.txt:3: cannot read /base/a: ",
         {"sub\\Uninstall.exe", "Uninstall.exe.bak", "Uninstall", "a..b", "CONFIG.SYS", "COM10"}},
        // A package for the user names nothing of the machine, wherever "install-for" stands.
        {"[settings]\ninstall-for = @\n", "pkg.txt:2: 'install-for' is machine (the default) or user", {"users", "Machine", ""}},
        {"[registry]\nroot = @\nkey = K\n[settings]\ninstall-for = user\ninstall-folder = %ProgFs%\\R\n", "pkg.txt:2: the "
         "root '@' is not the user's own: a package for the user writes only under HKEY_CURRENT_USER",
         {"HKEY_LOCAL_MACHINE", "HKEY_USERS", "HKEY_CLASSES_ROOT"}},
        {"[settings]\ninstall-for = user\ninstall-folder = %ProgFs%\\R\n[file]\nsource = a\npath = @\n", "pkg.txt:6: the path "
         "'@' lies in a folder of the machine (", {"%SysDir%\\x.dll", "%windir%\\x"}},
        {"[settings]\ninstall-for = user\ninstall-folder = %ProgFs%\\R\nuninstall-setting-3 = %WinDir%\n",
         "pkg.txt:4: uninstall-setting-3 '%WinDir%' lies in a folder of the machine (%WinDir%): a package for the user "
         "writes only in the user's own folders (%ProgFs% is the user's program folder)"},
        {"[settings]\ninstall-for = user\ninstall-folder = @\n", "pkg.txt:3: the install folder '@' ", {"%SysDir%\\R", "%ProgDr%\\R", ""}},
        {"[settings]\ninstall-for = user\n", "pkg.txt:2: the install folder '' means the default install folder, in the "
         "machine's Program Files"},
        // Its values under HKEY_CURRENT_USER, a program of the system to run.
        {"[settings]\ninstall-for = user\ninstall-folder = %progfs%\\R\nrun-at-end-program = %SysDir%\\notepad.exe\n"
         "[registry]\nroot = HKEY_CURRENT_USER\nkey = K\n", "no error"},
    };
    for (const auto& [text, refusal, spellings] : refusals) {
        for (const std::string spelling : spellings) {
            std::string error = "no error";
            try {
                PackageSource source = ParseDescription(Spelled(text, spelling), "pkg.txt", "/base", {"/base/Uninstall.exe", "/base/Uninstall.exe"});
                MeasureFiles(source, "pkg.txt");
            } catch (const DescriptionError& e) {
                error = e.what();
            }
            EXPECT_TRUE(error.starts_with(Spelled(refusal, spelling))) << error << "\n  for: " << spelling;
        }
    }
}

// A package for the user carries the mark in its seal and is built on the programs that ask for no
// administrator rights in their manifests; one for the machine stays as it always was, on those that
// ask for them.
TEST_F(Builder, PackageSaysWhomItInstallsForAndIsBuiltOnProgramsThatAskForTheRightsItNeeds) {
    const std::string description = Read("pkg.txt") + "[settings]\nuninstaller = 1\ninstall-folder = %ProgFs%\\R\n";
    const auto manifest = [](const char* level) { return std::string("<requestedExecutionLevel level=\"") + level + "\"/>"; };
    const struct {
        const char *line, *stub, *uninstaller, *refusal;
    } rows[] = {{"", "requireAdministrator", "requireAdministrator", ""},
                {"install-for = machine", "requireAdministrator", "requireAdministrator", ""},
                {"install-for = user", "asInvoker", "asInvoker", ""},
                {"install-for = machine", "asInvoker", "requireAdministrator", "stub.exe runs without administrator rights"},
                {"install-for = user", "requireAdministrator", "asInvoker", "stub.exe asks for requireAdministrator: a "
                 "package for the user needs the program that runs without administrator rights"},
                {"install-for = user", "asInvoker", "requireAdministrator", "un.exe asks for requireAdministrator"}};
    std::string plain;  // the package without the line, byte for byte one for the machine
    for (const auto& row : rows) {
        Write("pkg.txt", description + row.line + "\n"), Write("stub.exe", "MZ" + manifest(row.stub));
        Write("un.exe", manifest(row.uninstaller));
        std::string error;
        try {
            BuildSetupProgram(ReadDescription(Path("pkg.txt"), {Path("un.exe"), Path("un.exe")}), Path("stub.exe"),
                              Path("setup.exe"));
        } catch (const std::runtime_error& e) {
            error = e.what();
        }
        EXPECT_EQ(error.empty(), !*row.refusal) << error;
        EXPECT_NE(error.find(row.refusal), std::string::npos) << error;
        if (!error.empty()) continue;
        const std::string package = Read("setup.exe").substr(Read("stub.exe").size());
        const bool forUser = row.line == std::string("install-for = user");
        EXPECT_EQ(ReadSeal(package).forUser, forUser);
        if (!*row.line) plain = package;
        EXPECT_EQ(package == plain, !forUser) << row.line;
        EXPECT_NE(Shown("setup.exe", 0).find(std::string("\ninstall for: ") + (forUser ? "user" : "machine") +
                                            " (the program asks for " + row.stub + ")\n"), std::string::npos);
    }
}

TEST_F(Builder, OutputNamingAnInputIsRefusedAndAFailedBuildLeavesTheOldOutput) {
    for (const char* input : {"stub.exe", "pkg.txt", "licence.txt", "files/a.bin", "files/../stub.exe"}) {
        const std::string before = Read(input);
        EXPECT_THROW(Build(input), std::runtime_error) << input;
        EXPECT_EQ(Read(input), before) << input;
    }
    Write("setup.exe", "old");
    const PackageSource source = ReadDescription(Path("pkg.txt"));
    fs::remove(dir_ / "files/a.bin");
    EXPECT_THROW(BuildSetupProgram(source, Path("stub.exe"), Path("setup.exe")), std::runtime_error);
    EXPECT_EQ(Read("setup.exe"), "old");
    EXPECT_FALSE(fs::exists(dir_ / "setup.exe.partial"));
}

}  // namespace
