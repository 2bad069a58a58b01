#pragma once
// Writing packages: the package builder and the tests compose them with these.
#include <cstdint>
#include <string>
#include <vector>

#include "package/length_trailer.h"
#include "package/package_data.h"
#include "package/setting_lines.h"

struct RegistryRecord {
    std::string root, key, name, data, type;
};

struct ShortcutRecord {
    std::string place, name, target, workingFolder, arguments, description;
};

struct FileRecord {
    std::string path;
    std::int64_t size = 0;
    std::string attributes = "32";
};

// A package as its author sees it; settings are the lines as stored (the licence text already shifted).
struct PackageLayout {
    StringList settings = StringList(setting::kCount);
    std::vector<RegistryRecord> registry;
    std::vector<ShortcutRecord> shortcuts;
    std::vector<FileRecord> files;
};

// All lines of the text block, with the three counts written from the record lists.
StringList TextLines(const PackageLayout& layout);

// Each line followed by CR LF; on Windows, lines in UTF-8 are stored in Windows-1251.
std::string ComposeTextBlock(const StringList& lines);

// Text block, payload and the length of the whole package.
std::string ComposePackage(const StringList& lines, const std::string& payload);

// The same, sealed as setup-pack seals a package whose payload is stored plain: the seal in front
// of the banner, holding the checksum of the rest, with the mark of a package for the user when
// forUser.
std::string ComposeSealedPackage(StringList lines, const std::string& payload, bool forUser = false);
