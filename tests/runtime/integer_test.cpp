#include "runtime/integer.h"

#include <gtest/gtest.h>

#include "runtime/errors.h"
#include "tests/support/failure_capture.h"
#include "tests/support/repeated.h"

namespace {

TEST(IntegerConversion, ConvertsAsPackagesWriteNumbersAndNamesTheTextItRefuses) {
    const std::pair<const char*, std::optional<std::int32_t>> rows[] = {
        {"0", 0}, {"42", 42}, {"  7", 7}, {"+0", 0}, {"-3", -3}, {"$A", 10}, {"$ff", 255}, {"-$10", -16},
        {" -1", -1}, {"2147483647", 2147483647}, {"-2147483648", INT32_MIN}, {"$FFFFFFFF", -1},
        {"-16777208", -16777208},
        // Text that is no number.
        {"", {}}, {"   ", {}}, {"abc", {}}, {"$", {}}, {"-", {}}, {"+", {}}, {"1 ", {}}, {"1a", {}}, {"0x10", {}},
        {"--1", {}}, {"2147483648", {}}, {"-2147483649", {}}, {"$100000000", {}}, {"\t1", {}}, {"1\r", {}},
        {"99999999999999999999", {}}};
    for (const auto& [text, value] : rows) EXPECT_EQ(ParseInteger(text), value) << "text: '" << text << "'";
    EXPECT_FAILURE(StrToInt("x1"), "ConvertError", "'x1' is not a valid integer value");
    // A 20,000-character value is quoted by its first 300, counted in characters: "ж" is two bytes.
    EXPECT_FAILURE(StrToInt(std::string(20000, 'x')), "ConvertError", "'" + std::string(300, 'x') + "...' is not a valid integer value");
    EXPECT_FAILURE(StrToInt(Repeated("ж", 400)), "ConvertError", "'" + Repeated("ж", 300) + "...' is not a valid integer value");
}

TEST(IntegerConversion, NumbersWrittenIntoRecordsAndMessagesAreFullDecimalsOfAnySize) {
    const std::pair<std::int64_t, const char*> rows[] = {
        {0, "0"}, {7, "7"}, {-10, "-10"}, {4294967296, "4294967296"},  // a payload past 4 GiB
        {INT64_MAX, "9223372036854775807"}, {INT64_MIN, "-9223372036854775808"}};
    for (const auto& [value, text] : rows) EXPECT_EQ(IntToStr(value), text);
}

}  // namespace
