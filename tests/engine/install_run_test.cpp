// The whole install run: steps in order, status texts, pauses, the package copy, stopping.
#include "engine/install_run.h"

#include "engine/engine_texts.h"
#include "engine/folders.h"
#include "engine/registry_read.h"
#include "engine/uninstall_record.h"
#include "runtime/errors.h"
#include "tests/engine/engine_fixture.h"

namespace {

class InstallRun : public EngineTest {
protected:
    InstallRun() {
        const std::string desktop = desktopFolder_.Path();
        desktop_.Set(desktop.substr(0, desktop.size() - 1));
        package_.data.MainSettings[setting::kUninstallName] = entry_;
    }
    void SetUp() override { ASSERT_EQ(GetDesktopDir() + "\\", desktopFolder_.Path()); }
    ~InstallRun() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, UninstallKeyPath(entry_).c_str()); }
    void EveryStep() {
        package_.AddFile("app.exe", "app");
        package_.AddFile("Uninstall.exe", "un");
        package_.AddRegistry("HKEY_CURRENT_USER", key_.Path(), "Path", "%ProgDr%\\app.exe", "String");
        package_.AddShortcut(engine_text::kDesktopPlace, "App", "app.exe");
        package_.data.MainSettings[setting::kWriteUninstall] = "1";
    }
    void Install() {
        package_.WriteCopy(copyPath_);
        Installation run = Run();
        RunInstall(run);
    }

    ScratchFolder desktopFolder_{scratch_.Path()};
    ShellFolderOverride desktop_{"Desktop"};
    ScratchKey key_{HKEY_CURRENT_USER, "Software\\"};
    std::string entry_ = "RodevTest-" + std::to_string(GetCurrentProcessId());
};

TEST_F(InstallRun, EveryStepRunsInOrderAndTheWizardMovesOn) {
    EveryStep();
    Install();
    EXPECT_EQ(view_.statuses, (std::vector<std::string>{
        "app.exe", "Uninstall.exe", "Добавление данных в реестр...", "Создание ярлыков...",
        "Информация для удаления...", "Удаление *.tmp", "Готово"}));
    // The page is painted before the first file.
    EXPECT_EQ(std::vector<std::string>(view_.events.begin(), view_.events.begin() + 3),
              (std::vector<std::string>{"messages", "messages", "bar 228"}));
    EXPECT_EQ(view_.events.back(), "finish");
    EXPECT_EQ(view_.finished, 1);
    EXPECT_EQ(pauses_, (std::vector<unsigned>{150, 150, 150, 150, 150}));
    EXPECT_FALSE(FileExists(copyPath_));

    EXPECT_EQ(ListFiles(install_.Path()), "Uninstall.exe Uninstall.ini app.exe");
    EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, key_.Path(), "Path")->data, Installed("app.exe") + '\0');
    EXPECT_EQ(state_.CreatedLinks, (std::vector<std::string>{desktopFolder_ / "App.lnk"}));
    // The uninstall record lists the link this run made.
    EXPECT_NE(ReadFileBytes(Installed("Uninstall.ini")).find("[Links]\r\n" + desktopFolder_ / "App.lnk\r\n[End]"),
              std::string::npos);
    EXPECT_TRUE(ReadRegValue(HKEY_LOCAL_MACHINE, UninstallKeyPath(entry_), "UninstallString"));
}

TEST_F(InstallRun, WithEveryStepSwitchedOffOnlyFilesAreInstalled) {
    EveryStep();
    // Only "1" switches a step on.
    package_.data.MainSettings[setting::kWriteRegistry] = " 1";
    package_.data.MainSettings[setting::kCreateShortcuts] = "0";
    package_.data.MainSettings[setting::kWriteUninstall] = "";
    Install();
    EXPECT_EQ(view_.statuses, (std::vector<std::string>{"app.exe", "Uninstall.exe", "Удаление *.tmp", "Готово"}));
    EXPECT_EQ(pauses_, (std::vector<unsigned>{150, 150}));
    EXPECT_EQ(ListFiles(install_.Path()), "Uninstall.exe app.exe");
    EXPECT_FALSE(ReadRegValue(HKEY_CURRENT_USER, key_.Path(), "Path"));
    EXPECT_EQ(ListFiles(desktopFolder_.Path()), "");
    EXPECT_EQ(view_.finished, 1);
}

TEST_F(InstallRun, FailingRegistryWriteKeepsFilesAndThePackageCopy) {
    EveryStep();
    package_.AddRegistry("HKEY_NOWHERE", "Software", "Broken", "x", "String");
    package_.WriteCopy(copyPath_);
    Installation run = Run();
    EXPECT_FAILURE(RunInstall(run), "RegistryError", "Failed to set data for 'Broken'");
    EXPECT_EQ(ListFiles(install_.Path()), "Uninstall.exe app.exe");
    EXPECT_TRUE(FileExists(copyPath_));
    EXPECT_EQ(view_.statuses.back(), "Добавление данных в реестр...");
    EXPECT_EQ(view_.finished, 0);
    EXPECT_TRUE(state_.CreatedLinks.empty());
}

TEST_F(InstallRun, ConfirmedCloseDuringTheFilesEndsTheRunThere) {
    EveryStep();
    package_.AddFile("third.txt", "3");
    view_.stopAtRound = 3;  // two rounds before the first file, then the first file's round
    Install();
    EXPECT_EQ(ListFiles(install_.Path()), "app.exe");
    EXPECT_EQ(view_.statuses, (std::vector<std::string>{"app.exe"}));
    EXPECT_EQ(view_.finished, 0);
    EXPECT_FALSE(ReadRegValue(HKEY_CURRENT_USER, key_.Path(), "Path"));
    EXPECT_TRUE(FileExists(copyPath_));
}

TEST_F(InstallRun, ConfirmedCloseAfterTheLastFileRunsNoFurtherStep) {
    EveryStep();
    view_.stopAtRound = 4;  // the last file's round
    Install();
    EXPECT_EQ(view_.statuses, (std::vector<std::string>{"app.exe", "Uninstall.exe"}));
    EXPECT_FALSE(ReadRegValue(HKEY_CURRENT_USER, key_.Path(), "Path"));
    EXPECT_FALSE(FileExists(Installed("Uninstall.ini")));
    EXPECT_EQ(view_.finished, 0);
}

TEST_F(InstallRun, ConfirmedCloseWhileThePageIsPaintedInstallsNothing) {
    EveryStep();
    view_.stopAtRound = 1;
    Install();
    EXPECT_EQ(ListFiles(install_.Path()), "");
    EXPECT_TRUE(view_.statuses.empty());
}

TEST_F(InstallRun, RealPausesAddUpToThreeHundredMillisecondsWithoutOptionalSteps) {
    package_.AddFile("a.txt", "a");
    package_.WriteCopy(copyPath_);
    Installation run{package_.data, view_, state_, copyPath_};
    const DWORD start = GetTickCount();
    RunInstall(run);
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 280u);
    EXPECT_LT(elapsed, 5000u);
}

}  // namespace
