#include "engine/uninstall_text.h"

#include "package/records.h"
#include "package/settings.h"
#include "runtime/integer.h"

namespace {

void AddLine(std::string& text, const std::string& line) {
    text += line;
    text += "\r\n";
}

}  // namespace

std::string UninstallText(const PackageData& package, const std::string& installFolder,
                          const std::string& uninstallPath, const StringList& links) {
    const std::string& fileCount = Setting(package, setting::kFileCount);
    const std::string& registryCount = Setting(package, setting::kRegistryCount);
    const std::int32_t files = StrToInt(fileCount);
    const std::int32_t records = StrToInt(registryCount);

    std::string text;
    AddLine(text, "[Settings]");
    AddLine(text, fileCount);
    AddLine(text, Setting(package, setting::kProgramName));
    AddLine(text, Setting(package, setting::kUninstallSetting1));
    AddLine(text, Setting(package, setting::kUninstallSetting2));
    AddLine(text, uninstallPath);
    AddLine(text, Setting(package, setting::kUninstallSetting4));
    AddLine(text, registryCount);
    AddLine(text, std::to_string(links.size()));
    AddLine(text, "[Files]");
    for (std::int64_t i = 0; i < files; ++i)
        AddLine(text, installFolder + ListLine(package.FileEntries, i * kFileRecordLines));
    AddLine(text, "[Regs]");
    // Root, key and value name: what the uninstaller needs to remove the value.
    for (std::int64_t i = 0; i < records; ++i)
        for (int field = 0; field < 3; ++field)
            AddLine(text, ListLine(package.RegistryEntries, i * kRegistryRecordLines + field));
    AddLine(text, "[RegsKeyUn]");
    AddLine(text, Setting(package, setting::kUninstallName));
    AddLine(text, "[Links]");
    for (const std::string& link : links) AddLine(text, link);
    AddLine(text, "[End]");
    return text;
}
