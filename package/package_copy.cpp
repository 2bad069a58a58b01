#include "package/package_copy.h"

bool PackageCopy::Create(const std::string& path) {
    Remove();
    DeleteFileA(path.c_str());
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
    DeleteFileA(path_.c_str());
}

PackageCopy& ThePackageCopy() {
    static PackageCopy copy;
    return copy;
}

bool PrepareCopyFolder(const std::string& folder) {
    std::string path = folder;
    while (!path.empty() && path.back() == '\\') path.pop_back();
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        // A junction or a folder link goes with RemoveDirectory, a file link with DeleteFile.
        if (!RemoveDirectoryA(path.c_str())) DeleteFileA(path.c_str());
        attributes = GetFileAttributesA(path.c_str());
    }
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        CreateDirectoryA(path.c_str(), nullptr);
        attributes = GetFileAttributesA(path.c_str());
    }
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}
