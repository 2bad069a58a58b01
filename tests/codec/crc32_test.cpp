// The package checksum against zlib's crc32, the reference the builder's readers would use.
#include "codec/crc32.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <vector>

namespace {

std::uint32_t Reference(const unsigned char* data, std::size_t size) {
    return static_cast<std::uint32_t>(crc32(0, data, static_cast<uInt>(size)));
}

TEST(Crc32, AgreesWithZlibOnEveryLengthAlignmentAndSplit) {
    std::mt19937 random(7);
    std::vector<unsigned char> bytes(4096 + 64);
    for (auto& byte : bytes) byte = static_cast<unsigned char>(random());
    for (std::size_t size = 0; size <= 4096; ++size) {
        const std::size_t start = size % 61;  // unaligned starts too
        const unsigned char* data = bytes.data() + start;
        ASSERT_EQ(Crc32(0, data, size), Reference(data, size)) << size << " bytes";
        // The loader feeds the checksum piece by piece.
        const std::size_t cut = random() % (size + 1);
        ASSERT_EQ(Crc32(Crc32(0, data, cut), data + cut, size - cut), Reference(data, size)) << size << " cut " << cut;
    }
}

TEST(Crc32, AgreesWithZlibOnLargeInputs) {
    std::vector<unsigned char> bytes(48 << 20);
    std::mt19937 random(11);
    for (std::size_t i = 0; i < bytes.size(); i += 4096) bytes[i] = static_cast<unsigned char>(random());
    EXPECT_EQ(Crc32(0, bytes.data(), bytes.size()), Reference(bytes.data(), bytes.size()));
    EXPECT_EQ(Crc32(0, bytes.data() + 3, bytes.size() - 100), Reference(bytes.data() + 3, bytes.size() - 100));
}

}  // namespace
