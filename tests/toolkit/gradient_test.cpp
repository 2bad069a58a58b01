// Colours of the gradient panels: the splash and background windows and the wizard's side picture
// show exactly these.
#include "toolkit/gradient.h"

#include <gtest/gtest.h>

#include "runtime/color.h"

namespace {

constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;

std::uint32_t Grey(int level) { return MakeRgb(level, level, level); }

TEST(LinearGradient, BandsStepFromTheFirstColorTowardTheSecondTruncatingEachComponent) {
    struct Case {
        std::uint32_t first, second;
        int count;
        std::vector<std::uint32_t> bands;
    };
    const Case cases[] = {
        {kBlack, kWhite, 4, {kBlack, Grey(63), Grey(127), Grey(191)}},  // never reaches white
        {0x123456, 0xABCDEF, 1, {0x123456}},
        {kBlack, kWhite, 0, {}},
        {kBlack, kWhite, -5, {}},
        {0x336699, 0x336699, 3, {0x336699, 0x336699, 0x336699}},
        // Red falls toward zero, green rises, blue stays.
        {MakeRgb(255, 0, 7), MakeRgb(0, 100, 7), 3, {MakeRgb(255, 0, 7), MakeRgb(170, 33, 7), MakeRgb(85, 66, 7)}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LinearBandColors(c.first, c.second, c.count), c.bands) << std::hex << c.first << " " << c.count;
}

TEST(ShapedGradient, RhombusGrowsFromItsCornerInOneLevelStepsPastTheFarCornerToWhite) {
    const auto rings = ShapedGradientRings(164, 314, kBlack, kWhite, kGradientRhombus, 0);
    ASSERT_GE(rings.size(), 250u);
    EXPECT_EQ(rings[0].color, kBlack);
    EXPECT_EQ(rings[1].color, Grey(2));  // black goes straight to grey 2
    EXPECT_EQ(rings.back().color, kWhite);
    for (std::size_t i = 2; i < rings.size(); ++i)
        EXPECT_EQ(rings[i].color, Grey(RedOf(rings[i - 1].color) + 1)) << "ring " << i;
    // The last rhombus, centred on the corner, still covers the opposite corner.
    EXPECT_TRUE(rings.back().bounds.right >= 2 * 164 - 2 && rings.back().bounds.bottom >= 2 * 314 - 2);
}

}  // namespace
