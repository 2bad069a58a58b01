#include "program/silent_log.h"

#include "runtime/platform.h"
#include "runtime/text_file.h"
#include "runtime/unicode.h"

namespace {
// One log for the whole run, reachable from the failure handler that ends it. The system closes
// it when the process ends.
HANDLE g_log = INVALID_HANDLE_VALUE;

void WriteToLog(std::string_view bytes) {
    DWORD written = 0;
    WriteFile(g_log, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

bool OpenSilentLog(const std::string& path) {
    // Readers are welcome while the run goes on.
    g_log = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (g_log == INVALID_HANDLE_VALUE) return false;
    WriteToLog(kUtf8ByteOrderMark);
    return true;
}

void WriteLogLine(const std::string& text) {
    if (g_log != INVALID_HANDLE_VALUE) WriteToLog(text + "\r\n");
}

void CloseSilentLog() {
    if (g_log != INVALID_HANDLE_VALUE) CloseHandle(g_log);
    g_log = INVALID_HANDLE_VALUE;
}
