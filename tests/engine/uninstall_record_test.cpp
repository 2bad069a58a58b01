// The installation registered in the system's list of installed programs, and Uninstall.ini.
#include "engine/uninstall_record.h"
#include "runtime/text_file.h"

#include "engine/registry_read.h"
#include "runtime/errors.h"
#include "tests/engine/engine_fixture.h"

namespace {

class UninstallRecord : public EngineTest {
protected:
    UninstallRecord() {
        package_.data.MainSettings[setting::kProgramName] = "Редактор";
        package_.data.MainSettings[setting::kUninstallName] = entry_;
        package_.data.MainSettings[setting::kWriteUninstall] = "1";
        package_.data.MainSettings[setting::kUninstallSetting3] = "%ProgDr%";
    }
    ~UninstallRecord() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, UninstallKeyPath(entry_).c_str()); }
    void Write() {
        Installation run = Run();
        WriteUninstallRecord(run);
    }
    std::string Value(const std::string& name) {
        const auto value = ReadRegValue(HKEY_LOCAL_MACHINE, UninstallKeyPath(entry_), name);
        return value ? value->data : "<missing>";
    }

    std::string entry_ = "Редактор RodevTest-" + std::to_string(GetCurrentProcessId());
};

TEST_F(UninstallRecord, ProgramAppearsInTheInstalledListWithItsCommandsFolderSizeAndIcon) {
    view_.folder = install_ / "Мои программы";
    CreateDirectoryA(view_.folder.c_str(), nullptr);
    package_.AddFile("a.txt", "a");
    package_.AddFile("bin\\notes.exe", std::string(1024, 'n'));  // 1025 bytes: 2 KiB
    package_.data.MainSettings[setting::kRunApp] = "bin\\notes.exe";
    Write();
    const std::string folder = install_ / "Мои программы\\", uninstaller = "\"" + folder + "Uninstall.exe\"";
    const std::string one("\1\0\0\0", 4);
    const std::pair<const char*, std::string> values[] = {
        {"DisplayName", entry_ + '\0'}, {"UninstallString", uninstaller + '\0'},
        {"QuietUninstallString", uninstaller + " /S" + '\0'}, {"InstallLocation", folder + '\0'},
        {"EstimatedSize", std::string("\2\0\0\0", 4)}, {"NoModify", one}, {"NoRepair", one},
        {"DisplayIcon", folder + "bin\\notes.exe" + '\0'}};
    for (const auto& [name, data] : values) EXPECT_EQ(Value(name), data) << name;
    for (const char* name : {"EstimatedSize", "NoModify", "NoRepair"})
        EXPECT_EQ(ReadRegValue(HKEY_LOCAL_MACHINE, UninstallKeyPath(entry_), name)->type, DWORD{REG_DWORD}) << name;
    EXPECT_EQ(view_.folder, folder);

    package_.data.MainSettings[setting::kRunApp] = "";
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, UninstallKeyPath(entry_).c_str());
    Write();
    EXPECT_EQ(Value("DisplayIcon"), "<missing>") << "a package that starts no program has no icon of its own";
}

TEST_F(UninstallRecord, RecordListsWhatThisRunInstalled) {
    package_.AddFile("Uninstall.exe", "u");
    package_.AddFile("sub\\a.txt", "a");
    package_.AddRegistry("HKEY_CURRENT_USER", "Software\\Rodev", "Path", "%ProgDr%", "String");
    package_.data.MainSettings[setting::kWriteRegistry] = "0";  // listed even when the values were not written
    state_.CreatedLinks = {"C:\\Desk\\Редактор.lnk"};
    Write();
    const std::string folder = install_.Path();
    EXPECT_EQ(ReadFileBytes(Installed("Uninstall.ini")),
              "[Settings]\r\n2\r\nРедактор\r\n\r\n\r\n" + folder.substr(0, folder.size() - 1) + "\r\n\r\n1\r\n1\r\n"
              "[Files]\r\n" + folder + "Uninstall.exe\r\n" + folder + "sub\\a.txt\r\n"
              "[Regs]\r\nHKEY_CURRENT_USER\r\nSoftware\\Rodev\r\nPath\r\n"
              "[RegsKeyUn]\r\n" + entry_ + "\r\n[Links]\r\nC:\\Desk\\Редактор.lnk\r\n[End]\r\n");
}

TEST_F(UninstallRecord, SecondInstallReplacesTheRecordEntirely) {
    WriteFileBytes(Installed("Uninstall.ini"), std::string(4000, 'x'));
    Write();
    const std::string first = ReadFileBytes(Installed("Uninstall.ini"));
    EXPECT_EQ(first.substr(0, 12), "[Settings]\r\n");
    EXPECT_EQ(first.substr(first.size() - 7), "[End]\r\n");
    state_.CreatedLinks = {"C:\\L.lnk"};
    Write();
    EXPECT_NE(ReadFileBytes(Installed("Uninstall.ini")).find("[Links]\r\nC:\\L.lnk\r\n[End]\r\n"), std::string::npos);
}

TEST_F(UninstallRecord, RecordThatCannotBeWrittenNamesTheCause) {
    CreateDirectoryA(Installed("Uninstall.ini").c_str(), nullptr);  // in the way of the file
    Installation run = Run();
    EXPECT_FAILURE(WriteUninstallRecord(run), "InOutError", "File access denied");
    view_.folder = install_ / "missing\\";
    EXPECT_FAILURE(WriteUninstallRecord(run), "InOutError", "Path not found");
}

TEST_F(UninstallRecord, PackageWithoutAnEntryNameLeavesTheInstalledListAlone) {
    package_.data.MainSettings[setting::kUninstallName] = "";
    const std::string uninstallKey = UninstallKeyPath("");
    Write();
    EXPECT_FALSE(ReadRegValue(HKEY_LOCAL_MACHINE, uninstallKey, "DisplayName"));
    EXPECT_FALSE(ReadRegValue(HKEY_LOCAL_MACHINE, uninstallKey, "UninstallString"));
    EXPECT_TRUE(FileExists(Installed("Uninstall.ini")));
}

TEST(InOutErrors, CommonCausesAreNamedAndOthersNumbered) {
    EXPECT_EQ(InOutErrorText(ERROR_FILE_NOT_FOUND), "File not found");
    EXPECT_EQ(InOutErrorText(ERROR_ACCESS_DENIED), "File access denied");
    EXPECT_EQ(InOutErrorText(ERROR_DISK_FULL), "Disk full");
    EXPECT_EQ(InOutErrorText(ERROR_SHARING_VIOLATION), "I/O error 32");
}

}  // namespace
