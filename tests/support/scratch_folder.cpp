#include "tests/support/scratch_folder.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "runtime/platform.h"

namespace {

// Every file and folder below root + relative, relative to root; each folder before what it holds.
void Collect(const std::string& root, const std::string& relative, std::vector<std::string>& files,
             std::vector<std::string>& folders) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((root + relative + "*").c_str(), &found);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &found)) {
        const std::string name = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            files.push_back(relative + name);
        } else if (name != "." && name != "..") {
            folders.push_back(relative + name + "\\");
            Collect(root, relative + name + "\\", files, folders);
        }
    }
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& parent) {
    char temp[MAX_PATH];
    const std::string base = parent.empty() ? std::string(temp, GetTempPathA(MAX_PATH, temp)) : parent;
    static unsigned counter = 0;
    for (;;) {
        path_ = base + "scratch-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) + "\\";
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create " + path_);
    }
}

ScratchFolder::~ScratchFolder() {
    std::vector<std::string> files, folders{""};
    Collect(path_, "", files, folders);
    for (const std::string& file : files) {
        SetFileAttributesA((path_ + file).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA((path_ + file).c_str());
    }
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) RemoveDirectoryA((path_ + *folder).c_str());
}

// The C runtime opens files shared with other programs, which may still hold them open.
std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush())
        throw std::runtime_error("cannot write " + path);
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ListFiles(const std::string& folder) {
    std::vector<std::string> files, folders;
    Collect(folder, "", files, folders);
    std::sort(files.begin(), files.end());
    std::string list;
    for (const auto& f : files) list += (list.empty() ? "" : " ") + f;
    return list;
}

std::string WindowsPath(const std::string& unixPath) {
    if (unixPath.empty() || unixPath[0] != '/') return unixPath;
    std::string path = "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}
