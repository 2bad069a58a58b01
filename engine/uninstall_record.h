#pragma once
// Registering the installation with the system's list of installed programs, and Uninstall.ini
// for the package's uninstaller.
#include <string>

#include "engine/installation.h"

// The uninstall key's path under HKEY_LOCAL_MACHINE for the program's entry name.
std::string UninstallKeyPath(const std::string& entryName);

void WriteUninstallRecord(Installation& run);

// The runtime's text for a failed file operation: the cause for common system codes, otherwise
// "I/O error <code>".
std::string InOutErrorText(unsigned long code);
