// The whole install run: steps in order, status texts, pauses, the uninstall entry, stopping.
#include "engine/install_run.h"

#include "engine/engine_texts.h"
#include "engine/folders.h"
#include "engine/uninstall_record.h"
#include "tests/engine/engine_fixture.h"

namespace {

class InstallRun : public EngineTest {
protected:
    InstallRun() {
        package_.AddFile("bin\\app.exe", "app");
        package_.AddFile("Uninstall.exe", std::string(140000, 'u'));  // copied in three pieces
        package_.AddRegistry("HKEY_CURRENT_USER", key_.Path(), "Path", "%ProgDr%\\bin\\app.exe", "String");
        package_.AddShortcut(engine_text::kDesktopPlace, "App", "bin\\app.exe");
        StringList& settings = package_.data.MainSettings;
        settings[setting::kWriteUninstall] = "1", settings[setting::kUninstallName] = entry_;
        settings[setting::kRunApp] = "bin\\app.exe";
    }
    ~InstallRun() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, Wide(UninstallKeyPath(entry_)).c_str()); }

    ScratchFolder desktopFolder_{scratch_.Path()};
    ShellFolderOverride desktop_{"Desktop", desktopFolder_.Path().substr(0, desktopFolder_.Path().size() - 1)};
    ScratchKey key_{HKEY_CURRENT_USER, "Software\\"};
    std::string entry_ = "Редактор RodevTest-" + std::to_string(GetCurrentProcessId());
};

TEST_F(InstallRun, EveryStepRunsInOrderWithItsStatusAndPauseThenTheWizardMovesOn) {
    WriteFileBytes(Installed("Uninstall.ini"), std::string(4000, 'x'));  // from an earlier install
    Do(RunInstall);
    // The page is painted before the first file; each file shows its name and advances the bar, and
    // messages are handled between the pieces of a larger file too.
    EXPECT_EQ(view_.events, (StringList{"messages", "pause 150", "messages", "bar 228", "app.exe", "messages",
        "messages", "messages", "bar 456", "Uninstall.exe", "messages", "Добавление данных в реестр...", "pause 150", "Создание ярлыков...",
        "pause 150", "Информация для удаления...", "pause 150", "Удаление *.tmp", "Готово", "pause 150", "finish"}));
    EXPECT_FALSE(FileExists(copyPath_));
    EXPECT_EQ(ListFiles(install_.Path()), "Uninstall.exe Uninstall.ini bin\\app.exe");
    EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, key_.Path(), "Path")->data, Installed("bin\\app.exe") + '\0');
    EXPECT_EQ(state_.CreatedLinks, StringList{desktopFolder_ / "App.lnk"});
    // The uninstall record replaces the earlier one and lists the link this run made.
    const std::string record = ReadFileBytes(Installed("Uninstall.ini"));
    EXPECT_EQ(record.substr(0, 12) + record.substr(record.find("[Links]")),
              "[Settings]\r\n[Links]\r\n" + desktopFolder_ / "App.lnk\r\n[End]\r\n");
    // The list of installed programs: the commands, the folder, 140,003 bytes as 137 KiB, and the icon.
    const std::string uninstaller = "\"" + install_.Path() + "Uninstall.exe\"";
    const std::tuple<const char*, DWORD, std::string> values[] = {{"DisplayName", REG_SZ, entry_ + '\0'},
        {"UninstallString", REG_SZ, uninstaller + '\0'}, {"QuietUninstallString", REG_SZ, uninstaller + " /S" + '\0'},
        {"InstallLocation", REG_SZ, install_.Path() + '\0'}, {"DisplayIcon", REG_SZ, Installed("bin\\app.exe") + '\0'},
        {"EstimatedSize", REG_DWORD, {"\x89\0\0\0", 4}}, {"NoModify", REG_DWORD, {"\1\0\0\0", 4}},
        {"NoRepair", REG_DWORD, {"\1\0\0\0", 4}}};
    for (const auto& [name, type, data] : values) {
        const RegValue value = ReadRegValue(HKEY_LOCAL_MACHINE, UninstallKeyPath(entry_), name).value_or(RegValue{});
        EXPECT_EQ(std::pair(value.type, value.data), std::pair(type, data)) << name;
    }
}

// Uninstall.ini stays in Windows-1251, byte for byte as uninstallers have always read it, unless a
// letter of its text has no form there (the user's folder): then it is UTF-8 behind a byte-order mark.
TEST_F(InstallRun, UninstallRecordIsWindows1251WhereItsTextFitsOtherwiseUtf8WithAByteOrderMark) {
    const std::tuple<std::string, std::string, std::string> rows[] = {
        // The folder; the record's start and its line for bin\app.exe, as stored.
        {"Программы\\Проверка\\", "[Settings]\r\n2\r\n\xD2\xE5\xF1\xF2\r\n",
         "\\\xCF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xFB\\\xCF\xF0\xEE\xE2\xE5\xF0\xEA\xE0\\bin\\app.exe\r\n"},
        {"Программы Müller\\Проверка\\", "\xEF\xBB\xBF[Settings]\r\n2\r\nТест\r\n",
         "\\Программы Müller\\Проверка\\bin\\app.exe\r\n"}};
    for (const auto& [folder, start, line] : rows) {
        view_.folder = Installed(folder);
        ASSERT_TRUE(CreateFolderPath(view_.folder));
        Do(WriteUninstallRecord);
        const std::string record = ReadFileBytes(view_.folder + "Uninstall.ini");
        EXPECT_EQ(record.substr(0, start.size()), start) << folder;
        EXPECT_NE(record.find(line), std::string::npos) << folder;
    }
}

// The close question answered "Yes" during a round of messages: the run ends before the next file
// or step, or inside a file, and puts back what it wrote; it keeps the package copy, and the wizard
// does not move on.
class StoppedRun : public InstallRun, public testing::WithParamInterface<std::pair<int, const char*>> {};

TEST_P(StoppedRun, EndsAtTheNextFileOrStepPuttingBackWhatItWrote) {
    view_.stopAtRound = GetParam().first;
    Do(RunInstall);
    EXPECT_EQ(ListFiles(install_.Path()), "");
    EXPECT_EQ(view_.events.back(), GetParam().second);
    EXPECT_FALSE(ReadRegValue(HKEY_CURRENT_USER, key_.Path(), "Path"));
    EXPECT_TRUE(FileExists(copyPath_));
}

INSTANTIATE_TEST_SUITE_P(Rounds, StoppedRun, testing::Values(
    std::pair(1, "messages"),  // while the page is painted, before anything is written
    std::pair(3, "undone"),    // after the first file
    std::pair(5, "undone"),    // inside the last file
    std::pair(6, "undone")));  // after the last file

// Version 2 over version 1, ending before it completes: stopped inside a file, cancelled at a file
// another program holds, or failing at a folder in its way. Everything is put back: the files it
// replaced (byte for byte, with their attributes) and made, the registry values, the link, both
// uninstall entries and Uninstall.ini. Retry once the program has let go completes the update,
// and nothing of the kept files is left; the entry of version 1 goes then.
TEST_F(InstallRun, AnUpdateThatEndsEarlyLeavesTheEarlierInstallationAsItWas) {
    Do(RunInstall);
    WriteFileBytes(Installed("user.txt"), "mine");
    CreateFolderPath(Installed("way.txt\\"));
    SetFileAttributesW(Wide(Installed("bin\\app.exe")).c_str(), FILE_ATTRIBUTE_HIDDEN);
    const std::string entry2 = entry_ + " 2";
    const auto snapshot = [&] {
        std::string values;
        for (const std::string& entry : {entry_, entry2})
            values += ReadRegValue(HKEY_LOCAL_MACHINE, UninstallKeyPath(entry), "DisplayName").value_or(RegValue{}).data;
        return DescribeTree(install_.Path()) + DescribeTree(desktopFolder_.Path()) + values +
               ReadRegValue(HKEY_CURRENT_USER, key_.Path(), "Path")->data;
    };
    const std::string before = snapshot();
    package_.payload = "APP" + std::string(140000, 'U');
    package_.data.RegistryEntries[3] = "2";
    package_.data.MainSettings[setting::kUninstallName] = entry2;
    package_.AddFile("new.txt", "new");
    const struct {
        const char* held;  // a file another program holds, or "way.txt", a folder where a file goes
        std::vector<FileInUseAnswer> answers;
        int stopAtRound;
        const char* lastEvent;
    } endings[] = {
        {"", {}, 5, "undone"},
        {"Uninstall.exe", {}, 0, "undone"},
        {"Uninstall.ini", {}, 0, "undone"},
        {"way.txt", {}, 0, "undone"},
        {"Uninstall.exe", {FileInUseAnswer::Retry}, 0, "finish"},
    };
    for (const auto& ending : endings) {
        SCOPED_TRACE(ending.held);
        view_.events.clear(), view_.rounds = 0, view_.stop = false, view_.stopAtRound = ending.stopAtRound;
        view_.answers = ending.answers;
        state_ = InstallState();
        const std::string name = ending.held;
        HANDLE held = name.find('.') == std::string::npos || name == "way.txt" ? INVALID_HANDLE_VALUE
            : CreateFileW(Wide(Installed(name)).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        view_.onInUse = [&] { CloseHandle(held), held = INVALID_HANDLE_VALUE; };
        if (name == "way.txt") {
            package_.AddFile("way.txt", "");
            EXPECT_FAILURE(Do(RunInstall), "FileCreateError", "Cannot create file " + Installed("way.txt"));
            package_.data.FileEntries.resize(package_.data.FileEntries.size() - 3);
            package_.data.MainSettings[setting::kFileCount] = "3";
        } else {
            Do(RunInstall);
            if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        }
        EXPECT_EQ(view_.events.back(), ending.lastEvent);
        if (view_.events.back() == "undone") EXPECT_EQ(snapshot(), before);
    }
    EXPECT_EQ(ReadFileBytes(Installed("bin\\app.exe")) + ReadFileBytes(Installed("new.txt")), "APPnew");
    EXPECT_EQ(ListFiles(install_.Path()), "Uninstall.exe Uninstall.ini bin\\app.exe new.txt user.txt");
    EXPECT_FALSE(ReadRegValue(HKEY_LOCAL_MACHINE, UninstallKeyPath(entry_), "DisplayName"));
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, Wide(UninstallKeyPath(entry2)).c_str());
}

// Without an entry name the values would land on the list of installed programs itself.
TEST_F(InstallRun, UninstallRecordWithoutAnEntryNameLeavesTheInstalledListAlone) {
    package_.data.MainSettings[setting::kUninstallName] = "";
    Do(WriteUninstallRecord);
    EXPECT_FALSE(ReadRegValue(HKEY_LOCAL_MACHINE, UninstallKeyPath(""), "UninstallString"));
    EXPECT_TRUE(FileExists(Installed("Uninstall.ini")));
}

}  // namespace
