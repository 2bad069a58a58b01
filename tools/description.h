#pragma once
// Package descriptions: UTF-8 text files that people write by hand. See the README for the format.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "package/package_writer.h"

// "FILE:LINE: reason".
class DescriptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct PackageSource {
    PackageLayout layout;                  // texts in Windows-1251, kLicenceText shifted
    bool forUser = false;                  // "install-for = user": installs for the user alone
    std::vector<std::string> fileSources;  // the file on disk for each file record
    std::vector<int> fileLines;            // the description line of each file record
    std::vector<std::string> inputs;       // the description and the licence file: read, never written
};

// The file name of the uninstaller in a package; the setup program registers it for removal.
inline constexpr const char* kUninstallerFile = "Uninstall.exe";

// A program the builder starts from or adds, built twice from the same sources: the one for a
// package for the machine asks for administrator rights, the one for a package for the user runs
// with the rights of whoever starts it.
struct ProgramChoice {
    std::string machine, user;
    const std::string& For(bool forUser) const { return forUser ? user : machine; }
};

// Parses a description; "source" and "licence-file" paths are taken relative to baseFolder. A
// description with "uninstaller = 1" gets the uninstaller for its kind as its last file,
// Uninstall.exe. File sizes are left at 0 (see MeasureFiles).
PackageSource ParseDescription(std::string_view text, const std::string& name, const std::string& baseFolder,
                               const ProgramChoice& uninstaller = {});

// Takes each file record's size from its file on disk.
void MeasureFiles(PackageSource& source, const std::string& name);

// Text as an error quotes it: a line may be a megabyte long, so at most this many characters of
// it, cut with an ellipsis.
std::string Excerpt(std::string_view utf8, std::size_t characters = 80);

// Reads, parses and measures the description file.
PackageSource ReadDescription(const std::string& path, const ProgramChoice& uninstaller = {});
