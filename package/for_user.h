#pragma once
// A package for the user (the description's "install-for = user", the " user" mark of the seal)
// installs with the rights of whoever starts it, without administrator rights: into the user's own
// program folder, with its values and its entry in the list of installed programs under
// HKEY_CURRENT_USER. So it may name nothing of the machine: writing there would fail without the
// rights, and with them would reach every user. The builder refuses such a package naming the
// line; the setup program takes one that another tool wrote as damaged.
#include <cstdint>
#include <string>
#include <string_view>

#include "package/package_data.h"

// Whether a package for the user may write where the path leads: not below %WinDir% or %SysDir%,
// and, for its install folder, not in the default install folder in Program Files, which an empty
// folder or one starting with %ProgDr% means.
bool IsUserFolder(std::string_view path, bool installFolder);

// "" when a registry record of a package for the user may name this root, HKEY_CURRENT_USER alone;
// otherwise why not, as the end of a sentence about the root.
std::string UserRootFault(std::string_view root);
// "" when IsUserFolder; otherwise why not, as the end of a sentence about the path.
std::string UserFolderFault(std::string_view path, bool installFolder);

// The first setting or record of a package for the user that names the machine: its install
// folder, the folder its uninstaller removes, its file paths and its registry roots, in this order.
struct MachineItem {
    enum Kind { kNone, kInstallFolder, kRemovedFolder, kFilePath, kRegistryRoot } kind = kNone;
    std::int64_t record = 0;  // a file or registry record's number, from 1
    std::string_view text;    // the path or root
};
MachineItem FindMachineItem(const PackageData& data);

// For a package for the user: "" when it names nothing of the machine; otherwise why, naming the
// setting or record (FindMachineItem).
std::string UserPackageFault(const PackageData& data);
