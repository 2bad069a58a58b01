// A real installation made by the engine, removed by the real Uninstall.exe as a user or an
// administrator starts it.
#include <regex>

#include "engine/engine_texts.h"
#include "engine/folders.h"
#include "engine/install_run.h"
#include "engine/uninstall_record.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/child_program.h"

namespace {

constexpr int kTimeout = 20000;

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool KeyExists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    return RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS && RegCloseKey(key) == ERROR_SUCCESS;
}

class Uninstaller : public EngineTest {
protected:
    Uninstaller() {
        desktop_.Set(desktopFolder_.Path().substr(0, desktopFolder_.Path().size() - 1));
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
        copy_.Remove();  // a copy held by an earlier step
        package_.WriteCopy(copyPath_);
        Installation run = Run();
        RunInstall(run);
    }
    ~Uninstaller() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, UninstallKeyPath(entry_).c_str()); }

    // The install folder, the program group, the desktop ("-" when gone), then the registry.
    std::string Left() {
        std::string left;
        for (const std::string& folder : {install_.Path(), group_.Path(), desktopFolder_.Path()})
            left += Exists(folder) ? "[" + ListFiles(folder) + "] " : "- ";
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
    ShellFolderOverride desktop_{"Desktop"};
    ScratchKey key_{HKEY_CURRENT_USER, "Software\\"};
    std::string entry_ = "RodevTest-" + std::to_string(GetCurrentProcessId());
    std::optional<ChildProgram> child_;
};

TEST_F(Uninstaller, AnsweringYesRemovesWhatWasInstalledButNotTheUsersFilesAndReportsWhatIsInUse) {
    WriteFileBytes(Installed("docs\\мои заметки.txt"), "the user's own");
    ASSERT_EQ(Left(), "[Uninstall.exe Uninstall.ini docs\\Справка.txt docs\\мои заметки.txt notes.exe] "
                      "[Группа\\Редактор.lnk] [Редактор.lnk] value entry");
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

TEST_F(Uninstaller, QuietUninstallFromTheInstallFolderLeavesNothingBehind) {
    // Shows no box: one would hold the exit code back.
    ChildProgram uninstall(Installed("Uninstall.exe"), temp_.Path(), "/S");
    EXPECT_EQ(uninstall.WaitForExit(kTimeout), 0u);
    // Once the program started from the folder has ended, its copy removes it and the folder.
    for (int i = 0; i < 100 && Exists(install_.Path()); ++i) Sleep(100);
    EXPECT_EQ(Left(), "- - [] ");
    // The copy ran alone, in a new folder under a name nobody could know beforehand.
    const std::string copy = ListFiles(temp_.Path());
    EXPECT_TRUE(std::regex_match(copy, std::regex(R"(uns[0-9a-f]{16}\\Uninstall\.exe)"))) << copy;
    for (int i = 0; i < 100 && !ListFiles(temp_.Path()).empty(); ++i, Sleep(100))
        DeleteFileA((temp_ / ListFiles(temp_.Path())).c_str());
}

}  // namespace
