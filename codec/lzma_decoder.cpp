#include "codec/lzma_decoder.h"

// Until the decoder lands, no compressed package loads.
bool ReadLzmaHeader(const unsigned char*, LzmaHeader&) { return false; }
LzmaSource::LzmaSource(ByteSource&, const LzmaHeader&) {}
bool LzmaSource::Ready() const { return false; }
std::size_t LzmaSource::Read(char*, std::size_t) { return 0; }
bool LzmaSource::Damaged() const { return true; }
bool LzmaSource::EndsCleanly() { return false; }
