#pragma once
// The text of Uninstall.ini, the record the package's uninstaller reads: section headers followed by
// bare lines whose meaning is their position, each line ended by CR LF. The text is UTF-8, as all
// the program's text; UninstallFileBytes (uninstall_record.h) chooses the file's encoding.
#include <string>

#include "package/install_steps.h"
#include "package/package_data.h"
#include "uninstaller/uninstall_plan.h"

// True when an earlier installation's record, as ReadRecordLists read it, is sound and of this
// package's program (the same [Settings] program name): its lists carry over into the new record.
// Any other record is simply replaced.
bool IsRecordOfProgram(const PlanReading& earlier, const PackageData& package);

// steps are the package's (ReadInstallSteps); installFolder ends in "\"; uninstallPath is
// kUninstallSetting3 already expanded; links are the
// shortcuts made in this run. The files, registry values and links that an earlier record of the
// program (IsRecordOfProgram) lists and this run does not are listed too, each once, so that
// removing the new version removes what only the earlier one installed; everything else is this
// run's, and without such a record the text is this run's alone.
std::string UninstallText(const PackageData& package, const InstallSteps& steps, const std::string& installFolder,
                          const std::string& uninstallPath, const StringList& links,
                          const PlanReading* earlier = nullptr);
