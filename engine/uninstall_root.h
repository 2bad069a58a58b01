#pragma once
// Where the list of installed programs keeps an installation's entry: HKEY_LOCAL_MACHINE's list for
// a package for the machine, the user's own, under HKEY_CURRENT_USER, for a package for the user.
#include "package/package_data.h"
#include "runtime/platform.h"

inline HKEY UninstallRoot(bool forUser) { return forUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }
inline HKEY UninstallRoot(const PackageData& package) { return UninstallRoot(package.ForUser); }
