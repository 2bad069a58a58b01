#include "package/package_writer.h"

#include "codec/crc32.h"
#include "package/seal.h"
#include "package/settings.h"
#ifdef _WIN32
#include "runtime/unicode.h"
#endif

namespace {

// A package stores its texts in Windows-1251. The builder runs on the host and hands over lines
// already in it; on Windows only tests write packages, and their lines are the program's UTF-8
// texts, converted here. A line that has no 1251 form (bytes that are no UTF-8: a test's crafted
// bytes, a 1251 text) is stored as it is given.
std::string StoredLine(const std::string& line) {
#ifdef _WIN32
    std::string cp1251;
    if (Utf8ToCp1251(line, cp1251)) return cp1251;
#endif
    return line;
}

}  // namespace

StringList TextLines(const PackageLayout& layout) {
    StringList lines = layout.settings;
    lines.resize(setting::kCount);
    lines[setting::kRegistryCount] = std::to_string(layout.registry.size());
    lines[setting::kShortcutCount] = std::to_string(layout.shortcuts.size());
    lines[setting::kFileCount] = std::to_string(layout.files.size());
    for (const auto& r : layout.registry) lines.insert(lines.end(), {r.root, r.key, r.name, r.data, r.type});
    for (const auto& s : layout.shortcuts)
        lines.insert(lines.end(), {s.place, s.name, s.target, s.workingFolder, s.arguments, s.description});
    for (const auto& f : layout.files) lines.insert(lines.end(), {f.path, std::to_string(f.size), f.attributes});
    return lines;
}

std::string ComposeTextBlock(const StringList& lines) {
    std::string block;
    for (const auto& line : lines) {
        block += StoredLine(line);
        block += "\r\n";
    }
    return block;
}

std::string ComposePackage(const StringList& lines, const std::string& payload) {
    std::string package = ComposeTextBlock(lines) + payload;
    return package + LengthTrailer(static_cast<std::int32_t>(package.size() + 4));
}

std::string ComposeSealedPackage(StringList lines, const std::string& payload, bool forUser) {
    lines[setting::kBanner] = ComposeSeal(0, false, forUser) + lines[setting::kBanner];
    std::string package = ComposePackage(lines, payload);
    const std::string seal =
        ComposeSeal(Crc32(0, package.data() + kSealedFrom, package.size() - kSealedFrom), false, forUser);
    return package.replace(0, seal.size(), seal);
}
