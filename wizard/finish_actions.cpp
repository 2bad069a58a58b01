#include "wizard/finish_actions.h"

#include "background/ground_window.h"
#include "engine/folders.h"
#include "package/loader.h"
#include "package/settings.h"
#include "program/program.h"
#include "program/silent_log.h"
#include "runtime/dll_search.h"
#include "runtime/elevation.h"
#include "runtime/unicode.h"
#include "toolkit/message_box.h"
#include "uninstaller/paths.h"
#include "wizard/install_page.h"
#include "wizard/setup_form.h"
#include "wizard/start_as_user.h"
#include "wizard/wizard_texts.h"

#include <shellapi.h>

namespace {

bool RequestRestart(unsigned flags) { return ExitWindowsEx(flags, 0) != 0; }
RestartRequest g_restart = RequestRestart;

// Programs and documents are started by their full path only: a bare or relative name would be
// looked for in the current folder, beside the setup program or along the search path, where
// anyone may have put a file of that name for an administrator to start.
// What the last page starts (asTheUser) runs as the user who is logged on, not with the rights the
// setup program was raised to: an elevated setup program has the desktop's shell open it, and opens
// it itself only where that shell cannot be reached. The log says which way each was started.
void Open(const std::string& file, const std::string& parameters, bool asTheUser) {
    if (!IsAbsolutePath(file)) return;
    const bool elevated = asTheUser && RunsElevated();
    if (elevated) {
        const HRESULT shell = OpenThroughDesktop(file, parameters);
        if (shell == S_OK) return WriteLogLine(file + kStartedAsTheUserLog);
        if (shell == S_FALSE) return;  // reached, but it could not open the file: no second try with our rights
    }
    if (reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", Wide(file).c_str(), Wide(parameters).c_str(),
                                                nullptr, SW_SHOWNORMAL)) > 32)
        WriteLogLine(file + (elevated ? kNoDesktopShellLog : kStartedBySetupLog));
}

void EnableShutdownPrivilege() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return;
    TOKEN_PRIVILEGES wanted{};
    if (LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &wanted.Privileges[0].Luid)) {
        wanted.PrivilegeCount = 1;
        wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        TOKEN_PRIVILEGES previous{};
        DWORD length = 0;
        AdjustTokenPrivileges(token, FALSE, &wanted, sizeof previous, &previous, &length);
    }
    CloseHandle(token);
}

bool IsNtFamily() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return GetVersionExW(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
#pragma GCC diagnostic pop
}

// A command line, started as WinExec would start it, whose ANSI text could not carry every folder
// name. The desktop's shell opens files, not command lines: this one always runs with our rights.
void StartCommandLine(const std::string& line) {
    std::wstring command = Wide(line);
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESHOWWINDOW;
    start.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &started)) return;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    WriteLogLine(line + kStartedBySetupLog);
}

}  // namespace

void LaunchProgram(const std::string& path, const std::string& parameters, bool asTheUser) {
    if (!IsAbsolutePath(path)) return;
    if (GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES) {
        Open(path, parameters, asTheUser);
    } else {
        StartCommandLine(path + " " + parameters);
    }
}

bool RestartWindows(unsigned flags) {
    if (IsNtFamily()) EnableShutdownPrivilege();
    return g_restart(flags);
}

bool RestartAsThePackageAsks(const StringList& settings) {
    return RestartWindows(IsFlagOn(settings[setting::kRestartOrdinary]) ? EWX_REBOOT : EWX_REBOOT | EWX_FORCE);
}

void SetRestartRequest(RestartRequest request) { g_restart = request ? request : RequestRestart; }

void FinishActions(SetupFormRecord& form) {
    if (Application* app = CurrentApplication()) ProcessMessages(*app);
    Program& program = *form.TheProgram;
    if (program.ground) program.ground->Ground->Hide();
    form.SetupForm->Hide();

    static const StringList kNoSettings(setting::kCount);
    const StringList& s = program.packageLoaded ? program.package.MainSettings : kNoSettings;
    const std::string folder = form.FolderEdit->GetText();
    // Only what the page offered; both boxes start ticked whether offered or not.
    if (form.RunAppCheck->IsVisible() && form.RunAppCheck->IsChecked()) Open(folder + s[setting::kRunApp], {}, true);
    if (form.ReadmeCheck->IsVisible() && form.ReadmeCheck->IsChecked()) Open(folder + s[setting::kReadme], {}, true);
    if (IsFlagOn(s[setting::kRunAtEnd])) {
        WizardInstallView view(form);
        LaunchProgram(ExpandPath(s[setting::kRunAtEndProgram], view), s[setting::kRunAtEndParameters], true);
    }
    if (IsFlagOn(s[setting::kAskRestart])) {
        const std::string caption = kRestartCaptionPrefix + s[setting::kProgramName];
        if (ShowMessageBox(form.SetupForm->GetWindowHandle(), kRestartQuestionText, caption,
                           MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL) == IDYES)
            RestartAsThePackageAsks(s);
    }
    form.SetupForm->Close();
}
