#include "package/for_user.h"

#include "package/path_token.h"
#include "package/records.h"
#include "package/settings.h"
#include "runtime/integer.h"

namespace {

constexpr std::string_view kUserRoot = "HKEY_CURRENT_USER";
constexpr const char* kOwnFoldersOnly =
    ": a package for the user writes only in the user's own folders (%ProgFs% is the user's program folder)";

}  // namespace

bool IsUserFolder(std::string_view path, bool installFolder) {
    const PathToken token = LeadingPathToken(path);
    return token != PathToken::Windows && token != PathToken::System &&
           !(installFolder && (path.empty() || token == PathToken::InstallFolder));
}

std::string UserRootFault(std::string_view root) {
    if (root == kUserRoot) return {};
    return "is not the user's own: a package for the user writes only under " + std::string(kUserRoot);
}

std::string UserFolderFault(std::string_view path, bool installFolder) {
    if (IsUserFolder(path, installFolder)) return {};
    if (path.empty() || LeadingPathToken(path) == PathToken::InstallFolder)
        return std::string("means the default install folder, in the machine's Program Files") + kOwnFoldersOnly;
    return "lies in a folder of the machine (" + std::string(path.substr(0, kPathTokenLength)) + ")" + kOwnFoldersOnly;
}

MachineItem FindMachineItem(const PackageData& data) {
    if (const std::string& folder = Setting(data, setting::kInstallFolder); !IsUserFolder(folder, true))
        return {MachineItem::kInstallFolder, 0, folder};
    if (const std::string& removed = Setting(data, setting::kUninstallSetting3); !IsUserFolder(removed, false))
        return {MachineItem::kRemovedFolder, 0, removed};
    std::int64_t record = 1;
    for (std::size_t i = 0; i < data.FileEntries.size(); i += kFileRecordLines, ++record)
        if (!IsUserFolder(data.FileEntries[i], false)) return {MachineItem::kFilePath, record, data.FileEntries[i]};
    record = 1;
    for (std::size_t i = 0; i < data.RegistryEntries.size(); i += kRegistryRecordLines, ++record)
        if (data.RegistryEntries[i] != kUserRoot) return {MachineItem::kRegistryRoot, record, data.RegistryEntries[i]};
    return {};
}

std::string UserPackageFault(const PackageData& data) {
    const MachineItem item = FindMachineItem(data);
    const std::string text(item.text), record = IntToStr(item.record);
    switch (item.kind) {
    case MachineItem::kNone:
        return {};
    case MachineItem::kInstallFolder:
        return "the install folder '" + text + "' " + UserFolderFault(text, true);
    case MachineItem::kRemovedFolder:
        return "the folder the uninstaller removes '" + text + "' " + UserFolderFault(text, false);
    case MachineItem::kFilePath:
        return "file record " + record + ": the path '" + text + "' " + UserFolderFault(text, false);
    case MachineItem::kRegistryRoot:
        return "registry record " + record + ": the root '" + text + "' " + UserRootFault(text);
    }
    return {};
}
