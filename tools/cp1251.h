#pragma once
// Windows-1251, the code page of every text in a package, and UTF-8, the code page of the
// descriptions people write and of the builder's output.
#include <optional>
#include <string>
#include <string_view>

// Nothing when the text is not valid UTF-8 or holds a character that Windows-1251 lacks.
std::optional<std::string> Utf8ToCp1251(std::string_view text);
// For showing package text: the one byte without a character (0x98) shows as U+FFFD.
std::string Cp1251ToUtf8(std::string_view text);
