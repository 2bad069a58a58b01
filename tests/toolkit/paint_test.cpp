// Pixels the panels paint, read back through WM_PRINTCLIENT: the splash, background and wizard
// pictures show exactly these colours.
#include "tests/toolkit/toolkit_fixture.h"

namespace {

using Painting = ToolkitTest;

TEST_F(Painting, PanelsPaintTheirGradientInEveryStyleThePackagesUse) {
    Form& form = CreateForm(App(), "Form");
    // Linear panels paint whole rows or columns in their band colours.
    GradientPanel& rows = CreateGradientPanel(form, 0x000000, 0xFFFFFF);
    rows.SetBounds({0, 0, 30, 256});
    GradientPanel& columns = CreateGradientPanel(form, 0x0000FF, 0xFF0000);
    columns.SetGradientStyle(kGradientLeftToRight);
    columns.SetBounds({40, 0, 140, 50});
    const Picture down = PrintClient(rows.GetWindowHandle()), across = PrintClient(columns.GetWindowHandle());
    for (int y = 0; y < 256; ++y) {  // two black rows, then row y in grey y - 1
        ASSERT_EQ(down.At(0, y), Grey(y > 0 ? y - 1 : 0)) << "row " << y;
        ASSERT_EQ(down.At(29, y), down.At(0, y)) << "row " << y;
    }
    for (int x = 0; x < 100; ++x) {  // red falls as blue rises
        ASSERT_EQ(across.At(x, 0), (255 - 255 * x / 100) | ((255 * x / 100) << 16)) << "column " << x;
        ASSERT_EQ(across.At(x, 49), across.At(x, 0)) << "column " << x;
    }

    // The wizard's rhombus is black at the top left and lightens toward the bottom right.
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
