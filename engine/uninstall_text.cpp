#include "engine/uninstall_text.h"

#include "package/records.h"
#include "package/settings.h"
#include "runtime/integer.h"
#include "uninstaller/paths.h"

namespace {

void AddLine(std::string& text, std::string_view line) {
    text.append(line).append("\r\n");
}

// A count line: the package's own text, as it always was, unless earlier items were carried.
void AddCount(std::string& text, const std::string& own, std::int64_t count, std::int64_t carried) {
    if (carried)
        AddLine(text, IntToStr(count + carried));
    else
        AddLine(text, own);
}

// Adds an earlier record's item (width lines: a path, or a value's root, key and name) to the
// section of the text that starts at from, the last one, unless the section lists it already; true
// when it adds it. Paths, keys and value names all compare without case, as Windows compares them.
bool Carry(std::string& text, std::size_t from, const std::string_view* item, std::size_t width) {
    for (std::string_view rest = std::string_view(text).substr(from); !rest.empty();) {
        bool same = true;
        for (std::size_t k = 0; k < width; ++k) {
            const std::size_t end = rest.find("\r\n");
            same = SamePath(rest.substr(0, end), item[k]) && same;
            rest.remove_prefix(end + 2);
        }
        if (same) return false;
    }
    for (std::size_t k = 0; k < width; ++k) AddLine(text, item[k]);
    return true;
}

}  // namespace

bool IsRecordOfProgram(const PlanReading& earlier, const PackageData& package) {
    return earlier.damage == Damage::None && earlier.plan.programName == Setting(package, setting::kProgramName);
}

// Out of line, as ReadRecordText and ReadRecordLists: inlined into its one caller it takes more room
// in the setup program, whose size is budgeted.
[[gnu::noinline]] std::string UninstallText(const PackageData& package, const std::string& installFolder,
                                            const std::string& uninstallPath, const StringList& links,
                                            const PlanReading* earlier) {
    const std::string& fileCount = Setting(package, setting::kFileCount);
    const std::string& registryCount = Setting(package, setting::kRegistryCount);
    const std::int32_t files = StrToInt(fileCount), records = StrToInt(registryCount);
    const UninstallPlan* plan = earlier && IsRecordOfProgram(*earlier, package) ? &earlier->plan : nullptr;
    std::int64_t carried[3] = {};  // the earlier record's files, values and links added

    // The sections after [Settings], each with this run's items, then the earlier record's.
    std::string sections;
    AddLine(sections, "[Files]");
    std::size_t from = sections.size();
    for (std::int64_t i = 0; i < files; ++i)
        AddLine(sections, installFolder + ListLine(package.FileEntries, i * kFileRecordLines));
    if (plan)
        for (const std::string_view path : plan->files) carried[0] += Carry(sections, from, &path, 1);
    AddLine(sections, "[Regs]");
    from = sections.size();
    // Root, key and value name: what the uninstaller needs to remove the value.
    for (std::int64_t i = 0; i < records; ++i)
        for (int field = 0; field < 3; ++field)
            AddLine(sections, ListLine(package.RegistryEntries, i * kRegistryRecordLines + field));
    if (plan)
        for (const RegistryValue& value : plan->values) {
            const std::string_view lines[] = {value.root, value.keyPath, value.name};
            carried[1] += Carry(sections, from, lines, 3);
        }
    AddLine(sections, "[RegsKeyUn]");
    AddLine(sections, Setting(package, setting::kUninstallName));
    AddLine(sections, "[Links]");
    from = sections.size();
    for (const std::string& link : links) AddLine(sections, link);
    if (plan)
        for (const std::string_view link : plan->links) carried[2] += Carry(sections, from, &link, 1);
    AddLine(sections, "[End]");

    std::string text;
    AddLine(text, "[Settings]");
    AddCount(text, fileCount, files, carried[0]);
    AddLine(text, Setting(package, setting::kProgramName));
    AddLine(text, Setting(package, setting::kUninstallSetting1));
    AddLine(text, Setting(package, setting::kUninstallSetting2));
    AddLine(text, uninstallPath);
    AddLine(text, Setting(package, setting::kUninstallSetting4));
    AddCount(text, registryCount, records, carried[1]);
    AddLine(text, IntToStr(links.size() + carried[2]));
    text += sections;
    return text;
}
