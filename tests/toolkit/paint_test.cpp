// Pixels the panels paint, read back through WM_PRINTCLIENT: the splash, background and wizard
// pictures show exactly these colours.
#include "tests/toolkit/toolkit_fixture.h"

namespace {

class Painting : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        form_ = &CreateForm(App(), "Form");
        form_->SetClientSize(600, 400);
    }
    Form* form_ = nullptr;
};

TEST_F(Painting, LinearPanelOf256RowsHasTwoBlackRowsThenRowIInGreyIMinusOne) {
    GradientPanel& panel = CreateGradientPanel(*form_, 0x000000, 0xFFFFFF);
    panel.SetBounds({0, 0, 30, 256});
    const Picture picture = PrintClient(panel.GetWindowHandle());
    ASSERT_EQ(picture.height, 256);
    EXPECT_EQ(picture.At(0, 0), Grey(0));
    EXPECT_EQ(picture.At(29, 1), Grey(0));
    for (int row = 1; row < 256; ++row) {
        ASSERT_EQ(picture.At(0, row), Grey(row - 1)) << "row " << row;
        ASSERT_EQ(picture.At(29, row), Grey(row - 1)) << "row " << row;
    }
}

TEST_F(Painting, OneRowPanelShowsTheFirstColorAndEqualColorsShowOneColor) {
    GradientPanel& thin = CreateGradientPanel(*form_, 0x3366CC, 0xFFFFFF);
    thin.SetBounds({0, 0, 20, 1});
    for (const auto pixel : PrintClient(thin.GetWindowHandle()).pixels) EXPECT_EQ(pixel, 0x3366CCu);
    GradientPanel& solid = CreateGradientPanel(*form_, 0x00AA55, 0x00AA55);
    solid.SetBounds({0, 10, 40, 60});
    for (const auto pixel : PrintClient(solid.GetWindowHandle()).pixels) ASSERT_EQ(pixel, 0x00AA55u);
}

TEST_F(Painting, LeftToRightPanelVariesByColumnOnly) {
    GradientPanel& panel = CreateGradientPanel(*form_, 0x0000FF, 0xFF0000);
    panel.SetGradientStyle(kGradientLeftToRight);
    panel.SetBounds({0, 0, 100, 50});
    const Picture picture = PrintClient(panel.GetWindowHandle());
    for (int x = 0; x < 100; ++x) {
        const std::uint32_t expected = (255 - 255 * x / 100) | ((255 * x / 100) << 16);
        ASSERT_EQ(picture.At(x, 0), expected) << "column " << x;
        ASSERT_EQ(picture.At(x, 49), expected) << "column " << x;
    }
}

TEST_F(Painting, RhombusPanelIsBlackAtTheTopLeftThenGreyTwoThenLighterTowardTheBottomRight) {
    GradientPanel& panel = CreateShapedGradientPanel(*form_, 0x000000, 0xFFFFFF, kGradientRhombus, 0);
    panel.SetBounds({0, 0, 164, 314});
    const Picture picture = PrintClient(panel.GetWindowHandle());
    // The shapes sit one pixel right of and below their computed corner: the black seed covers
    // (1,1), and the corner pixel itself belongs to the first lighter ring.
    EXPECT_EQ(picture.At(1, 1), Grey(0));
    EXPECT_EQ(picture.At(0, 0), Grey(2));
    // Every pixel is grey, and the level never falls from there along the diagonal or the edges.
    for (const auto pixel : picture.pixels) ASSERT_EQ(pixel, Grey(pixel & 0xFF));
    for (int i = 2; i < 164; ++i) {
        EXPECT_GE(picture.At(i, i * 313 / 163) & 0xFF, picture.At(i - 1, (i - 1) * 313 / 163) & 0xFF);
        EXPECT_GE(picture.At(i, 1) & 0xFF, picture.At(i - 1, 1) & 0xFF);
    }
    EXPECT_GE(picture.At(163, 313) & 0xFF, 250u);
}

TEST_F(Painting, LargerRhombusStepsFromBlackStraightToGreyTwo) {
    GradientPanel& panel = CreateShapedGradientPanel(*form_, 0x000000, 0xFFFFFF, kGradientRhombus, 0);
    panel.SetBounds({0, 0, 512, 512});
    const Picture picture = PrintClient(panel.GetWindowHandle());
    EXPECT_EQ(picture.At(1, 1), Grey(0));
    bool sawTwo = false, sawOne = false;
    for (int x = 0; x < 20; ++x) {
        sawTwo |= picture.At(x, x) == Grey(2);
        sawOne |= picture.At(x, x) == Grey(1);
    }
    EXPECT_TRUE(sawTwo);
    EXPECT_FALSE(sawOne);
}

TEST_F(Painting, TransparentLabelShowsTheGradientAroundItsText) {
    GradientPanel& panel = CreateGradientPanel(*form_, 0x000000, 0xFFFFFF);
    panel.SetBounds({0, 0, 200, 256});
    Label& label = CreateLabel(panel, "Добро пожаловать");
    label.SetTransparent(true);
    label.GetFont().SetFontColor(0x0000FF);
    label.SetBounds({10, 100, 190, 130});
    const Picture picture = PrintClient(label.GetWindowHandle());
    // The right end holds no text: it shows the panel's rows 100..129.
    for (int y = 0; y < 30; ++y) ASSERT_EQ(picture.At(179, y), Grey(100 + y - 1)) << "row " << y;
    int red = 0;
    for (const auto pixel : picture.pixels) red += pixel == 0x0000FF;
    EXPECT_GT(red, 20);  // the text in the font's colour
}

TEST_F(Painting, OpaqueLabelPaintsItsOwnBackgroundColor) {
    Label& label = CreateLabel(*form_, "");
    label.SetColor(0x123456);
    const Picture picture = PrintClient(label.GetWindowHandle());
    EXPECT_EQ(picture.At(picture.width - 1, picture.height - 1), 0x123456u);
}

TEST_F(Painting, ImageViewDrawsTheMaskedPictureOverItsBackground) {
    // A 64 x 32 bitmap: two pictures, each red with a magenta (mask) left half.
    const HDC screen = GetDC(nullptr);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 64, 32);
    const HDC dc = CreateCompatibleDC(screen);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    for (int x = 0; x < 64; ++x) {
        for (int y = 0; y < 32; ++y) SetPixel(dc, x, y, (x % 32) < 16 ? RGB(255, 0, 255) : RGB(255, 0, 0));
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);

    ImageList& list = CreateImageList(*form_);
    list.SetImageListColors(6);
    EXPECT_EQ(list.AddMaskedBitmap(list.Keep(bitmap), 0xFF00FF), 0);
    EXPECT_EQ(ImageList_GetImageCount(list.Handle()), 2);
    ImageView& view = CreateImageView(*form_, &list, 0);
    view.SetColor(0x00FF00);
    EXPECT_EQ(view.GetWidth(), 32);
    const Picture picture = PrintClient(view.GetWindowHandle());
    EXPECT_EQ(picture.At(3, 3), 0x00FF00u);   // masked: the background shows
    EXPECT_EQ(picture.At(20, 3), 0x0000FFu);  // red
}

}  // namespace
