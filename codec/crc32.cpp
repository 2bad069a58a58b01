#include "codec/crc32.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#include <immintrin.h>
#define CRC32_FOLDING 1
#endif

namespace {

// Byte at a time from a table made on first use: for the bytes the folding leaves, and for
// processors without carry-less multiplication.
std::uint32_t ByBytes(std::uint32_t state, const unsigned char* at, std::size_t size) {
    static std::uint32_t table[256];
    if (table[1] == 0) {
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
    }
    while (size--) state = table[(state ^ *at++) & 0xFF] ^ (state >> 8);
    return state;
}

#ifdef CRC32_FOLDING
// Loading a package computes this over every byte while copying it, so it must cost next to
// nothing beside the copy: carry-less multiplication folds 64 bytes a step (several GB/s), where
// a table reads one byte a step. The constants are powers of x modulo the polynomial, bit-reflected:
// x^(4*128+32) and x^(4*128-32) fold by four blocks, x^(128+32) and x^(128-32) by one, x^64 folds
// 64 bits into 32, and the last pair is the polynomial and its Barrett quotient.
bool CanFold() {
    unsigned a, b, c, d;
    static const bool can = __get_cpuid(1, &a, &b, &c, &d) && (c & bit_PCLMUL) && (c & bit_SSE4_1);
    return can;
}

#define CRC32_TARGET __attribute__((target("pclmul,sse4.1")))

// x times both halves of k, folded onto the next block.
CRC32_TARGET inline __m128i Fold(__m128i x, __m128i k, __m128i next) {
    return _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00), _mm_clmulepi64_si128(x, k, 0x11)), next);
}

CRC32_TARGET std::uint32_t ByFolding(std::uint32_t state, const unsigned char* at, std::size_t blocks64) {
#define load(i)  _mm_loadu_si128(reinterpret_cast<const __m128i*>(at) + (i))
#define fold Fold
    __m128i x0 = _mm_xor_si128(load(0), _mm_cvtsi32_si128(static_cast<int>(state)));
    __m128i x1 = load(1), x2 = load(2), x3 = load(3);
    const __m128i byFour = _mm_set_epi64x(0x1C6E41596, 0x154442BD4);
    while (--blocks64) {
        at += 64;
        x0 = fold(x0, byFour, load(0));
        x1 = fold(x1, byFour, load(1));
        x2 = fold(x2, byFour, load(2));
        x3 = fold(x3, byFour, load(3));
    }
    const __m128i byOne = _mm_set_epi64x(0x0CCAA009E, 0x1751997D0);
    __m128i x = fold(fold(fold(x0, byOne, x1), byOne, x2), byOne, x3);
    const __m128i low32 = _mm_set_epi32(0, 0, 0, -1);
    x = _mm_xor_si128(_mm_srli_si128(x, 8), _mm_clmulepi64_si128(byOne, x, 0x01));
    x = _mm_xor_si128(_mm_srli_si128(x, 4),
                      _mm_clmulepi64_si128(_mm_and_si128(x, low32), _mm_set_epi64x(0, 0x163CD6124), 0x00));
    const __m128i barrett = _mm_set_epi64x(0x1F7011641, 0x1DB710641);
    __m128i t = _mm_and_si128(_mm_clmulepi64_si128(_mm_and_si128(x, low32), barrett, 0x10), low32);
    x = _mm_xor_si128(x, _mm_clmulepi64_si128(t, barrett, 0x00));
    return static_cast<std::uint32_t>(_mm_extract_epi32(x, 1));
#undef load
#undef fold
}
#endif

}  // namespace

std::uint32_t Crc32(std::uint32_t crc, const void* data, std::size_t size) {
    auto at = static_cast<const unsigned char*>(data);
    std::uint32_t state = ~crc;
#ifdef CRC32_FOLDING
    if (size >= 64 && CanFold()) {
        const std::size_t folded = size & ~std::size_t{63};
        state = ByFolding(state, at, folded / 64);
        at += folded;
        size -= folded;
    }
#endif
    return ~ByBytes(state, at, size);
}
