#include "tools/description.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "package/for_user.h"
#include "package/registry_names.h"
#include "package/safe_path.h"
#include "package/settings.h"
#include "package/shifted_text.h"
#include "runtime/errors.h"
#include "runtime/integer.h"
#include "tools/cp1251.h"
#include "tools/setting_names.h"

namespace {

enum class Section { None, Settings, Registry, Shortcut, File };

// A licence is a page of text; a larger "file" is a mistake (a device, a disk image).
constexpr std::uintmax_t kMaxLicenceBytes = 1 << 20;

// The settings the program converts with the integer conversion: font sizes, colours, charsets.
constexpr setting::Line kIntegerSettings[] = {
    setting::kBackgroundColor,  setting::kGradientColor1,   setting::kGradientColor2,
    setting::kTitle1FontSize,   setting::kTitle1FontColor,  setting::kTitle1Charset,
    setting::kTitle2FontSize,   setting::kTitle2FontColor,  setting::kTitle2Charset,
    setting::kLicenceFontSize,  setting::kLicenceFontColor, setting::kLicenceCharset,
};

bool IsIntegerSetting(int index) {
    for (setting::Line line : kIntegerSettings)
        if (line == index) return true;
    return false;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// A value wrapped in double quotes keeps its blanks; the quotes are dropped.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') return value.substr(1, value.size() - 2);
    return value;
}

// The file a path names below a folder, as the system finds it: "/" as "\", "." and empty parts
// dropped, the trailing dots and blanks of each part dropped, letters in one case.
std::string FileIdentity(std::string_view path) {
    std::string identity;
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find_first_of("\\/", start), path.size());
        std::string_view part = path.substr(start, end - start);
        while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.remove_suffix(1);
        if (!part.empty() && !identity.empty()) identity += '\\';
        for (char c : part) identity += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        start = end + 1;
    }
    return identity;
}

// "one, two, three": the names a field may take.
template <std::size_t n>
std::string NameList(const std::string_view (&names)[n]) {
    std::string list;
    for (std::string_view name : names) list += (list.empty() ? "" : ", ") + std::string(name);
    return list;
}

template <std::size_t n>
bool IsOneOf(std::string_view text, const std::string_view (&names)[n]) {
    return std::find(std::begin(names), std::end(names), text) != std::end(names);
}

std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class Parser {
public:
    Parser(const std::string& name, const std::string& baseFolder, const ProgramChoice& uninstaller)
        : name_(name), base_(baseFolder), uninstaller_(uninstaller) {
        for (int i = 0; i < setting::kCount; ++i) Set(i, kSettingNames[i].defaultValue);
    }

    void Line(std::string_view raw) {
        ++line_;
        const std::string_view text = Trim(raw);
        if (text.empty() || text.front() == '#' || text.front() == ';') return;
        if (text.front() == '[') return StartSection(text);
        const auto equals = text.find('=');
        if (equals == std::string_view::npos) Fail("expected 'name = value' or a [section]");
        const std::string key(Trim(text.substr(0, equals)));
        const std::string_view value = Unquote(Trim(text.substr(equals + 1)));
        switch (section_) {
        case Section::None: Fail("'" + Excerpt(key) + "' stands before any [section]");
        case Section::Settings: return SettingLine(key, value);
        case Section::Registry: return RegistryLine(key, value);
        case Section::Shortcut: return ShortcutLine(key, value);
        case Section::File: return FileLine(key, value);
        }
    }

    PackageSource Finish() {
        auto& settings = result_.layout.settings;
        if (const auto bad = FindUnshiftableByte(settings[setting::kLicenceText]); bad != std::string::npos)
            FailAt(licenceLine_, "the licence text holds the character '" +
                                     Cp1251ToUtf8(settings[setting::kLicenceText].substr(bad, 1)) +
                                     "', which a package cannot store");
        ShiftText(settings[setting::kLicenceText]);
        if (uninstallerLine_ > 0) AddUninstaller();
        for (std::size_t i = 0; i < registryLines_.size(); ++i) {
            const RegistryRecord& r = result_.layout.registry[i];
            if (r.key.find_first_not_of('\\') == std::string::npos)
                FailAt(registryLines_[i].section, "the [registry] has no key");
            // The setup program would fail at a value without a root, and silently write no value
            // without a type.
            if (r.root.empty()) FailAt(registryLines_[i].section, "the [registry] has no root");
            if (r.type.empty() && !r.data.empty())
                FailAt(registryLines_[i].data, "the data has no type (" + NameList(kRegistryTypeNames) + ")");
            // Data with a placeholder is known only on the machine it is installed on.
            if (r.type == kRegDword && (r.data.empty() || r.data.front() != '%'))
                CheckInteger(registryLines_[i].data, "DWORD data", r.data);
        }
        for (std::size_t i = 0; i < result_.fileSources.size(); ++i)
            if (result_.layout.files[i].path.empty()) FailAt(result_.fileLines[i], "the [file] has no path");
            else if (result_.fileSources[i].empty()) FailAt(result_.fileLines[i], "the [file] has no source");
        if (result_.forUser) CheckForUser();
        return std::move(result_);
    }

private:
    [[noreturn]] void Fail(const std::string& reason) const { FailAt(line_, reason); }
    [[noreturn]] void FailAt(int line, const std::string& reason) const {
        throw DescriptionError(name_ + ":" + std::to_string(line) + ": " + reason);
    }

    // Text that goes into the package: one line of Windows-1251 without CR, LF or 0x1A.
    std::string PackageText(std::string_view utf8) const {
        auto text = Utf8ToCp1251(utf8);
        if (!text) Fail("the text has no Windows-1251 form: " + Excerpt(utf8));
        if (text->find_first_of("\r\n\x1A") != std::string::npos) Fail("the text holds a control character");
        return *text;
    }

    // The program would end with "'...' is not a valid integer value" at this value.
    void CheckInteger(int line, const std::string& what, const std::string& text) const {
        if (!ParseInteger(text)) FailAt(line, what + ": " + FormatText(messages::kNotAnInteger, Excerpt(Cp1251ToUtf8(text))));
    }

    // A path the package writes below a folder of the machine must stay inside that folder.
    void CheckRelativePath(const std::string& what, const std::string& path) const {
        if (const std::string fault = RelativePathFault(path); !fault.empty())
            Fail(what + " '" + Excerpt(Cp1251ToUtf8(path)) + "' " + Excerpt(Cp1251ToUtf8(fault)));
    }

    // A package for the user names nothing of the machine; checked once the whole description is
    // read, as "install-for" may follow the records.
    void CheckForUser() const {
        const auto check = [this](int line, const std::string& what, const std::string& text, const std::string& fault) {
            if (!fault.empty()) FailAt(line, what + " '" + Excerpt(Cp1251ToUtf8(text)) + "' " + fault);
        };
        const StringList& settings = result_.layout.settings;
        // Not given, the install folder is empty: the "install-for" line asked for the rule.
        const int folderLine = settingLines_[setting::kInstallFolder];
        check(folderLine ? folderLine : installForLine_, "the install folder", settings[setting::kInstallFolder],
              UserFolderFault(settings[setting::kInstallFolder], true));
        check(settingLines_[setting::kUninstallSetting3], "uninstall-setting-3", settings[setting::kUninstallSetting3],
              UserFolderFault(settings[setting::kUninstallSetting3], false));
        for (std::size_t i = 0; i < filePathLines_.size(); ++i)
            check(filePathLines_[i], "the path", result_.layout.files[i].path,
                  UserFolderFault(result_.layout.files[i].path, false));
        for (std::size_t i = 0; i < registryLines_.size(); ++i)
            check(registryLines_[i].root, "the root", result_.layout.registry[i].root,
                  UserRootFault(result_.layout.registry[i].root));
    }

    void Set(int index, std::string_view utf8) { result_.layout.settings[index] = *Utf8ToCp1251(utf8); }

    void StartSection(std::string_view text) {
        if (text == "[settings]") section_ = Section::Settings;
        else if (text == "[registry]") {
            section_ = Section::Registry;
            result_.layout.registry.emplace_back();
            registryLines_.push_back({line_, line_, line_});
        }
        else if (text == "[shortcut]") section_ = Section::Shortcut, result_.layout.shortcuts.emplace_back();
        else if (text == "[file]") {
            section_ = Section::File;
            result_.layout.files.emplace_back();
            result_.fileSources.emplace_back();
            result_.fileLines.push_back(line_);
            filePathLines_.push_back(line_);
        } else Fail("unknown section " + Excerpt(text));
    }

    // Uninstall.exe last: the author's files are all in place before it.
    void AddUninstaller() {
        if (uninstaller_.For(result_.forUser).empty()) FailAt(uninstallerLine_, "no uninstaller to add (give --uninstaller FILE)");
        // The system finds "uninstall.exe", ".\Uninstall.exe" and "Uninstall.exe." as the same file.
        for (std::size_t i = 0; i < result_.layout.files.size(); ++i) {
            if (FileIdentity(result_.layout.files[i].path) == FileIdentity(kUninstallerFile))
                FailAt(result_.fileLines[i], "the package carries its own Uninstall.exe and asks for the uninstaller");
        }
        result_.layout.files.push_back(FileRecord{kUninstallerFile});
        result_.fileSources.push_back(uninstaller_.For(result_.forUser));
        result_.fileLines.push_back(uninstallerLine_);
    }

    void SettingLine(const std::string& key, std::string_view value) {
        if (key == "uninstaller") {
            if (value != "0" && value != "1") Fail("'uninstaller' is 1 (add Uninstall.exe) or 0");
            uninstallerLine_ = value == "1" ? line_ : 0;
            return;
        }
        if (key == "install-for") {
            if (value != "machine" && value != "user") Fail("'install-for' is machine (the default) or user");
            result_.forUser = value == "user";
            installForLine_ = line_;
            return;
        }
        if (key == "licence-file") {
            const auto file = std::filesystem::path(base_) / std::string(value);
            std::error_code error;
            // Not a folder, a pipe or a device, which would never end or fill memory.
            if (!std::filesystem::is_regular_file(file, error))
                Fail("the licence file " + file.string() + " is not a file");
            const auto size = std::filesystem::file_size(file, error);
            if (error || size > kMaxLicenceBytes) Fail("the licence file " + file.string() + " is larger than 1 MiB");
            std::string licence;
            try {
                licence = ReadWholeFile(file);
            } catch (const std::exception& e) {
                Fail(e.what());
            }
            result_.inputs.push_back(file.string());
            // Any line break in the file becomes CR LF.
            std::string lines;
            for (std::size_t i = 0; i < licence.size(); ++i) {
                if (licence[i] == '\r' && i + 1 < licence.size() && licence[i + 1] == '\n') continue;
                if (licence[i] == '\r' || licence[i] == '\n') lines += "\r\n";
                else lines += licence[i];
            }
            auto text = Utf8ToCp1251(lines);
            if (!text) Fail("the licence file has text without a Windows-1251 form");
            result_.layout.settings[setting::kLicenceText] = *text;
            licenceLine_ = line_;
            return;
        }
        const int index = FindSetting(key);
        if (index < 0) Fail("unknown setting '" + Excerpt(key) + "'");
        if (index == setting::kRegistryCount || index == setting::kShortcutCount || index == setting::kFileCount)
            Fail("'" + Excerpt(key) + "' is counted by the builder from the records");
        result_.layout.settings[index] = PackageText(value);
        settingLines_[index] = line_;
        if (index == setting::kLicenceText) licenceLine_ = line_;
        if (IsIntegerSetting(index)) CheckInteger(line_, key, result_.layout.settings[index]);
        if (index == setting::kProgramGroup) CheckRelativePath("the program group", result_.layout.settings[index]);
    }

    void RegistryLine(const std::string& key, std::string_view value) {
        auto& r = result_.layout.registry.back();
        std::string* field = key == "root" ? &r.root : key == "key" ? &r.key : key == "name" ? &r.name
                           : key == "data" ? &r.data : key == "type" ? &r.type : nullptr;
        if (!field) Fail("unknown [registry] field '" + Excerpt(key) + "'");
        *field = PackageText(value);
        if (field == &r.data) registryLines_.back().data = line_;
        if (field == &r.root) registryLines_.back().root = line_;
        // Compared exactly by the setup program: "hkcu" or "dword" would end it or write nothing.
        if (field == &r.root && !IsOneOf(r.root, kRegistryRootNames))
            Fail("the root '" + Excerpt(value) + "' is none of " + NameList(kRegistryRootNames) +
                 " (letter case counts)");
        if (field == &r.type && !r.type.empty() && !IsOneOf(r.type, kRegistryTypeNames))
            Fail("the type '" + Excerpt(value) + "' is none of " + NameList(kRegistryTypeNames) +
                 " (letter case counts)");
    }

    void ShortcutLine(const std::string& key, std::string_view value) {
        auto& s = result_.layout.shortcuts.back();
        std::string* field = key == "place" ? &s.place : key == "name" ? &s.name : key == "target" ? &s.target
                           : key == "workdir" ? &s.workingFolder : key == "arguments" ? &s.arguments
                           : key == "description" ? &s.description : nullptr;
        if (!field) Fail("unknown [shortcut] field '" + Excerpt(key) + "'");
        *field = PackageText(value);
        if (field == &s.name) CheckRelativePath("the shortcut name", s.name);
    }

    void FileLine(const std::string& key, std::string_view value) {
        auto& f = result_.layout.files.back();
        if (key == "path") CheckRelativePath("the path", f.path = PackageText(value)), filePathLines_.back() = line_;
        else if (key == "attributes") CheckInteger(line_, key, f.attributes = PackageText(value));
        else if (key == "source") result_.fileSources.back() = (std::filesystem::path(base_) / std::string(value)).string();
        else Fail("unknown [file] field '" + Excerpt(key) + "'");
    }

    std::string name_, base_;
    ProgramChoice uninstaller_;
    int line_ = 0;
    int uninstallerLine_ = 0;  // the line asking for the uninstaller
    int licenceLine_ = 0;
    int installForLine_ = 0;
    int settingLines_[setting::kCount] = {};  // the line that gave each setting, 0 for none
    struct RegistryLines {
        int section, data, root;  // the [registry] line, its data and its root line
    };
    std::vector<RegistryLines> registryLines_;
    std::vector<int> filePathLines_;  // each [file]'s path line, or the [file] line
    Section section_ = Section::None;
    PackageSource result_;
};

}  // namespace

PackageSource ParseDescription(std::string_view text, const std::string& name, const std::string& baseFolder,
                               const ProgramChoice& uninstaller) {
    Parser parser(name, baseFolder, uninstaller);
    // Editors may start a UTF-8 file with a byte-order mark.
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    while (!text.empty()) {
        const auto end = text.find('\n');
        parser.Line(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return parser.Finish();
}

void MeasureFiles(PackageSource& source, const std::string& name) {
    for (std::size_t i = 0; i < source.fileSources.size(); ++i) {
        std::error_code error;
        const auto size = std::filesystem::file_size(source.fileSources[i], error);
        if (error)
            throw DescriptionError(name + ":" + std::to_string(source.fileLines[i]) + ": cannot read " +
                                   source.fileSources[i] + ": " + error.message());
        source.layout.files[i].size = static_cast<std::int64_t>(size);
    }
}

PackageSource ReadDescription(const std::string& path, const ProgramChoice& uninstaller) {
    std::string text;
    try {
        text = ReadWholeFile(path);
    } catch (const std::exception&) {
        throw DescriptionError(path + ": cannot read the description");
    }
    const auto base = std::filesystem::path(path).parent_path().string();
    PackageSource source = ParseDescription(text, path, base.empty() ? "." : base, uninstaller);
    source.inputs.push_back(path);
    MeasureFiles(source, path);
    return source;
}

std::string Excerpt(std::string_view utf8, std::size_t characters) {
    std::size_t bytes = 0;
    for (std::size_t counted = 0; bytes < utf8.size() && counted < characters; ++counted)
        for (++bytes; bytes < utf8.size() && (static_cast<unsigned char>(utf8[bytes]) & 0xC0) == 0x80;) ++bytes;
    return bytes < utf8.size() ? std::string(utf8.substr(0, bytes)) + "…" : std::string(utf8);
}
