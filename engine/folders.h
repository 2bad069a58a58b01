#pragma once
// Folders of the machine being installed on, path expansion against them, and folder creation.
#include <string>

#include "engine/install_view.h"

class RunChanges;

// Each returns the folder as the system stores it (no backslash added or removed), or an empty
// text when neither the registry nor the system knows it. The registry is asked first, as older
// systems keep these folders there; a missing or empty value asks the system.
std::string GetProgramFilesDir();
// The user's own program folder (the known folder UserProgramFiles, %LOCALAPPDATA%\Programs), where
// a package for the user installs; it need not exist yet.
std::string GetUserProgramFilesDir();
std::string GetWindowsDir();
std::string GetSystemDir();
std::string GetStartMenuDir();
std::string GetDesktopDir();
std::string GetProgramsDir();
std::string GetQuickLaunchDir();

// Whom the run installs for, as its package says once it is loaded (PackageData::ForUser): %ProgFs%
// then stands for the user's own program folder instead of the machine's Program Files.
void SetInstallingForUser(bool forUser);

// A package path with its leading placeholder replaced; %ProgDr% is the view's folder box now.
std::string ExpandPath(const std::string& text, InstallView& view);

// The install folder as every install step uses it: the folder box, made to end in "\" and
// written back. An empty box gets the default install folder rather than the drive's root.
std::string PrepareInstallFolder(InstallView& view);

// Creates the folder and every missing parent; true when the folder exists afterwards. Stops at
// the first folder that cannot be made. Each folder made is recorded in changes, when given.
bool CreateFolderPath(const std::string& path, RunChanges* changes = nullptr);

// The path up to and including its last "\" or ":"; empty when it has neither.
std::string FolderPart(const std::string& path);
// The path after its last "\" or ":".
std::string NamePart(const std::string& path);
