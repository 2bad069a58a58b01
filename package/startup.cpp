// The setup program's entry point and its start-up: the splash window, the background window and
// the wizard window are made, and the one message loop runs until the splash window, the main
// form, is closed.
#include "background/ground_window.h"
#include "background/splash_window.h"
#include "package/loader.h"
#include "package/program.h"
#include "package/settings.h"
#include "package/single_instance.h"
#include "runtime/failure.h"
#include "runtime/platform.h"
#include "toolkit/toolkit.h"
#include "wizard/setup_form.h"

#include <objbase.h>

namespace {

// Set once the package has been copied and read: the copy is ours to remove at the end.
bool g_packageLoaded = false;

// The splash timer's first tick loads the package and hands over to the wizard.
void SplashTimerTick(void* context, Timer& timer) {
    auto& splash = *static_cast<SplashRecord*>(context);
    timer.SetTimerEnabled(false);
    LoadPackage(splash.Package);
    g_packageLoaded = true;
    splash.SetupProgram->Hide();
    if (IsFlagOn(splash.Package.MainSettings[setting::kBackground])) {
        GroundHolder->Ground->SetWindowState(2);
        ConfigureGround(*GroundHolder, splash.Package.MainSettings);
        GroundHolder->Ground->Show();
    }
    SetupHolder->SetupForm->Show();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (!ClaimSingleInstance()) {
        ShowAlreadyRunningMessage();
        return 0;
    }
    SetFailureHandler(ReportFatalError);
    CoInitialize(nullptr);
    Application& app = CreateApplication("Setup");
    CreateSplashWindow(app, &SplashHolder, SplashTimerTick);
    CreateGroundWindow(app, &GroundHolder);
    CreateSetupForm(app);
    RunApplication(app);
    // Leaving before installing must not leave the package copy behind (the run deletes it
    // itself when it completes; deleting a missing file does nothing).
    if (g_packageLoaded) DeleteFileA(TempPackagePath(GetTempFolder()).c_str());
    CoUninitialize();
    return 0;
}
