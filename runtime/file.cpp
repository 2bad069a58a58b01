#include "runtime/file.h"

#include "runtime/errors.h"

File File::OpenForReading(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw RuntimeError("FileOpenError", FormatText(messages::kCannotOpenFile, path));
    return File(h);
}

File File::Create(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw RuntimeError("FileCreateError", FormatText(messages::kCannotCreateFile, path));
    return File(h);
}

File::~File() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

std::int64_t File::Size() const {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle_, &size)) throw RuntimeError("StreamError", messages::kStreamReadError);
    return size.QuadPart;
}

void File::Seek(std::int64_t position) {
    LARGE_INTEGER to;
    to.QuadPart = position;
    if (position < 0 || !SetFilePointerEx(handle_, to, nullptr, FILE_BEGIN))
        throw RuntimeError("StreamError", messages::kStreamReadError);
}

std::size_t File::ReadSome(void* buffer, std::size_t size) {
    DWORD read = 0;
    if (!ReadFile(handle_, buffer, static_cast<DWORD>(size), &read, nullptr))
        throw RuntimeError("StreamError", messages::kStreamReadError);
    return read;
}

void File::ReadExactly(void* buffer, std::size_t size) {
    auto* at = static_cast<char*>(buffer);
    while (size > 0) {
        const std::size_t n = ReadSome(at, size);
        if (n == 0) throw RuntimeError("StreamError", messages::kStreamReadError);
        at += n;
        size -= n;
    }
}

void File::Write(const void* buffer, std::size_t size) {
    DWORD written = 0;
    if (!WriteFile(handle_, buffer, static_cast<DWORD>(size), &written, nullptr) || written != size)
        throw RuntimeError("StreamError", messages::kStreamWriteError);
}
