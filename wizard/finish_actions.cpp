// Interim finish actions: enough for the wizard to end its run. The full finish page (the
// installed application, the readme, the package's program, the restart) replaces this file.
#include "wizard/finish_actions.h"

#include "background/ground_window.h"
#include "engine/folders.h"
#include "package/loader.h"
#include "package/program.h"
#include "runtime/platform.h"
#include "wizard/setup_form.h"

#include <shellapi.h>

namespace {

RestartRequest g_restart = RestartWindows;

}  // namespace

void LaunchProgram(const std::string& path, const std::string& parameters) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES || FolderExists(path)) {
        ShellExecuteA(nullptr, "open", path.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
    } else {
        WinExec((path + " " + parameters).c_str(), SW_SHOWNORMAL);
    }
}

void FinishActions(SetupFormRecord& form) {
    if (GroundHolder) GroundHolder->Ground->Hide();
    form.SetupForm->Hide();
    form.SetupForm->Close();
}

bool RestartWindows(unsigned) { return false; }

void SetRestartRequest(RestartRequest request) { g_restart = request; }
