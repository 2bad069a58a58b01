#include "package/loader.h"

#include "package/image_end.h"
#include "package/loader_texts.h"
#include "package/package_text.h"
#include "package/length_trailer.h"
#include "runtime/failure.h"
#include "runtime/file.h"
#include "runtime/platform.h"

namespace {

// The stored package length, or -1 when the last four bytes cannot be read.
std::int64_t ReadStoredLength(File& program, std::int64_t fileSize) {
    unsigned char bytes[4];
    if (fileSize < 4 || !program.Seek(fileSize - 4) || !program.ReadExactly(bytes, 4)) return -1;
    return ReadLengthTrailer(bytes);
}

// Where the package ends: the end of the file, or where a signature at its end begins.
__attribute__((noinline)) std::int64_t PackageEndIn(File& program) {
    unsigned char headers[kImageHeadersSize];
    const std::int64_t fileSize = program.Size();
    return program.Seek(0) && program.ReadExactly(headers, sizeof headers) ? PackageEnd(headers, fileSize) : fileSize;
}

// True when the package starts where the program's image ends: the builder writes it there.
// Kept out of line: inlined, it costs the shipped program a page.
__attribute__((noinline)) bool PackageFollowsTheImage(File& program, std::int64_t packageStart) {
    unsigned char headers[kImageHeadersSize];
    return program.Seek(0) && program.ReadExactly(headers, sizeof headers) && ImageEnd(headers) == packageStart;
}

// Any failure while loading (memory exhausted, a library error) means the package cannot be used.
[[noreturn]] void EndAsDamaged(const char*, const std::string&, const void*) {
    RemovePackageCopy();
    MessageBoxA(nullptr, kDamagedDataText, kErrorCaption, MB_OK | MB_ICONERROR);
    ExitProcess(0);
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

void RemovePackageCopy() { DeleteFileA(TempPackagePath(GetTempFolder()).c_str()); }

LoadResult ReadPackageFrom(const std::string& programPath, const std::string& tempFolder, PackageData& data) {
    data = PackageData{};
    const std::string folder = tempFolder + "QORT\\";
    if (!FolderExists(folder)) CreateDirectoryA(folder.c_str(), nullptr);
    std::int64_t copyLength = 0;
    {
        File program = File::OpenForReading(programPath);
        if (!program.IsOpen()) return LoadResult::Damaged;
        const std::int64_t fileSize = PackageEndIn(program);  // the package's end: a signature follows it
        const std::int64_t length = ReadStoredLength(program, fileSize);
        if (length < 0) return LoadResult::Damaged;
        if (fileSize < length) return LoadResult::LengthBeyondFile;
        if (length < 4) return LoadResult::Damaged;
        // A length a few bytes off would otherwise load: the first line, which the program never
        // reads, would take in bytes of the image or give up its own.
        if (!PackageFollowsTheImage(program, fileSize - length)) return LoadResult::Damaged;
        copyLength = length - 4;
        File copy = File::Create(TempPackagePath(tempFolder));
        if (!copy.IsOpen() || !program.Seek(fileSize - length) ||
            CopyBytes(program, copy, copyLength) != CopyResult::Copied)
            return LoadResult::Damaged;
    }
    File copy = File::OpenForReading(TempPackagePath(tempFolder));
    if (!copy.IsOpen()) return LoadResult::Damaged;
    FileSource source(copy);
    // Whatever is wrong (a count that is not a number, records that do not fit, a path leading out
    // of its folder, an unreadable copy), the package cannot be used.
    if (!ReadPackageText(source, data).empty() || source.Failed() || !CheckFileRecords(data, copyLength).empty() ||
        !CheckLinkAndKeyRecords(data).empty()) {
        data = PackageData{};
        return LoadResult::Damaged;
    }
    return LoadResult::Loaded;
}

void LoadPackage(PackageData& data) {
    const FailureHandler previous = SetFailureHandler(EndAsDamaged);
    const LoadResult result = ReadPackageFrom(GetProgramPath(), GetTempFolder(), data);
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
