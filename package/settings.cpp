#include "package/settings.h"

#include "runtime/integer.h"

std::int32_t ScaledFontHeight(std::int32_t size) {
    // Exact arithmetic on hundredths, so halves are recognised as halves. The magnitude, at most
    // 2^31, times 1.55 stays below 2^32.
    const bool negative = size < 0;
    const std::uint32_t magnitude = negative ? 0u - static_cast<std::uint32_t>(size) : static_cast<std::uint32_t>(size);
    const Quotient hundredths = MultiplyDivide(magnitude, 155, 100);
    std::uint32_t whole = hundredths.quotient;
    const std::uint32_t rest = hundredths.remainder;
    if (rest > 50 || (rest == 50 && whole % 2 == 1)) ++whole;
    // Heights beyond the integer range (sizes past about 1.38 billion) stop at its ends.
    if (whole > INT32_MAX) whole = negative ? std::uint32_t{INT32_MAX} + 1 : INT32_MAX;
    return static_cast<std::int32_t>(negative ? 0u - whole : whole);
}
