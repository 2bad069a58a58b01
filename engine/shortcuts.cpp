#include "engine/shortcuts.h"

#include "engine/engine_texts.h"
#include "engine/files_in_use.h"
#include "engine/folders.h"
#include "engine/shell_link.h"
#include "package/records.h"
#include "package/safe_path.h"
#include "package/settings.h"

namespace {

struct Place {
    const char* text;
    ShortcutPlace place;
};

const Place kPlaces[] = {
    {engine_text::kProgramsPlace, kProgramsPlace},
    {engine_text::kStartPlace, kStartPlace},
    {engine_text::kDesktopPlace, kDesktopPlace},
    {engine_text::kTaskbarPlace, kTaskbarPlace},
};

// The folder that receives links of the place, or empty when it is not known (a link there would
// land at the root of the current drive) or when the program group would lead out of it.
std::string LinkFolder(Installation& run, ShortcutPlace place) {
    const std::string folder = run.placeFolder(place);
    if (folder.empty() || place != kProgramsPlace) return folder;
    // Program menu links go into the package's program group.
    const std::string& group = Setting(run.package, setting::kProgramGroup);
    return Utf8RelativePathFault(group).empty() ? folder + "\\" + group : std::string();
}

}  // namespace

std::string ShortcutPlaceFolder(ShortcutPlace place) {
    switch (place) {
    case kProgramsPlace: return GetProgramsDir();
    case kStartPlace: return GetStartMenuDir();
    case kDesktopPlace: return GetDesktopDir();
    case kTaskbarPlace: return GetQuickLaunchDir();
    }
    return {};
}

void CreateShortcuts(Installation& run) {
    PrepareInstallFolder(run.view);
    for (const LinkStep& step : run.steps.links) {
        for (const Place& place : kPlaces) {
            if (step.place != place.text || !run.view.IsPlaceChecked(place.place)) continue;
            const std::string folder = LinkFolder(run, place.place);
            if (folder.empty() || !Utf8RelativePathFault(step.name).empty()) continue;
            const std::string link = (folder + "\\").append(step.name).append(".lnk");
            const std::string linkFolder = FolderPart(link);
            if (!FolderExists(linkFolder)) CreateFolderPath(linkFolder, &run.changes);
            // A link of an earlier version is kept until the run completes. A link held open
            // (which the silent run cannot replace at restart either) stops the run like a file.
            if (MakeWayForFile(run, link) != Way::Clear) {
                run.state.Cancelled = true;
                return;
            }
            // The working folder carries placeholders ("%ProgDr%") like every other package path.
            // Only links that were saved are listed for removal.
            if (CreateShellLink(run.view.GetInstallFolder().append(step.target), link, std::string(step.description),
                                std::string(step.arguments), ExpandPath(std::string(step.workingFolder), run.view))) {
                run.changes.FileMade(link);
                run.state.CreatedLinks.push_back(link);
            }
        }
    }
}
