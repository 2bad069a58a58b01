#include "engine/registry_writer.h"

#include "engine/folders.h"
#include "package/records.h"
#include "package/registry_names.h"
#include "package/settings.h"
#include "runtime/errors.h"
#include "runtime/integer.h"
#include "runtime/unicode.h"

namespace {

[[noreturn]] void FailToSetData(const std::string& name) {
    Fail("RegistryError", FormatText(messages::kFailedToSetData, name));
}

// A REG_DWORD's four bytes, little end first.
std::string DwordBytes(DWORD number) {
    const char bytes[4] = {static_cast<char>(number), static_cast<char>(number >> 8), static_cast<char>(number >> 16),
                           static_cast<char>(number >> 24)};
    return std::string(bytes, 4);
}

void WriteRecord(const StringList& entries, std::int64_t first, InstallView& view) {
    const std::string& root = ListLine(entries, first);
    const std::string& keyPath = ListLine(entries, first + 1);
    const std::string& name = ListLine(entries, first + 2);
    const std::string data = ExpandPath(ListLine(entries, first + 3), view);
    const std::string& type = ListLine(entries, first + 4);

    const RegKey key = OpenOrCreateKey(RootKeyByName(root), keyPath);
    bool written = true;
    if (type == kRegString) {
        written = SetRegValue(key, name, REG_SZ, data + '\0');
    } else if (type == kRegBinary) {
        // The bytes as the package holds them, in Windows-1251 (UTF-8 only where a folder put in
        // for %ProgDr% has letters outside it).
        std::string bytes;
        if (!Utf8ToCp1251(data, bytes)) bytes = data;
        written = SetRegValue(key, name, REG_BINARY, bytes);
    } else if (type == kRegDword) {
        written = SetRegValue(key, name, REG_DWORD, DwordBytes(static_cast<DWORD>(StrToInt(data))));
    }
    // Any other type name leaves the key created and writes nothing.
    if (!written) FailToSetData(name);
}

}  // namespace

HKEY RootKeyByName(const std::string& name) {
    // In the order of kRegistryRootNames.
    static const HKEY roots[] = {HKEY_CLASSES_ROOT,     HKEY_CURRENT_USER,   HKEY_LOCAL_MACHINE, HKEY_USERS,
                                 HKEY_PERFORMANCE_DATA, HKEY_CURRENT_CONFIG, HKEY_DYN_DATA};
    static_assert(std::size(roots) == std::size(kRegistryRootNames));
    for (std::size_t i = 0; i < std::size(roots); ++i)
        if (name == kRegistryRootNames[i]) return roots[i];
    return nullptr;
}

RegKey OpenOrCreateKey(HKEY root, const std::string& keyPath) {
    // Packages write "\Software\..." as well as "Software\..."; the system takes only the latter.
    const std::size_t start = keyPath.find_first_not_of('\\');
    // No path would write at the root of the hive, where no package's values belong.
    if (!root || start == std::string::npos) return RegKey();
    HKEY key = nullptr;
    const LONG result =
        RegCreateKeyExW(root, Wide(keyPath.substr(start)).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    return RegKey(result == ERROR_SUCCESS ? key : nullptr);
}

bool SetRegValue(const RegKey& key, const std::string& name, DWORD type, const std::string& bytes) {
    if (!key.Handle()) return false;
    const std::wstring text = type == REG_SZ || type == REG_EXPAND_SZ ? Wide(bytes) : std::wstring();
    const void* data = text.empty() ? static_cast<const void*>(bytes.data()) : text.data();
    const std::size_t size = text.empty() ? bytes.size() : text.size() * sizeof(wchar_t);
    return RegSetValueExW(key.Handle(), Wide(name).c_str(), 0, type, static_cast<const BYTE*>(data),
                          static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

void SetRegString(const RegKey& key, const std::string& name, const std::string& text) {
    if (!SetRegValue(key, name, REG_SZ, text + '\0')) FailToSetData(name);
}

void SetRegDword(const RegKey& key, const std::string& name, DWORD number) {
    if (!SetRegValue(key, name, REG_DWORD, DwordBytes(number))) FailToSetData(name);
}

void WriteRegistryEntries(Installation& run) {
    const std::int32_t count = StrToInt(Setting(run.package, setting::kRegistryCount));
    for (std::int64_t i = 0; i < count; ++i)
        WriteRecord(run.package.RegistryEntries, i * kRegistryRecordLines, run.view);
}
