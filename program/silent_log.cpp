#include "program/silent_log.h"

#include "engine/wide_text.h"
#include "runtime/platform.h"

namespace {
// One log for the whole run, reachable from the failure handler that ends it. The system closes
// it when the process ends.
HANDLE g_log = INVALID_HANDLE_VALUE;
}  // namespace

bool OpenSilentLog(const std::string& path) {
    // Readers are welcome while the run goes on.
    g_log = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
    return g_log != INVALID_HANDLE_VALUE;
}

void WriteLogLine(const std::string& text) {
    if (g_log == INVALID_HANDLE_VALUE) return;
    const std::string line = Cp1251ToUtf8(text) + "\r\n";
    DWORD written = 0;
    WriteFile(g_log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}
