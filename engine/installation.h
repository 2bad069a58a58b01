#pragma once
// Everything one install run works with. The wizard fills the first three; the rest have the
// program's values and are replaced only by tests.
#include <string>

#include "engine/install_view.h"
#include "engine/run_changes.h"
#include "package/install_steps.h"
#include "package/loader.h"
#include "package/package_copy.h"
#include "package/package_data.h"

// The run's blocking pause (Sleep).
void PauseFor(unsigned milliseconds);
// The run's clock, in milliseconds since some start (GetTickCount).
unsigned long NowMs();

// The folder that receives shortcuts of the place, or empty when neither the registry nor the
// system knows it.
std::string ShortcutPlaceFolder(ShortcutPlace place);

struct Installation {
    const PackageData& package;
    InstallView& view;
    InstallState& state;
    // The temporary package copy the loader wrote and holds.
    PackageCopy& packageCopy = ThePackageCopy();
    void (*pause)(unsigned milliseconds) = PauseFor;
    unsigned long (*now)() = NowMs;
    std::string (*placeFolder)(ShortcutPlace place) = ShortcutPlaceFolder;
    // The package's records, read once as the run is set up.
    InstallSteps steps = ReadInstallSteps(package);
    // What the run has changed, to undo it.
    RunChanges changes = RunChanges();
};

// Whether the run is to stop: the user left the wizard or cancelled at a file in use.
inline bool RunStopped(Installation& run) { return run.state.Cancelled || run.view.StopRequested(); }
