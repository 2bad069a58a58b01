#include "runtime/integer.h"

#include <iterator>

#include "runtime/errors.h"

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const bool hex = i < text.size() && text[i] == '$';
    if (hex) ++i;
    if (i == text.size()) return std::nullopt;

    // Decimal text must fit the signed range; hexadecimal text may use all 32 bits ("$FFFFFFFF" is
    // -1), as packages write bit patterns that way.
    const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = hex ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
        if (digit < 0) return std::nullopt;
        value = value * (hex ? 16 : 10) + static_cast<unsigned>(digit);
        if (value > limit) return std::nullopt;
    }
    auto bits = static_cast<std::uint32_t>(value);
    if (negative) bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
}

std::int32_t StrToInt(const std::string& text) {
    if (auto value = ParseInteger(text)) return *value;
    Fail("ConvertError", FormatText(messages::kNotAnInteger, text));
}

Quotient MultiplyDivide(std::uint32_t value, std::uint32_t numerator, std::uint32_t denominator) {
    // value is whole x denominator + part: whole x numerator is exact, and part x numerator /
    // denominator is found a bit of the numerator at a time, the remainder always below the
    // denominator, so doubling it or adding part (also below it) stays below 2^32.
    const std::uint32_t part = value % denominator;
    Quotient result{value / denominator * numerator, 0};
    std::uint32_t low = 0;
    for (int bit = 31; bit >= 0; --bit) {
        low <<= 1;
        result.remainder <<= 1;
        if (result.remainder >= denominator) result.remainder -= denominator, ++low;
        if (numerator >> bit & 1) {
            result.remainder += part;
            if (result.remainder >= denominator) result.remainder -= denominator, ++low;
        }
    }
    result.quotient += low;
    return result;
}

std::string IntToStr(std::int64_t value) {
    // A digit at a time, dividing by ten sixteen bits at a time: each step divides less than
    // 10 x 2^16.
    std::uint64_t rest = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    char digits[20];
    char* first = std::end(digits);
    do {
        std::uint64_t quotient = 0;
        std::uint32_t remainder = 0;
        for (int shift = 48; shift >= 0; shift -= 16) {
            const std::uint32_t part = remainder << 16 | (static_cast<std::uint32_t>(rest >> shift) & 0xFFFF);
            quotient = quotient << 16 | part / 10;
            remainder = part % 10;
        }
        *--first = static_cast<char>('0' + remainder);
        rest = quotient;
    } while (rest != 0);
    std::string text(value < 0 ? 1 : 0, '-');
    return text.append(first, std::end(digits));
}
