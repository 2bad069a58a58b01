#pragma once
// Errors the program reports to the user. Each carries a kind (shown by the top-level handling as
// "Exception <kind> ...") and the runtime's message text. Engine code throws them freely; only the
// top-level handling catches them.
#include <exception>
#include <string>

class RuntimeError : public std::exception {
public:
    RuntimeError(const char* kind, std::string message) : kind_(kind), message_(std::move(message)) {}
    const char* Kind() const noexcept { return kind_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    const char* kind_;
    std::string message_;
};

// Message texts of the runtime; %s stands for the file, value or text named.
namespace messages {
inline constexpr const char* kNotAnInteger = "'%s' is not a valid integer value";
inline constexpr const char* kCannotOpenFile = "Cannot open file %s";
inline constexpr const char* kCannotCreateFile = "Cannot create file %s";
inline constexpr const char* kStreamReadError = "Stream read error";
inline constexpr const char* kStreamWriteError = "Stream write error";
inline constexpr const char* kFailedToSetData = "Failed to set data for '%s'";
inline constexpr const char* kInvalidDataType = "Invalid data type for '%s'";
}  // namespace messages

// The pattern with its first "%s" replaced by the argument.
std::string FormatText(const char* pattern, const std::string& argument);

class ConvertError : public RuntimeError {
public:
    explicit ConvertError(const std::string& text)
        : RuntimeError("ConvertError", FormatText(messages::kNotAnInteger, text)) {}
};
