// Placing aligned children: the wizard's pages, button bars and side picture rely on it.
#include "toolkit/layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

Rect Sized(int width, int height) { return {0, 0, width, height}; }

TEST(Layout, EdgeChildrenTakeStripsInCreationOrderAndClientChildrenTakeTheRest) {
    std::vector<LayoutChild> children{
        {Align::Client, Sized(5, 5)}, {Align::Top, Sized(10, 20)},  {Align::Left, Sized(30, 10)},
        {Align::Bottom, Sized(10, 40)}, {Align::Top, Sized(10, 15)}, {Align::Right, Sized(25, 10)},
    };
    ArrangeChildren({0, 0, 400, 300}, 2, children.data(), children.size());
    EXPECT_EQ(children[1].bounds, (Rect{2, 2, 398, 22}));      // first top strip
    EXPECT_EQ(children[4].bounds, (Rect{2, 24, 398, 39}));     // second top strip below it
    EXPECT_EQ(children[3].bounds, (Rect{2, 258, 398, 298}));   // bottom strip
    EXPECT_EQ(children[2].bounds, (Rect{2, 41, 32, 256}));     // left, between the strips
    EXPECT_EQ(children[5].bounds, (Rect{373, 41, 398, 256}));  // right
    EXPECT_EQ(children[0].bounds, (Rect{34, 41, 371, 256}));   // what is left, less the margin
}

TEST(Layout, MarginZeroPutsChildrenOnTheEdges) {
    std::vector<LayoutChild> children{{Align::Top, Sized(1, 20)}, {Align::Client, Sized(1, 1)}};
    ArrangeChildren({0, 0, 100, 100}, 0, children.data(), children.size());
    EXPECT_EQ(children[0].bounds, (Rect{0, 0, 100, 20}));
    EXPECT_EQ(children[1].bounds, (Rect{0, 20, 100, 100}));
}

TEST(Layout, ChildrenThatDoNotFitCollapseInsteadOfTurningInsideOut) {
    std::vector<LayoutChild> children{
        {Align::Top, Sized(1, 80)}, {Align::Bottom, Sized(1, 80)}, {Align::Client, Sized(1, 1)}, {Align::Left, Sized(50, 1)}};
    ArrangeChildren({0, 0, 30, 100}, 4, children.data(), children.size());
    for (const auto& child : children) {
        EXPECT_GE(child.bounds.right, child.bounds.left);
        EXPECT_GE(child.bounds.bottom, child.bounds.top);
    }
    EXPECT_EQ(children[0].bounds, (Rect{4, 4, 26, 84}));
    EXPECT_EQ(children[2].bounds.Height(), 0);  // nothing left between the strips
}

TEST(Layout, UnalignedChildrenStayWhereTheyAre) {
    std::vector<LayoutChild> children{{Align::None, {7, 8, 9, 10}}, {Align::Client, Sized(1, 1)}};
    ArrangeChildren({0, 0, 50, 50}, 2, children.data(), children.size());
    EXPECT_EQ(children[0].bounds, (Rect{7, 8, 9, 10}));
    EXPECT_EQ(children[1].bounds, (Rect{2, 2, 48, 48}));
}

}  // namespace
