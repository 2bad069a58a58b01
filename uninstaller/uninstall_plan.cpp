#include "uninstaller/uninstall_plan.h"

#include <algorithm>
#include <cstdint>

#include "runtime/integer.h"
#include "uninstaller/paths.h"

namespace {

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
    Reader(std::string_view record, const std::string& folder) : lines_(SplitLines(record)), folder_(folder) {}

    // Leaves the plan, or the damage found, in the result.
    void Read() {
        if (lines_.size() < 9 || lines_[0] != "[Settings]") return Damaged(Damage::NotARecord, "[Settings]");
        // Below a drive's root every file of the disk would count as installed.
        if (PathParts(folder_).size() < 2) return Damaged(Damage::UnsafePath, folder_);
        UninstallPlan& plan = result_.plan;
        std::int64_t files = 0, values = 0, links = 0;
        if (!Count(1, files) || !Count(7, values) || !Count(8, links)) return;
        plan.programName = lines_[2];
        plan.ask = lines_[3] == "1";
        plan.reportSuccess = lines_[4] == "1";
        if (IsAbsolutePath(lines_[5])) plan.extraFolder = lines_[5];
        if (!IsBlank(lines_[6])) plan.note = lines_[6];

        // Every header where the counts put it, "[End]" last; past it only empty lines.
        const std::int64_t regs = 10 + files, keyUn = regs + 1 + 3 * values, linksAt = keyUn + 2,
                           end = linksAt + 1 + links;
        if (!Header(9, "[Files]") || !Header(regs, "[Regs]") || !Header(keyUn, "[RegsKeyUn]") ||
            !Header(linksAt, "[Links]"))
            return;
        if (end >= Size()) return Damaged(Damage::NoEnd, "[End]");
        if (!Header(end, "[End]")) return;
        for (std::int64_t i = end + 1; i < Size(); ++i)
            if (!lines_[i].empty()) return Damaged(Damage::SectionOutOfPlace, "[End]");

        const std::string self = folder_ + kUninstallerName;
        for (std::int64_t i = 10; i < regs; ++i) {
            const std::string path(lines_[i]);
            if (!IsInsideFolder(path, folder_)) return Damaged(Damage::UnsafePath, path);
            if (!SamePath(path, self)) plan.files.push_back(path);
        }
        for (std::int64_t i = regs + 1; i < keyUn; i += 3)
            plan.values.push_back({std::string(lines_[i]), std::string(lines_[i + 1]), std::string(lines_[i + 2])});
        plan.uninstallEntry = lines_[keyUn + 1];
        for (std::int64_t i = linksAt + 1; i < end; ++i) {
            const std::string link(lines_[i]);
            if (!IsAbsolutePath(link) || ClimbsUp(link) || !EndsWithLnk(link)) return Damaged(Damage::UnsafePath, link);
            plan.links.push_back(link);
            AddOnce(plan.linkFolders, ParentFolder(link));
        }
        PlanFolders(regs);
    }

    PlanReading Result() { return std::move(result_); }

private:
    std::int64_t Size() const { return static_cast<std::int64_t>(lines_.size()); }

    void Damaged(Damage damage, std::string detail) {
        result_.damage = damage;
        result_.detail = std::move(detail);
    }

    bool Count(int line, std::int64_t& count) {
        const auto value = ParseInteger(lines_[line]);
        if (value && *value >= 0) {
            count = *value;
            return true;
        }
        Damaged(Damage::BadCount, std::to_string(line + 1));
        return false;
    }

    bool Header(std::int64_t line, std::string_view header) {
        if (line < Size() && lines_[line] == header) return true;
        Damaged(Damage::SectionOutOfPlace, std::string(header));
        return false;
    }

    static void AddOnce(std::vector<std::string>& list, const std::string& item) {
        if (std::none_of(list.begin(), list.end(), [&](const std::string& s) { return SamePath(s, item); }))
            list.push_back(item);
    }

    // Each listed file's folders below the install folder, deepest first.
    void PlanFolders(std::int64_t regs) {
        std::vector<std::string>& folders = result_.plan.folders;
        const std::size_t installParts = PathParts(folder_).size();
        for (std::int64_t i = 10; i < regs; ++i)
            for (std::string folder = ParentFolder(lines_[i]); PathParts(folder).size() > installParts;
                 folder = ParentFolder(folder))
                AddOnce(folders, folder);
        std::sort(folders.begin(), folders.end(), [](const std::string& a, const std::string& b) {
            return PathParts(a).size() > PathParts(b).size();
        });
        folders.push_back(folder_.substr(0, folder_.size() - 1));
        if (!result_.plan.extraFolder.empty()) folders.push_back(result_.plan.extraFolder);
    }

    std::vector<std::string_view> lines_;
    std::string folder_;
    PlanReading result_;
};

}  // namespace

PlanReading ReadUninstallPlan(std::string_view record, const std::string& installFolder) {
    Reader reader(record, installFolder);
    reader.Read();
    return reader.Result();
}
