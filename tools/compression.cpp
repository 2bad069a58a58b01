#include "tools/compression.h"

#include <lzma.h>

#include <fstream>
#include <memory>
#include <stdexcept>

namespace {

constexpr std::size_t kPiece = 1 << 20;

class Encoder {
public:
    Encoder(std::uint32_t dictionarySize, std::FILE* out) : out_(out) {
        lzma_options_lzma options;
        // Preset 9 with its 64 MiB window; "extreme" searched 2% longer matches for twice the time.
        if (lzma_lzma_preset(&options, 9)) throw std::runtime_error("liblzma has no preset 9");
        options.dict_size = dictionarySize;
        // No position bits: packages of Windows programs and of text came out 0.25-0.35% smaller
        // than with the usual two (bench/size_bench.sh's payloads).
        options.pb = 0;
        if (lzma_alone_encoder(&stream_, &options) != LZMA_OK)
            throw std::runtime_error("liblzma cannot start the encoder");
    }
    ~Encoder() { lzma_end(&stream_); }

    void Feed(const char* bytes, std::size_t size, lzma_action action) {
        stream_.next_in = reinterpret_cast<const std::uint8_t*>(bytes);
        stream_.avail_in = size;
        for (;;) {
            stream_.next_out = buffer_;
            stream_.avail_out = sizeof buffer_;
            const lzma_ret result = lzma_code(&stream_, action);
            if (result != LZMA_OK && result != LZMA_STREAM_END)
                throw std::runtime_error("liblzma failed to compress (error " + std::to_string(result) + ")");
            const std::size_t made = sizeof buffer_ - stream_.avail_out;
            if (std::fwrite(buffer_, 1, made, out_) != made) throw std::runtime_error("cannot write the compressed payload");
            written_ += static_cast<std::int64_t>(made);
            if (result == LZMA_STREAM_END || (action == LZMA_RUN && stream_.avail_in == 0)) return;
        }
    }
    std::int64_t Written() const { return written_; }

private:
    lzma_stream stream_ = LZMA_STREAM_INIT;
    std::FILE* out_;
    std::uint8_t buffer_[1 << 16];
    std::int64_t written_ = 0;
};

}  // namespace

std::int64_t CompressFiles(const std::vector<std::string>& files, const std::vector<std::int64_t>& sizes,
                           const CompressionOptions& options, std::FILE* out) {
    std::int64_t total = 0;
    for (const std::int64_t size : sizes) total += size;
    std::uint32_t dictionary = 4096;
    while (dictionary < options.dictionarySize && dictionary < total) dictionary *= 2;
    if (dictionary > options.dictionarySize) dictionary = options.dictionarySize;
    const long start = std::ftell(out);
    std::int64_t written;
    {
        auto encoder = std::make_unique<Encoder>(dictionary, out);
        std::unique_ptr<char[]> piece(new char[kPiece]);
        for (std::size_t i = 0; i < files.size(); ++i) {
            std::ifstream in(files[i], std::ios::binary);
            if (!in) throw std::runtime_error("cannot read " + files[i]);
            for (std::int64_t left = sizes[i]; left > 0;) {
                const auto n = static_cast<std::streamsize>(std::min<std::int64_t>(left, kPiece));
                if (!in.read(piece.get(), n)) throw std::runtime_error(files[i] + " ended early");
                encoder->Feed(piece.get(), static_cast<std::size_t>(n), LZMA_RUN);
                left -= n;
            }
            if (in.peek() != std::char_traits<char>::eof()) throw std::runtime_error(files[i] + " grew while it was read");
        }
        encoder->Feed(nullptr, 0, LZMA_FINISH);
        written = encoder->Written();
    }
    // The encoder writes "size unknown" and an end marker; the program wants the size it unpacks
    // to, to check it against the files before anything is shown.
    unsigned char size[8];
    for (int i = 0; i < 8; ++i) size[i] = static_cast<unsigned char>(static_cast<std::uint64_t>(total) >> (8 * i));
    if (std::fseek(out, start + 5, SEEK_SET) || std::fwrite(size, 1, 8, out) != 8 || std::fseek(out, 0, SEEK_END))
        throw std::runtime_error("cannot write the compressed payload");
    return written;
}
