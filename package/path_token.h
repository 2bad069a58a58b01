#pragma once
// The placeholder token a package path may begin with ("%ProgFs%\Tools"): "%", six letters in any
// case, "%". The install engine replaces it with a folder of the machine (engine/placeholders.h).
#include <cstddef>
#include <string_view>

inline constexpr std::size_t kPathTokenLength = 8;

enum class PathToken {
    None,
    ProgramFiles,   // %PROGFS%
    Windows,        // %WINDIR%
    System,         // %SYSDIR%
    InstallFolder,  // %PROGDR%
};

// The token at the very start of the text, letters compared without case.
PathToken LeadingPathToken(std::string_view text);
