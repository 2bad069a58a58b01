#pragma once
// Registering the installation with the system's list of installed programs, and Uninstall.ini
// for the package's uninstaller.
#include <string>

#include "engine/installation.h"

// The uninstall key's path under its root (engine/uninstall_root.h) for the program's entry name.
std::string UninstallKeyPath(const std::string& entryName);

// Uninstall.ini's bytes for its text (UTF-8): Windows-1251, as uninstallers have always read it,
// when every character has a form there; otherwise UTF-8 behind a byte-order mark (a user's
// folder "C:\Программы Müller"), which the uninstaller tells apart by it.
std::string UninstallFileBytes(const std::string& text);

void WriteUninstallRecord(Installation& run);
