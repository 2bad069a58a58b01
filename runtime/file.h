#pragma once
// Files through Win32 handles, owned by the object. Operations report failure as a result; the
// caller decides whether it is an error for the user (the engine) or damage (the loader).
#include <cstdint>
#include <string>

#include "runtime/byte_source.h"
#include "runtime/platform.h"

class File {
public:
    // Opens an existing file for reading; other readers and deleting are allowed, writers are not.
    static File OpenForReading(const std::string& path);
    // Creates the file, or empties an existing one, for writing.
    static File Create(const std::string& path);
    // Creates a file that must not exist yet; the system's last error says why it could not.
    static File CreateNew(const std::string& path);
    // The same as Create, ending in "Cannot create file %s" when it cannot be done.
    static File CreateOrFail(const std::string& path);
    // Creates a file that must not exist yet, or opens an existing one, for reading and writing,
    // and holds it: while this object has it open, other processes may read it but neither write,
    // rename nor delete it.
    static File CreateHeld(const std::string& path);
    static File OpenHeld(const std::string& path);

    File() : handle_(INVALID_HANDLE_VALUE) {}
    File(File&& other) noexcept : handle_(other.handle_) { other.handle_ = INVALID_HANDLE_VALUE; }
    File& operator=(File&& other) noexcept;
    ~File() { Close(); }
    void Close();

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    // The size, or -1 when it cannot be had.
    std::int64_t Size() const;
    bool Seek(std::int64_t position);
    // Reads up to size bytes; 0 at the end of the file, -1 on a read failure.
    std::int64_t ReadSome(void* buffer, std::size_t size);
    bool ReadExactly(void* buffer, std::size_t size);
    bool Write(const void* buffer, std::size_t size);

private:
    explicit File(HANDLE handle) : handle_(handle) {}
    HANDLE handle_;
};

// A file read as a byte source; a read failure ends the data and is remembered.
class FileSource : public ByteSource {
public:
    explicit FileSource(File& file) : file_(file) {}
    std::size_t Read(char* buffer, std::size_t size) override;
    bool Failed() const override { return failed_; }

private:
    File& file_;
    bool failed_ = false;
};

enum class CopyResult { Copied, ReadFailed, WriteFailed, Stopped };

// Copies length bytes from a source to the write position of a file, streaming through a buffer
// of 64 KiB, so memory stays flat whatever the size: measured under Wine on 512 MiB, 64 KiB pieces
// took 0.39 s, 16 KiB and 256 KiB 0.45 s, 1 MiB 0.83 s. A source that ends early is a read
// failure. Between pieces (not after the last) the copy asks keepGoing, when given, with its
// context: false stops the copy there.
CopyResult CopyBytes(ByteSource& from, File& to, std::int64_t length, bool (*keepGoing)(void* context) = nullptr,
                     void* context = nullptr);

// Reads exactly size bytes unless the source ends first; returns how many were read.
std::size_t ReadFully(ByteSource& from, char* buffer, std::size_t size);
