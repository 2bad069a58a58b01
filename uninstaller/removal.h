#pragma once
// Removing an installation as its plan lists it. Whatever is already gone counts as removed;
// folders go only when they are empty, so files the user added stay, and their folders with them.
#include <string>
#include <vector>

#include "uninstaller/uninstall_plan.h"

struct NotRemoved {
    std::string item;       // a path, or a registry value as root\key\name
    unsigned long code = 0; // the system's reason
};

// The listed files, registry values (and each key left empty), the entry in the list of installed
// programs, the links and their program group folders, then Uninstall.ini itself.
std::vector<NotRemoved> RemoveInstalled(const UninstallPlan& plan, const std::string& installFolder);

// The uninstaller's file in the install folder (waiting a little while the program that started
// this copy ends), then the folders left empty.
std::vector<NotRemoved> RemoveUninstallerAndFolders(const UninstallPlan& plan, const std::string& installFolder);
