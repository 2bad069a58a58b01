#include "tests/support/scratch_folder.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

#include "runtime/platform.h"
#include "runtime/unicode.h"

namespace {

// Every file and folder below root + relative, relative to root; each folder before what it holds.
void Collect(const std::string& root, const std::string& relative, std::vector<std::string>& files,
             std::vector<std::string>& folders) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(Wide(root + relative + "*").c_str(), &found);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &found)) {
        const std::string name = Utf8(found.cFileName);
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            files.push_back(relative + name);
        } else if (name != "." && name != "..") {
            folders.push_back(relative + name + "\\");
            Collect(root, relative + name + "\\", files, folders);
        }
    }
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

// The C runtime opens files shared with other programs, which may still hold them open; by their
// wide name, as a path may hold any letter.
std::unique_ptr<std::FILE, int (*)(std::FILE*)> OpenFile(const std::string& path, const wchar_t* mode) {
    return {_wfopen(Wide(path).c_str(), mode), std::fclose};
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& parent) {
    wchar_t temp[MAX_PATH];
    const std::string base = parent.empty() ? Utf8(std::wstring_view(temp, GetTempPathW(MAX_PATH, temp))) : parent;
    static unsigned counter = 0;
    for (;;) {
        path_ = base + "scratch-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) + "\\";
        if (CreateDirectoryW(Wide(path_).c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create " + path_);
    }
}

ScratchFolder::~ScratchFolder() {
    std::vector<std::string> files, folders{""};
    Collect(path_, "", files, folders);
    for (const std::string& file : files) {
        SetFileAttributesW(Wide(path_ + file).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(Wide(path_ + file).c_str());
    }
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder)
        RemoveDirectoryW(Wide(path_ + *folder).c_str());
}

std::string ReadFileBytes(const std::string& path) {
    const auto in = OpenFile(path, L"rb");
    if (!in) throw std::runtime_error("cannot read " + path);
    std::string bytes;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in.get())) > 0;) bytes.append(buffer, n);
    if (std::ferror(in.get())) throw std::runtime_error("cannot read " + path);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    auto out = OpenFile(path, L"wb");
    if (!out || std::fwrite(bytes.data(), 1, bytes.size(), out.get()) != bytes.size() || std::fclose(out.release()) != 0)
        throw std::runtime_error("cannot write " + path);
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
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

std::string DescribeTree(const std::string& folder) {
    std::vector<std::string> files, folders;
    Collect(folder, "", files, folders);
    files.insert(files.end(), folders.begin(), folders.end());
    std::sort(files.begin(), files.end());
    std::string text;
    for (const auto& f : files) {
        text += f;
        if (f.back() != '\\')
            text += " " + std::to_string(GetFileAttributesW(Wide(folder + f).c_str()) & 7) + " " +
                    std::to_string(std::hash<std::string>{}(ReadFileBytes(folder + f)));
        text += "\n";
    }
    return text;
}

std::string WindowsPath(const std::string& unixPath) {
    if (unixPath.empty() || unixPath[0] != '/') return unixPath;
    std::string path = "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}
