#pragma once
// Paths a package gives below a folder of the machine (a file below the install folder, a link
// or the program group below a shortcut place). The installer must never write outside that folder.
#include <cstddef>
#include <string>
#include <string_view>

// The longest relative path a package may give, in characters. The system takes paths shorter than
// MAX_PATH (260) characters, the folder included; the folder is chosen later.
inline constexpr std::size_t kMaxRelativePath = 259;

// "" when the path, taken below a folder, stays inside it and names no device; otherwise why not,
// as the end of a sentence about the path ("leads out of its folder ('..')"). Both "\" and "/"
// separate folders. An empty path stays inside.
// The package's own text is Windows-1251, one byte a character.
std::string RelativePathFault(std::string_view path);
// The same for a path in UTF-8, as the program holds the package's text once it is loaded.
std::string Utf8RelativePathFault(std::string_view path);
