#include "engine/uninstall_record.h"

#include <algorithm>

#include "engine/files_in_use.h"
#include "engine/folders.h"
#include "engine/record_file.h"
#include "engine/registry_writer.h"
#include "engine/uninstall_root.h"
#include "engine/uninstall_text.h"
#include "package/package_text.h"
#include "package/records.h"
#include "package/settings.h"
#include "runtime/platform.h"
#include "runtime/text_file.h"
#include "runtime/unicode.h"
#include "uninstaller/paths.h"

namespace {

// The package's files in whole KiB, rounded up, as the list of installed programs shows sizes.
DWORD InstalledKiB(const PackageData& package) {
    const std::int64_t bytes = TotalFileSize(package);
    return static_cast<DWORD>(std::min<std::int64_t>((bytes + 1023) / 1024, 0xFFFFFFFF));
}

}  // namespace

std::string UninstallFileBytes(const std::string& text) {
    std::string bytes;
    if (!Utf8ToCp1251(text, bytes)) bytes = std::string(kUtf8ByteOrderMark).append(text);
    return bytes;
}

std::string UninstallKeyPath(const std::string& entryName) {
    return "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + entryName;
}

void WriteUninstallRecord(Installation& run) {
    const std::string installFolder = PrepareInstallFolder(run.view);
    const std::string& entryName = Setting(run.package, setting::kUninstallName);
    const std::string recordPath = installFolder + kRecordName;
    // An earlier version installed here: the new record takes over what it listed.
    std::string earlierText;  // stays empty without one, which reads as no record
    ReadRecordText(recordPath, earlierText);
    const PlanReading earlier = ReadRecordLists(earlierText, installFolder);
    const std::string& earlierEntry = earlier.plan.uninstallEntry;
    // Its entry on the list of installed programs ("Редактор 1.0") is replaced by this one
    // ("Редактор 2.0"): no record would list it any more, so it goes once the run has completed,
    // unless the two name one key in letters of another case. A blank name would be the list
    // itself.
    if (IsRecordOfProgram(earlier, run.package) && PathKey(earlierEntry) != PathKey(entryName) &&
        !PathParts(earlierEntry).empty())
        run.changes.DeleteKeyAtEnd(UninstallRoot(run.package), UninstallKeyPath(earlierEntry));
    // Without a name the values would land on the list of installed programs itself.
    if (!entryName.empty()) {
        const std::string key = UninstallKeyPath(entryName);
        const auto setString = [&](const char* name, const std::string& text) {
            SetRunString(run, UninstallRoot(run.package), key, name, text);
        };
        const auto setNumber = [&](const char* name, DWORD number) {
            SetRunDword(run, UninstallRoot(run.package), key, name, number);
        };
        setString("DisplayName", entryName);
        // Quoted: the install folder usually contains blanks.
        const std::string uninstaller = "\"" + installFolder + "Uninstall.exe\"";
        setString("UninstallString", uninstaller);
        setString("QuietUninstallString", uninstaller + " /S");
        setString("InstallLocation", installFolder);
        setNumber("EstimatedSize", InstalledKiB(run.package));
        // The uninstaller removes; it cannot change or repair the installation.
        setNumber("NoModify", 1);
        setNumber("NoRepair", 1);
        const std::string& program = Setting(run.package, setting::kRunApp);
        if (!program.empty()) setString("DisplayIcon", installFolder + program);
    }
    const std::string text = UninstallText(run.package, run.steps, installFolder,
                                           ExpandPath(Setting(run.package, setting::kUninstallSetting3), run.view),
                                           run.state.CreatedLinks, &earlier);
    // The earlier record is kept until the run completes.
    if (MakeWayForFile(run, recordPath) != Way::Clear) {
        run.state.Cancelled = true;
        return;
    }
    run.changes.FileMade(recordPath);
    WriteTextFile(recordPath, UninstallFileBytes(text));
}
