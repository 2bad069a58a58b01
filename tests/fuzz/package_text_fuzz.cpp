// Package text of any bytes: the loader's reading and its record checks take time and memory in
// proportion to the bytes, whatever the counts claim.
#include <string_view>

#include "package/package_text.h"

extern "C" int LLVMFuzzerTestOneInput(const char* bytes, std::size_t size) {
    const std::string_view text(bytes, size);
    StringSource source(text);
    PackageData data;
    if (!ReadPackageText(source, data).empty()) return 0;
    CheckFileRecords(data, static_cast<std::int64_t>(size));
    CheckLinkAndKeyRecords(data);
    return 0;
}
