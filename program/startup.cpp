// The setup program's entry point and its start-up: the splash window, the background window and
// the wizard window are made, and the one message loop runs until the splash window, the main
// form, is closed. With /S on the command line, the installation runs without them.
#include "background/ground_window.h"
#include "background/splash_window.h"
#include "engine/engine_texts.h"
#include "engine/folders.h"
#include "engine/run_changes.h"
#include "package/loader.h"
#include "package/settings.h"
#include "program/command_line.h"
#include "program/program.h"
#include "program/silent_log.h"
#include "program/silent_run.h"
#include "program/single_instance.h"
#include "runtime/dll_search.h"
#include "runtime/failure.h"
#include "runtime/platform.h"
#include "runtime/unicode.h"
#include "toolkit/toolkit.h"
#include "wizard/setup_form.h"

#include <objbase.h>

namespace {

// An error ends the program with the fatal box; what the run had changed is put back and the box
// says so, and the package copy, as large as the package, goes first, as on every other end.
[[noreturn]] void EndWithTheFatalBox(const char* kind, const std::string& message, const void* address) {
    bool restored = false;
    std::string text = message;
    if (UndoActiveRun(restored))
        text.append("\r\n\r\n").append(restored ? engine_text::kRunUndoneText : engine_text::kRunPartlyUndoneText);
    RemovePackageCopy();
    ReportFatalError(kind, text, address);
}

// The splash timer's first tick loads the package and hands over to the wizard.
void SplashTimerTick(void* context, Timer& timer) {
    auto& program = *static_cast<Program*>(context);
    timer.SetTimerEnabled(false);
    LoadPackage(program.package);
    program.packageLoaded = true;
    SetInstallingForUser(program.package.ForUser);
    program.splash->SetupProgram->Hide();
    if (IsFlagOn(program.package.MainSettings[setting::kBackground])) {
        program.ground->Ground->SetWindowState(2);
        ConfigureGround(*program.ground, program.package.MainSettings);
        program.ground->Ground->Show();
    }
    program.setup->SetupForm->Show();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictDllSearch();
    // The wide command line: the ANSI one has "?" for every letter of a folder (/D=) outside the
    // code page of the system's language.
    const CommandLine line = ParseCommandLine(ArgumentsAfterProgramName(Utf8(GetCommandLineW())));
    if (line.mode == RunMode::BadCommandLine) return kBadCommandLine;
    if (line.mode == RunMode::Silent) return RunSilently(line);
    if (!ClaimSingleInstance()) {
        ShowAlreadyRunningMessage();
        return 0;
    }
    // The wizard logs what its last page starts, and which way, when /LOG= names a log; one that
    // cannot be created is done without, as the rest of the command line is.
    if (!line.log.empty()) OpenSilentLog(line.log);
    SetFailureHandler(EndWithTheFatalBox);
    CoInitialize(nullptr);
    Program program;
    Application& app = CreateApplication("Setup");
    program.splash = &CreateSplashWindow(app, SplashTimerTick, &program);
    program.ground = &CreateGroundWindow(app, program);
    program.setup = &CreateSetupForm(app, program);
    RunApplication(app);
    // Leaving before installing must not leave the package copy behind (the run deletes it
    // itself when it completes; deleting a missing file does nothing).
    if (program.packageLoaded) RemovePackageCopy();
    CoUninitialize();
    return 0;
}
