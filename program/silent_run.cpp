#include "program/silent_run.h"

#include <objbase.h>

#include "engine/engine_texts.h"
#include "engine/files_in_use.h"
#include "engine/folders.h"
#include "engine/install_run.h"
#include "package/loader.h"
#include "package/loader_texts.h"
#include "package/package_copy.h"
#include "package/records.h"
#include "package/settings.h"
#include "program/silent_log.h"
#include "program/single_instance.h"
#include "runtime/elevation.h"
#include "runtime/failure.h"
#include "runtime/platform.h"
#include "wizard/finish_actions.h"

namespace {

constexpr unsigned kInUseTries = 10;

// The engine's view of a run without windows: the folder box is a string, every place is ticked,
// and the status line goes to the log, installed files with their full path.
class SilentInstallView final : public InstallView {
public:
    std::string GetInstallFolder() override { return folder_; }
    void SetInstallFolder(const std::string& folder) override { folder_ = folder; }
    void SetStatus(const std::string& text) override { WriteLogLine(text); }
    void ShowInstalledFile(const std::string&) override {}
    void FileInstalled(const std::string& path) override { WriteLogLine(path); }
    bool IsPlaceChecked(ShortcutPlace) override { return true; }
    void DrawProgressBar(int) override {}
    void ProcessMessages() override {}
    void Finish() override {}
    FileInUseAnswer AnswerFileInUse(const std::string& path, const std::string& program, unsigned attempt) override {
        if (attempt == 1) WriteLogLine(FileInUseQuestion(path, program));
        // Up to ten seconds for a program that is closing, trying each second.
        if (attempt <= kInUseTries) {
            Sleep(1000);
            return FileInUseAnswer::Retry;
        }
        // Only an administrator may have the system replace files as it starts.
        return RunsElevated() ? FileInUseAnswer::ReplaceAtRestart : FileInUseAnswer::Cancel;
    }
    void RunUndone(bool restored) override;

private:
    std::string folder_;
};

// Every end of a silent run leaves no package copy behind. The guard ends a second failure, met
// while the first is reported (memory still exhausted), at once.
[[noreturn]] void EndRun(int code, const std::string& message) {
    static bool ending = false;
    if (!ending) {
        ending = true;
        WriteLogLine(message);
        RemovePackageCopy();
    }
    ExitProcess(static_cast<UINT>(code));
}

[[noreturn]] void EndAsDamaged(const char*, const std::string&, const void*) {
    EndRun(kPackageDamaged, kDamagedDataText);
}

// The error, then whether what the run had changed was put back.
[[noreturn]] void EndWithTheError(const char*, const std::string& message, const void*) {
    bool restored = false;
    if (!UndoActiveRun(restored)) EndRun(kInstallFailed, message);
    WriteLogLine(message);
    EndRun(kInstallFailed, restored ? engine_text::kRunUndoneText : engine_text::kRunPartlyUndoneText);
}

void SilentInstallView::RunUndone(bool restored) {
    EndRun(kFileStayedInUse, restored ? engine_text::kRunUndoneText : engine_text::kRunPartlyUndoneText);
}

}  // namespace

int RunSilently(const CommandLine& line) {
    if (!ClaimSingleInstance()) return kAlreadyRunning;
    if (!line.log.empty() && !OpenSilentLog(line.log)) return kBadCommandLine;

    PackageData package;
    SetFailureHandler(EndAsDamaged);
    if (ReadPackageFrom(GetProgramPath(), GetTempFolder(), package, ThePackageCopy()) != LoadResult::Loaded)
        EndAsDamaged(nullptr, {}, nullptr);
    SetInstallingForUser(package.ForUser);
    SetFailureHandler(EndWithTheError);

    CoInitialize(nullptr);
    SilentInstallView view;
    // Without /D= the folder is the package's, expanded as the wizard's folder box starts.
    const std::string& folder = line.folder;
    view.SetInstallFolder(folder.empty() ? ExpandPath(Setting(package, setting::kInstallFolder), view) : folder);
    InstallState state;
    Installation run{package, view, state};
    run.pause = [](unsigned) {};  // the pauses let a user read the status line; nobody reads it here
    RunInstall(run);  // removes the package copy as its last step
    if (line.restart && IsFlagOn(Setting(package, setting::kAskRestart)))
        RestartAsThePackageAsks(package.MainSettings);
    CoUninitialize();
    return state.RestartNeeded ? kRestartRequired : kInstalled;
}
