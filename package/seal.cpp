#include "package/seal.h"

#include "codec/lzma_decoder.h"

namespace {

constexpr std::string_view kCompressedMark = " lzma", kForUserMark = " user";
constexpr char kSealEnd = '\x01';

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

Seal ReadSeal(std::string_view start) {
    if (start.substr(0, kSealMagic.size()) != kSealMagic) return {};
    Seal seal{SealKind::Broken, 0};
    std::string_view rest = start.substr(kSealMagic.size());
    if (rest.size() < 8) return seal;
    for (std::size_t i = 0; i < 8; ++i) {
        const int digit = HexDigit(rest[i]);
        if (digit < 0) return {SealKind::Broken, 0};
        seal.checksum = seal.checksum << 4 | static_cast<std::uint32_t>(digit);
    }
    rest.remove_prefix(8);
    // Each mark present or not, in this order.
    const bool compressed = rest.starts_with(kCompressedMark);
    if (compressed) rest.remove_prefix(kCompressedMark.size());
    seal.forUser = rest.starts_with(kForUserMark);
    if (seal.forUser) rest.remove_prefix(kForUserMark.size());
    if (rest.empty() || rest.front() != kSealEnd) return {SealKind::Broken, 0};
    seal.kind = compressed ? SealKind::Compressed : SealKind::Plain;
    return seal;
}

std::string ComposeSeal(std::uint32_t checksum, bool compressed, bool forUser) {
    static const char digits[] = "0123456789ABCDEF";
    std::string seal(kSealMagic);
    for (int shift = 28; shift >= 0; shift -= 4) seal += digits[checksum >> shift & 0xF];
    if (compressed) seal += kCompressedMark;
    if (forUser) seal += kForUserMark;
    return seal + kSealEnd;
}

std::int64_t SealedPayloadEnd(const Seal& seal, std::uint32_t checksum, std::int64_t payloadOffset,
                              std::int64_t copyLength, std::string_view streamHeader) {
    if (seal.kind == SealKind::Broken || (seal.kind != SealKind::None && seal.checksum != checksum)) return -1;
    if (seal.kind != SealKind::Compressed) return copyLength;
    LzmaHeader header;
    // A terabyte is no installer's; the limit keeps the sums below in range.
    if (copyLength - payloadOffset < static_cast<std::int64_t>(kLzmaHeaderSize) || streamHeader.size() < kLzmaHeaderSize ||
        !ReadLzmaHeader(reinterpret_cast<const unsigned char*>(streamHeader.data()), header) ||
        header.unpackedSize > (std::uint64_t{1} << 40))
        return -1;
    return payloadOffset + static_cast<std::int64_t>(header.unpackedSize);
}
