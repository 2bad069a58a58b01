#include "tools/builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "package/package_text.h"
#include "tools/cp1251.h"

namespace {

namespace fs = std::filesystem;

class Builder : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir_ / "files");
        Write("stub.exe", "MZstub"), Write("files/a.bin", "AAAA"), Write("files/empty.txt", "");
        Write("licence.txt", "Первая строка\nВторая строка\n");
        Write("pkg.txt", "[settings]\nprogram-name = Редактор\nlicence-file = licence.txt\n"
                         "[registry]\nroot = HKEY_CURRENT_USER\nkey = Software\\Rodev\nname = Path\ndata = 1\ntype = String\n"
                         "[file]\npath = a.bin\nsource = files/a.bin\n"
                         "[file]\npath = sub\\empty.txt\nsource = files/empty.txt\nattributes = 33\n");
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Write(const std::string& name, const std::string& bytes) { std::ofstream(dir_ / name, std::ios::binary) << bytes; }
    std::string Read(const std::string& name) {
        std::ostringstream s;
        s << std::ifstream(dir_ / name, std::ios::binary).rdbuf();
        return s.str();
    }
    std::string Path(const std::string& name) { return (dir_ / name).string(); }
    // What "setup-pack show" prints, after checking its exit code.
    std::string Show(const std::string& name, int expected) {
        std::ostringstream out;
        EXPECT_EQ(ShowSetupProgram(Path(name), out), expected);
        return out.str();
    }
    void Build(const std::string& output) { BuildSetupProgram(ReadDescription(Path("pkg.txt")), Path("stub.exe"), Path(output)); }

    fs::path dir_ = fs::temp_directory_path() / ("builder-test-" + std::to_string(::getpid()));
};

TEST_F(Builder, SetupProgramIsTheStubFollowedByThePackageThatShowListsBack) {
    Build("setup.exe");
    const std::string program = Read("setup.exe"), package = program.substr(6);
    ASSERT_EQ(program.substr(0, 6), "MZstub");
    EXPECT_EQ(package.substr(package.size() - 4), std::string({static_cast<char>(package.size() & 0xFF), static_cast<char>(package.size() >> 8), 0, 0}));
    PackageData data;
    StringSource source(std::string_view(package).substr(0, package.size() - 4));
    ASSERT_EQ(ReadPackageText(source, data), "");
    EXPECT_EQ(data.LicenceText, *Utf8ToCp1251("Первая строка\r\nВторая строка\r\n"));
    EXPECT_EQ(data.RegistryEntries.size(), 5u);
    EXPECT_EQ(data.FileEntries, (StringList{"a.bin", "4", "32", "sub\\empty.txt", "0", "33"}));
    EXPECT_EQ(package.substr(data.PayloadOffset), "AAAA" + package.substr(package.size() - 4));

    const std::string shown = Show("setup.exe", 0);  // in UTF-8 again
    for (const char* line : {"28  program-name = \"Редактор\"", "57  file-count = \"2\"", "2: \"sub\\empty.txt\"",
                             "1: root=\"HKEY_CURRENT_USER\" key=\"Software\\Rodev\"", "size 4 attributes 32", "layout: sound"})
        EXPECT_NE(shown.find(line), std::string::npos) << line << " in\n" << shown;
}

TEST_F(Builder, ShowReportsADamagedSetupProgram) {
    Build("setup.exe");
    const std::string program = Read("setup.exe");
    // One payload byte cut out: the sizes no longer fit, and the length points into the stub.
    Write("cut.exe", program.substr(0, program.size() - 5) + program.substr(program.size() - 4));
    Write("long.exe", "MZ" + std::string("\xFF\x00\x00\x00", 4));
    Write("tiny.exe", "M");
    const std::pair<const char*, const char*> rows[] = {{"cut.exe", "damaged: "},
                                                        {"long.exe", "damaged: the stored package length 255"},
                                                        {"tiny.exe", "damaged"},
                                                        {"missing.exe", "damaged: cannot read"}};
    for (const auto& [name, report] : rows) EXPECT_NE(Show(name, 1).find(report), std::string::npos) << name;
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
