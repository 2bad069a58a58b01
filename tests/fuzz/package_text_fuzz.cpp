// Package text of any bytes: the loader's reading and its record checks take time and memory in
// proportion to the bytes, whatever the counts claim.
#include <string_view>

#include <algorithm>

#include "codec/crc32.h"
#include "package/for_user.h"
#include "package/package_text.h"
#include "package/seal.h"

extern "C" int LLVMFuzzerTestOneInput(const char* bytes, std::size_t size) {
    const std::string_view text(bytes, size);
    StringSource source(text);
    PackageData data;
    if (!ReadPackageText(source, data).empty()) return 0;
    // The seal as the loader reads it, with the checksum of the bytes after it.
    const std::uint32_t checksum = size > kSealedFrom ? Crc32(0, bytes + kSealedFrom, size - kSealedFrom) : 0;
    const std::int64_t payload = std::min<std::int64_t>(data.PayloadOffset, static_cast<std::int64_t>(size));
    const std::int64_t end = SealedPayloadEnd(ReadSeal(data.MainSettings[0]), checksum, data.PayloadOffset,
                                              static_cast<std::int64_t>(size), text.substr(static_cast<std::size_t>(payload)));
    if (end < 0) return 0;
    CheckFileRecords(data, end);
    CheckLinkAndKeyRecords(data);
    UserPackageFault(data);
    return 0;
}
