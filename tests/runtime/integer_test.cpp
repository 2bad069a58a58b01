#include "runtime/integer.h"

#include <gtest/gtest.h>

#include "runtime/errors.h"
#include "tests/support/failure_capture.h"

namespace {

struct Row {
    const char* text;
    std::optional<std::int32_t> value;
};

class IntegerConversion : public testing::TestWithParam<Row> {};

TEST_P(IntegerConversion, ConvertsAsPackagesWriteNumbers) {
    EXPECT_EQ(ParseInteger(GetParam().text), GetParam().value) << "text: '" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IntegerConversion,
    testing::Values(Row{"0", 0}, Row{"42", 42}, Row{"  7", 7}, Row{"+0", 0}, Row{"-3", -3}, Row{"$A", 10},
                    Row{"$ff", 255}, Row{"-$10", -16}, Row{" -1", -1}, Row{"2147483647", 2147483647},
                    Row{"-2147483648", INT32_MIN}, Row{"$FFFFFFFF", -1}, Row{"8388608", 8388608},
                    Row{"-16777208", -16777208},
                    // Text that is no number.
                    Row{"", std::nullopt}, Row{"   ", std::nullopt}, Row{"abc", std::nullopt},
                    Row{"$", std::nullopt}, Row{"-", std::nullopt}, Row{"+", std::nullopt},
                    Row{"1 ", std::nullopt}, Row{"1a", std::nullopt}, Row{"0x10", std::nullopt},
                    Row{"--1", std::nullopt}, Row{"2147483648", std::nullopt}, Row{"-2147483649", std::nullopt},
                    Row{"$100000000", std::nullopt}, Row{"\t1", std::nullopt}, Row{"1\r", std::nullopt},
                    Row{"99999999999999999999", std::nullopt}));

TEST(IntegerConversion, FailureNamesTheTextInTheRuntimeMessage) {
    EXPECT_FAILURE(StrToInt("x1"), "ConvertError", "'x1' is not a valid integer value");
    EXPECT_FAILURE(StrToInt(""), "ConvertError", "'' is not a valid integer value");
}

}  // namespace
