#pragma once
// Text files written whole, with the runtime's input/output error texts.
#include <string>
#include <string_view>

// Starts a text file that we write in UTF-8, so that any program reading it knows its encoding.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// "File not found", "Disk full", ... or "I/O error N" for the system's error code.
std::string InOutErrorText(unsigned long code);

// Writes the text as a new file, replacing an old one; a failure ends in an "InOutError".
void WriteTextFile(const std::string& path, const std::string& text);
