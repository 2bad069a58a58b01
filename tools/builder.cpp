#include "tools/builder.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <ostream>
#include <stdexcept>

#include "package/image_end.h"
#include "package/package_text.h"
#include "package/settings.h"
#include "runtime/integer.h"
#include "tools/cp1251.h"
#include "tools/setting_names.h"
#include "tools/signing.h"

namespace {

constexpr std::size_t kChunk = 1 << 20;

void CopyStream(std::istream& in, std::ostream& out, std::int64_t length, const std::string& what) {
    std::unique_ptr<char[]> buffer(new char[kChunk]);
    while (length > 0) {
        const auto piece = static_cast<std::streamsize>(std::min<std::int64_t>(length, kChunk));
        if (!in.read(buffer.get(), piece)) throw std::runtime_error(what + " ended early");
        if (!out.write(buffer.get(), piece)) throw std::runtime_error("cannot write the setup program");
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

void WriteSetupProgram(const PackageSource& source, const std::string& stubPath, const std::string& outPath) {
    const std::string text = ComposeTextBlock(TextLines(source.layout));
    std::int64_t length = static_cast<std::int64_t>(text.size()) + 4;
    for (const auto& file : source.layout.files) length += file.size;
    if (length > std::numeric_limits<std::int32_t>::max())
        throw std::runtime_error("the package would be " + std::to_string(length) +
                                 " bytes; a package holds at most 2147483647");

    std::ifstream stub(stubPath, std::ios::binary);
    if (!stub) throw std::runtime_error("cannot read the stub " + stubPath);
    std::ofstream out(outPath, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + outPath);
    out << stub.rdbuf();
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    for (std::size_t i = 0; i < source.layout.files.size(); ++i) {
        std::ifstream in(source.fileSources[i], std::ios::binary);
        if (!in) throw std::runtime_error("cannot read " + source.fileSources[i]);
        CopyStream(in, out, source.layout.files[i].size, source.fileSources[i]);
        if (in.peek() != std::char_traits<char>::eof())
            throw std::runtime_error(source.fileSources[i] + " grew while it was copied");
    }
    const std::string trailer = LengthTrailer(static_cast<std::int32_t>(length));
    out.write(trailer.data(), 4);
    out.close();
    if (!out) throw std::runtime_error("cannot write " + outPath);
}

}  // namespace

void BuildSetupProgram(const PackageSource& source, const std::string& stubPath, const std::string& outPath,
                       const std::function<void(const std::string&)>& finish) {
    std::vector<std::string> inputs = source.inputs;
    inputs.push_back(stubPath);
    inputs.insert(inputs.end(), source.fileSources.begin(), source.fileSources.end());
    for (const std::string& input : inputs)
        if (SameFile(outPath, input)) throw std::runtime_error("the output " + outPath + " is the input " + input);
    // Written beside the output and renamed when whole: a failed build leaves the output as it was.
    const std::string partial = UnusedNameBeside(outPath);
    std::error_code error;
    try {
        WriteSetupProgram(source, stubPath, partial);
        if (finish) finish(partial);
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
    out << "text block: " << data.PayloadOffset << " bytes\n\nsettings:\n";
    for (int i = 0; i < setting::kCount; ++i) {
        out << "  " << (i < 10 ? " " : "") << i << "  " << kSettingNames[i].name << " = "
            << Quoted(i == setting::kLicenceText ? data.LicenceText : data.MainSettings[i]) << "\n";
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
    std::string damage = CheckFileRecords(data, length - 4);
    if (damage.empty()) damage = CheckLinkAndKeyRecords(data);
    if (!damage.empty()) {
        out << "\ndamaged: " << Excerpt(Cp1251ToUtf8(damage), 300) << "\n";
        return 1;
    }
    out << "\nlayout: sound\n";
    return 0;
}
