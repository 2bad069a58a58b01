#pragma once
// The seal that setup-pack puts at the start of line 0, the banner, which the program reads for
// nothing else: "\x01setup-pack crc32=" with the package's checksum in 8 hexadecimal digits, then
// " lzma" when the payload is compressed, " user" when the package installs for the user alone,
// then "\x01"; the banner text and padding follow. A text editor or another building tool does not
// start a banner with the byte 1, so a package without this exact start is a plain one and loads
// as it always did, for the machine.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::string_view kSealMagic = "\x01setup-pack crc32=";
// The checksum covers every byte of the package from here to its end, the length included: all
// but the magic, which is checked as it is, and the digits that hold the checksum.
inline constexpr std::size_t kSealedFrom = kSealMagic.size() + 8;

enum class SealKind {
    None,        // a plain package from any tool
    Plain,       // sealed by setup-pack, files stored as they are
    Compressed,  // sealed by setup-pack, the payload one LZMA stream
    Broken,      // starts like a seal but is not one: damage
};

struct Seal {
    SealKind kind = SealKind::None;
    std::uint32_t checksum = 0;
    bool forUser = false;  // the package installs for the user alone; without a seal, for the machine
};

// The seal at the start of line 0 (or of the package's first bytes).
Seal ReadSeal(std::string_view start);

// The seal's bytes, to be followed by the banner.
std::string ComposeSeal(std::uint32_t checksum, bool compressed, bool forUser = false);

// Where a loaded package's payload ends once unpacked, counted from the package's start, for the
// file records' check: copyLength for a plain package, the payload's offset plus the stream's
// unpacked size for a compressed one; -1 when the package is damaged: a broken seal, a checksum
// other than the one computed, a stream whose header the program cannot unpack. streamHeader
// holds the payload's first bytes (its header, when compressed).
std::int64_t SealedPayloadEnd(const Seal& seal, std::uint32_t checksum, std::int64_t payloadOffset,
                              std::int64_t copyLength, std::string_view streamHeader);
