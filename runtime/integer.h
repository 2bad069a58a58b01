#pragma once
// The runtime's integer conversion, used for every numeric setting: leading blanks, an optional
// sign, then decimal digits or "$" and hexadecimal digits, and nothing after them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

std::optional<std::int32_t> ParseInteger(std::string_view text);

// Fails with "ConvertError" ("'%s' is not a valid integer value") for text that does not convert.
std::int32_t StrToInt(const std::string& text);
