#include "package/settings.h"

#include <gtest/gtest.h>

#include "package/shifted_text.h"

namespace {

TEST(Settings, FontHeightIsSizeTimes155RoundedHalvesToEven) {
    const std::pair<int, int> rows[] = {{8, 12}, {10, 16}, {28, 43}, {30, 46}, {0, 0}, {1, 2}, {2, 3},
                                        {12, 19}, {14, 22}, {50, 78}, {-10, -16}, {-30, -46},
                                        {2147483647, INT32_MAX}, {-2147483648, INT32_MIN}, {100000000, 155000000}};
    for (const auto& [size, height] : rows) EXPECT_EQ(ScaledFontHeight(size), height) << "size " << size;
}

TEST(Settings, StoredLicenceTextTurnsBackIntoLineBreaksAndRussianLetters) {
    std::string stored = "\x8D\x8A\x40\x7F";
    UnshiftText(stored);
    EXPECT_EQ(stored, "\r\n\xC0\xFF");
}

}  // namespace
