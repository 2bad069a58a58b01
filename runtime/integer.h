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

// Decimal text of a value, with "-" before a negative one: what std::to_string writes, from 32-bit
// divisions (see MultiplyDivide).
std::string IntToStr(std::int64_t value);

// value x numerator / denominator, truncated, with its remainder, for a denominator from 1 to 2^31.
// The quotient wraps modulo 2^32 when it does not fit. Built from 32-bit divisions: a 32-bit
// program has no 64-bit one of its own, and the library's routines cost more than a kilobyte.
struct Quotient {
    std::uint32_t quotient, remainder;
};
Quotient MultiplyDivide(std::uint32_t value, std::uint32_t numerator, std::uint32_t denominator);
