#include "engine/install_run.h"

#include "engine/engine_texts.h"
#include "engine/extraction.h"
#include "engine/registry_writer.h"
#include "engine/shortcuts.h"
#include "engine/uninstall_record.h"
#include "package/records.h"
#include "package/settings.h"
#include "runtime/platform.h"

namespace {

constexpr unsigned kPauseMs = 150;

// An optional step, run only when its settings line switches it on (the steps themselves do not
// look): its status text, the step, then a pause so the text can be read.
void RunStep(Installation& run, setting::Line switchLine, const char* status, void (*step)(Installation&)) {
    if (!IsFlagOn(Setting(run.package, switchLine))) return;
    run.view.SetStatus(status);
    step(run);
    run.pause(kPauseMs);
}

}  // namespace

void PauseFor(unsigned milliseconds) { Sleep(milliseconds); }

unsigned long NowMs() { return GetTickCount(); }

void RunInstall(Installation& run) {
    // Let the installing page paint before the work starts.
    run.view.ProcessMessages();
    run.pause(kPauseMs);
    run.view.ProcessMessages();
    if (RunStopped(run)) return;
    // From here an error, as well as a stop, puts back what the run has changed.
    SetActiveRunChanges(&run.changes);
    ExtractFiles(run);
    if (!RunStopped(run)) RunStep(run, setting::kWriteRegistry, engine_text::kRegistryStatus, WriteRegistryEntries);
    if (!RunStopped(run)) RunStep(run, setting::kCreateShortcuts, engine_text::kShortcutsStatus, CreateShortcuts);
    if (!RunStopped(run)) RunStep(run, setting::kWriteUninstall, engine_text::kUninstallStatus, WriteUninstallRecord);
    SetActiveRunChanges(nullptr);
    if (RunStopped(run)) {
        run.view.RunUndone(run.changes.Undo());
        return;
    }
    run.changes.Commit();
    run.view.SetStatus(engine_text::kDeleteCopyStatus);
    run.packageCopy.Remove();
    run.view.SetStatus(engine_text::kDoneStatus);
    run.pause(kPauseMs);
    run.view.Finish();
}
