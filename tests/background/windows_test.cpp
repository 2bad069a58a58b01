// The splash and background windows, built in this process on real windows.
#include <gtest/gtest.h>

#include <algorithm>

#include "background/ground_window.h"
#include "background/splash_window.h"
#include "package/setting_lines.h"
#include "program/program.h"
#include "tests/support/failure_capture.h"
#include "tests/support/test_settings.h"
#include "tests/toolkit/toolkit_fixture.h"
#include "toolkit/gradient.h"

namespace {

using Background = ToolkitTest;

TEST_F(Background, SplashIsACentredEllipseShowingWhiteVerdanaTextOverABlackToWhiteGradient) {
    SplashRecord& splash = CreateSplashWindow(App(), [](void*, Timer& t) { t.SetTimerEnabled(false); }, nullptr);
    StartApplication(App());
    const HWND window = splash.SetupProgram->GetWindowHandle();
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_NEAR(outer.left + outer.right, GetSystemMetrics(SM_CXSCREEN), 1) << "centred";
    // An ellipse within the outer size the window had with its caption and frame, now gone.
    EXPECT_FALSE(GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION);
    const HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, shape), ERROR);
    for (const POINT in : {POINT{144, 42}, POINT{6, 42}, POINT{281, 42}, POINT{144, 6}, POINT{144, 77}})
        EXPECT_TRUE(PtInRegion(shape, in.x, in.y)) << in.x << "," << in.y;
    for (const POINT out : {POINT{2, 2}, POINT{10, 10}, POINT{278, 75}, POINT{144, 2}, POINT{285, 42}})
        EXPECT_FALSE(PtInRegion(shape, out.x, out.y)) << out.x << "," << out.y;
    DeleteObject(shape);

    EXPECT_EQ(splash.Text->GetFont().Log().lfHeight, 13);
    EXPECT_STREQ(splash.Text->GetFont().Log().lfFaceName, L"verdana");
    const Picture panel = PrintClient(splash.Panel->GetWindowHandle());
    EXPECT_EQ(panel.At(5, 0), Grey(0));
    EXPECT_GT(panel.At(5, panel.height - 1) & 0xFF, 240u);
    // White letters, and the panel's gradient (never the label's own colour) around them.
    const Picture text = PrintClient(splash.Text->GetWindowHandle());
    EXPECT_GT(std::count(text.pixels.begin(), text.pixels.end(), 0xFFFFFFu), 30);
    const Rect at = splash.Text->GetBounds();
    for (int y = 0; y < text.height; ++y)
        EXPECT_EQ(text.At(text.width - 1, y), panel.At(at.left + text.width - 1, at.top + y)) << "row " << y;
}

// The background as the program shows it: maximised, then configured; what its panel paints.
Picture ShowGround(Application& app, GroundRecord& ground, const StringList& settings) {
    ground.Ground->SetWindowState(2);
    ConfigureGround(ground, settings);
    ground.Ground->Show();
    ProcessMessages(app);
    return PrintClient(ground.GroundPanel->GetWindowHandle());
}

TEST_F(Background, GroundStaysHiddenWithoutACloseCommandThenFillsTheScreenWithThePackagesColors) {
    Program program;
    GroundRecord& ground = CreateGroundWindow(App(), program);
    StartApplication(App());
    const HWND window = ground.Ground->GetWindowHandle();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetMenuState(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
    StringList s = TestSettings();
    s[setting::kTitle2Italic] = "1";
    const Picture p = ShowGround(App(), ground, s);
    const int x = p.width - 2, n = p.height;
    // A band a row, from colour 1 in the top row to one band short of colour 2.
    const std::vector<std::uint32_t> rows = LinearBandColors(0xFF8000, 0x00FF00, n);
    for (int y = 0; y < n; ++y) ASSERT_EQ(p.At(x, y), rows[y]) << "row " << y;

    // The titles in the package's fonts: 28 and 10 points, bold and italic or italic alone.
    const Font &font1 = ground.GroundTitle1->GetFont(), &font2 = ground.GroundTitle2->GetFont();
    EXPECT_EQ(std::pair(font1.Log().lfHeight, font1.GetFontStyle()), std::pair(43L, kFontBold | kFontItalic));
    EXPECT_STREQ(font1.Log().lfFaceName, L"Arial");
    EXPECT_EQ(ground.GroundTitle1->GetTextColor(), 0xFFFF00);
    EXPECT_EQ(std::pair(font2.Log().lfHeight, font2.GetFontStyle()), std::pair(16L, int{kFontItalic}));
    // The character set the title's window really gets: the package's default (1) draws Cyrillic
    // on a Windows of any language; a set the package names is kept.
    for (const auto& [named, created] : {std::pair{"1", 204}, {"204", 204}, {"0", 0}, {"238", 238}}) {
        s[setting::kTitle2Charset] = named;
        const HWND title2 = (ShowGround(App(), ground, s), ground.GroundTitle2->GetWindowHandle());
        LOGFONTW shown{};
        ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(title2, WM_GETFONT, 0, 0)), sizeof shown, &shown));
        EXPECT_EQ(shown.lfCharSet, created) << named;
    }

    s[setting::kBackgroundGradient] = "0";  // the plain background colour
    const Picture plain = ShowGround(App(), ground, s);
    EXPECT_TRUE(plain.At(x, 0) == 0x800000u && plain.At(x, n - 1) == 0x800000u);
    for (const char* off : {"0", "", " 1"}) {  // left to right unless the flag is "1"
        s = TestSettings();
        s[setting::kGradientTopToBottom] = off;
        const Picture across = ShowGround(App(), ground, s);
        const std::vector<std::uint32_t> columns = LinearBandColors(0xFF8000, 0x00FF00, across.width);
        for (int column = 0; column < across.width; ++column)
            ASSERT_EQ(across.At(column, n - 1), columns[column]) << "'" << off << "': column " << column;
    }
    s[setting::kTitle1FontSize] = "big";
    EXPECT_FAILURE(ConfigureGround(ground, s), "ConvertError", "'big' is not a valid integer value");
}

}  // namespace
