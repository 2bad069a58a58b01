#include "tools/png_writer.h"

#include <zlib.h>

#include <cstdio>
#include <cstdlib>

namespace {

void PutBig(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void Chunk(std::vector<std::uint8_t>& file, const char* type, const std::vector<std::uint8_t>& data) {
    PutBig(file, static_cast<std::uint32_t>(data.size()));
    std::vector<std::uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    file.insert(file.end(), body.begin(), body.end());
    PutBig(file, static_cast<std::uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}

std::uint8_t Paeth(int left, int up, int upLeft) {
    const int guess = left + up - upLeft;
    const int toLeft = std::abs(guess - left), toUp = std::abs(guess - up), toUpLeft = std::abs(guess - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft) return static_cast<std::uint8_t>(left);
    return static_cast<std::uint8_t>(toUp <= toUpLeft ? up : upLeft);
}

// Appends the row under the filter that leaves the smallest differences (the usual rule of thumb):
// flat areas and gradients turn into runs of zeros, which compress well.
void AppendFilteredRow(std::vector<std::uint8_t>& raw, const std::uint8_t* row, const std::uint8_t* above,
                       std::size_t stride) {
    std::vector<std::uint8_t> best, candidate(stride + 1);
    long bestCost = -1;
    for (std::uint8_t filter = 0; filter < 5; ++filter) {
        candidate[0] = filter;
        long cost = 0;
        for (std::size_t i = 0; i < stride; ++i) {
            const int left = i >= 3 ? row[i - 3] : 0, up = above ? above[i] : 0;
            const int upLeft = above && i >= 3 ? above[i - 3] : 0;
            const int predicted = filter == 1 ? left
                                  : filter == 2 ? up
                                  : filter == 3 ? (left + up) / 2
                                  : filter == 4 ? Paeth(left, up, upLeft)
                                                : 0;
            const auto value = static_cast<std::uint8_t>(row[i] - predicted);
            candidate[i + 1] = value;
            cost += value < 128 ? value : 256 - value;
        }
        if (bestCost < 0 || cost < bestCost) {
            bestCost = cost;
            best = candidate;
        }
    }
    raw.insert(raw.end(), best.begin(), best.end());
}

}  // namespace

bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb) {
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    std::vector<std::uint8_t> raw;
    raw.reserve((stride + 1) * height);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = rgb.data() + y * stride;
        AppendFilteredRow(raw, row, y > 0 ? row - stride : nullptr, stride);
    }
    std::vector<std::uint8_t> z(compressBound(static_cast<uLong>(raw.size())));
    uLongf zSize = static_cast<uLongf>(z.size());
    if (compress2(z.data(), &zSize, raw.data(), static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION) != Z_OK)
        return false;
    z.resize(zSize);

    std::vector<std::uint8_t> file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutBig(header, static_cast<std::uint32_t>(width));
    PutBig(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, adaptive filters, no interlace
    Chunk(file, "IHDR", header);
    Chunk(file, "IDAT", z);
    Chunk(file, "IEND", {});
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}
