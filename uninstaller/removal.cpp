#include "uninstaller/removal.h"

#include "engine/uninstall_root.h"
#include "runtime/platform.h"
#include "runtime/unicode.h"
#include "uninstaller/paths.h"

#include <shlobj.h>

namespace {

constexpr const char* kUninstallList = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

struct RootName {
    const char* name;
    HKEY key;
};

HKEY RootKeyByName(const std::string& name) {
    static const RootName roots[] = {
        {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},   {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE}, {"HKEY_USERS", HKEY_USERS},
        {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
    };
    for (const RootName& root : roots)
        if (name == root.name) return root.key;
    return nullptr;
}

bool IsGone(DWORD code) { return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND; }

// 0 when the file is gone. Read-only files (packages install some) lose that attribute first.
DWORD RemoveFile(const std::string& utf8) {
    const std::wstring path = Wide(utf8);
    if (DeleteFileW(path.c_str())) return 0;
    DWORD code = GetLastError();
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (code == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) == FILE_ATTRIBUTE_READONLY) {
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        if (DeleteFileW(path.c_str())) return 0;
        code = GetLastError();
        SetFileAttributesW(path.c_str(), attributes);
    }
    return IsGone(code) ? 0 : code;
}

void Note(std::vector<NotRemoved>& failures, const std::string& item, DWORD code) {
    if (code != 0) failures.push_back({item, code});
}

// The value, then its key if nothing is left in it; never a root key itself.
DWORD RemoveValue(const RegistryValue& value) {
    const HKEY root = RootKeyByName(value.root);
    HKEY key = nullptr;
    // A root the system does not know could not have been written to.
    if (!root) return 0;
    const std::wstring keyPath = Wide(value.keyPath);
    LONG code = RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_SET_VALUE | KEY_QUERY_VALUE, &key);
    if (code != ERROR_SUCCESS) return IsGone(code) ? 0 : code;
    code = RegDeleteValueW(key, Wide(value.name).c_str());
    DWORD subkeys = 1, values = 1;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    if (subkeys == 0 && values == 0 && !PathParts(value.keyPath).empty()) RegDeleteKeyW(root, keyPath.c_str());
    return code == ERROR_SUCCESS || IsGone(code) ? 0 : code;
}

// The entry in the list of installed programs, with everything in it. A blank name would be the
// list itself.
DWORD RemoveUninstallEntry(const UninstallPlan& plan) {
    if (PathParts(plan.uninstallEntry).empty()) return 0;
    const HKEY root = UninstallRoot(plan.userEntry);
    const std::wstring path = Wide(kUninstallList + plan.uninstallEntry);
    RegDeleteTreeW(root, path.c_str());
    const LONG code = RegDeleteKeyW(root, path.c_str());
    return code == ERROR_SUCCESS || IsGone(code) ? 0 : code;
}

std::string ShellFolder(int id) {
    wchar_t path[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathW(nullptr, id, nullptr, 0, path)) ? Utf8(path) : "";
}

// A link's folder and the group folders above it, while they are empty and lie inside a Programs
// folder: the Desktop or the Start menu itself is never removed.
void RemoveProgramGroup(std::string folder) {
    const std::string programs[] = {ShellFolder(CSIDL_PROGRAMS), ShellFolder(CSIDL_COMMON_PROGRAMS)};
    for (;;) {
        bool inside = false;
        for (const std::string& root : programs) inside = inside || (!root.empty() && IsInsideFolder(folder, root));
        if (!inside || !RemoveDirectoryW(Wide(folder).c_str())) return;
        folder = ParentFolder(folder);
    }
}

}  // namespace

std::vector<NotRemoved> RemoveInstalled(const UninstallPlan& plan, const std::string& installFolder) {
    std::vector<NotRemoved> failures;
    for (const std::string& file : plan.files) Note(failures, file, RemoveFile(file));
    for (const RegistryValue& value : plan.values)
        Note(failures, value.root + "\\" + value.keyPath + "\\" + value.name, RemoveValue(value));
    const std::string root = plan.userEntry ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
    Note(failures, root + "\\" + kUninstallList + plan.uninstallEntry, RemoveUninstallEntry(plan));
    for (const std::string& link : plan.links) Note(failures, link, RemoveFile(link));
    for (const std::string& folder : plan.linkFolders) RemoveProgramGroup(folder);
    Note(failures, installFolder + kRecordName, RemoveFile(installFolder + kRecordName));
    return failures;
}

std::vector<NotRemoved> RemoveUninstallerAndFolders(const UninstallPlan& plan, const std::string& installFolder) {
    std::vector<NotRemoved> failures;
    const std::string uninstaller = installFolder + kUninstallerName;
    DWORD code = RemoveFile(uninstaller);
    for (int wait = 0; wait < 100 && (code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION); ++wait) {
        Sleep(100);
        code = RemoveFile(uninstaller);
    }
    Note(failures, uninstaller, code);
    for (const std::string& folder : plan.folders) RemoveDirectoryW(Wide(folder).c_str());
    return failures;
}
