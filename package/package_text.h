#pragma once
// The text block of a package: the 65 settings followed by the registry, shortcut and file records,
// sized by the counts in settings lines kRegistryCount, kShortcutCount and kFileCount.
#include <cstdint>
#include <string>

#include "package/line_reader.h"
#include "package/package_data.h"

// Lines the counts may ask for beyond the end of the text. A real package never asks for any; a
// damaged count of two billion would have the installer go through as many empty records.
inline constexpr std::int64_t kMaxLinesPastEnd = 1 << 20;

// Fills the four lists, the licence text and the payload offset. The counts are trusted: lines
// past the text block are read from the file bytes that follow, and past the end as empty lines,
// which the record lists leave out (ListLine reads them as empty); the settings hold all 65.
// Returns "" when the text reads, otherwise why the package is damaged: a count line that is not an
// integer, or counts that ask for more than kMaxLinesPastEnd lines past the end.
std::string ReadPackageText(ByteSource& source, PackageData& data);

// The payload is everything after the text block in the first copyLength bytes of the package.
// Returns "" when every path stays inside the install folder (RelativePathFault), every size line
// is a non-negative integer, every attribute line an integer and the sizes add up to the payload
// exactly; otherwise why not, naming the record.
std::string CheckFileRecords(const PackageData& data, std::int64_t copyLength);

// Returns "" when the program group and every shortcut name stay inside their shortcut place's
// folder and every registry key path names a key below its root (not the root itself); otherwise
// why not, naming the record. (A package for the user: package/for_user.h.)
std::string CheckLinkAndKeyRecords(const PackageData& data);

// Sum of the file sizes, for a package that passed CheckFileRecords.
std::int64_t TotalFileSize(const PackageData& data);
