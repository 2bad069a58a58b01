#pragma once
// Finding the package at the end of the program's own file, copying it to the temporary package
// copy and reading its text block.
#include <string>

#include "package/package_data.h"

std::string GetProgramPath();
// The user's temporary folder exactly as the system reports it, normally ending in "\".
std::string GetTempFolder();
bool FolderExists(const std::string& path);
// The temporary package copy under the given temporary folder.
std::string TempPackagePath(const std::string& tempFolder);
// Removes the program's package copy, as large as the package, on every end of the program (when
// none was made, nothing).
void RemovePackageCopy();

enum class LoadResult { Loaded, LengthBeyondFile, Damaged };

class PackageCopy;

// Loads the package appended to programPath into copy, made under tempFolder and left held open
// for extraction. Shows nothing and reports damage as its result: the caller decides what the user
// sees. A sealed package's checksum is checked on the bytes copied.
LoadResult ReadPackageFrom(const std::string& programPath, const std::string& tempFolder, PackageData& data,
                           PackageCopy& copy);

// The program's loading: returns only when the package loaded. A stored length larger than the
// file ends the process silently; any other fault, a failure such as exhausted memory included,
// shows the damaged-data message first. Both end
// with exit code 0.
void LoadPackage(PackageData& data);
