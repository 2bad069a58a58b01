// Our decoder against streams liblzma wrote: what the builder packs comes back byte for byte, in
// whatever pieces the package file and the installer read it; damage never passes as data.
#include "codec/lzma_decoder.h"

#include <gtest/gtest.h>
#include <lzma.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

namespace {

std::string RandomBytes(std::size_t size) {
    std::mt19937 random(7);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

std::string Text(std::size_t size) {
    const char* words[] = {"установка ", "program ", "files ", "Uninstall.ini\r\n", "the ", "of ", "[Setup]\r\n"};
    std::mt19937 random(3);
    std::string text;
    while (text.size() < size) text += words[random() % std::size(words)];
    return text;
}

std::string FileStart(const char* path, std::size_t size) {
    std::ifstream file(path, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(file), {});
    return bytes.substr(0, size);
}

enum class Form { kBuilder, kUnknownSize, kNoEndMarker };

void PutSize(std::string& stream, std::uint64_t size) {
    for (int i = 0; i < 8; ++i) stream[5 + i] = static_cast<char>(size >> 8 * i);
}

// kBuilder: liblzma's LZMA1 stream with its end marker behind the .lzma header with the real size,
// as setup-pack writes it; kUnknownSize: the header says no size; kNoEndMarker: the stream ends
// without the marker, at the size.
std::string Encode(const std::string& data, Form form, unsigned lc = 3, unsigned lp = 0, unsigned pb = 2,
                   std::uint32_t dictionary = 1 << 20, const std::string& presetDictionary = "") {
    lzma_options_lzma options;
    lzma_lzma_preset(&options, 6);
    options.lc = lc, options.lp = lp, options.pb = pb, options.dict_size = dictionary, options.ext_flags = 0;
    options.preset_dict = reinterpret_cast<const std::uint8_t*>(presetDictionary.data());
    options.preset_dict_size = static_cast<std::uint32_t>(presetDictionary.size());
    const lzma_filter filters[] = {{form == Form::kNoEndMarker ? LZMA_FILTER_LZMA1EXT : LZMA_FILTER_LZMA1, &options},
                                   {LZMA_VLI_UNKNOWN, nullptr}};
    std::string out(kLzmaHeaderSize + data.size() + data.size() / 8 + 4096, '\0');
    out[0] = static_cast<char>((pb * 5 + lp) * 9 + lc);
    for (int i = 0; i < 4; ++i) out[1 + i] = static_cast<char>(dictionary >> 8 * i);
    PutSize(out, form == Form::kUnknownSize ? kLzmaUnknownSize : data.size());
    std::size_t size = kLzmaHeaderSize;
    EXPECT_EQ(lzma_raw_buffer_encode(filters, nullptr, reinterpret_cast<const std::uint8_t*>(data.data()), data.size(),
                                     reinterpret_cast<std::uint8_t*>(out.data()), &size, out.size()), LZMA_OK);
    return out.substr(0, size);
}

// A package file read in pieces of a given size.
class PieceSource : public StringSource {
public:
    PieceSource(std::string_view bytes, std::size_t piece) : StringSource(bytes), piece_(piece) {}
    std::size_t Read(char* buffer, std::size_t size) override { return StringSource::Read(buffer, std::min(size, piece_)); }

private:
    std::size_t piece_;
};

// What the installer makes of a stream: the bytes, and "refused" (the header), "damaged",
// "unclean" (left-over bytes) or "clean".
struct Decoded {
    std::string bytes, outcome;
};

Decoded Decode(const std::string& stream, std::size_t inPiece = 1 << 16, std::size_t outPiece = 1 << 16) {
    LzmaHeader header;
    if (stream.size() < kLzmaHeaderSize || !ReadLzmaHeader(reinterpret_cast<const unsigned char*>(stream.data()), header))
        return {"", "refused"};
    PieceSource compressed(std::string_view(stream).substr(kLzmaHeaderSize), inPiece);
    LzmaSource source(compressed, header);
    EXPECT_TRUE(source.Ready());
    Decoded decoded;
    std::string buffer(outPiece, '\0');
    while (const std::size_t n = source.Read(buffer.data(), outPiece)) decoded.bytes.append(buffer.data(), n);
    EXPECT_TRUE(header.unpackedSize == kLzmaUnknownSize || decoded.bytes.size() <= header.unpackedSize);
    decoded.outcome = source.Damaged() ? "damaged" : source.EndsCleanly() ? "clean" : "unclean";
    return decoded;
}

TEST(LzmaDecoder, StreamsLiblzmaWroteComeBackByteExactInAnyPieces) {
    const struct {
        const char* name;
        std::string data;
        Form form;
        unsigned lc, lp, pb;
        std::uint32_t dictionary;
    } rows[] = {
        {"random", RandomBytes(300000), Form::kBuilder, 3, 0, 2, 1 << 20},
        {"text beyond the dictionary", Text(1 << 20), Form::kBuilder, 3, 0, 2, 64 << 10},
        {"this program", FileStart("/proc/self/exe", 2 << 20), Form::kBuilder, 0, 2, 2, 8 << 20},
        {"the setup program", FileStart(WINDOWS_PROGRAM, 2 << 20), Form::kBuilder, 3, 0, 2, 8 << 20},
        {"zeros", std::string(2 << 20, '\0'), Form::kBuilder, 3, 0, 2, 1 << 20},
        {"empty", "", Form::kBuilder, 3, 0, 2, 1 << 20},
        {"text, unknown size", Text(200000), Form::kUnknownSize, 4, 0, 0, 1 << 16},
        {"empty, unknown size", "", Form::kUnknownSize, 3, 0, 2, 1 << 16},
        {"text, no end marker", Text(200000), Form::kNoEndMarker, 0, 4, 4, 1 << 16},
        {"random, no end marker", RandomBytes(5000), Form::kNoEndMarker, 1, 3, 1, 4096},
    };
    for (const auto& row : rows) {
        const std::string stream = Encode(row.data, row.form, row.lc, row.lp, row.pb, row.dictionary);
        for (const auto& [in, out] : {std::pair{1 << 16, 1 << 16}, {1, 7}, {7, 1}}) {
            const Decoded decoded = Decode(stream, in, out);
            EXPECT_EQ(decoded.outcome, "clean") << row.name << ", pieces " << in << "/" << out;
            EXPECT_TRUE(decoded.bytes == row.data) << row.name << ", pieces " << in << "/" << out;
        }
    }
}

TEST(LzmaDecoder, DamagedStreamsEndAsDamageWithoutAByteTooMany) {
    const std::string text = Text(100000), stream = Encode(text, Form::kBuilder, 3, 0, 2, 1 << 16);
    const std::string zeros = Encode(std::string(2000, '\0'), Form::kBuilder);  // ends in zero bytes
    const auto changed = [&](auto change) {
        std::string bytes = stream;
        change(bytes);
        return bytes;
    };
    const struct {
        const char* name;
        std::string stream, outcome;
    } rows[] = {
        {"cut in the header", stream.substr(0, 12), "refused"},
        {"cut in the range coder's start", stream.substr(0, 16), "damaged"},
        {"cut in the middle", stream.substr(0, stream.size() / 2), "damaged"},
        {"cut before the last byte", stream.substr(0, stream.size() - 1), "damaged"},
        {"cut before last bytes that are zeros", zeros.substr(0, zeros.size() - 1), "damaged"},
        {"a flipped byte", changed([](std::string& s) { s[s.size() / 2] ^= 0x10; }), "damaged"},
        {"a range coder start that is not zero", changed([](std::string& s) { s[13] = 1; }), "damaged"},
        {"trailing garbage", stream + '\0', "unclean"},
        {"size one short", changed([&](std::string& s) { PutSize(s, text.size() - 1); }), "damaged"},
        {"size one long", changed([&](std::string& s) { PutSize(s, text.size() + 1); }), "damaged"},
        {"no end marker and no size",
         changed([&](std::string& s) { s = Encode(text, Form::kNoEndMarker), PutSize(s, kLzmaUnknownSize); }), "damaged"},
        {"a match before the first byte", Encode(text, Form::kNoEndMarker, 3, 0, 2, 1 << 16, text), "damaged"},
        {"properties naming no lc/lp/pb", changed([](std::string& s) { s[0] = static_cast<char>(225); }), "refused"},
        {"a dictionary above the limit", changed([](std::string& s) { s[4] = 0x10, s[3] = s[2] = 0, s[1] = 1; }),
         "refused"},
        {"a dictionary at the limit", changed([](std::string& s) { s[4] = 0x10, s[3] = s[2] = s[1] = 0; }),
         "clean"},
    };
    for (const auto& row : rows)
        for (const std::size_t piece : {1 << 16, 1})
            EXPECT_EQ(Decode(row.stream, piece, piece).outcome, row.outcome) << row.name;
}

}  // namespace
