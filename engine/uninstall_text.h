#pragma once
// The text of Uninstall.ini, the record the package's uninstaller reads: section headers followed by
// bare lines whose meaning is their position, each line ended by CR LF. The text is UTF-8, as all
// the program's text; UninstallFileBytes (uninstall_record.h) chooses the file's encoding.
#include <string>

#include "package/package_data.h"

// installFolder ends in "\"; uninstallPath is kUninstallSetting3 already expanded; links are the
// shortcuts made in this run. Fails with "ConvertError" when the file or registry count is not an integer.
std::string UninstallText(const PackageData& package, const std::string& installFolder,
                          const std::string& uninstallPath, const StringList& links);
