#pragma once
// The names a registry record gives its root key and its value type. The setup program compares
// them exactly, letter case included; the builder refuses any other.
#include <string_view>

inline constexpr std::string_view kRegistryRootNames[] = {
    "HKEY_CLASSES_ROOT",     "HKEY_CURRENT_USER",   "HKEY_LOCAL_MACHINE", "HKEY_USERS",
    "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA",
};

inline constexpr std::string_view kRegString = "String", kRegBinary = "Binary", kRegDword = "DWORD";
inline constexpr std::string_view kRegistryTypeNames[] = {kRegString, kRegBinary, kRegDword};
