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
HKEY RootKeyByName(const std::string& name);

// Opens the key below root, creating missing keys on the way. A key that cannot be opened, and an
// empty path (the root itself), give an empty RegKey, on which every write fails.
RegKey OpenOrCreateKey(HKEY root, const std::string& keyPath);

// Strings (REG_SZ, REG_EXPAND_SZ) come in UTF-8, with the terminating zero they are to have, and are
// stored in UTF-16, the zero counted in the size; other types' bytes are stored as they are.
bool SetRegValue(const RegKey& key, const std::string& name, DWORD type, const std::string& bytes);
// Fails with "Failed to set data for '%s'" when the value cannot be written.
void SetRegString(const RegKey& key, const std::string& name, const std::string& text);
void SetRegDword(const RegKey& key, const std::string& name, DWORD number);

// The package's registry records (the run writes them only when kWriteRegistry is "1").
void WriteRegistryEntries(Installation& run);
