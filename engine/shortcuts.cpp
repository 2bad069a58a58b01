#include "engine/shortcuts.h"

#include "engine/engine_texts.h"
#include "engine/folders.h"
#include "engine/shell_link.h"
#include "package/records.h"
#include "package/safe_path.h"
#include "package/settings.h"
#include "runtime/integer.h"

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
    const std::int32_t count = StrToInt(Setting(run.package, setting::kShortcutCount));
    const StringList& entries = run.package.ShortcutEntries;
    for (std::int64_t i = 0; i < count; ++i) {
        const std::int64_t first = i * kShortcutRecordLines;
        const std::string& location = ListLine(entries, first);
        for (const Place& place : kPlaces) {
            if (location != place.text || !run.view.IsPlaceChecked(place.place)) continue;
            const std::string folder = LinkFolder(run, place.place);
            const std::string& name = ListLine(entries, first + 1);
            if (folder.empty() || !Utf8RelativePathFault(name).empty()) continue;
            const std::string link = folder + "\\" + name + ".lnk";
            const std::string linkFolder = FolderPart(link);
            if (!FolderExists(linkFolder)) CreateFolderPath(linkFolder);
            // The working folder carries placeholders ("%ProgDr%") like every other package path.
            // Only links that were saved are listed for removal.
            if (CreateShellLink(run.view.GetInstallFolder() + ListLine(entries, first + 2), link,
                                ListLine(entries, first + 5), ListLine(entries, first + 4),
                                ExpandPath(ListLine(entries, first + 3), run.view)))
                run.state.CreatedLinks.push_back(link);
        }
    }
}
