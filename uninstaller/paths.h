#pragma once
// Windows paths in UTF-8 as the uninstaller compares them: split at "\" or "/", letters compared
// without case (Latin, Latin-1 and Cyrillic), doubled separators ignored.
#include <string>
#include <string_view>
#include <vector>

// The path's parts between separators; empty parts and "." are left out.
std::vector<std::string_view> PathParts(std::string_view path);

// True for "X:\..." and "\\server\...": paths that do not depend on a current folder.
bool IsAbsolutePath(std::string_view path);

// True when the path names ".." anywhere: it could climb out of any folder it starts in.
bool ClimbsUp(std::string_view path);

// True when the path lies below the folder (not the folder itself).
bool IsInsideFolder(std::string_view path, std::string_view folder);

bool SamePath(std::string_view a, std::string_view b);

// The path as SamePath compares it: its parts, letters folded, each after one separator, every
// character in three bytes. Two paths are the same exactly when their keys are equal, so keys can
// be sorted and looked up.
std::string PathKey(std::string_view path);

// The path up to its last separator, without it; empty when it has none.
std::string ParentFolder(std::string_view path);
