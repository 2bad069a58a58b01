#include "package/settings.h"

std::int32_t ScaledFontHeight(std::int32_t size) {
    // Exact arithmetic on hundredths, so halves are recognised as halves.
    const std::int64_t hundredths = static_cast<std::int64_t>(size) * 155;
    const bool negative = hundredths < 0;
    const std::int64_t magnitude = negative ? -hundredths : hundredths;
    std::int64_t whole = magnitude / 100;
    const std::int64_t rest = magnitude % 100;
    if (rest > 50 || (rest == 50 && whole % 2 == 1)) ++whole;
    // Heights beyond the integer range (sizes past about 1.38 billion) stop at its ends.
    if (whole > INT32_MAX) whole = negative ? std::int64_t{INT32_MAX} + 1 : INT32_MAX;
    return static_cast<std::int32_t>(negative ? -whole : whole);
}
