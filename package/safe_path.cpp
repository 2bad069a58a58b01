#include "package/safe_path.h"

#include "runtime/integer.h"
#include "runtime/utf8_characters.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The system drops trailing dots and blanks from a name, so ".. " and "..." are ".." to it too.
bool LeadsUp(std::string_view part) {
    if (part.find_first_not_of(". ") != std::string_view::npos) return false;
    return part.find('.') != part.rfind('.');
}

// CON, NUL, PRN, AUX, COM1-COM9 and LPT1-LPT9 name devices in every folder, with any extension.
bool IsDeviceName(std::string_view part) {
    std::string base;
    for (char c : part.substr(0, part.find('.'))) base += UpperAscii(c);
    while (!base.empty() && base.back() == ' ') base.pop_back();
    if (base == "CON" || base == "NUL" || base == "PRN" || base == "AUX") return true;
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

// Dots, blanks, separators and device names are the same bytes in Windows-1251 and in UTF-8; only
// the length is counted in characters of the path's encoding.
std::string PathFault(std::string_view path, std::size_t characters) {
    if (path.empty()) return {};
    if (IsSeparator(path.front())) return "starts at the root of a drive";
    // A drive ("C:x" is relative to the drive's current folder) or a stream of a file.
    if (path.find(':') != std::string_view::npos) return "names a drive or a stream (':')";
    if (characters > kMaxRelativePath) return "is longer than " + IntToStr(kMaxRelativePath) + " characters";
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        const std::string_view part = path.substr(start, end - start);
        if (LeadsUp(part)) return "leads out of its folder ('" + std::string(part) + "')";
        if (IsDeviceName(part)) return "names the device '" + std::string(part) + "'";
        start = end + 1;
    }
    return {};
}

}  // namespace

std::string RelativePathFault(std::string_view path) { return PathFault(path, path.size()); }

std::string Utf8RelativePathFault(std::string_view path) { return PathFault(path, CountCharacters(path)); }
