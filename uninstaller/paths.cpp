#include "uninstaller/paths.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Lower case for Latin letters and the Russian alphabet of Windows-1251 (А-Я at 0xC0-0xDF, Ё at 0xA8).
unsigned char Folded(char c) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDF)) return static_cast<unsigned char>(u + 0x20);
    if (u == 0xA8) return 0xB8;
    return u;
}

bool SamePart(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Folded(a[i]) != Folded(b[i])) return false;
    return true;
}

// Whether the first parts of path are the parts of folder; extra says how many more path may have.
bool StartsWithParts(std::string_view path, std::string_view folder, bool needMore) {
    const auto pathParts = PathParts(path);
    const auto folderParts = PathParts(folder);
    if (pathParts.size() < folderParts.size() + (needMore ? 1 : 0)) return false;
    if (!needMore && pathParts.size() != folderParts.size()) return false;
    for (std::size_t i = 0; i < folderParts.size(); ++i)
        if (!SamePart(pathParts[i], folderParts[i])) return false;
    return true;
}

}  // namespace

std::vector<std::string_view> PathParts(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !IsSeparator(path[i])) continue;
        const std::string_view part = path.substr(start, i - start);
        if (!part.empty() && part != ".") parts.push_back(part);
        start = i + 1;
    }
    return parts;
}

bool IsAbsolutePath(std::string_view path) {
    if (path.size() >= 3 && path[1] == ':' && IsSeparator(path[2])) return Folded(path[0]) >= 'a' && Folded(path[0]) <= 'z';
    return path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2]);
}

bool ClimbsUp(std::string_view path) {
    for (std::string_view part : PathParts(path))
        if (part == "..") return true;
    return false;
}

bool IsInsideFolder(std::string_view path, std::string_view folder) {
    return IsAbsolutePath(path) && !ClimbsUp(path) && StartsWithParts(path, folder, true);
}

bool SamePath(std::string_view a, std::string_view b) { return StartsWithParts(a, b, false); }

std::string ParentFolder(std::string_view path) {
    while (!path.empty() && IsSeparator(path.back())) path.remove_suffix(1);
    const auto at = path.find_last_of("\\/");
    return at == std::string_view::npos ? std::string() : std::string(path.substr(0, at));
}
