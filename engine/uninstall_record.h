#pragma once
// Registering the installation with the system's list of installed programs, and Uninstall.ini
// for the package's uninstaller.
#include <string>

#include "engine/installation.h"

// The uninstall key's path under HKEY_LOCAL_MACHINE for the program's entry name.
std::string UninstallKeyPath(const std::string& entryName);

void WriteUninstallRecord(Installation& run);
