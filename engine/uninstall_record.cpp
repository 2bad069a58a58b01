#include "engine/uninstall_record.h"

#include <algorithm>

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
    // ("Редактор 2.0"): no record would list it any more, so it goes now, before this one is made,
    // which also keeps this one when the two name one key in letters of another case. A blank
    // name would be the list itself.
    if (IsRecordOfProgram(earlier, run.package) && earlierEntry != entryName && !PathParts(earlierEntry).empty())
        RegDeleteTreeW(UninstallRoot(run.package), Wide(UninstallKeyPath(earlierEntry)).c_str());
    // Without a name the values would land on the list of installed programs itself.
    if (!entryName.empty()) {
        const RegKey key = OpenOrCreateKey(UninstallRoot(run.package), UninstallKeyPath(entryName));
        SetRegString(key, "DisplayName", entryName);
        // Quoted: the install folder usually contains blanks.
        const std::string uninstaller = "\"" + installFolder + "Uninstall.exe\"";
        SetRegString(key, "UninstallString", uninstaller);
        SetRegString(key, "QuietUninstallString", uninstaller + " /S");
        SetRegString(key, "InstallLocation", installFolder);
        SetRegDword(key, "EstimatedSize", InstalledKiB(run.package));
        // The uninstaller removes; it cannot change or repair the installation.
        SetRegDword(key, "NoModify", 1);
        SetRegDword(key, "NoRepair", 1);
        const std::string& program = Setting(run.package, setting::kRunApp);
        if (!program.empty()) SetRegString(key, "DisplayIcon", installFolder + program);
    }
    const std::string text = UninstallText(run.package, installFolder,
                                           ExpandPath(Setting(run.package, setting::kUninstallSetting3), run.view),
                                           run.state.CreatedLinks, &earlier);
    WriteTextFile(recordPath, UninstallFileBytes(text));
}
