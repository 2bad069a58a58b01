#include "tools/deflate.h"

namespace {

constexpr int kMinMatch = 3, kMaxMatch = 258, kWindow = 32768, kMaxChain = 48;
constexpr int kHashBits = 15;

// The codes 257-285 start at these lengths, and 0-29 at these distances.
constexpr int kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int kDistanceBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                   193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    // Plain values go least significant bit first.
    void Bits(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) Bit((value >> i) & 1);
    }
    // Huffman codes go most significant bit first.
    void Code(std::uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i) Bit((code >> i) & 1);
    }
    void Flush() {
        if (used_) out_.push_back(current_);
        current_ = 0;
        used_ = 0;
    }

private:
    void Bit(std::uint32_t bit) {
        current_ |= static_cast<std::uint8_t>(bit << used_);
        if (++used_ == 8) Flush();
    }
    std::vector<std::uint8_t>& out_;
    std::uint8_t current_ = 0;
    int used_ = 0;
};

// The fixed literal/length code of a symbol 0-287.
void Symbol(BitWriter& bits, int symbol) {
    if (symbol < 144) bits.Code(0x30 + symbol, 8);
    else if (symbol < 256) bits.Code(0x190 + symbol - 144, 9);
    else if (symbol < 280) bits.Code(symbol - 256, 7);
    else bits.Code(0xC0 + symbol - 280, 8);
}

void Match(BitWriter& bits, int length, int distance) {
    int code = 28;
    while (kLengthBase[code] > length) --code;
    Symbol(bits, 257 + code);
    bits.Bits(length - kLengthBase[code], kLengthExtra[code]);
    code = 29;
    while (kDistanceBase[code] > distance) --code;
    bits.Code(code, 5);
    bits.Bits(distance - kDistanceBase[code], kDistanceExtra[code]);
}

std::uint32_t Hash(const std::uint8_t* at) {
    return ((at[0] << 10) ^ (at[1] << 5) ^ at[2]) & ((1u << kHashBits) - 1);
}

std::uint32_t Adler32(const std::vector<std::uint8_t>& data) {
    std::uint32_t a = 1, b = 0;
    for (const std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

}  // namespace

std::vector<std::uint8_t> ZlibCompress(const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> out{0x78, 0x01};
    BitWriter bits(out);
    bits.Bits(1, 1);  // the last block
    bits.Bits(1, 2);  // fixed codes
    // Chains of earlier positions with the same three-byte hash, most recent first.
    std::vector<int> head(std::size_t{1} << kHashBits, -1), previous(data.size(), -1);
    const int size = static_cast<int>(data.size());
    auto remember = [&](int at) {
        if (at + kMinMatch > size) return;
        const std::uint32_t h = Hash(&data[at]);
        previous[at] = head[h];
        head[h] = at;
    };
    for (int at = 0; at < size;) {
        int bestLength = 0, bestDistance = 0;
        if (at + kMinMatch <= size) {
            const int limit = size - at < kMaxMatch ? size - at : kMaxMatch;
            int candidate = head[Hash(&data[at])];
            for (int chain = 0; candidate >= 0 && at - candidate <= kWindow && chain < kMaxChain; ++chain) {
                int length = 0;
                while (length < limit && data[candidate + length] == data[at + length]) ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = at - candidate;
                    if (length == limit) break;
                }
                candidate = previous[candidate];
            }
        }
        if (bestLength >= kMinMatch) {
            Match(bits, bestLength, bestDistance);
            for (int i = 0; i < bestLength; ++i) remember(at + i);
            at += bestLength;
        } else {
            Symbol(bits, data[at]);
            remember(at);
            ++at;
        }
    }
    Symbol(bits, 256);  // the end of the block
    bits.Flush();
    const std::uint32_t check = Adler32(data);
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(check >> shift));
    return out;
}
