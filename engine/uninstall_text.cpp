#include "engine/uninstall_text.h"

#include <algorithm>
#include <vector>

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

// A section of the record being written: its lines, and once an earlier record is carried over,
// the sorted keys of its items (a path, or a value's root, key and name) for looking them up. An
// update of thousands of files would otherwise compare every earlier item with every line.
class Section {
public:
    Section(std::string& text, const char* header, bool carrying) : text_(text), carrying_(carrying) {
        AddLine(text_, header);
    }

    // Adds one of this run's items.
    void Add(const std::string_view* item, std::size_t width) {
        if (carrying_) Remember(item, width);
        AddLines(item, width);
    }
    // Adds an earlier record's item unless the section lists it already; true when it adds it.
    // Paths, keys and value names all compare without case, as Windows compares them.
    bool Carry(const std::string_view* item, std::size_t width) {
        if (!Remember(item, width)) return false;
        AddLines(item, width);
        return true;
    }

private:
    void AddLines(const std::string_view* item, std::size_t width) {
        for (std::size_t k = 0; k < width; ++k) AddLine(text_, item[k]);
    }
    // Keeps the item's key in order (moving strings is cheap, so no sort is needed); false when it
    // was kept already.
    bool Remember(const std::string_view* item, std::size_t width) {
        std::string key;
        // No character of a key starts with the byte 0xFF, so it ends each field unambiguously.
        for (std::size_t k = 0; k < width; ++k) key.append(PathKey(item[k])).push_back('\xFF');
        const auto at = std::lower_bound(keys_.begin(), keys_.end(), key);
        if (at != keys_.end() && *at == key) return false;
        keys_.insert(at, std::move(key));
        return true;
    }

    std::string& text_;
    const bool carrying_;
    std::vector<std::string> keys_;
};

}  // namespace

bool IsRecordOfProgram(const PlanReading& earlier, const PackageData& package) {
    return earlier.damage == Damage::None && earlier.plan.programName == Setting(package, setting::kProgramName);
}

// Out of line, as ReadRecordText and ReadRecordLists: inlined into its one caller it takes more room
// in the setup program, whose size is budgeted.
[[gnu::noinline]] std::string UninstallText(const PackageData& package, const InstallSteps& steps,
                                            const std::string& installFolder,
                                            const std::string& uninstallPath, const StringList& links,
                                            const PlanReading* earlier) {
    const std::string& fileCount = Setting(package, setting::kFileCount);
    const std::string& registryCount = Setting(package, setting::kRegistryCount);
    const UninstallPlan* plan = earlier && IsRecordOfProgram(*earlier, package) ? &earlier->plan : nullptr;
    std::int64_t carried[3] = {};  // the earlier record's files, values and links added

    // The sections after [Settings], each with this run's items, then the earlier record's.
    std::string sections;
    Section fileSection(sections, "[Files]", plan);
    for (const FileStep& file : steps.files) {
        const std::string path = std::string(installFolder).append(file.path);
        const std::string_view item[] = {path};
        fileSection.Add(item, 1);
    }
    if (plan)
        for (const std::string_view path : plan->files) carried[0] += fileSection.Carry(&path, 1);
    // Root, key and value name: what the uninstaller needs to remove the value.
    Section valueSection(sections, "[Regs]", plan);
    for (const ValueStep& value : steps.values) {
        const std::string_view item[] = {value.root, value.keyPath, value.name};
        valueSection.Add(item, 3);
    }
    if (plan)
        for (const RegistryValue& value : plan->values) {
            const std::string_view item[] = {value.root, value.keyPath, value.name};
            carried[1] += valueSection.Carry(item, 3);
        }
    AddLine(sections, package.ForUser ? kUserEntryHeader : std::string_view("[RegsKeyUn]"));
    AddLine(sections, Setting(package, setting::kUninstallName));
    Section linkSection(sections, "[Links]", plan);
    for (const std::string_view link : links) linkSection.Add(&link, 1);
    if (plan)
        for (const std::string_view link : plan->links) carried[2] += linkSection.Carry(&link, 1);
    AddLine(sections, "[End]");

    std::string text;
    AddLine(text, "[Settings]");
    AddCount(text, fileCount, steps.files.size(), carried[0]);
    AddLine(text, Setting(package, setting::kProgramName));
    AddLine(text, Setting(package, setting::kUninstallSetting1));
    AddLine(text, Setting(package, setting::kUninstallSetting2));
    AddLine(text, uninstallPath);
    AddLine(text, Setting(package, setting::kUninstallSetting4));
    AddCount(text, registryCount, steps.values.size(), carried[1]);
    AddLine(text, IntToStr(links.size() + carried[2]));
    text += sections;
    return text;
}
