#pragma once
// Writing registry values: the package's values and the uninstall key.
#include <string>

#include "engine/installation.h"
#include "runtime/platform.h"

// An open registry key, closed when the object goes.
class RegKey {
public:
    RegKey() = default;
    explicit RegKey(HKEY handle) : handle_(handle) {}
    RegKey(RegKey&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    RegKey& operator=(RegKey&&) = delete;
    ~RegKey() {
        if (handle_) RegCloseKey(handle_);
    }
    HKEY Handle() const { return handle_; }

private:
    HKEY handle_ = nullptr;
};

// The predefined key of one of the seven root names, compared exactly; nullptr for any other text.
HKEY RootKeyByName(std::string_view name);

// Opens the key below root, creating missing keys on the way. A key that cannot be opened, and an
// empty path (the root itself), give an empty RegKey, on which every write fails.
RegKey OpenOrCreateKey(HKEY root, const std::string& keyPath);

// Strings (REG_SZ, REG_EXPAND_SZ) come in UTF-8, with the terminating zero they are to have, and are
// stored in UTF-16, the zero counted in the size; other types' bytes are stored as they are.
bool SetRegValue(const RegKey& key, const std::string& name, DWORD type, const std::string& bytes);

// The same for the install run, through its record of changes, so that the run can be undone: the
// key below root (leading "\" dropped) is created as needed. Without setValue, only the key is
// made. False for a null root or an empty path, where no package's values belong.
bool SetRunValue(Installation& run, HKEY root, const std::string& keyPath, const std::string& name, DWORD type,
                 const std::string& bytes, bool setValue = true);
// Fail with "Failed to set data for '%s'" when the value cannot be written.
void SetRunString(Installation& run, HKEY root, const std::string& keyPath, const std::string& name,
                  const std::string& text);
void SetRunDword(Installation& run, HKEY root, const std::string& keyPath, const std::string& name, DWORD number);

// The package's registry values (the run writes them only when kWriteRegistry is "1").
void WriteRegistryEntries(Installation& run);
