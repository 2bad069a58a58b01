// Placing aligned children and sizing controls to their texts: the wizard's pages, button bars,
// side picture and titles rely on it.
#include "toolkit/layout.h"

#include <gtest/gtest.h>

#include <vector>

#include "toolkit/autosize.h"

namespace {

Rect Sized(int width, int height) { return {0, 0, width, height}; }

TEST(Layout, EdgeChildrenTakeStripsInCreationOrderAndClientChildrenTakeTheRest) {
    std::vector<LayoutChild> children{
        {Align::Client, Sized(5, 5)},   {Align::Top, Sized(10, 20)},   {Align::Left, Sized(30, 10)},
        {Align::Bottom, Sized(10, 40)}, {Align::Top, Sized(10, 15)},   {Align::Right, Sized(25, 10)},
        {Align::None, {7, 8, 9, 10}},
    };
    ArrangeChildren({0, 0, 400, 300}, 2, children.data(), children.size());
    EXPECT_EQ(children[1].bounds, (Rect{2, 2, 398, 22}));      // first top strip
    EXPECT_EQ(children[4].bounds, (Rect{2, 24, 398, 39}));     // second top strip below it
    EXPECT_EQ(children[3].bounds, (Rect{2, 258, 398, 298}));   // bottom strip
    EXPECT_EQ(children[2].bounds, (Rect{2, 41, 32, 256}));     // left, between the strips
    EXPECT_EQ(children[5].bounds, (Rect{373, 41, 398, 256}));  // right
    EXPECT_EQ(children[0].bounds, (Rect{34, 41, 371, 256}));   // what is left, less the margin
    EXPECT_EQ(children[6].bounds, (Rect{7, 8, 9, 10}));        // unaligned: where it was
}

TEST(AutoSize, ExtrasAddToTheMeasuredTextOnlyInDimensionsTheAlignmentLeavesFree) {
    const AutoSizeExtras label{1, 1}, button{14, 0}, edit{0, 6};
    const Size text{40, 13}, current{100, 22};
    EXPECT_EQ(AutoSizedSize(Align::None, label, text, current), (Size{41, 14}));
    EXPECT_EQ(AutoSizedSize(Align::None, label, {0, 0}, current), (Size{1, 1}));  // empty label
    EXPECT_EQ(AutoSizedSize(Align::None, button, text, current), (Size{54, 22}));
    EXPECT_EQ(AutoSizedSize(Align::None, edit, text, current), (Size{100, 19}));
    EXPECT_EQ(AutoSizedSize(Align::Top, label, text, current), (Size{100, 14}));  // width stretched
    EXPECT_EQ(AutoSizedSize(Align::Left, label, text, current), (Size{41, 22}));  // height stretched
    EXPECT_EQ(AutoSizedSize(Align::Client, label, text, current), current);
    EXPECT_EQ(AutoSizeText("Далее", true), "Далее ");  // italic glyphs get a space more room
}

}  // namespace
