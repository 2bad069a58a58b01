#pragma once
// Shortcut files (.lnk) through the system's shell link object.
#include <optional>
#include <string>

// Writes the link file, replacing an existing one. Returns whether the file was saved; an "OleError"
// with the system's text when the shell link object cannot be created.
bool CreateShellLink(const std::string& target, const std::string& linkPath, const std::string& description,
                     const std::string& arguments, const std::string& workingFolder);

struct ShortcutFields {
    std::string target, workingFolder, arguments, description;
};

// What a link file holds, or nothing when it cannot be loaded.
std::optional<ShortcutFields> ReadShortcut(const std::string& linkPath);
