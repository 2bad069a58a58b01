// Colours of the gradient panels: the splash and background windows and the wizard's side picture
// show exactly these.
#include "toolkit/gradient.h"

#include <gtest/gtest.h>

#include "runtime/color.h"

namespace {

constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;

std::uint32_t Grey(int level) { return MakeRgb(level, level, level); }

TEST(LinearGradient, BlackToWhiteOver256RowsStartsWithTwoBlackRowsAndStopsShortOfWhite) {
    const auto bands = LinearBandColors(kBlack, kWhite, 256);
    ASSERT_EQ(bands.size(), 256u);
    EXPECT_EQ(bands[0], kBlack);
    EXPECT_EQ(bands[1], kBlack);
    for (int i = 1; i < 256; ++i) EXPECT_EQ(bands[i], Grey(i - 1)) << "row " << i;
    EXPECT_EQ(bands[255], Grey(254));
}

TEST(LinearGradient, OneBandIsTheFirstColorAndNoBandsPaintNothing) {
    EXPECT_EQ(LinearBandColors(0x123456, 0xABCDEF, 1), std::vector<std::uint32_t>{0x123456});
    EXPECT_TRUE(LinearBandColors(kBlack, kWhite, 0).empty());
    EXPECT_TRUE(LinearBandColors(kBlack, kWhite, -5).empty());
}

TEST(LinearGradient, EqualColorsGiveOneSolidColor) {
    for (const auto band : LinearBandColors(0x336699, 0x336699, 40)) EXPECT_EQ(band, 0x336699u);
}

TEST(LinearGradient, EachComponentMovesOnItsOwnAndFallingOnesTruncateTowardZero) {
    // Red falls 255 -> 0, green rises 0 -> 100, blue stays.
    const auto bands = LinearBandColors(MakeRgb(255, 0, 7), MakeRgb(0, 100, 7), 3);
    EXPECT_EQ(bands[1], MakeRgb(255 - 85, 33, 7));
    EXPECT_EQ(bands[2], MakeRgb(255 - 170, 66, 7));
}

TEST(ShapedGradient, RhombusFromBlackToWhiteStartsBlackThenTwoThenRisesByOneToWhite) {
    const auto rings = ShapedGradientRings(164, 314, kBlack, kWhite, kGradientRhombus, 0);
    ASSERT_GE(rings.size(), 250u);
    EXPECT_EQ(rings[0].color, kBlack);
    EXPECT_EQ(rings[1].color, Grey(2));
    EXPECT_EQ(rings.back().color, kWhite);
    for (std::size_t i = 2; i < rings.size(); ++i) {
        const int step = RedOf(rings[i].color) - RedOf(rings[i - 1].color);
        EXPECT_TRUE(step == 1 || step == 0) << "ring " << i;
        EXPECT_EQ(rings[i].color, Grey(RedOf(rings[i].color)));
    }
}

TEST(ShapedGradient, RhombusAnchoredTopLeftGrowsFromTheCornerPastTheFarCorner) {
    const int w = 164, h = 314;
    const auto rings = ShapedGradientRings(w, h, kBlack, kWhite, kGradientRhombus, 0);
    // The first shape sits on the top-left corner; each later one is at least as large.
    EXPECT_LE(rings[0].bounds.left, 1);
    EXPECT_LE(rings[0].bounds.top, 1);
    for (std::size_t i = 1; i < rings.size(); ++i) {
        EXPECT_LE(rings[i].bounds.left, rings[i - 1].bounds.left);
        EXPECT_GE(rings[i].bounds.right, rings[i - 1].bounds.right);
        EXPECT_GE(rings[i].bounds.bottom, rings[i - 1].bounds.bottom);
    }
    // The last rhombus, centred on the corner, still contains the opposite corner (w, h): its
    // half-diagonals are at least twice the panel's sides.
    const Rect& last = rings.back().bounds;
    EXPECT_GE(last.right, 2 * w - 2);
    EXPECT_GE(last.bottom, 2 * h - 2);
    const auto corners = RhombusCorners(last);
    EXPECT_EQ(corners[1], (Point{last.left + last.Width() / 2, last.top}));
}

TEST(ShapedGradient, AnchorPutsTheFirstShapeOnThatPoint) {
    const int w = 256, h = 256;
    const auto centre = ShapedGradientRings(w, h, kBlack, kWhite, kGradientRectangle, 4);
    const Rect& seed = centre.front().bounds;
    EXPECT_NEAR((seed.left + seed.right) / 2, w / 2 + 1, 1);
    EXPECT_NEAR((seed.top + seed.bottom) / 2, h / 2 + 1, 1);
    const auto bottomRight = ShapedGradientRings(w, h, kBlack, kWhite, kGradientRectangle, 8);
    EXPECT_NEAR(bottomRight.front().bounds.right, w + 2, 1);
    EXPECT_NEAR(bottomRight.front().bounds.bottom, h + 2, 1);
}

TEST(ShapedGradient, StepsWhoseColorDoesNotChangeAreSkippedAndUnknownStylesPaintNothing) {
    // Only a 3-level span: far fewer shapes than 256.
    const auto rings = ShapedGradientRings(100, 100, Grey(10), Grey(13), kGradientEllipse, 0);
    EXPECT_LE(rings.size(), 5u);
    for (std::size_t i = 1; i < rings.size(); ++i) EXPECT_NE(rings[i].color, rings[i - 1].color);
    EXPECT_TRUE(ShapedGradientRings(100, 100, kBlack, kWhite, kGradientTopToBottom, 0).empty());
    EXPECT_TRUE(ShapedGradientRings(100, 100, kBlack, kWhite, 9, 0).empty());
}

}  // namespace
