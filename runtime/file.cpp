#include "runtime/file.h"

#include <algorithm>
#include <memory>

#include "runtime/errors.h"
#include "runtime/unicode.h"

File File::OpenForReading(const std::string& path) {
    // Other readers may read it and delete it; nobody may write it while it is read.
    return File(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

File File::Create(const std::string& path) {
    return File(
        CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

File File::CreateNew(const std::string& path) {
    return File(
        CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
}

File File::CreateHeld(const std::string& path) {
    return File(CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
}

File File::OpenHeld(const std::string& path) {
    return File(CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = other.handle_;
        other.handle_ = INVALID_HANDLE_VALUE;
    }
    return *this;
}

void File::Close() {
    if (IsOpen()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

File File::CreateOrFail(const std::string& path) {
    File file = Create(path);
    if (!file.IsOpen()) Fail("FileCreateError", FormatText(messages::kCannotCreateFile, path));
    return file;
}

std::int64_t File::Size() const {
    LARGE_INTEGER size;
    return GetFileSizeEx(handle_, &size) ? size.QuadPart : -1;
}

bool File::Seek(std::int64_t position) {
    LARGE_INTEGER to;
    to.QuadPart = position;
    return position >= 0 && SetFilePointerEx(handle_, to, nullptr, FILE_BEGIN);
}

std::int64_t File::ReadSome(void* buffer, std::size_t size) {
    DWORD read = 0;
    if (!ReadFile(handle_, buffer, static_cast<DWORD>(size), &read, nullptr)) return -1;
    return read;
}

bool File::ReadExactly(void* buffer, std::size_t size) {
    auto* at = static_cast<char*>(buffer);
    while (size > 0) {
        const std::int64_t n = ReadSome(at, size);
        if (n <= 0) return false;
        at += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool File::Write(const void* buffer, std::size_t size) {
    DWORD written = 0;
    return WriteFile(handle_, buffer, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

std::size_t FileSource::Read(char* buffer, std::size_t size) {
    if (failed_) return 0;
    const std::int64_t n = file_.ReadSome(buffer, size);
    failed_ = n < 0;
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

std::size_t ReadFully(ByteSource& from, char* buffer, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const std::size_t n = from.Read(buffer + done, size - done);
        if (n == 0) break;
        done += n;
    }
    return done;
}

CopyResult CopyBytes(ByteSource& from, File& to, std::int64_t length, bool (*keepGoing)(void*), void* context) {
    constexpr std::int64_t kPieceSize = 64 << 10;
    if (length < 0) return CopyResult::ReadFailed;
    if (length == 0) return CopyResult::Copied;
    const auto bufferSize = static_cast<std::size_t>(std::min(length, kPieceSize));
    const std::unique_ptr<char[]> buffer(new char[bufferSize]);
    while (length > 0) {
        const auto piece = static_cast<std::size_t>(std::min<std::int64_t>(length, bufferSize));
        if (ReadFully(from, buffer.get(), piece) != piece) return CopyResult::ReadFailed;
        if (!to.Write(buffer.get(), piece)) return CopyResult::WriteFailed;
        length -= static_cast<std::int64_t>(piece);
        if (length > 0 && keepGoing && !keepGoing(context)) return CopyResult::Stopped;
    }
    return CopyResult::Copied;
}
