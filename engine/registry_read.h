#pragma once
// Reading registry values: the folder queries use it, and tests read back what the engine wrote.
#include <optional>
#include <string>

#include "runtime/platform.h"

struct RegValue {
    DWORD type = REG_NONE;
    // The stored bytes; strings (REG_SZ, REG_EXPAND_SZ), stored in UTF-16, in UTF-8 and with their
    // terminating zero as stored.
    std::string data;
};

// The value, or nothing when the key cannot be opened or the value is missing. An empty path reads
// from the root key itself.
std::optional<RegValue> ReadRegValue(HKEY root, const std::string& keyPath, const std::string& name);

// A string value up to its first zero (expandable strings as stored); empty when the key or the
// value is missing. Fails with "Invalid data type for '%s'" for a value that is no string.
std::string ReadRegString(HKEY root, const std::string& keyPath, const std::string& name);
