#pragma once
// Decoding of .lzma ("LZMA alone") streams: a 13-byte header, then range-coded LZ77 data.
// Portable and exception-free; every length and distance in the stream is checked before use.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "runtime/byte_source.h"

inline constexpr std::size_t kLzmaHeaderSize = 13;
// A dictionary above this is damage: no encoder we accept writes one, and the setup program
// could not hold it.
inline constexpr std::uint32_t kLzmaMaxDictionary = 256u << 20;
// The unpacked size of a stream that ends with an end marker instead.
inline constexpr std::uint64_t kLzmaUnknownSize = ~std::uint64_t{0};

struct LzmaHeader {
    unsigned char properties;     // (pb * 5 + lp) * 9 + lc
    std::uint32_t dictionarySize;
    std::uint64_t unpackedSize;   // kLzmaUnknownSize: the stream ends with an end marker
};

// False for a properties byte that names no lc/lp/pb (>= 225) or a dictionary above the limit.
bool ReadLzmaHeader(const unsigned char* bytes /* kLzmaHeaderSize */, LzmaHeader& header);

// The decoder proper, over byte spans: all its state is in the object, so a stream may arrive and
// leave in pieces of any size. Output passes through its window (the dictionary).
class LzmaDecoder {
public:
    // The most compressed bytes one symbol (a literal, a match, the end marker) can take: the
    // decoder starts a symbol only with that many in hand, or when the input ends.
    static constexpr std::size_t kMaxSymbolBytes = 64;
    enum class Status { kRunning, kFinished, kDamaged };

    // Allocates the window and the probabilities; false for a header ReadLzmaHeader refuses or
    // when memory is short.
    bool Start(const LzmaHeader& header);
    // Decodes input into up to outSize bytes of output, returns how many; consumed tells how many
    // input bytes it took. Stops when the output is full, when fewer than kMaxSymbolBytes input
    // bytes are left (the caller passes them again with more), or when the stream is finished or
    // damaged. With inputEnds the input is all there is: a symbol reaching past it is damage.
    std::size_t Decode(const unsigned char* input, std::size_t inputSize, bool inputEnds,
                       unsigned char* output, std::size_t outSize, std::size_t& consumed);
    Status State() const { return status_; }

private:
    std::size_t DecodeIntoWindow(const unsigned char* from, const unsigned char* startLimit,
                                 std::size_t limit);

    std::unique_ptr<std::uint16_t[]> probs_;  // the fixed models, then the literal coders
    std::unique_ptr<unsigned char[]> window_;
    std::size_t windowSize_ = 0;              // a multiple of 16, so positions give lp and pb bits
    std::size_t pos_ = 0;                     // where the next byte goes
    bool windowFull_ = false;                 // the window has wrapped: all of it is history
    std::uint64_t remaining_ = 0;             // unpacked bytes still to come, or kLzmaUnknownSize
    std::uint32_t range_ = 0xFFFFFFFFu, code_ = 0;
    std::uint32_t reps_[4] = {};
    unsigned state_ = 0, pending_ = 0;        // pending: bytes of a match cut short by the output
    unsigned lc_ = 0, lpMask_ = 0, pbMask_ = 0;
    bool started_ = false;                    // the range coder's first five bytes were read
    Status status_ = Status::kDamaged;
    unsigned char tail_[2 * kMaxSymbolBytes];  // the last input bytes, zero-padded
};

// The decompressed bytes of a stream, pulled from the compressed stream after its header.
class LzmaSource : public ByteSource {
public:
    LzmaSource(ByteSource& compressed, const LzmaHeader& header);
    bool Ready() const { return ready_; }  // false when the window could not be allocated
    // 0 at the end or once damage is found; bytes decoded before the damage showed come first, so
    // a reader checks Damaged() (and EndsCleanly() after the last byte).
    std::size_t Read(char* buffer, std::size_t size) override;
    // The stream ended early, overran its unpacked size, or was malformed.
    bool Damaged() const { return decoder_.State() == LzmaDecoder::Status::kDamaged; }
    // After all unpacked bytes were read: true when the stream ends right there (an end marker may
    // follow the last byte) and no compressed bytes are left over.
    bool EndsCleanly();

private:
    void Refill();

    ByteSource& compressed_;
    LzmaDecoder decoder_;
    bool ready_ = false;
    bool inputEnds_ = false;
    std::size_t inputStart_ = 0, inputEnd_ = 0;
    // Decoding sets the pace, not the pieces: a 38 MB payload of DLLs (4.6 MB packed) installed
    // with /S under Wine in 0.8-1.2 s whether the compressed bytes came in 4, 16 or 64 KiB pieces
    // and the files were written in 16, 64 or 256 KiB ones (the differences were the machine's).
    unsigned char input_[16384];
};
