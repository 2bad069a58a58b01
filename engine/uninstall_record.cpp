#include "engine/uninstall_record.h"

#include "engine/folders.h"
#include "engine/records.h"
#include "engine/registry_writer.h"
#include "engine/uninstall_text.h"
#include "runtime/errors.h"
#include "runtime/platform.h"

namespace {

RuntimeError InOutError(DWORD code) { return RuntimeError("InOutError", InOutErrorText(code)); }

void WriteTextFile(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw InOutError(GetLastError());
    DWORD written = 0;
    const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    const DWORD code = ok ? (written == text.size() ? ERROR_SUCCESS : ERROR_DISK_FULL) : GetLastError();
    CloseHandle(file);
    if (code != ERROR_SUCCESS) throw InOutError(code);
}

}  // namespace

std::string UninstallKeyPath(const std::string& entryName) {
    return "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + entryName;
}

std::string InOutErrorText(unsigned long code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND: return "File not found";
    case ERROR_PATH_NOT_FOUND: return "Path not found";
    case ERROR_TOO_MANY_OPEN_FILES: return "Too many open files";
    case ERROR_ACCESS_DENIED: return "File access denied";
    case ERROR_INVALID_HANDLE: return "Invalid file handle";
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: return "Disk full";
    default: return "I/O error " + std::to_string(code);
    }
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
