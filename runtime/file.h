#pragma once
// Files through Win32 handles, owned by the object. Failures throw RuntimeError with the runtime's
// message texts.
#include <cstdint>
#include <string>

#include "runtime/byte_source.h"
#include "runtime/platform.h"

class File {
public:
    // Opens an existing file for reading; other readers are allowed, writers are not.
    static File OpenForReading(const std::string& path);
    // Creates the file, or empties an existing one, for writing.
    static File Create(const std::string& path);

    File(File&& other) noexcept : handle_(other.handle_) { other.handle_ = INVALID_HANDLE_VALUE; }
    File& operator=(File&&) = delete;
    ~File();

    std::int64_t Size() const;
    void Seek(std::int64_t position);
    // Reads up to size bytes; returns 0 at the end of the file.
    std::size_t ReadSome(void* buffer, std::size_t size);
    void ReadExactly(void* buffer, std::size_t size);  // "Stream read error" when short
    void Write(const void* buffer, std::size_t size);  // "Stream write error" when short

private:
    explicit File(HANDLE handle) : handle_(handle) {}
    HANDLE handle_;
};

class FileSource : public ByteSource {
public:
    explicit FileSource(File& file) : file_(file) {}
    std::size_t Read(char* buffer, std::size_t size) override { return file_.ReadSome(buffer, size); }

private:
    File& file_;
};
