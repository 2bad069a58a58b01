#include "engine/registry_read.h"

#include "runtime/errors.h"
#include "runtime/unicode.h"

namespace {

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

}  // namespace

std::optional<RegValue> ReadRegValue(HKEY root, const std::string& keyPath, const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, keyPath.empty() ? nullptr : Wide(keyPath).c_str(), 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return std::nullopt;
    const std::wstring wideName = Wide(name);
    RegValue value;
    DWORD size = 0;
    LONG result = RegQueryValueExW(key, wideName.c_str(), nullptr, &value.type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
        value.data.resize(size);
        result = RegQueryValueExW(key, wideName.c_str(), nullptr, &value.type,
                                  reinterpret_cast<BYTE*>(value.data.data()), &size);
        value.data.resize(size);
    }
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return std::nullopt;
    // Text is stored in UTF-16 (an odd last byte is no character).
    if (IsText(value.type))
        value.data = Utf8(std::wstring_view(reinterpret_cast<const wchar_t*>(value.data.data()), size / 2));
    return value;
}

std::string ReadRegString(HKEY root, const std::string& keyPath, const std::string& name) {
    const std::optional<RegValue> value = ReadRegValue(root, keyPath, name);
    if (!value) return {};
    if (!IsText(value->type)) Fail("RegistryError", FormatText(messages::kInvalidDataType, name));
    return value->data.substr(0, value->data.find('\0'));
}
