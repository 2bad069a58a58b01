#include "uninstaller/record_file.h"

#include <cstdint>
#include <string_view>

#include "runtime/platform.h"
#include "runtime/unicode.h"

namespace {

constexpr std::int64_t kLargestRecord = 16 << 20;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

bool ReadRecordText(const std::string& path, std::string& text) {
    const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    std::string bytes;
    DWORD read = 0;
    const bool whole = GetFileSizeEx(file, &size) && size.QuadPart <= kLargestRecord &&
                       (bytes.resize(static_cast<std::size_t>(size.QuadPart)),
                        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) &&
                       read == bytes.size();
    CloseHandle(file);
    if (!whole) return false;
    // Anything without the mark is Windows-1251, so that the records of earlier versions still read.
    text = bytes.starts_with(kUtf8Mark) ? bytes.substr(kUtf8Mark.size()) : Cp1251ToUtf8(bytes);
    return true;
}
