#include "package/loader.h"

#include <algorithm>
#include <memory>

#include "codec/crc32.h"
#include "codec/lzma_decoder.h"
#include "package/for_user.h"
#include "package/image_end.h"
#include "package/package_copy.h"
#include "package/seal.h"
#include "package/setting_lines.h"
#include "package/loader_texts.h"
#include "package/package_text.h"
#include "package/length_trailer.h"
#include "runtime/failure.h"
#include "runtime/file.h"
#include "runtime/platform.h"
#include "runtime/unicode.h"
#include "toolkit/message_box.h"

namespace {

// The stored package length, or -1 when the last four bytes cannot be read.
std::int64_t ReadStoredLength(File& program, std::int64_t fileSize) {
    unsigned char bytes[4];
    if (fileSize < 4 || !program.Seek(fileSize - 4) || !program.ReadExactly(bytes, 4)) return -1;
    return ReadLengthTrailer(bytes);
}

// Where the program's image ends, by its headers (-1 when they cannot be read), and where its
// package ends: at the end of the file, or where a signature at its end begins. Kept out of line:
// inlined, it costs the shipped program a page.
struct ProgramLayout {
    std::int64_t imageEnd, packageEnd;
};

__attribute__((noinline)) ProgramLayout ReadProgramLayout(File& program) {
    unsigned char headers[kImageHeadersSize];
    const std::int64_t fileSize = program.Size();
    if (!program.Seek(0) || !program.ReadExactly(headers, sizeof headers)) return {-1, fileSize};
    return {ImageEnd(headers), PackageEnd(headers, fileSize)};
}

// Copies the package but its length into the package copy, in pieces of 64 KiB, and computes the
// checksum of what it copies on the way (from kSealedFrom on, where a sealed package's checksum
// starts), so the bytes are read once. The seal is read later with the text.
bool CopyPackage(File& program, File& copy, std::int64_t length, std::uint32_t& checksum) {
    constexpr std::size_t kPieceSize = 64 << 10;
    const std::unique_ptr<char[]> buffer(new char[kPieceSize]);
    checksum = 0;
    for (std::int64_t done = 0; done < length;) {
        const auto piece = static_cast<std::size_t>(std::min<std::int64_t>(length - done, kPieceSize));
        if (!program.ReadExactly(buffer.get(), piece) || !copy.Write(buffer.get(), piece)) return false;
        const std::size_t skip = done < static_cast<std::int64_t>(kSealedFrom)
                                     ? std::min(piece, static_cast<std::size_t>(kSealedFrom - done)) : 0;
        checksum = Crc32(checksum, buffer.get() + skip, piece - skip);
        done += static_cast<std::int64_t>(piece);
    }
    return true;
}

// A sealed package's checksum must match what was copied, and a compressed one's stream must name a
// dictionary within the limit and unpack to exactly the sizes of its files; a plain one's files
// fill its payload exactly. The seal also says whom the package installs for.
bool CheckSealAndPayload(File& copy, PackageData& data, std::int64_t copyLength, std::uint32_t checksum) {
    const Seal seal = ReadSeal(data.MainSettings[setting::kBanner]);
    char header[kLzmaHeaderSize] = {};
    if (seal.kind == SealKind::Compressed && (!copy.Seek(data.PayloadOffset) || !copy.ReadExactly(header, sizeof header)))
        return false;
    const std::int64_t payloadEnd =
        SealedPayloadEnd(seal, checksum, data.PayloadOffset, copyLength, std::string_view(header, sizeof header));
    data.Compressed = seal.kind == SealKind::Compressed;
    data.ForUser = seal.forUser;
    return payloadEnd >= 0 && CheckFileRecords(data, payloadEnd).empty();
}

// The package stores its texts in Windows-1251, as every tool has always written them, and its
// checks (seal, counts, sizes, paths) run on those bytes; from here on the run works in UTF-8.
// Line 0 is the builder's banner and seal, which nothing reads after the check, and the licence
// line is stored shifted: its text is LicenceText.
void ConvertPackageTextToUtf8(PackageData& data) {
    const auto convert = [](std::string& line) { line = Cp1251ToUtf8(line); };
    for (std::size_t i = 0; i < data.MainSettings.size(); ++i)
        if (i != setting::kBanner && i != setting::kLicenceText) convert(data.MainSettings[i]);
    for (StringList* list : {&data.RegistryEntries, &data.ShortcutEntries, &data.FileEntries})
        for (std::string& line : *list) convert(line);
    convert(data.LicenceText);
}

// Any failure while loading (memory exhausted, a library error) means the package cannot be used.
[[noreturn]] void EndAsDamaged(const char*, const std::string&, const void*) {
    RemovePackageCopy();
    ShowMessageBox(nullptr, kDamagedDataText, kErrorCaption, MB_OK | MB_ICONERROR);
    ExitProcess(0);
}

}  // namespace

std::string GetProgramPath() {
    wchar_t path[1024];
    const DWORD n = GetModuleFileNameW(nullptr, path, std::size(path));
    return Utf8(std::wstring_view(path, n < std::size(path) ? n : 0));
}

std::string GetTempFolder() {
    wchar_t path[1024];
    const DWORD n = GetTempPathW(std::size(path), path);
    return Utf8(std::wstring_view(path, n < std::size(path) ? n : 0));
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string TempPackagePath(const std::string& tempFolder) { return tempFolder + "QORT\\Tmp_Data.tmp"; }

void RemovePackageCopy() { ThePackageCopy().Remove(); }

LoadResult ReadPackageFrom(const std::string& programPath, const std::string& tempFolder, PackageData& data,
                           PackageCopy& copy) {
    data = PackageData{};
    // A link planted in the folder's place would send the copy, and so the install, elsewhere.
    if (!PrepareCopyFolder(tempFolder + "QORT\\")) return LoadResult::Damaged;
    std::int64_t copyLength = 0;
    std::uint32_t checksum = 0;
    {
        File program = File::OpenForReading(programPath);
        if (!program.IsOpen()) return LoadResult::Damaged;
        const ProgramLayout layout = ReadProgramLayout(program);
        const std::int64_t packageEnd = layout.packageEnd;  // a signature may follow the package
        const std::int64_t length = ReadStoredLength(program, packageEnd);
        if (length < 0) return LoadResult::Damaged;
        if (packageEnd < length) return LoadResult::LengthBeyondFile;
        if (length < 4) return LoadResult::Damaged;
        // A length a few bytes off would otherwise load: the first line, which the program never
        // reads, would take in bytes of the image or give up its own.
        if (layout.imageEnd != packageEnd - length) return LoadResult::Damaged;
        copyLength = length - 4;
        if (!copy.Create(TempPackagePath(tempFolder)) || !program.Seek(packageEnd - length) ||
            !CopyPackage(program, copy.Bytes(), copyLength, checksum))
            return LoadResult::Damaged;
        unsigned char trailer[4];
        if (!program.ReadExactly(trailer, 4)) return LoadResult::Damaged;
        checksum = Crc32(checksum, trailer, 4);
    }
    if (!copy.Bytes().Seek(0)) return LoadResult::Damaged;
    FileSource source(copy.Bytes());
    // Whatever is wrong (a count that is not a number, a checksum that does not match, records that
    // do not fit, a path leading out of its folder, a package for the user naming the machine's
    // registry or folders, an unreadable copy), the package cannot be used.
    if (!ReadPackageText(source, data).empty() || source.Failed() || !CheckSealAndPayload(copy.Bytes(), data, copyLength, checksum) ||
        !CheckLinkAndKeyRecords(data).empty() || (data.ForUser && FindMachineItem(data).kind != MachineItem::kNone)) {
        data = PackageData{};
        return LoadResult::Damaged;
    }
    ConvertPackageTextToUtf8(data);
    return LoadResult::Loaded;
}

void LoadPackage(PackageData& data) {
    const FailureHandler previous = SetFailureHandler(EndAsDamaged);
    const LoadResult result = ReadPackageFrom(GetProgramPath(), GetTempFolder(), data, ThePackageCopy());
    SetFailureHandler(previous);
    switch (result) {
    case LoadResult::Loaded:
        return;
    case LoadResult::Damaged:
        EndAsDamaged(nullptr, {}, nullptr);
    case LoadResult::LengthBeyondFile:
        break;
    }
    ExitProcess(0);
}
