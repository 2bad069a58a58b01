#include "uninstaller/paths.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The character at text[at], moving at past it. Every letter compared without case has a one- or
// two-byte form in UTF-8; any other byte (of a longer form, or of no form) stands for itself above
// every code point, so it matches only the same byte.
char32_t NextCharacter(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) return lead;
    if (lead >= 0xC2 && lead <= 0xDF && at < text.size() && (text[at] & 0xC0) == 0x80)
        return (lead & 0x1F) << 6 | (text[at++] & 0x3F);
    return 0x110000 + lead;
}

// Lower case for the letters of Latin (with Latin-1's accented ones) and Cyrillic, Kazakh's and
// the other languages' extra letters included: the names users give folders in the languages
// this program is made for. Done here rather than by the system's CompareStringOrdinal so that
// the comparison stays portable code, tested natively with the rest of the record's reading.
char32_t Folded(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;  // А-Я
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;  // Ѐ-Џ: Ё, Ї, І, Ў...
    if (c == 0x4C0) return 0x4CF;                   // Ӏ
    if (c >= 0x4C1 && c <= 0x4CE) return c + (c & 1);  // Ӂ-Ӎ: upper case at odd code points
    // Elsewhere up to U+04FF (Ғ, Қ, Ң, Ү, Ұ, Һ, Ә, Ө...) pairs start at even code points, signs
    // aside.
    if (c >= 0x460 && c <= 0x4FF && (c < 0x482 || c > 0x489)) return c | 1;
    return c;
}

bool SamePart(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size())
        if (Folded(NextCharacter(a, i)) != Folded(NextCharacter(b, j))) return false;
    return i == a.size() && j == b.size();
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
    if (path.size() >= 3 && path[1] == ':' && IsSeparator(path[2])) return (path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z';
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

std::string PathKey(std::string_view path) {
    std::string key;
    const auto add = [&key](char32_t c) { key.append({char(c >> 16), char(c >> 8), char(c)}); };
    for (const std::string_view part : PathParts(path)) {
        add(U'\\');
        for (std::size_t at = 0; at < part.size();) add(Folded(NextCharacter(part, at)));
    }
    return key;
}

std::string ParentFolder(std::string_view path) {
    while (!path.empty() && IsSeparator(path.back())) path.remove_suffix(1);
    const auto at = path.find_last_of("\\/");
    return at == std::string_view::npos ? std::string() : std::string(path.substr(0, at));
}
