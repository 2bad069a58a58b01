#pragma once
// A fresh folder for one test, removed with everything in it when the test ends.
#include <string>

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& parent = {});
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }  // ends with "\"
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// Every file below the folder, as paths relative to it, sorted.
std::string ListFiles(const std::string& folder);
// Every file and folder below the folder, sorted, a line each: files with their read-only, hidden
// and system attributes and a hash of their bytes, to compare a tree before and after.
std::string DescribeTree(const std::string& folder);
// "Z:\..." for a path of the machine Wine runs on.
std::string WindowsPath(const std::string& unixPath);
