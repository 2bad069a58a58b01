#pragma once
// A forward-only supply of bytes: a file, or text in memory.
#include <cstddef>
#include <string_view>

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to size bytes; returns 0 at the end of the data (a source that
    // fails to read ends there too and says so itself).
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
    // True when the data ended because it could not be read or decoded, not at its end.
    virtual bool Failed() const { return false; }
};

class StringSource : public ByteSource {
public:
    explicit StringSource(std::string_view bytes) : bytes_(bytes) {}
    std::size_t Read(char* buffer, std::size_t size) override;

private:
    std::string_view bytes_;
};
