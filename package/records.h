#pragma once
// Reading lines of the package lists by number. The loader keeps the record lines up to the end of
// the package's text; the counts may ask for more, and every line past the end reads as empty, as
// does a line past a list that came from elsewhere.
#include <cstdint>
#include <string>

#include "package/package_data.h"
#include "package/setting_lines.h"

inline const std::string& ListLine(const StringList& list, std::int64_t index) {
    static const std::string empty;
    return index >= 0 && index < static_cast<std::int64_t>(list.size()) ? list[static_cast<std::size_t>(index)] : empty;
}

inline const std::string& Setting(const PackageData& package, setting::Line line) {
    return ListLine(package.MainSettings, line);
}
