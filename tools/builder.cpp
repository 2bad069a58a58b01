#include "tools/builder.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <ostream>
#include <stdexcept>

#include "codec/crc32.h"
#include "codec/lzma_decoder.h"
#include "package/for_user.h"
#include "package/image_end.h"
#include "package/seal.h"
#include "package/package_text.h"
#include "package/settings.h"
#include "runtime/integer.h"
#include "tools/compression.h"
#include "tools/cp1251.h"
#include "tools/setting_names.h"
#include "tools/signing.h"

namespace {

constexpr std::size_t kChunk = 1 << 20;

// Copies length bytes, adding them to the package's checksum on the way.
void CopyStream(std::istream& in, std::ostream& out, std::int64_t length, const std::string& what,
                std::uint32_t& checksum) {
    std::unique_ptr<char[]> buffer(new char[kChunk]);
    while (length > 0) {
        const auto piece = static_cast<std::streamsize>(std::min<std::int64_t>(length, kChunk));
        if (!in.read(buffer.get(), piece)) throw std::runtime_error(what + " ended early");
        if (!out.write(buffer.get(), piece)) throw std::runtime_error("cannot write the setup program");
        checksum = Crc32(checksum, buffer.get(), static_cast<std::size_t>(piece));
        length -= piece;
    }
}

class StreamSource : public ByteSource {
public:
    StreamSource(std::istream& in, std::int64_t length) : in_(in), left_(length) {}
    std::size_t Read(char* buffer, std::size_t size) override {
        const auto n = static_cast<std::streamsize>(std::min<std::int64_t>(left_, static_cast<std::int64_t>(size)));
        in_.read(buffer, n);
        left_ -= in_.gcount();
        return static_cast<std::size_t>(in_.gcount());
    }

private:
    std::istream& in_;
    std::int64_t left_;
};

// One setting a line: line breaks inside a text (the licence) are shown as \r and \n.
std::string Quoted(const std::string& text) {
    std::string shown;
    for (char c : Cp1251ToUtf8(text)) {
        if (c == '\r') shown += "\\r";
        else if (c == '\n') shown += "\\n";
        else shown += c;
    }
    return "\"" + shown + "\"";
}

// Whether the two names are one file on disk, however they are spelt (links included).
bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

// A name beside outPath that names nothing yet.
std::string UnusedNameBeside(const std::string& outPath) {
    std::string name = outPath + ".partial";
    std::error_code error;
    for (int n = 1; std::filesystem::exists(std::filesystem::symlink_status(name, error)); ++n)
        name = outPath + ".partial" + std::to_string(n);
    return name;
}

// The rights a Windows program asks for in its manifest ("requireAdministrator", "asInvoker"), or
// "" when its bytes hold no manifest that says.
std::string RequestedLevel(std::string_view program) {
    constexpr std::string_view kLevel = "requestedExecutionLevel level=\"";
    const std::size_t at = program.find(kLevel);
    if (at == std::string_view::npos) return {};
    const std::string_view level = program.substr(at + kLevel.size());
    return std::string(level.substr(0, level.find('"')));
}

// A package for the user is installed and removed without administrator rights, so its programs
// must not ask for them; one for the machine writes where only administrators may, so its programs
// must. A program that says nothing (a stand-in) is taken as it is.
void CheckRequestedLevel(std::string_view program, bool forUser, const std::string& what) {
    const std::string level = RequestedLevel(program);
    if (forUser && !level.empty() && level != "asInvoker")
        throw std::runtime_error(what + " asks for " + level + ": a package for the user needs the program that runs "
                                 "without administrator rights (asInvoker: setup-user.exe, Uninstall-user.exe)");
    if (!forUser && level == "asInvoker")
        throw std::runtime_error(what + " runs without administrator rights (asInvoker): a package for the machine "
                                 "needs the program that asks for them (setup.exe, Uninstall.exe)");
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The stub, then the package: the text block with the seal in front of the banner, the payload
// (the files as they are, or compressed), the length. Line 0 takes the blanks that make the whole
// program a multiple of 8 bytes long, where a signature's table must start: signing then adds no
// padding between the package and the signature.
void WriteSetupProgram(const PackageSource& source, const std::string& stubPath, const std::string& outPath,
                       const BuildOptions& options) {
    std::ifstream stubIn(stubPath, std::ios::binary);
    if (!stubIn) throw std::runtime_error("cannot read the stub " + stubPath);
    const std::string stub{std::istreambuf_iterator<char>(stubIn), {}};
    CheckRequestedLevel(stub, source.forUser, "the stub " + stubPath);
    // The uninstaller the package carries, added by the builder or listed by its author.
    if (!source.fileSources.empty() && source.layout.files.back().path == kUninstallerFile) {
        std::ifstream in(source.fileSources.back(), std::ios::binary);
        CheckRequestedLevel(std::string(std::istreambuf_iterator<char>(in), {}), source.forUser,
                            "the uninstaller " + source.fileSources.back());
    }

    std::int64_t payloadSize = 0;
    std::vector<std::int64_t> sizes;
    for (const auto& file : source.layout.files) sizes.push_back(file.size), payloadSize += file.size;
    std::unique_ptr<std::FILE, FileCloser> compressed;
    if (options.compress) {
        compressed.reset(std::tmpfile());
        if (!compressed) throw std::runtime_error("cannot make a temporary file for the compressed payload");
        payloadSize = CompressFiles(source.fileSources, sizes, {options.dictionarySize}, compressed.get());
        std::rewind(compressed.get());
    }

    StringList lines = TextLines(source.layout);
    lines[setting::kBanner] = ComposeSeal(0, options.compress, source.forUser) + lines[setting::kBanner];
    const std::int64_t unpadded =
        static_cast<std::int64_t>(stub.size() + ComposeTextBlock(lines).size()) + payloadSize + 4;
    lines[setting::kBanner].append(static_cast<std::size_t>((8 - unpadded % 8) % 8), ' ');
    const std::string text = ComposeTextBlock(lines);
    const std::int64_t length = static_cast<std::int64_t>(text.size()) + payloadSize + 4;
    if (length > std::numeric_limits<std::int32_t>::max())
        throw std::runtime_error("the package would be " + std::to_string(length) +
                                 " bytes; a package holds at most 2147483647");

    std::fstream out(outPath, std::ios::binary | std::ios::in | std::ios::out | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + outPath);
    out.write(stub.data(), static_cast<std::streamsize>(stub.size()));
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    std::uint32_t checksum = Crc32(0, text.data() + kSealedFrom, text.size() - kSealedFrom);
    if (compressed) {
        std::unique_ptr<char[]> buffer(new char[kChunk]);
        for (std::size_t n; (n = std::fread(buffer.get(), 1, kChunk, compressed.get())) > 0;) {
            out.write(buffer.get(), static_cast<std::streamsize>(n));
            checksum = Crc32(checksum, buffer.get(), n);
        }
    } else {
        for (std::size_t i = 0; i < source.layout.files.size(); ++i) {
            std::ifstream in(source.fileSources[i], std::ios::binary);
            if (!in) throw std::runtime_error("cannot read " + source.fileSources[i]);
            CopyStream(in, out, source.layout.files[i].size, source.fileSources[i], checksum);
            if (in.peek() != std::char_traits<char>::eof())
                throw std::runtime_error(source.fileSources[i] + " grew while it was copied");
        }
    }
    const std::string trailer = LengthTrailer(static_cast<std::int32_t>(length));
    out.write(trailer.data(), 4);
    checksum = Crc32(checksum, trailer.data(), 4);
    // The checksum's digits, known only now, go into the seal.
    const std::string seal = ComposeSeal(checksum, options.compress, source.forUser);
    out.seekp(static_cast<std::streamoff>(stub.size() + kSealMagic.size()));
    out.write(seal.data() + kSealMagic.size(), 8);
    out.close();
    if (!out) throw std::runtime_error("cannot write " + outPath);
}

}  // namespace

void BuildSetupProgram(const PackageSource& source, const std::string& stubPath, const std::string& outPath,
                       const BuildOptions& options) {
    std::vector<std::string> inputs = source.inputs;
    inputs.push_back(stubPath);
    inputs.insert(inputs.end(), source.fileSources.begin(), source.fileSources.end());
    for (const std::string& input : inputs)
        if (SameFile(outPath, input)) throw std::runtime_error("the output " + outPath + " is the input " + input);
    // Written beside the output and renamed when whole: a failed build leaves the output as it was.
    const std::string partial = UnusedNameBeside(outPath);
    std::error_code error;
    try {
        WriteSetupProgram(source, stubPath, partial, options);
        if (options.finish) options.finish(partial);
        std::filesystem::rename(partial, outPath, error);
        if (error) throw std::runtime_error("cannot write " + outPath + ": " + error.message());
    } catch (...) {
        std::filesystem::remove(partial, error);
        throw;
    }
}

// The program's headers; zeros past the end of a small stand-in stub.
void ReadImageHeaders(std::istream& in, unsigned char (&headers)[kImageHeadersSize]) {
    in.seekg(0);
    in.read(reinterpret_cast<char*>(headers), sizeof headers);
    in.clear();
}

// Checks a sealed package's checksum and, for a compressed one, the stream's header, printing
// what it finds; returns why the package is damaged, or "". unpacked becomes the payload's size
// once unpacked.
std::string CheckSeal(std::istream& in, std::ostream& out, std::int64_t start, std::int64_t length, const Seal& seal,
                      const PackageData& data, std::int64_t& unpacked) {
    if (seal.kind == SealKind::Broken) return "line 0 starts like setup-pack's seal but is not one";
    std::uint32_t checksum = 0;
    in.clear();
    in.seekg(start + static_cast<std::int64_t>(kSealedFrom));
    std::unique_ptr<char[]> buffer(new char[kChunk]);
    for (std::int64_t left = length - static_cast<std::int64_t>(kSealedFrom); left > 0;) {
        const auto piece = static_cast<std::streamsize>(std::min<std::int64_t>(left, kChunk));
        if (!in.read(buffer.get(), piece)) return "the package cannot be read";
        checksum = Crc32(checksum, buffer.get(), static_cast<std::size_t>(piece));
        left -= piece;
    }
    const auto hex = [](std::uint32_t value) { return ComposeSeal(value, false).substr(kSealMagic.size(), 8); };
    if (checksum != seal.checksum)
        return "the checksum is " + hex(checksum) + ", the seal says " + hex(seal.checksum) +
               ": the program was changed after it was built";
    out << "checksum: CRC-32 " << hex(checksum) << ", matches\n";
    if (seal.kind != SealKind::Compressed) {
        out << "compression: none\n";
        return {};
    }
    // The stream's header, judged as the setup program judges it.
    char bytes[kLzmaHeaderSize] = {};
    in.seekg(start + data.PayloadOffset);
    in.read(bytes, sizeof bytes);
    const std::int64_t packed = length - 4 - data.PayloadOffset;
    const std::int64_t end = SealedPayloadEnd(seal, checksum, data.PayloadOffset, length - 4,
                                              std::string_view(bytes, static_cast<std::size_t>(in.gcount())));
    if (end < 0) return "the compressed payload's header names no stream the program can unpack";
    unpacked = end - data.PayloadOffset;
    LzmaHeader header;
    ReadLzmaHeader(reinterpret_cast<const unsigned char*>(bytes), header);
    const std::uint32_t dictionary = header.dictionarySize;
    out << "compression: LZMA, dictionary " << (dictionary >= (1u << 20) ? dictionary >> 20 : dictionary >> 10)
              << (dictionary >= (1u << 20) ? " MiB" : " KiB") << ", " << packed << " bytes unpack to " << unpacked
              << " (" << (unpacked ? 100 * packed / unpacked : 100) << "%)\n";
    return {};
}

int ShowSetupProgram(const std::string& path, std::ostream& out) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        out << "damaged: cannot read " << path << "\n";
        return 1;
    }
    const std::int64_t fileSize = in.tellg();
    unsigned char headers[kImageHeadersSize] = {}, bytes[4] = {};
    ReadImageHeaders(in, headers);
    const std::int64_t packageEnd = PackageEnd(headers, fileSize);  // before a signature at the end
    if (packageEnd >= 4) {
        in.seekg(packageEnd - 4);
        in.read(reinterpret_cast<char*>(bytes), 4);
    }
    const std::int32_t length = ReadLengthTrailer(bytes);
    out << "setup program: " << path << ", " << fileSize << " bytes\n"
        << SignatureLine(CertificateTableOf(headers), fileSize) << "\n";
    if (ImageEnd(headers) == packageEnd) {
        out << "no package: the program ends where its image ends\n";
        return 1;
    }
    if (const std::string gap = GapBeforeSignature(in, headers, fileSize); !gap.empty()) {
        out << "damaged: " << gap << "\n";
        return 1;
    }
    if (packageEnd < 4 || length < 4 || length > packageEnd) {
        out << "damaged: the stored package length " << length << " does not fit the file of " << packageEnd
            << " bytes\n";
        return 1;
    }
    const std::int64_t start = packageEnd - length;
    out << "package: " << length << " bytes at offset " << start << "\n";
    // The setup program finds its package only right after its own image.
    if (const std::int64_t end = ImageEnd(headers); end >= 0 && end != start) {
        out << "damaged: the package starts at byte " << start << ", the program's image ends at byte " << end << "\n";
        return 1;
    }

    PackageData data;
    in.seekg(start);
    StreamSource text(in, length - 4);
    if (const std::string damage = ReadPackageText(text, data); !damage.empty()) {
        out << "damaged: " << Excerpt(Cp1251ToUtf8(damage), 300) << "\n";
        return 1;
    }
    out << "text block: " << data.PayloadOffset << " bytes\n";
    const Seal seal = ReadSeal(data.MainSettings[setting::kBanner]);
    data.ForUser = seal.forUser;
    std::string banner = data.MainSettings[setting::kBanner];
    std::int64_t unpacked = length - 4 - data.PayloadOffset;
    if (seal.kind != SealKind::None) {
        if (const std::string damage = CheckSeal(in, out, start, length, seal, data, unpacked); !damage.empty()) {
            out << "damaged: " << damage << "\n";
            return 1;
        }
        banner.erase(0, banner.find('\x01', 1) + 1);
        banner.erase(banner.find_last_not_of(' ') + 1);
    }
    // Whom the package installs for, and the rights the program asks for in its manifest.
    std::string image(static_cast<std::size_t>(start), '\0');
    in.clear();
    in.seekg(0);
    in.read(image.data(), start);
    const std::string level = RequestedLevel(image);
    out << "install for: " << (data.ForUser ? "user" : "machine")
        << (level.empty() ? "" : " (the program asks for " + level + ")") << "\n";
    out << "\nsettings:\n";
    for (int i = 0; i < setting::kCount; ++i) {
        out << "  " << (i < 10 ? " " : "") << i << "  " << kSettingNames[i].name << " = "
            << Quoted(i == setting::kLicenceText ? data.LicenceText : i == setting::kBanner ? banner : data.MainSettings[i])
            << "\n";
    }
    const auto& reg = data.RegistryEntries;
    out << "\nregistry records: " << reg.size() / kRegistryRecordLines << "\n";
    for (std::size_t i = 0; i + kRegistryRecordLines <= reg.size(); i += kRegistryRecordLines)
        out << "  " << i / kRegistryRecordLines + 1 << ": root=" << Quoted(reg[i]) << " key=" << Quoted(reg[i + 1])
            << " name=" << Quoted(reg[i + 2]) << " data=" << Quoted(reg[i + 3]) << " type=" << Quoted(reg[i + 4])
            << "\n";
    const auto& lnk = data.ShortcutEntries;
    out << "\nshortcut records: " << lnk.size() / kShortcutRecordLines << "\n";
    for (std::size_t i = 0; i + kShortcutRecordLines <= lnk.size(); i += kShortcutRecordLines)
        out << "  " << i / kShortcutRecordLines + 1 << ": place=" << Quoted(lnk[i]) << " name=" << Quoted(lnk[i + 1])
            << " target=" << Quoted(lnk[i + 2]) << " workdir=" << Quoted(lnk[i + 3])
            << " arguments=" << Quoted(lnk[i + 4]) << " description=" << Quoted(lnk[i + 5]) << "\n";
    const auto& files = data.FileEntries;
    out << "\nfiles: " << files.size() / kFileRecordLines << "\n";
    std::int64_t offset = data.PayloadOffset;
    for (std::size_t i = 0; i + kFileRecordLines <= files.size(); i += kFileRecordLines) {
        out << "  " << i / kFileRecordLines + 1 << ": " << Quoted(files[i]) << " offset " << offset << " size "
            << Excerpt(Cp1251ToUtf8(files[i + 1])) << " attributes " << Excerpt(Cp1251ToUtf8(files[i + 2])) << "\n";
        offset += ParseInteger(files[i + 1]).value_or(0);
    }
    std::string damage = CheckFileRecords(data, data.PayloadOffset + unpacked);
    if (damage.empty()) damage = CheckLinkAndKeyRecords(data);
    if (damage.empty() && data.ForUser) damage = UserPackageFault(data);
    if (!damage.empty()) {
        out << "\ndamaged: " << Excerpt(Cp1251ToUtf8(damage), 300) << "\n";
        return 1;
    }
    out << "\nlayout: sound\n";
    return 0;
}
