#include "engine/record_file.h"

#include <cstdint>
#include <string_view>

#include "runtime/file.h"
#include "runtime/unicode.h"

namespace {

constexpr std::int64_t kLargestRecord = 16 << 20;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

// Out of line: inlined into the setup program's one caller it takes more room there.
[[gnu::noinline]] bool ReadRecordText(const std::string& path, std::string& text) {
    File file = File::OpenForReading(path);
    const std::int64_t size = file.Size();
    if (size < 0 || size > kLargestRecord) return false;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!file.ReadExactly(bytes.data(), bytes.size())) return false;
    // Anything without the mark is Windows-1251, so that the records of earlier versions still read.
    text = bytes.starts_with(kUtf8Mark) ? bytes.substr(kUtf8Mark.size()) : Cp1251ToUtf8(bytes);
    return true;
}
