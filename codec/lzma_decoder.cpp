#include "codec/lzma_decoder.h"

bool ReadLzmaHeader(const unsigned char* bytes, LzmaHeader& header) {
    header.properties = bytes[0];
    header.dictionarySize = bytes[1] | bytes[2] << 8 | bytes[3] << 16 | static_cast<std::uint32_t>(bytes[4]) << 24;
    header.unpackedSize = 0;
    for (int i = 12; i >= 5; --i) header.unpackedSize = header.unpackedSize << 8 | bytes[i];
    return header.properties < 225 && header.dictionarySize <= kLzmaMaxDictionary;
}

// Until the decoder lands, no compressed package installs.
LzmaSource::LzmaSource(ByteSource&, const LzmaHeader&) {}
bool LzmaSource::Ready() const { return false; }
std::size_t LzmaSource::Read(char*, std::size_t) { return 0; }
bool LzmaSource::Damaged() const { return true; }
bool LzmaSource::EndsCleanly() { return false; }
