// A real installation made by the engine, removed by the real Uninstall.exe as a user or an
// administrator starts it.
#include <regex>

#include "engine/engine_texts.h"
#include "engine/folders.h"
#include "engine/install_run.h"
#include "engine/uninstall_record.h"
#include "runtime/unicode.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/child_program.h"
#include "uninstaller/uninstall_plan.h"

namespace {

bool KeyExists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    return RegOpenKeyExW(root, Wide(path).c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS && RegCloseKey(key) == ERROR_SUCCESS;
}

// A file with its folders.
void MakeFile(const std::string& path, const std::string& bytes = "") {
    CreateFolderPath(FolderPart(path));
    WriteFileBytes(path, bytes);
}

class Uninstaller : public EngineTest {
protected:
    Uninstaller() {
        StringList& settings = package_.data.MainSettings;
        settings[setting::kProgramName] = "Редактор";
        settings[setting::kUninstallName] = entry_;
        settings[setting::kWriteUninstall] = settings[setting::kUninstallSetting1] = "1";
        settings[setting::kProgramGroup] = group_.Path().substr(GetProgramsDir().size() + 1) + "Группа";
        package_.AddFile("Uninstall.exe", ReadFileBytes(WindowsPath(UNINSTALLER_PROGRAM)));
        package_.AddFile("notes.exe", "app");
        package_.AddFile("docs\\Справка.txt", "help", "33");  // read-only
        package_.AddRegistry("HKEY_CURRENT_USER", key_.Path(), "Path", "%ProgDr%", "String");
        package_.AddShortcut(engine_text::kProgramsPlace, "Редактор", "notes.exe");
        package_.AddShortcut(engine_text::kDesktopPlace, "Редактор", "notes.exe");
        Do(RunInstall);
    }
    ~Uninstaller() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, UninstallKeyPath(entry_).c_str()); }

    // The install folder, the program group, the desktop ("-" when gone), then the registry.
    std::string Left() {
        std::string left;
        for (const std::string& folder : {install_.Path(), group_.Path(), desktopFolder_.Path()})
            left += FolderExists(folder) ? "[" + ListFiles(folder) + "] " : "- ";
        if (KeyExists(HKEY_CURRENT_USER, key_.Path())) left += "value ";
        return left + (KeyExists(HKEY_LOCAL_MACHINE, UninstallKeyPath(entry_)) ? "entry" : "");
    }
    // The uninstaller as its copy runs: given the install folder.
    const ChildProgram& Start(const std::string& options = "") {
        const std::string folder = install_.Path().substr(0, install_.Path().size() - 1);
        return child_.emplace(WindowsPath(UNINSTALLER_PROGRAM), temp_.Path(), "\"" + folder + "\" " + options);
    }
    MessageBoxSeen NextBox() { return child_->WaitForMessageBox(kTimeout).value_or(MessageBoxSeen{}); }

    ScratchFolder temp_, desktopFolder_{scratch_.Path()}, group_{GetProgramsDir() + "\\"};
    ShellFolderOverride desktop_{"Desktop", desktopFolder_.Path().substr(0, desktopFolder_.Path().size() - 1)};
    ScratchKey key_{HKEY_CURRENT_USER, "Software\\"};
    std::string entry_ = "RodevTest-" + std::to_string(GetCurrentProcessId());
    std::optional<ChildProgram> child_;
};

TEST_F(Uninstaller, AnsweringYesRemovesWhatWasInstalledButNotTheUsersFilesAndReportsWhatIsInUse) {
    WriteFileBytes(Installed("docs\\мои заметки.txt"), "the user's own");
    const HANDLE running = CreateFileA(Installed("notes.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, 0, nullptr);
    Start();
    const MessageBoxSeen question = NextBox();
    EXPECT_EQ(question.caption, "Удаление - Редактор");
    EXPECT_EQ(question.text, "Удалить программу «Редактор» и все её компоненты с компьютера?");
    PressButton(question.window, IDYES);
    while (IsWindow(question.window)) Sleep(50);
    const MessageBoxSeen report = NextBox();
    EXPECT_EQ(report.text, "Не удалось удалить:\r\n" + Installed("notes.exe") + " (файл занят другой программой)");
    PressButton(report.window, IDOK);
    EXPECT_EQ(child_->WaitForExit(kTimeout), 1u);
    CloseHandle(running);
    // The desktop itself stays, though its last link went.
    EXPECT_EQ(Left(), "[docs\\мои заметки.txt notes.exe] - [] ");
}

// Version 2 over version 1 drops a file, adds one and changes a registry value: the uninstaller then
// removes what either version installed, and the user's own file stays.
TEST_F(Uninstaller, AfterAnUpdateRemovesWhatEitherVersionInstalled) {
    WriteFileBytes(Installed("мой.txt"), "mine");
    package_.data.FileEntries.resize(6);
    package_.payload.resize(package_.payload.size() - 4);  // without docs\Справка.txt
    package_.data.MainSettings[setting::kFileCount] = "2";
    package_.AddFile("new.txt", "new");
    package_.data.RegistryEntries[3] = "2";
    state_ = InstallState();
    Do(RunInstall);
    EXPECT_EQ(ListFiles(install_.Path()), "Uninstall.exe Uninstall.ini docs\\Справка.txt new.txt notes.exe мой.txt");
    EXPECT_EQ(Start("/S").WaitForExit(kTimeout), 0u);
    EXPECT_EQ(Left(), "[мой.txt] - [] ");
}

TEST_F(Uninstaller, AnsweringNoOrADamagedRecordRemovesNothing) {
    const std::string before = Left();
    Start();
    PressButton(NextBox().window, IDNO);
    EXPECT_EQ(child_->WaitForExit(kTimeout), 2u);

    const std::string record = ReadFileBytes(Installed("Uninstall.ini"));
    WriteFileBytes(Installed("Uninstall.ini"), record.substr(0, record.size() - 7));  // without "[End]"
    Start();
    const MessageBoxSeen box = NextBox();
    EXPECT_EQ(box.text, "Сведения об установке в файле\r\n" + Installed("Uninstall.ini") +
                            "\r\nнельзя использовать: нет строки [End], файл оборван.\r\n\r\nНичего не удалено.");
    PressButton(box.window, IDOK);
    EXPECT_EQ(child_->WaitForExit(kTimeout), 3u);
    EXPECT_EQ(Start("/S").WaitForExit(kTimeout), 3u);
    EXPECT_EQ(Left(), before);
}

// Records the test lays out an installation for, then removes with Uninstall.exe started from the
// install folder, as the list of installed programs starts it.
struct RecordRow {
    const char* name;
    const char* file;        // in tests/uninstaller/data, see its README
    bool utf8;               // else Windows-1251
    const char* folder;      // the install folder, ending in "\"
    const char* movedRoot;   // where the record puts it, replaced by a scratch folder; nothing: it stays
    const char* program;     // the program's name in the record
};

void PrintTo(const RecordRow& row, std::ostream* out) { *out << row.name; }

class RecordedInstallation : public testing::TestWithParam<RecordRow> {
protected:
    ScratchFolder temp_, scratch_;
};

TEST_P(RecordedInstallation, IsRemovedWithNothingItListsLeftBehind) {
    const RecordRow& row = GetParam();
    std::string record = ReadFileBytes(WindowsPath(UNINSTALLER_TEST_DATA "/") + row.file), folder = row.folder;
    if (row.movedRoot) {
        // Only ASCII bytes change: the record keeps its encoding.
        const std::string root = row.movedRoot, moved = scratch_ / "moved";
        for (std::string* text : {&record, &folder})
            for (auto at = text->find(root); at != std::string::npos; at = text->find(root, at + moved.size()))
                text->replace(at, root.size(), moved);
    }
    // What the installation holds, as the record's own encoding reads.
    const PlanReading reading = ReadUninstallPlan(row.utf8 ? record.substr(3) : Cp1251ToUtf8(record), folder);
    ASSERT_EQ(reading.damage, Damage::None) << reading.detail;
    const UninstallPlan& plan = reading.plan;
    ASSERT_EQ(plan.programName, row.program);
    for (const std::string& file : plan.files) MakeFile(file);
    for (const std::string& link : plan.links) MakeFile(link);
    for (const RegistryValue& value : plan.values)
        SetRegValue(OpenOrCreateKey(HKEY_CURRENT_USER, value.keyPath), value.name, REG_SZ, std::string("x") + '\0');
    OpenOrCreateKey(HKEY_LOCAL_MACHINE, UninstallKeyPath(plan.uninstallEntry));
    MakeFile(folder + kRecordName, record);
    MakeFile(folder + kUninstallerName, ReadFileBytes(WindowsPath(UNINSTALLER_PROGRAM)));

    EXPECT_EQ(ChildProgram(folder + kUninstallerName, temp_.Path(), "/S").WaitForExit(kTimeout), 0u);
    // The copy removes the folders last, in the order the plan lists them.
    for (int i = 0; i < 100 && FolderExists(plan.folders.back()); ++i) Sleep(100);
    std::string left;
    for (const auto& list : {plan.files, plan.links, plan.folders})
        for (const std::string& path : list) left += FileExists(path) || FolderExists(path) ? path + " " : "";
    for (const RegistryValue& value : plan.values) left += KeyExists(HKEY_CURRENT_USER, value.keyPath) ? value.keyPath : "";
    EXPECT_EQ(left + (KeyExists(HKEY_LOCAL_MACHINE, UninstallKeyPath(plan.uninstallEntry)) ? "entry" : ""), "");
    // The copy ran alone, in a new folder under a name nobody could know beforehand.
    const std::string copy = ListFiles(temp_.Path());
    EXPECT_TRUE(std::regex_match(copy, std::regex(R"(uns[0-9a-f]{16}\\Uninstall\.exe)"))) << copy;
    for (int i = 0; i < 100 && !ListFiles(temp_.Path()).empty(); ++i, Sleep(100))
        DeleteFileA((temp_ / ListFiles(temp_.Path())).c_str());
}

INSTANTIATE_TEST_SUITE_P(Records, RecordedInstallation, testing::Values(
    RecordRow{"the previous version's, in Windows-1251", "legacy_uninstall.ini", false,
              "C:\\Program Files\\Rodev\\Notes\\", "C:\\Program Files\\Rodev", "Редактор заметок"},
    RecordRow{"names of no single code page, in UTF-8", "unicode_uninstall.ini", true,
              "C:\\Программы Müller\\Проверка\\", nullptr, "Әлия"}));

}  // namespace
