#include "runtime/text_file.h"

#include "runtime/failure.h"
#include "runtime/integer.h"
#include "runtime/platform.h"
#include "runtime/unicode.h"

std::string InOutErrorText(unsigned long code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND: return "File not found";
    case ERROR_PATH_NOT_FOUND: return "Path not found";
    case ERROR_TOO_MANY_OPEN_FILES: return "Too many open files";
    case ERROR_ACCESS_DENIED: return "File access denied";
    case ERROR_INVALID_HANDLE: return "Invalid file handle";
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: return "Disk full";
    default: return "I/O error " + IntToStr(code);
    }
}

void WriteTextFile(const std::string& path, const std::string& text) {
    HANDLE file =
        CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fail("InOutError", InOutErrorText(GetLastError()));
    DWORD written = 0;
    const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    const DWORD code = ok ? (written == text.size() ? ERROR_SUCCESS : ERROR_DISK_FULL) : GetLastError();
    CloseHandle(file);
    if (code != ERROR_SUCCESS) Fail("InOutError", InOutErrorText(code));
}
