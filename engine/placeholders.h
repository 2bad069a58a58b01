#pragma once
// Placeholder tokens at the start of package paths ("%ProgFs%\Tools"), replaced by folders of the
// machine the package is installed on. Portable: the folders come from a PathFolders.
#include <cstddef>
#include <string>

// Path texts are cut to this many characters (not UTF-8 bytes) before expansion.
inline constexpr std::size_t kMaxPathText = 255;

// Where the tokens' folders come from; asked only for the folder of the token found, at the time
// of the call.
class PathFolders {
public:
    virtual std::string ProgramFiles() = 0;   // %PROGFS%
    virtual std::string Windows() = 0;        // %WINDIR%
    virtual std::string System() = 0;         // %SYSDIR%
    virtual std::string InstallFolder() = 0;  // %PROGDR%: the folder box as it is now

protected:
    ~PathFolders() = default;
};

// The text with a leading token (any letter case) replaced by its folder; the rest of the text
// follows the folder as it stands, with no separator added. Other texts come back unchanged.
std::string ExpandPathWith(const std::string& text, PathFolders& folders);
