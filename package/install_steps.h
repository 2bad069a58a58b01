#pragma once
// The package's records read once into the steps of an install: the files in payload order, the
// registry values and the shortcuts, their numbers converted. Extraction, the registry and link
// writers, the uninstall record and the undo all work on these.
#include <cstdint>
#include <string_view>
#include <vector>

#include "package/package_data.h"

// The texts point into the package's lists, which outlive the run.
struct FileStep {
    std::string_view path;  // relative to the install folder
    std::int32_t size = 0;
    std::uint32_t attributes = 0;
};

// Every text as the package has it: the data still carries its placeholder.
struct ValueStep {
    std::string_view root, keyPath, name, data, type;
};

struct LinkStep {
    std::string_view place, name, target, workingFolder, arguments, description;
};

struct InstallSteps {
    std::vector<FileStep> files;
    std::vector<ValueStep> values;
    std::vector<LinkStep> links;
};

// Reads the three lists. The loader lets no package through whose counts, sizes or attributes are
// not integers; here any such line reads as 0, and a count below 1 as none.
InstallSteps ReadInstallSteps(const PackageData& package);
