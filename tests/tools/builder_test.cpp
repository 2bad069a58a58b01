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
        dir_ = fs::temp_directory_path() / ("builder-test-" + std::to_string(::getpid()));
        fs::create_directories(dir_ / "files");
        Write("stub.exe", "MZstub");
        Write("files/a.bin", "AAAA");
        Write("files/empty.txt", "");
        Write("licence.txt", "Первая строка\nВторая строка\n");
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    std::string ReadBytes(const std::string& name) {
        std::ifstream in(dir_ / name, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string Path(const std::string& name) { return (dir_ / name).string(); }
    std::string Show(const std::string& name, int expected) {
        std::ostringstream out;
        EXPECT_EQ(ShowSetupProgram(Path(name), out), expected);
        return out.str();
    }

    fs::path dir_;
};

const char* kDescription =
    "[settings]\n"
    "program-name = Редактор\n"
    "licence-file = licence.txt\n"
    "[registry]\nroot = HKEY_CURRENT_USER\nkey = Software\\Rodev\nname = Path\ndata = %ProgDr%\ntype = String\n"
    "[file]\npath = a.bin\nsource = files/a.bin\n"
    "[file]\npath = sub\\empty.txt\nsource = files/empty.txt\nattributes = 33\n";

TEST_F(Builder, SetupProgramIsTheStubFollowedByThePackage) {
    Write("pkg.txt", kDescription);
    BuildSetupProgram(ReadDescription(Path("pkg.txt")), Path("stub.exe"), Path("setup.exe"));
    const std::string program = ReadBytes("setup.exe");
    ASSERT_EQ(program.substr(0, 6), "MZstub");
    const std::string package = program.substr(6);
    const auto length = static_cast<std::uint32_t>(static_cast<unsigned char>(package[package.size() - 4]) |
                                                   static_cast<unsigned char>(package[package.size() - 3]) << 8);
    EXPECT_EQ(length, package.size());

    PackageData data;
    StringSource source(std::string_view(package).substr(0, package.size() - 4));
    ReadPackageText(source, data);
    EXPECT_EQ(data.MainSettings[setting::kFileCount], "2");
    EXPECT_EQ(data.MainSettings[setting::kRegistryCount], "1");
    EXPECT_EQ(data.MainSettings[setting::kShortcutCount], "0");
    EXPECT_EQ(data.LicenceText, *Utf8ToCp1251("Первая строка\r\nВторая строка\r\n"));
    EXPECT_EQ(data.FileEntries, (StringList{"a.bin", "4", "32", "sub\\empty.txt", "0", "33"}));
    EXPECT_EQ(package.substr(data.PayloadOffset, 4), "AAAA");
    EXPECT_EQ(static_cast<std::int64_t>(package.size()), data.PayloadOffset + 4 + 4);
}

TEST_F(Builder, ShowListsWhatTheDescriptionSaid) {
    Write("pkg.txt", kDescription);
    BuildSetupProgram(ReadDescription(Path("pkg.txt")), Path("stub.exe"), Path("setup.exe"));
    const std::string shown = Show("setup.exe", 0);
    // The listing is UTF-8 again.
    EXPECT_NE(shown.find("28  program-name = \"Редактор\""), std::string::npos) << shown;
    EXPECT_NE(shown.find("57  file-count = \"2\""), std::string::npos);
    EXPECT_NE(shown.find("1: root=\"HKEY_CURRENT_USER\" key=\"Software\\Rodev\""), std::string::npos);
    EXPECT_NE(shown.find("1: \"a.bin\" offset "), std::string::npos);
    EXPECT_NE(shown.find("size 4 attributes 32"), std::string::npos);
    EXPECT_NE(shown.find("2: \"sub\\empty.txt\""), std::string::npos);
    EXPECT_NE(shown.find("layout: sound"), std::string::npos);
}

TEST_F(Builder, ShowReportsADamagedSetupProgram) {
    Write("pkg.txt", kDescription);
    BuildSetupProgram(ReadDescription(Path("pkg.txt")), Path("stub.exe"), Path("setup.exe"));
    const std::string program = ReadBytes("setup.exe");

    // Cut out one payload byte: the sizes no longer fit, and the length points into the stub.
    Write("cut.exe", program.substr(0, program.size() - 5) + program.substr(program.size() - 4));
    EXPECT_NE(Show("cut.exe", 1).find("damaged: "), std::string::npos);
    // A length larger than the file.
    Write("long.exe", "MZ" + std::string("\xFF\x00\x00\x00", 4));
    EXPECT_NE(Show("long.exe", 1).find("damaged: the stored package length 255"), std::string::npos);
    Write("tiny.exe", "M");
    EXPECT_NE(Show("tiny.exe", 1).find("damaged"), std::string::npos);
    EXPECT_NE(Show("missing.exe", 1).find("damaged: cannot read"), std::string::npos);
}

TEST_F(Builder, OutputNamingAnInputIsRefusedAndAFailedBuildLeavesTheOldOutput) {
    Write("pkg.txt", kDescription);
    const PackageSource source = ReadDescription(Path("pkg.txt"));
    for (const char* input : {"stub.exe", "pkg.txt", "licence.txt", "files/a.bin", "files/../stub.exe"}) {
        const std::string before = ReadBytes(input);
        EXPECT_THROW(BuildSetupProgram(source, Path("stub.exe"), Path(input)), std::runtime_error) << input;
        EXPECT_EQ(ReadBytes(input), before) << input;
    }
    Write("setup.exe", "old");
    fs::remove(dir_ / "files/a.bin");
    EXPECT_THROW(BuildSetupProgram(source, Path("stub.exe"), Path("setup.exe")), std::runtime_error);
    EXPECT_EQ(ReadBytes("setup.exe"), "old");
    EXPECT_FALSE(fs::exists(dir_ / "setup.exe.partial"));
}

TEST_F(Builder, MissingFileIsRefusedNamingTheDescriptionLine) {
    Write("pkg.txt", "[file]\npath = x\nsource = files/none.bin\n");
    try {
        ReadDescription(Path("pkg.txt"));
        FAIL();
    } catch (const DescriptionError& error) {
        EXPECT_NE(std::string(error.what()).find("pkg.txt:1: cannot read"), std::string::npos) << error.what();
    }
}

}  // namespace
