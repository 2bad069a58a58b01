// The package checksum against zlib's crc32, the reference the builder's readers would use.
#include "codec/crc32.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <vector>

namespace {

TEST(Crc32, AgreesWithZlibOnEveryLengthAlignmentAndSplit) {
    std::mt19937 random(7);
    std::vector<unsigned char> bytes(4096 + 64);
    for (auto& byte : bytes) byte = static_cast<unsigned char>(random());
    for (std::size_t size = 0; size <= 4096; ++size) {
        const std::size_t start = size % 61;  // unaligned starts too
        const unsigned char* data = bytes.data() + start;
        const auto reference = crc32(0, data, static_cast<uInt>(size));
        ASSERT_EQ(Crc32(0, data, size), reference) << size << " bytes";
        // The loader feeds the checksum piece by piece.
        const std::size_t cut = random() % (size + 1);
        ASSERT_EQ(Crc32(Crc32(0, data, cut), data + cut, size - cut), reference) << size << " cut " << cut;
    }
}

}  // namespace
