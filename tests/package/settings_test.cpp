#include "package/settings.h"

#include <gtest/gtest.h>

#include "package/shifted_text.h"
#include "runtime/color.h"

namespace {

TEST(Settings, FlagIsOnOnlyForTheTextOne) {
    EXPECT_TRUE(IsFlagOn("1"));
    for (const char* off : {"0", "", " 1", "1 ", "01", "+1", "true"}) EXPECT_FALSE(IsFlagOn(off)) << off;
}

TEST(Settings, FontHeightIsSizeTimes155RoundedHalvesToEven) {
    const std::pair<int, int> rows[] = {{8, 12}, {10, 16}, {28, 43}, {30, 46}, {0, 0}, {1, 2}, {2, 3},
                                        {12, 19}, {14, 22}, {50, 78}, {-10, -16}, {-30, -46}};
    for (const auto& [size, height] : rows) EXPECT_EQ(ScaledFontHeight(size), height) << "size " << size;
}

TEST(Settings, ShiftedLicenceTextRestoresLineBreaksAndRussianLetters) {
    std::string stored = "\x8D\x8A\x40\x7F";
    UnshiftText(stored);
    EXPECT_EQ(stored, "\r\n\xC0\xFF");
    std::string text = "Лицензия\r\nтекст";
    std::string shifted = text;
    ShiftText(shifted);
    EXPECT_EQ(shifted.find_first_of("\r\n\x1A"), std::string::npos);
    UnshiftText(shifted);
    EXPECT_EQ(shifted, text);
    std::string empty;
    UnshiftText(empty);
    EXPECT_EQ(empty, "");
}

TEST(Settings, TextThatCannotBeShiftedIsFound) {
    EXPECT_EQ(FindUnshiftableByte("ok text"), std::string::npos);
    EXPECT_EQ(FindUnshiftableByte("ab\x8D"), 2u);
    EXPECT_EQ(FindUnshiftableByte("\x8A"), 0u);
    EXPECT_EQ(FindUnshiftableByte("x\x9A"), 1u);
}

TEST(Colors, HighBitNamesASystemColorByItsLowByte) {
    EXPECT_TRUE(IsSystemColor(-16777208));
    EXPECT_EQ(SystemColorIndex(-16777208), 8);
    EXPECT_EQ(SystemColorIndex(static_cast<std::int32_t>(0x8000000F)), 15);
    EXPECT_FALSE(IsSystemColor(0xFF8000));
    EXPECT_EQ(RedOf(16744448), 0x00);
    EXPECT_EQ(GreenOf(16744448), 0x80);
    EXPECT_EQ(BlueOf(16744448), 0xFF);
    EXPECT_EQ(MakeRgb(1, 2, 3), 0x030201u);
}

}  // namespace
