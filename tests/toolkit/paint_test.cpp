// Pixels the wizard's shaped panel paints, read back through WM_PRINTCLIENT. (The linear panels:
// the background test reads the splash's and the background's top and bottom rows and left column.)
#include "tests/toolkit/toolkit_fixture.h"

namespace {

using Painting = ToolkitTest;

TEST_F(Painting, WizardsRhombusIsBlackAtTheTopLeftAndLightensTowardTheBottomRight) {
    Form& form = CreateForm(App(), "Form");
    GradientPanel& rhombus = CreateShapedGradientPanel(form, 0x000000, 0xFFFFFF, kGradientRhombus, 0);
    rhombus.SetBounds({0, 60, 164, 374});
    const Picture picture = PrintClient(rhombus.GetWindowHandle());
    // The shapes sit one pixel right of and below their computed corner: the black seed covers
    // (1,1), and the corner pixel itself belongs to the first lighter ring.
    EXPECT_EQ(picture.At(1, 1), Grey(0));
    EXPECT_EQ(picture.At(0, 0), Grey(2));
    for (const auto pixel : picture.pixels) ASSERT_EQ(pixel, Grey(pixel & 0xFF));
    for (int i = 2; i < 164; ++i) {  // never darker further along the diagonal or the top edge
        EXPECT_GE(picture.At(i, i * 313 / 163) & 0xFF, picture.At(i - 1, (i - 1) * 313 / 163) & 0xFF);
        EXPECT_GE(picture.At(i, 1) & 0xFF, picture.At(i - 1, 1) & 0xFF);
    }
    EXPECT_GE(picture.At(163, 313) & 0xFF, 250u);
}

}  // namespace
