#pragma once
// Writing a setup program: the stub followed by the package, and reading one back.
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>

#include "tools/description.h"

struct BuildOptions {
    bool compress = true;                        // false (--store): the files as they are
    std::uint32_t dictionarySize = 64u << 20;    // --dictionary MiB
    // When given, works on the whole program under its temporary name before it replaces the
    // output (signing it), and throws to leave the output as it was.
    std::function<void(const std::string&)> finish;
};

// Writes stubPath's bytes followed by the sealed package. Throws std::runtime_error with the reason.
void BuildSetupProgram(const PackageSource& source, const std::string& stubPath, const std::string& outPath,
                       const BuildOptions& options = {});

// Prints every setting, record and file of the package appended to a setup program, and checks
// the layout as the setup program would. Returns 0 for a sound package, 1 for a damaged one.
int ShowSetupProgram(const std::string& path, std::ostream& out);
