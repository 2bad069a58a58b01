#include "engine/registry_writer.h"

#include "engine/folders.h"
#include "package/install_steps.h"
#include "package/registry_names.h"
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

// The bytes the system stores: strings in UTF-16, other types as they are.
std::string StoredBytes(DWORD type, const std::string& bytes) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) return bytes;
    const std::wstring text = Wide(bytes);
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

// Packages write "\Software\..." as well as "Software\..."; the system takes only the latter. Empty
// for the root itself, where no package's values belong.
std::string KeyBelowRoot(const std::string& keyPath) {
    const std::size_t start = keyPath.find_first_not_of('\\');
    return start == std::string::npos ? std::string() : keyPath.substr(start);
}

void WriteRecord(Installation& run, const ValueStep& step) {
    const std::string data = ExpandPath(std::string(step.data), run.view);
    const std::string_view type = step.type;
    const HKEY root = RootKeyByName(step.root);
    const std::string keyPath(step.keyPath), name(step.name);
    bool written = true;
    if (type == kRegString) {
        written = SetRunValue(run, root, keyPath, name, REG_SZ, data + '\0');
    } else if (type == kRegBinary) {
        // The bytes as the package holds them, in Windows-1251 (UTF-8 only where a folder put in
        // for %ProgDr% has letters outside it).
        std::string bytes;
        if (!Utf8ToCp1251(data, bytes)) bytes = data;
        written = SetRunValue(run, root, keyPath, name, REG_BINARY, bytes);
    } else if (type == kRegDword) {
        written = SetRunValue(run, root, keyPath, name, REG_DWORD, DwordBytes(static_cast<DWORD>(StrToInt(data))));
    } else {
        // Any other type name creates the key and writes nothing, failing or not.
        SetRunValue(run, root, keyPath, {}, REG_NONE, {}, false);
    }
    if (!written) FailToSetData(name);
}

}  // namespace

HKEY RootKeyByName(std::string_view name) {
    // In the order of kRegistryRootNames.
    static const HKEY roots[] = {HKEY_CLASSES_ROOT,     HKEY_CURRENT_USER,   HKEY_LOCAL_MACHINE, HKEY_USERS,
                                 HKEY_PERFORMANCE_DATA, HKEY_CURRENT_CONFIG, HKEY_DYN_DATA};
    static_assert(std::size(roots) == std::size(kRegistryRootNames));
    for (std::size_t i = 0; i < std::size(roots); ++i)
        if (name == kRegistryRootNames[i]) return roots[i];
    return nullptr;
}

RegKey OpenOrCreateKey(HKEY root, const std::string& keyPath) {
    const std::string below = KeyBelowRoot(keyPath);
    if (!root || below.empty()) return RegKey();
    HKEY key = nullptr;
    const LONG result = RegCreateKeyExW(root, Wide(below).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    return RegKey(result == ERROR_SUCCESS ? key : nullptr);
}

bool SetRegValue(const RegKey& key, const std::string& name, DWORD type, const std::string& bytes) {
    const std::string stored = StoredBytes(type, bytes);
    return key.Handle() && RegSetValueExW(key.Handle(), Wide(name).c_str(), 0, type,
                                          reinterpret_cast<const BYTE*>(stored.data()),
                                          static_cast<DWORD>(stored.size())) == ERROR_SUCCESS;
}

bool SetRunValue(Installation& run, HKEY root, const std::string& keyPath, const std::string& name, DWORD type,
                 const std::string& bytes, bool setValue) {
    const std::string below = KeyBelowRoot(keyPath);
    if (!root || below.empty()) return false;
    if (!setValue) return run.changes.MakeKey(root, below);
    const std::string stored = StoredBytes(type, bytes);
    return run.changes.SetValue(root, below, name, type, stored.data(), static_cast<DWORD>(stored.size()));
}

void SetRunString(Installation& run, HKEY root, const std::string& keyPath, const std::string& name,
                  const std::string& text) {
    if (!SetRunValue(run, root, keyPath, name, REG_SZ, text + '\0')) FailToSetData(name);
}

void SetRunDword(Installation& run, HKEY root, const std::string& keyPath, const std::string& name, DWORD number) {
    if (!SetRunValue(run, root, keyPath, name, REG_DWORD, DwordBytes(number))) FailToSetData(name);
}

void WriteRegistryEntries(Installation& run) {
    for (const ValueStep& step : run.steps.values) WriteRecord(run, step);
}
