#pragma once
// Placeholder interface until the decoder lands.
#include <cstddef>
#include <cstdint>

#include "runtime/byte_source.h"

inline constexpr std::size_t kLzmaHeaderSize = 13;
inline constexpr std::uint32_t kLzmaMaxDictionary = 256u << 20;
struct LzmaHeader {
    unsigned char properties;
    std::uint32_t dictionarySize;
    std::uint64_t unpackedSize;
};
bool ReadLzmaHeader(const unsigned char* bytes, LzmaHeader& header);

class LzmaSource : public ByteSource {
public:
    LzmaSource(ByteSource& compressed, const LzmaHeader& header);
    bool Ready() const;
    std::size_t Read(char* buffer, std::size_t size) override;
    bool Damaged() const;
    bool EndsCleanly();
};
