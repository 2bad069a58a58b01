#include "codec/lzma_decoder.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr std::uint32_t kTop = 1u << 24;   // the range coder reads a byte when range drops below
constexpr unsigned kProbBits = 11, kMoveBits = 5, kProbOne = 1u << kProbBits;
constexpr std::uint32_t kEndMarker = 0xFFFFFFFFu;  // the distance that ends a stream
constexpr unsigned kStates = 12, kLiteralStates = 7;  // states below 7 follow a literal
constexpr std::uint32_t kMinWindow = 4096;

// The probability models, one flat array: 12 states by 16 position states where a bit depends
// on both; a length model is choice, choice2, low[16][8], mid[16][8], high[256].
constexpr unsigned kIsMatch = 0;
constexpr unsigned kIsRep = kIsMatch + kStates * 16;
constexpr unsigned kIsRepG0 = kIsRep + kStates;
constexpr unsigned kIsRepG1 = kIsRepG0 + kStates;
constexpr unsigned kIsRepG2 = kIsRepG1 + kStates;
constexpr unsigned kIsRep0Long = kIsRepG2 + kStates;
constexpr unsigned kSlot = kIsRep0Long + kStates * 16;     // 4 length states by 64
constexpr unsigned kSpecial = kSlot + 4 * 64;              // distances of slots 4..13
constexpr unsigned kAlign = kSpecial + 115;                // the low 4 bits of far distances
constexpr unsigned kLengthModel = 2 + 16 * 8 + 16 * 8 + 256;
constexpr unsigned kMatchLength = kAlign + 16;
constexpr unsigned kRepLength = kMatchLength + kLengthModel;
constexpr unsigned kLiterals = kRepLength + kLengthModel;  // 0x300 for each literal context

std::uint32_t ReadLe32(const unsigned char* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t{p[3]} << 24;
}

// Inlined into the symbol loop where speed counts, so the coder's registers stay in registers.
// Where size counts (-Os, the setup program) they are calls: 1.5 KB smaller, a tenth slower.
#ifdef __OPTIMIZE_SIZE__
#define LZMA_INLINE
#else
#define LZMA_INLINE [[gnu::always_inline]]
#endif

// The range decoder's registers, kept in locals while symbols decode. It reads at most one byte
// per bit, so a symbol never takes more than kMaxSymbolBytes.
struct RangeCoder {
    std::uint32_t range, code;
    const unsigned char* in;

    LZMA_INLINE void Normalize() {
        if (range < kTop) {
            range <<= 8;
            code = code << 8 | *in++;
        }
    }
    LZMA_INLINE unsigned Bit(std::uint16_t& prob) {
        Normalize();
        const std::uint32_t bound = (range >> kProbBits) * prob;
        if (code < bound) {
            range = bound;
            prob = static_cast<std::uint16_t>(prob + ((kProbOne - prob) >> kMoveBits));
            return 0;
        }
        range -= bound;
        code -= bound;
        prob = static_cast<std::uint16_t>(prob - (prob >> kMoveBits));
        return 1;
    }
    // A symbol of `bits` bits, most significant first, from the tree rooted at probs[1].
    unsigned Tree(std::uint16_t* probs, unsigned bits) {
        unsigned m = 1;
        for (unsigned i = 0; i < bits; ++i) m = m << 1 | Bit(probs[m]);
        return m - (1u << bits);
    }
    // The same tree read least significant bit first (distance bits).
    unsigned ReverseTree(std::uint16_t* probs, unsigned bits) {
        unsigned m = 1, symbol = 0;
        for (unsigned i = 0; i < bits; ++i) {
            const unsigned bit = Bit(probs[m]);
            m = m << 1 | bit;
            symbol |= bit << i;
        }
        return symbol;
    }
    // Bits of probability one half.
    std::uint32_t Direct(unsigned bits) {
        std::uint32_t result = 0;
        do {
            Normalize();
            range >>= 1;
            const std::uint32_t bit = code >= range;
            code -= range & (0u - bit);
            result = result << 1 | bit;
        } while (--bits);
        return result;
    }
    // 0..271: the match length less 2.
    LZMA_INLINE unsigned Length(std::uint16_t* model, unsigned posState) {
        if (!Bit(model[0])) return Tree(model + 2 + posState * 8, 3);
        if (!Bit(model[1])) return 8 + Tree(model + 2 + 16 * 8 + posState * 8, 3);
        return 16 + Tree(model + 2 + 2 * 16 * 8, 8);
    }
    // The distance less 1 of a match of the given length less 2; kEndMarker ends the stream.
    LZMA_INLINE std::uint32_t Distance(std::uint16_t* probs, unsigned length) {
        const unsigned slot = Tree(probs + kSlot + std::min(length, 3u) * 64, 6);
        if (slot < 4) return slot;
        const unsigned direct = (slot >> 1) - 1;
        const std::uint32_t base = (2u | (slot & 1)) << direct;
        if (slot < 14) return base + ReverseTree(probs + kSpecial + base - slot, direct);
        return base + (Direct(direct - 4) << 4) + ReverseTree(probs + kAlign, 4);
    }
};

}  // namespace

bool ReadLzmaHeader(const unsigned char* bytes, LzmaHeader& header) {
    header.properties = bytes[0];
    header.dictionarySize = ReadLe32(bytes + 1);
    header.unpackedSize = ReadLe32(bytes + 5) | std::uint64_t{ReadLe32(bytes + 9)} << 32;
    return header.properties < 9 * 5 * 5 && header.dictionarySize <= kLzmaMaxDictionary;
}

bool LzmaDecoder::Start(const LzmaHeader& header) {
    status_ = Status::kDamaged;
    if (header.properties >= 9 * 5 * 5 || header.dictionarySize > kLzmaMaxDictionary) return false;
    lc_ = header.properties % 9;
    const unsigned lp = header.properties / 9 % 5;
    lpMask_ = (1u << lp) - 1;
    pbMask_ = (1u << header.properties / 45) - 1;
    // A window larger than the data is never used; multiples of 16 keep position bits exact.
    std::uint32_t window = std::max(header.dictionarySize, kMinWindow);
    if (header.unpackedSize < window) window = std::max(static_cast<std::uint32_t>(header.unpackedSize), kMinWindow);
    windowSize_ = (window + 15) & ~std::size_t{15};
    window_.reset(new (std::nothrow) unsigned char[windowSize_]);
    const std::size_t probCount = kLiterals + (std::size_t{0x300} << (lc_ + lp));
    probs_.reset(new (std::nothrow) std::uint16_t[probCount]);
    if (!window_ || !probs_) return false;
    std::fill_n(probs_.get(), probCount, kProbOne / 2);
    pos_ = 0;
    windowFull_ = false;
    remaining_ = header.unpackedSize;
    range_ = 0xFFFFFFFFu;
    code_ = 0;
    std::fill_n(reps_, 4, 0u);
    state_ = pending_ = 0;
    started_ = false;
    status_ = Status::kRunning;
    return true;
}

// Decodes symbols that start before startLimit (each may read kMaxSymbolBytes from there) into
// the window up to position limit; returns the input bytes read. When the unpacked size is
// reached, checks that the stream ends there.
std::size_t LzmaDecoder::DecodeIntoWindow(const unsigned char* from, const unsigned char* startLimit,
                                          std::size_t limit) {
    RangeCoder rc{range_, code_, from};
    if (!started_) {
        if (from >= startLimit) return 0;
        // The encoder's first byte is always zero; a code at the top of the range is impossible.
        rc.code = std::uint32_t{rc.in[1]} << 24 | rc.in[2] << 16 | rc.in[3] << 8 | rc.in[4];
        if (rc.in[0] != 0 || rc.code == rc.range) {
            status_ = Status::kDamaged;
            return 5;
        }
        rc.in += 5;
        started_ = true;
    }
    unsigned char* const window = window_.get();
    std::uint16_t* const probs = probs_.get();
    const std::size_t size = windowSize_, first = pos_;
    std::size_t pos = pos_;
    const bool full = windowFull_;  // the window has wrapped: all of it is history
    // Members in locals: a store to the window could alias them, forcing reloads.
    const unsigned lc = lc_, lpMask = lpMask_, pbMask = pbMask_;
    const std::uint64_t remaining = remaining_;
    unsigned state = state_, length = pending_;
    std::uint32_t rep0 = reps_[0], rep1 = reps_[1], rep2 = reps_[2], rep3 = reps_[3];
    Status status = Status::kRunning;

    for (;;) {
        if (length) {  // a match: copies what fits below limit and keeps the rest pending
            const bool behind = pos > rep0;  // the source does not wrap around the window's end
            std::size_t source = behind ? pos - rep0 - 1 : pos + size - rep0 - 1;
            const std::size_t n = std::min<std::size_t>(length, limit - pos);
            unsigned char* const out = window + pos;
            length -= static_cast<unsigned>(n);
            pos += n;
            if (behind && n <= rep0 + std::size_t{1}) {
                std::memcpy(out, window + source, n);
            } else {  // a run repeating its last rep0 + 1 bytes, or a source across the window's end
                for (std::size_t i = 0; i < n; ++i) {
                    out[i] = window[source];
                    if (++source == size) source = 0;
                }
            }
        }
        if (pos >= limit || rc.in >= startLimit) break;
        const unsigned posState = pos & pbMask;
        if (!rc.Bit(probs[kIsMatch + state * 16 + posState])) {
            const unsigned previous = pos ? window[pos - 1] : full ? window[size - 1] : 0;
            std::uint16_t* const literal =
                probs + kLiterals + 0x300 * (((pos & lpMask) << lc) + (previous >> (8 - lc)));
            unsigned symbol = 1;
            if (state >= kLiteralStates) {  // after a match: the byte at rep0 predicts this one
                unsigned match = window[pos > rep0 ? pos - rep0 - 1 : pos + size - rep0 - 1];
                do {
                    const unsigned matchBit = match >> 7 & 1;
                    match <<= 1;
                    const unsigned bit = rc.Bit(literal[(1 + matchBit) * 0x100 + symbol]);
                    symbol = symbol << 1 | bit;
                    if (bit != matchBit) break;
                } while (symbol < 0x100);
            }
            while (symbol < 0x100) symbol = symbol << 1 | rc.Bit(literal[symbol]);
            window[pos++] = static_cast<unsigned char>(symbol);
            state = state < 4 ? 0 : state < 10 ? state - 3 : state - 6;
            continue;
        }
        if (!rc.Bit(probs[kIsRep + state])) {
            length = rc.Length(probs + kMatchLength, posState);
            const std::uint32_t distance = rc.Distance(probs, length);
            if (distance >= (full ? size : pos)) {  // also the end marker
                status = Status::kDamaged;
                if (distance == kEndMarker && remaining == kLzmaUnknownSize) {
                    rc.Normalize();
                    if (rc.code == 0) status = Status::kFinished;
                }
                length = 0;
                break;
            }
            rep3 = rep2;
            rep2 = rep1;
            rep1 = rep0;
            rep0 = distance;
            state = state < kLiteralStates ? 7 : 10;
        } else {
            if (pos == 0 && !full) {
                status = Status::kDamaged;
                break;
            }
            if (!rc.Bit(probs[kIsRepG0 + state])) {
                if (!rc.Bit(probs[kIsRep0Long + state * 16 + posState])) {  // one byte from rep0
                    window[pos] = window[pos > rep0 ? pos - rep0 - 1 : pos + size - rep0 - 1];
                    ++pos;
                    state = state < kLiteralStates ? 9 : 11;
                    continue;
                }
            } else {
                std::uint32_t distance;
                if (!rc.Bit(probs[kIsRepG1 + state])) {
                    distance = rep1;
                } else {
                    if (!rc.Bit(probs[kIsRepG2 + state])) {
                        distance = rep2;
                    } else {
                        distance = rep3;
                        rep3 = rep2;
                    }
                    rep2 = rep1;
                }
                rep1 = rep0;
                rep0 = distance;
            }
            length = rc.Length(probs + kRepLength, posState);
            state = state < kLiteralStates ? 8 : 11;
        }
        length += 2;
        if (remaining - (pos - first) < length) {
            status = Status::kDamaged;  // the match runs past the unpacked size
            length = 0;
            break;
        }
    }

    if (remaining_ != kLzmaUnknownSize) remaining_ -= pos - first;
    if (status == Status::kRunning && remaining_ == 0 && length == 0 && rc.in < startLimit) {
        // All bytes are out: the stream ends here, or an end marker follows.
        rc.Normalize();
        if (rc.code == 0) {
            status = Status::kFinished;
        } else {
            status = Status::kDamaged;
            const unsigned posState = pos & pbMask;
            if (rc.Bit(probs[kIsMatch + state * 16 + posState]) && !rc.Bit(probs[kIsRep + state]) &&
                rc.Distance(probs, rc.Length(probs + kMatchLength, posState)) == kEndMarker) {
                rc.Normalize();
                if (rc.code == 0) status = Status::kFinished;
            }
        }
    }
    pos_ = pos;
    status_ = status;
    state_ = state;
    pending_ = length;
    reps_[0] = rep0;
    reps_[1] = rep1;
    reps_[2] = rep2;
    reps_[3] = rep3;
    range_ = rc.range;
    code_ = rc.code;
    return static_cast<std::size_t>(rc.in - from);
}

std::size_t LzmaDecoder::Decode(const unsigned char* input, std::size_t inputSize, bool inputEnds,
                                unsigned char* output, std::size_t outSize, std::size_t& consumed) {
    consumed = 0;
    std::size_t produced = 0;
    while (status_ == Status::kRunning && (produced < outSize || remaining_ == 0)) {
        std::size_t limit = pos_ + std::min(windowSize_ - pos_, outSize - produced);
        if (remaining_ < limit - pos_) limit = pos_ + static_cast<std::size_t>(remaining_);
        const std::size_t start = pos_, left = inputSize - consumed;
        if (left >= kMaxSymbolBytes) {
            consumed += DecodeIntoWindow(input + consumed, input + inputSize - kMaxSymbolBytes + 1, limit);
        } else if (inputEnds) {
            // The last bytes go through a zero-padded copy, so a symbol cut short reads no further
            // than the copy; reading past the real end is a truncated stream.
            std::memcpy(tail_, input + consumed, left);
            std::memset(tail_ + left, 0, sizeof tail_ - left);
            const std::size_t used = DecodeIntoWindow(tail_, tail_ + left + 1, limit);
            if (used > left) status_ = Status::kDamaged;
            consumed += std::min(used, left);
        } else {
            break;
        }
        std::memcpy(output + produced, window_.get() + start, pos_ - start);
        produced += pos_ - start;
        if (pos_ == windowSize_) {
            pos_ = 0;
            windowFull_ = true;
        }
    }
    return produced;
}

LzmaSource::LzmaSource(ByteSource& compressed, const LzmaHeader& header) : compressed_(compressed) {
    ready_ = decoder_.Start(header);
}

// Keeps the unread input at the front of the buffer and appends one read's worth.
void LzmaSource::Refill() {
    const std::size_t left = inputEnd_ - inputStart_;
    std::memmove(input_, input_ + inputStart_, left);
    inputStart_ = 0;
    inputEnd_ = left;
    const std::size_t n = compressed_.Read(reinterpret_cast<char*>(input_) + left, sizeof input_ - left);
    inputEnd_ += n;
    inputEnds_ = n == 0;
}

std::size_t LzmaSource::Read(char* buffer, std::size_t size) {
    if (!ready_) return 0;
    std::size_t produced = 0;
    for (;;) {
        if (!inputEnds_ && inputEnd_ - inputStart_ < LzmaDecoder::kMaxSymbolBytes) Refill();
        std::size_t consumed;
        produced += decoder_.Decode(input_ + inputStart_, inputEnd_ - inputStart_, inputEnds_,
                                    reinterpret_cast<unsigned char*>(buffer) + produced, size - produced,
                                    consumed);
        inputStart_ += consumed;
        if (decoder_.State() != LzmaDecoder::Status::kRunning || inputEnds_ ||
            inputEnd_ - inputStart_ >= LzmaDecoder::kMaxSymbolBytes)
            return produced;
    }
}

bool LzmaSource::EndsCleanly() {
    char extra;
    if (!ready_ || Read(&extra, 1) != 0 || decoder_.State() != LzmaDecoder::Status::kFinished ||
        inputStart_ != inputEnd_)
        return false;
    return inputEnds_ || compressed_.Read(&extra, 1) == 0;
}
