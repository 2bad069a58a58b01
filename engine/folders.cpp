#include "engine/folders.h"

#include <shlobj.h>

#include "engine/engine_texts.h"
#include "engine/placeholders.h"
#include "engine/registry_read.h"
#include "engine/run_changes.h"
#include "package/loader.h"
#include "runtime/platform.h"
#include "runtime/unicode.h"

namespace {

constexpr const char* kCurrentVersionKey = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kSetupKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Setup";
constexpr const char* kShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kMapGroupsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\GrpConv\\MapGroups";

bool g_installingForUser = false;

std::string ShellFolder(int csidl) {
    wchar_t path[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return Utf8(path);
}

// The registry's folder, or the system's when the registry has none.
std::string RegistryOrShellFolder(HKEY root, const char* key, const char* name, int csidl) {
    std::string folder = ReadRegString(root, key, name);
    return folder.empty() ? ShellFolder(csidl) : folder;
}

class ViewFolders : public PathFolders {
public:
    explicit ViewFolders(InstallView& view) : view_(view) {}
    std::string ProgramFiles() override { return g_installingForUser ? GetUserProgramFilesDir() : GetProgramFilesDir(); }
    std::string Windows() override { return GetWindowsDir(); }
    std::string System() override { return GetSystemDir(); }
    std::string InstallFolder() override { return view_.GetInstallFolder(); }

private:
    InstallView& view_;
};

std::size_t LastSeparator(const std::string& path) { return path.find_last_of("\\:"); }

}  // namespace

std::string GetProgramFilesDir() {
    return RegistryOrShellFolder(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "ProgramFilesDir", CSIDL_PROGRAM_FILES);
}

std::string GetUserProgramFilesDir() {
    // FOLDERID_UserProgramFiles, which systems before Windows 7 (and Wine) do not know: they get
    // the folder it stands for.
    static constexpr KNOWNFOLDERID kUserProgramFiles = {
        0x5cd7aee2, 0x2219, 0x4a67, {0xb8, 0x5d, 0x6c, 0x9c, 0xe1, 0x56, 0x60, 0xcb}};
    wchar_t* known = nullptr;
    const bool found = SUCCEEDED(SHGetKnownFolderPath(kUserProgramFiles, KF_FLAG_DONT_VERIFY, nullptr, &known));
    std::string folder = found ? Utf8(known) : ShellFolder(CSIDL_LOCAL_APPDATA);
    CoTaskMemFree(known);
    if (!found && !folder.empty()) folder += "\\Programs";
    return folder;
}

void SetInstallingForUser(bool forUser) { g_installingForUser = forUser; }

std::string GetWindowsDir() {
    wchar_t path[MAX_PATH];
    const UINT n = GetWindowsDirectoryW(path, MAX_PATH);
    return Utf8(std::wstring_view(path, n < MAX_PATH ? n : 0));
}

std::string GetSystemDir() {
    std::string folder = ReadRegString(HKEY_LOCAL_MACHINE, kSetupKey, "SysDir");
    if (!folder.empty()) return folder;
    wchar_t path[MAX_PATH];
    const UINT n = GetSystemDirectoryW(path, MAX_PATH);
    return Utf8(std::wstring_view(path, n < MAX_PATH ? n : 0));
}

std::string GetStartMenuDir() {
    return RegistryOrShellFolder(HKEY_CURRENT_USER, kShellFoldersKey, "Start Menu", CSIDL_STARTMENU);
}

std::string GetDesktopDir() {
    return RegistryOrShellFolder(HKEY_CURRENT_USER, kShellFoldersKey, "Desktop", CSIDL_DESKTOPDIRECTORY);
}

std::string GetProgramsDir() {
    return RegistryOrShellFolder(HKEY_CURRENT_USER, kShellFoldersKey, "Programs", CSIDL_PROGRAMS);
}

std::string GetQuickLaunchDir() {
    std::string folder = ReadRegString(HKEY_CURRENT_USER, kMapGroupsKey, "Quick Launch");
    if (!folder.empty()) return folder;
    const std::string appData = ShellFolder(CSIDL_APPDATA);
    return appData.empty() ? appData : appData + "\\Microsoft\\Internet Explorer\\Quick Launch";
}

std::string ExpandPath(const std::string& text, InstallView& view) {
    ViewFolders folders(view);
    return ExpandPathWith(text, folders);
}

std::string PrepareInstallFolder(InstallView& view) {
    const std::string box = view.GetInstallFolder();
    std::string folder = box.empty() ? std::string(kDefaultInstallFolder) : box;
    if (folder.back() != '\\') folder += '\\';
    if (folder != box) view.SetInstallFolder(folder);
    return folder;
}

bool CreateFolderPath(const std::string& path, RunChanges* changes) {
    if (path.empty()) return false;
    std::string folder = path;
    if (folder.back() == '\\') folder.pop_back();
    if (folder.size() <= 2 || FolderExists(folder)) return true;
    const std::string parent = FolderPart(folder);
    if (parent == folder) return true;
    if (!CreateFolderPath(parent, changes)) return false;
    if (!CreateDirectoryW(Wide(folder).c_str(), nullptr)) return false;
    if (changes) changes->FolderMade(folder);
    return true;
}

std::string FolderPart(const std::string& path) {
    const std::size_t at = LastSeparator(path);
    return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

std::string NamePart(const std::string& path) {
    const std::size_t at = LastSeparator(path);
    return at == std::string::npos ? path : path.substr(at + 1);
}
