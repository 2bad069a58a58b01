#pragma once
// What Uninstall.ini asks to remove, read and checked before anything is touched. The record is a
// row of bare lines: "[Settings]" and 8 lines (file count, program name, the uninstaller's four
// settings, registry count, link count), then "[Files]", "[Regs]" (root, key, value name per
// value), "[RegsKeyUn]" (the entry in the list of installed programs; "[RegsKeyUnUser]" when the
// entry is in the user's own list), "[Links]" and "[End]".
// The counts place every section; a record whose sections stand elsewhere is damaged.
#include <string>
#include <string_view>
#include <vector>

struct RegistryValue {
    std::string root, keyPath, name;
};

struct UninstallPlan {
    std::string programName;
    bool ask = true;             // line 4 "1": ask before removing anything
    bool reportSuccess = false;  // line 5 "1": say so when everything went
    std::string extraFolder;     // line 6: one more folder to remove if it is left empty
    std::string note;            // line 7: a text added to the question

    std::vector<std::string> files;  // inside the install folder, never the uninstaller itself
    std::vector<RegistryValue> values;
    std::string uninstallEntry;  // key name under the system's list of installed programs
    bool userEntry = false;      // the list is the user's, under HKEY_CURRENT_USER, not the machine's
    std::vector<std::string> links;
    // Folders to remove when they are left empty, in order: the install folder's sub-folders that
    // held listed files (deepest first), the install folder, the extra folder.
    std::vector<std::string> folders;
    std::vector<std::string> linkFolders;  // the folders that held the links
};

enum class Damage { None, NotARecord, BadCount, SectionOutOfPlace, NoEnd, UnsafePath };

struct PlanReading {
    UninstallPlan plan;
    Damage damage = Damage::None;
    std::string detail;  // the section or path at fault
};

// The uninstaller's own file in the install folder; it goes last, once it no longer runs.
inline constexpr const char* kUninstallerName = "Uninstall.exe";
inline constexpr const char* kRecordName = "Uninstall.ini";
// The header of the entry's section in the record of a package for the user; a record of a package
// for the machine has "[RegsKeyUn]", which uninstallers have always read.
inline constexpr std::string_view kUserEntryHeader = "[RegsKeyUnUser]";

// Reads the record of an installation in installFolder (ending in "\"). Listed files must lie
// inside that folder and links must be ".lnk" files, neither naming "..".
PlanReading ReadUninstallPlan(std::string_view record, const std::string& installFolder);

// The same reading without planning the removal (the uninstaller's own file stays among the files,
// folders and linkFolders stay empty): what the setup program needs of an earlier record to carry
// its lists into the new one.
PlanReading ReadRecordLists(std::string_view record, const std::string& installFolder);
