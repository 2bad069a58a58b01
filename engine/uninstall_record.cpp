#include "engine/uninstall_record.h"

#include "engine/folders.h"
#include "engine/records.h"
#include "engine/registry_writer.h"
#include "engine/uninstall_text.h"
#include "runtime/platform.h"
#include "runtime/text_file.h"

std::string UninstallKeyPath(const std::string& entryName) {
    return "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + entryName;
}

void WriteUninstallRecord(Installation& run) {
    const std::string installFolder = PrepareInstallFolder(run.view);
    const std::string& entryName = Setting(run.package, setting::kUninstallName);
    // Without a name the values would land on the list of installed programs itself.
    if (!entryName.empty()) {
        const RegKey key = OpenOrCreateKey(HKEY_LOCAL_MACHINE, UninstallKeyPath(entryName));
        SetRegString(key, "DisplayName", entryName);
        // Quoted: the install folder usually contains blanks.
        SetRegString(key, "UninstallString", "\"" + installFolder + "Uninstall.exe\"");
    }
    const std::string text = UninstallText(run.package, installFolder,
                                           ExpandPath(Setting(run.package, setting::kUninstallSetting3), run.view),
                                           run.state.CreatedLinks);
    WriteTextFile(installFolder + "Uninstall.ini", text);
}
