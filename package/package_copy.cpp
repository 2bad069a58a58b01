#include "package/package_copy.h"

#include "runtime/unicode.h"

bool PackageCopy::Create(const std::string& path) {
    Remove();
    DeleteFileW(Wide(path).c_str());
    bytes_ = File::CreateHeld(path);
    if (IsHeld()) path_ = path;
    return IsHeld();
}

bool PackageCopy::Open(const std::string& path) {
    Remove();
    bytes_ = File::OpenHeld(path);
    if (IsHeld()) path_ = path;
    return IsHeld();
}

void PackageCopy::Remove() {
    if (!IsHeld()) return;
    bytes_.Close();
    DeleteFileW(Wide(path_).c_str());
}

PackageCopy& ThePackageCopy() {
    static PackageCopy copy;
    return copy;
}

bool PrepareCopyFolder(const std::string& folder) {
    std::wstring path = Wide(folder);
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        // A junction or a folder link goes with RemoveDirectory, a file link with DeleteFile.
        if (!RemoveDirectoryW(path.c_str())) DeleteFileW(path.c_str());
        attributes = GetFileAttributesW(path.c_str());
    }
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        CreateDirectoryW(path.c_str(), nullptr);
        attributes = GetFileAttributesW(path.c_str());
    }
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}
