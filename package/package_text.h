#pragma once
// The text block of a package: the 65 settings followed by the registry, shortcut and file records,
// sized by the counts in settings lines kRegistryCount, kShortcutCount and kFileCount.
#include <cstdint>
#include <string>

#include "package/line_reader.h"
#include "package/package_data.h"
#include "runtime/errors.h"

class PackageDamaged : public RuntimeError {
public:
    explicit PackageDamaged(const std::string& reason) : RuntimeError("PackageError", reason) {}
};

// Lines the counts may ask for beyond the end of the text. A real package never asks for any; a
// damaged count of two billion would otherwise fill memory with empty lines.
inline constexpr std::int64_t kMaxLinesPastEnd = 1 << 20;

// Fills the four lists, the licence text and the payload offset. The counts are trusted: lines
// past the text block are read from the file bytes that follow, and past the end as empty lines.
// Throws ConvertError for a count line that is not an integer, PackageDamaged for a count that asks
// for more than kMaxLinesPastEnd lines past the end.
void ReadPackageText(ByteSource& source, PackageData& data);

// The payload is everything after the text block in the first copyLength bytes of the package.
// Throws PackageDamaged, naming the record, unless every size line is a non-negative integer,
// every attribute line an integer, and the sizes together fit in the payload.
void CheckFileRecords(const PackageData& data, std::int64_t copyLength);

// Sum of the file sizes, for a package that passed CheckFileRecords.
std::int64_t TotalFileSize(const PackageData& data);
