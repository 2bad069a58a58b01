#include "engine/registry_read.h"

#include "runtime/errors.h"

std::optional<RegValue> ReadRegValue(HKEY root, const std::string& keyPath, const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath.empty() ? nullptr : keyPath.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    RegValue value;
    DWORD size = 0;
    LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
        value.data.resize(size);
        result = RegQueryValueExA(key, name.c_str(), nullptr, &value.type,
                                  reinterpret_cast<BYTE*>(value.data.data()), &size);
        value.data.resize(size);
    }
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return std::nullopt;
    return value;
}

std::string ReadRegString(HKEY root, const std::string& keyPath, const std::string& name) {
    const std::optional<RegValue> value = ReadRegValue(root, keyPath, name);
    if (!value) return {};
    if (value->type != REG_SZ && value->type != REG_EXPAND_SZ)
        Fail("RegistryError", FormatText(messages::kInvalidDataType, name));
    return value->data.substr(0, value->data.find('\0'));
}
