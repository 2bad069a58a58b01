#pragma once
// The errors the program reports to the user: a kind, shown as "Exception <kind> ...", and one of
// the runtime's message texts. They end where they are raised, through Fail.
#include <string>

#include "runtime/failure.h"

// Message texts of the runtime; %s stands for the file, value or text named.
namespace messages {
inline constexpr const char* kNotAnInteger = "'%s' is not a valid integer value";
inline constexpr const char* kCannotOpenFile = "Cannot open file %s";
inline constexpr const char* kCannotCreateFile = "Cannot create file %s";
inline constexpr const char* kStreamReadError = "Stream read error";
inline constexpr const char* kStreamWriteError = "Stream write error";
inline constexpr const char* kFailedToSetData = "Failed to set data for '%s'";
inline constexpr const char* kInvalidDataType = "Invalid data type for '%s'";
inline constexpr const char* kOutOfMemory = "Out of memory";
}  // namespace messages

// The pattern with its first "%s" replaced by the argument, cut after 300 characters with "...".
std::string FormatText(const char* pattern, const std::string& argument);

// Inlined, so that the fatal box names the place that failed.
[[noreturn]] inline __attribute__((always_inline)) void FailReading() { Fail("StreamError", messages::kStreamReadError); }
[[noreturn]] inline __attribute__((always_inline)) void FailWriting() { Fail("StreamError", messages::kStreamWriteError); }
