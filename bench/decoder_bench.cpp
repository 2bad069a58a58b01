// Decoding speed of our LZMA decoder against liblzma's, on the same .lzma streams. Built and run
// by bench/decoder_bench.sh; each argument is NAME=FOLDER (files of the folder, sorted, up to
// 8 MiB) or NAME=random (8 MiB of random bytes).
#include <lzma.h>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "codec/lzma_decoder.h"

namespace {

constexpr std::size_t kPayloadLimit = 8u << 20;
constexpr int kRounds = 7;
constexpr double kGoal = 0.8;

std::string Payload(const std::string& from) {
    std::string bytes;
    if (from == "random") {
        std::mt19937 random(1);
        while (bytes.size() < kPayloadLimit) bytes.push_back(static_cast<char>(random()));
        return bytes;
    }
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(from))
        if (entry.is_regular_file() && !entry.is_symlink()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        bytes.append(std::istreambuf_iterator<char>(in), {});
        if (bytes.size() >= kPayloadLimit) break;
    }
    bytes.resize(std::min(bytes.size(), kPayloadLimit));
    return bytes;
}

// As the builder writes it: liblzma's .lzma encoder, the real unpacked size in the header.
std::string Encode(const std::string& data) {
    lzma_options_lzma options;
    lzma_lzma_preset(&options, 6);
    lzma_stream stream = LZMA_STREAM_INIT;
    if (lzma_alone_encoder(&stream, &options) != LZMA_OK) std::abort();
    std::string out(data.size() + data.size() / 2 + 4096, '\0');
    stream.next_in = reinterpret_cast<const std::uint8_t*>(data.data());
    stream.avail_in = data.size();
    stream.next_out = reinterpret_cast<std::uint8_t*>(out.data());
    stream.avail_out = out.size();
    if (lzma_code(&stream, LZMA_FINISH) != LZMA_STREAM_END) std::abort();
    out.resize(stream.total_out);
    lzma_end(&stream);
    for (int i = 0; i < 8; ++i) out[5 + i] = static_cast<char>(std::uint64_t{data.size()} >> 8 * i);
    return out;
}

std::size_t DecodeOurs(const std::string& stream, std::vector<char>& buffer) {
    LzmaHeader header;
    if (!ReadLzmaHeader(reinterpret_cast<const unsigned char*>(stream.data()), header)) std::abort();
    StringSource compressed(std::string_view(stream).substr(kLzmaHeaderSize));
    LzmaSource source(compressed, header);
    std::size_t total = 0;
    while (const std::size_t n = source.Read(buffer.data(), buffer.size())) total += n;
    if (!source.EndsCleanly()) std::abort();
    return total;
}

std::size_t DecodeLiblzma(const std::string& stream, std::vector<char>& buffer) {
    lzma_stream decoder = LZMA_STREAM_INIT;
    if (lzma_alone_decoder(&decoder, UINT64_MAX) != LZMA_OK) std::abort();
    decoder.next_in = reinterpret_cast<const std::uint8_t*>(stream.data());
    decoder.avail_in = stream.size();
    lzma_ret result = LZMA_OK;
    while (result == LZMA_OK) {
        decoder.next_out = reinterpret_cast<std::uint8_t*>(buffer.data());
        decoder.avail_out = buffer.size();
        result = lzma_code(&decoder, LZMA_FINISH);
    }
    if (result != LZMA_STREAM_END) std::abort();
    const std::size_t total = decoder.total_out;
    lzma_end(&decoder);
    return total;
}

// The best of several rounds for each decoder, in MiB of output per second of CPU time; the
// rounds alternate so that a busy machine slows both alike.
struct Speeds {
    double ours, liblzma;
};
Speeds Measure(const std::string& stream, std::size_t size) {
    std::vector<char> buffer(64 << 10);
    double best[2] = {1e9, 1e9};
    for (int round = 0; round < 2 * kRounds; ++round) {
        const std::clock_t start = std::clock();
        const std::size_t decoded = round % 2 ? DecodeLiblzma(stream, buffer) : DecodeOurs(stream, buffer);
        if (decoded != size) std::abort();
        const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
        best[round % 2] = std::min(best[round % 2], seconds);
    }
    return {size / 1048576.0 / best[0], size / 1048576.0 / best[1]};
}

}  // namespace

int main(int argc, char** argv) {
    std::printf("%-10s %8s %9s %12s %14s %7s  goal >= %.2f\n", "payload", "MiB", "ratio", "ours MiB/s",
                "liblzma MiB/s", "speed", kGoal);
    bool met = true;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const std::string name = argument.substr(0, argument.find('='));
        const std::string data = Payload(argument.substr(name.size() + 1));
        const std::string stream = Encode(data);
        const auto [ours, theirs] = Measure(stream, data.size());
        met = met && ours >= kGoal * theirs;
        std::printf("%-10s %8.2f %8.1f%% %12.1f %14.1f %6.2fx  %s\n", name.c_str(), data.size() / 1048576.0,
                    100.0 * stream.size() / data.size(), ours, theirs, ours / theirs,
                    ours >= kGoal * theirs ? "met" : "MISSED");
    }
    return met ? 0 : 1;
}
