#pragma once
// What loading leaves behind for the rest of the run.
#include <cstdint>
#include <string>
#include <vector>

using StringList = std::vector<std::string>;

// The record lists end where the package's text ends, although their counts may ask for more:
// read them with ListLine (package/records.h), which reads a missing line as empty. Once loaded,
// every text is UTF-8 (the package stores Windows-1251), but for the banner and the shifted licence
// line, which nothing reads after loading.
struct PackageData {
    StringList ShortcutEntries;  // 6 lines a record
    StringList RegistryEntries;  // 5 lines a record
    StringList FileEntries;      // 3 lines a record
    StringList MainSettings;     // the 65 setting lines
    std::string LicenceText;     // the kLicenceText line, unshifted
    std::int64_t PayloadOffset = 0;  // length of the text block: where the first file's bytes begin
    bool Compressed = false;         // the payload is one LZMA stream of the files' bytes
    // The package installs for the user alone, without administrator rights (package/for_user.h):
    // the " user" mark of setup-pack's seal. Any other package installs for the machine.
    bool ForUser = false;
};
