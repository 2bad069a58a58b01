#include "uninstaller/uninstall_plan.h"

#include <algorithm>
#include <cstdint>

#include "runtime/integer.h"
#include "uninstaller/paths.h"

namespace {

using namespace std::string_view_literals;  // literals compared without counting their letters at run time

// Setup writes CR LF; a bare LF ends a line too, so that an edited record still reads.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return lines;
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

bool EndsWithLnk(std::string_view path) {
    if (path.size() < 4) return false;
    for (std::size_t i = 0, at = path.size() - 4; i < 4; ++i)
        if ((path[at + i] >= 'A' && path[at + i] <= 'Z' ? path[at + i] + 32 : path[at + i]) != ".lnk"[i]) return false;
    return true;
}

class Reader {
public:
    Reader(std::string_view record, const std::string& folder, PlanReading& result)
        : lines_(SplitLines(record)), folder_(folder), result_(result) {}

    // Leaves the plan, or the damage found, in the result.
    [[gnu::noinline]] void Read() {
        if (lines_.size() < 9 || lines_[0] != "[Settings]"sv) return Damaged(Damage::NotARecord, "[Settings]"sv);
        // Below a drive's root every file of the disk would count as installed.
        if (PathParts(folder_).size() < 2) return Damaged(Damage::UnsafePath, folder_);
        UninstallPlan& plan = result_.plan;
        // The counts of files, values and links, on lines 2, 8 and 9.
        const std::size_t size = lines_.size();
        std::size_t counts[3];
        for (int k = 0; k < 3; ++k) {
            const int line = k == 0 ? 1 : 6 + k;
            const auto value = ParseInteger(lines_[line]);
            if (!value || *value < 0) return Damaged(Damage::BadCount, std::string_view("123456789").substr(line, 1));
            // A count beyond the record puts the next header past its end, and no sum below overflows.
            counts[k] = std::min<std::size_t>(*value, size);
        }
        plan.programName = lines_[2];
        plan.ask = lines_[3] == "1"sv;
        plan.reportSuccess = lines_[4] == "1"sv;
        if (IsAbsolutePath(lines_[5])) plan.extraFolder = lines_[5];
        if (!IsBlank(lines_[6])) plan.note = lines_[6];

        // Every header where the counts put it, "[End]" last; past it only empty lines.
        const std::pair<const char*, std::size_t> sections[] = {
            {"[Files]", counts[0]}, {"[Regs]", 3 * counts[1]}, {"[RegsKeyUn]", 1}, {"[Links]", counts[2]}, {"[End]", 0}};
        std::size_t starts[5], at = 9;  // the first line after each header
        for (int k = 0; k < 5; ++k) {
            const auto& [header, lines] = sections[k];
            if (at >= size) return Damaged(k == 4 ? Damage::NoEnd : Damage::SectionOutOfPlace, header);
            if (k == 2 && lines_[at] == kUserEntryHeader) plan.userEntry = true;
            else if (lines_[at] != header) return Damaged(Damage::SectionOutOfPlace, header);
            starts[k] = at + 1;
            at += 1 + lines;
        }
        for (std::size_t i = starts[4]; i < size; ++i)
            if (!lines_[i].empty()) return Damaged(Damage::SectionOutOfPlace, "[End]");

        // Each section's lines end where the next header stands, the line before the next start.
        for (std::size_t i = starts[0]; i + 1 < starts[1]; ++i) {
            const std::string_view path = lines_[i];
            if (!IsInsideFolder(path, folder_)) return Damaged(Damage::UnsafePath, path);
            plan.files.emplace_back(path);
        }
        plan.values = std::vector<RegistryValue>(counts[1]);
        for (std::size_t i = starts[1]; RegistryValue& value : plan.values) {
            value.root = lines_[i], value.keyPath = lines_[i + 1], value.name = lines_[i + 2];
            i += 3;
        }
        plan.uninstallEntry = lines_[starts[2]];
        for (std::size_t i = starts[3]; i + 1 < starts[4]; ++i) {
            const std::string_view link = lines_[i];
            if (!IsAbsolutePath(link) || ClimbsUp(link) || !EndsWithLnk(link))
                return Damaged(Damage::UnsafePath, link);
            plan.links.emplace_back(link);
        }
    }

private:
    void Damaged(Damage damage, std::string_view detail) {
        result_.damage = damage;
        result_.detail.assign(detail.data(), detail.size());
    }

    std::vector<std::string_view> lines_;
    const std::string& folder_;
    PlanReading& result_;
};

void AddOnce(std::vector<std::string>& list, const std::string& item) {
    if (std::none_of(list.begin(), list.end(), [&](const std::string& s) { return SamePath(s, item); }))
        list.push_back(item);
}

// Leaves the uninstaller's own file out of the files, to be removed last, once it no longer runs;
// adds the folders to remove: each listed file's folders below the install folder, deepest first,
// then the install folder and the extra folder; the folders that held the links.
void PlanRemoval(UninstallPlan& plan, const std::string& installFolder) {
    const std::string self = installFolder + kUninstallerName;
    std::erase_if(plan.files, [&](const std::string& file) { return SamePath(file, self); });
    const std::size_t installParts = PathParts(installFolder).size();
    for (const std::string& file : plan.files)
        for (std::string folder = ParentFolder(file); PathParts(folder).size() > installParts;
             folder = ParentFolder(folder))
            AddOnce(plan.folders, folder);
    std::sort(plan.folders.begin(), plan.folders.end(), [](const std::string& a, const std::string& b) {
        return PathParts(a).size() > PathParts(b).size();
    });
    plan.folders.push_back(installFolder.substr(0, installFolder.size() - 1));
    if (!plan.extraFolder.empty()) plan.folders.push_back(plan.extraFolder);
    for (const std::string& link : plan.links) AddOnce(plan.linkFolders, ParentFolder(link));
}

}  // namespace

// Read and this are kept out of line: inlined into the setup program's one caller they take more
// room there.
[[gnu::noinline]] PlanReading ReadRecordLists(std::string_view record, const std::string& installFolder) {
    PlanReading reading;
    Reader(record, installFolder, reading).Read();
    return reading;
}

PlanReading ReadUninstallPlan(std::string_view record, const std::string& installFolder) {
    PlanReading reading = ReadRecordLists(record, installFolder);
    if (reading.damage == Damage::None) PlanRemoval(reading.plan, installFolder);
    return reading;
}
