#include "package/loader.h"

#include <algorithm>
#include <memory>

#include "package/loader_texts.h"
#include "package/package_text.h"
#include "package/length_trailer.h"
#include "runtime/file.h"
#include "runtime/platform.h"

namespace {

// A 32-bit process cannot hold a package of several hundred megabytes at once, so the copy
// streams through a buffer of at most this size.
constexpr std::int64_t kCopyBufferSize = 1 << 20;

std::int32_t ReadStoredLength(File& program, std::int64_t fileSize) {
    unsigned char bytes[4];
    program.Seek(fileSize - 4);
    program.ReadExactly(bytes, 4);
    return ReadLengthTrailer(bytes);
}

void CopyRange(File& from, File& to, std::int64_t length) {
    const auto bufferSize = static_cast<std::size_t>(std::min(length, kCopyBufferSize));
    std::unique_ptr<char[]> buffer(new char[bufferSize > 0 ? bufferSize : 1]);
    while (length > 0) {
        const auto piece = static_cast<std::size_t>(std::min<std::int64_t>(length, bufferSize));
        from.ReadExactly(buffer.get(), piece);
        to.Write(buffer.get(), piece);
        length -= static_cast<std::int64_t>(piece);
    }
}

}  // namespace

std::string GetProgramPath() {
    char path[261];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, n < sizeof path ? n : 0);
}

std::string GetTempFolder() {
    char path[1024];
    const DWORD n = GetTempPathA(1023, path);
    return std::string(path, n < 1023 ? n : 0);
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string TempPackagePath(const std::string& tempFolder) { return tempFolder + "QORT\\Tmp_Data.tmp"; }

LoadResult ReadPackageFrom(const std::string& programPath, const std::string& tempFolder, PackageData& data) {
    data = PackageData{};
    const std::string folder = tempFolder + "QORT\\";
    if (!FolderExists(folder)) CreateDirectoryA(folder.c_str(), nullptr);
    try {
        std::int64_t copyLength = 0;
        {
            File program = File::OpenForReading(programPath);
            const std::int64_t fileSize = program.Size();
            const std::int32_t length = ReadStoredLength(program, fileSize);
            if (fileSize < length) return LoadResult::LengthBeyondFile;
            if (length < 4) return LoadResult::Damaged;
            copyLength = length - 4;
            program.Seek(fileSize - length);
            File copy = File::Create(TempPackagePath(tempFolder));
            CopyRange(program, copy, copyLength);
        }
        File copy = File::OpenForReading(TempPackagePath(tempFolder));
        FileSource source(copy);
        ReadPackageText(source, data);
        CheckFileRecords(data, copyLength);
        return LoadResult::Loaded;
    } catch (...) {
        // Whatever went wrong (unreadable file, a count that is not a number, records that do not
        // fit, memory), the package cannot be used.
        data = PackageData{};
        return LoadResult::Damaged;
    }
}

void LoadPackage(PackageData& data) {
    switch (ReadPackageFrom(GetProgramPath(), GetTempFolder(), data)) {
    case LoadResult::Loaded:
        return;
    case LoadResult::Damaged:
        MessageBoxA(nullptr, kDamagedDataText, kErrorCaption, MB_OK | MB_ICONERROR);
        break;
    case LoadResult::LengthBeyondFile:
        break;
    }
    ExitProcess(0);
}
