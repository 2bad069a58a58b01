// The splash and background windows, built in this process on real windows.
#include <gtest/gtest.h>

#include "background/ground_window.h"
#include "background/splash_window.h"
#include "package/setting_lines.h"
#include "program/program.h"
#include "runtime/errors.h"
#include "tests/support/screen.h"
#include "tests/toolkit/toolkit_fixture.h"
#include "tests/support/failure_capture.h"

namespace {

int g_ticks = 0;
void CountTick(void*, Timer& timer) {
    ++g_ticks;
    timer.SetTimerEnabled(false);
}

class Splash : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        g_ticks = 0;
        splash_ = &CreateSplashWindow(App(), CountTick, nullptr);
        StartApplication(App());
        Pump();
    }
    SplashRecord* splash_ = nullptr;
};

TEST_F(Splash, IsAnEllipseCentredOnTheScreenByItsOuterSize) {
    HWND window = splash_->SetupProgram->GetWindowHandle();
    EXPECT_TRUE(IsWindowVisible(window));
    RECT outer;
    GetWindowRect(window, &outer);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - width) >> 1);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - height) >> 1);
    // The ellipse was laid out for the outer size with the caption and frame, which the window
    // keeps although it shows neither.
    EXPECT_GT(width, 280);
    EXPECT_GT(height, 59);
    EXPECT_FALSE(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION);

    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, shape), ERROR);
    HRGN ellipse = CreateEllipticRgn(4, 4, 284, 80);
    RECT box{}, expected{};
    GetRgnBox(shape, &box);
    GetRgnBox(ellipse, &expected);
    EXPECT_TRUE(EqualRect(&box, &expected)) << "region " << box.left << "," << box.top << "-" << box.right << ","
                                            << box.bottom;
    // Inside the ellipse and outside it near the window's corners.
    EXPECT_TRUE(PtInRegion(shape, 144, 42));
    EXPECT_TRUE(PtInRegion(shape, 6, 42));
    EXPECT_TRUE(PtInRegion(shape, 144, 6));
    EXPECT_FALSE(PtInRegion(shape, 2, 2));
    EXPECT_FALSE(PtInRegion(shape, 10, 10));
    EXPECT_FALSE(PtInRegion(shape, 278, 75));
    DeleteObject(shape);
    DeleteObject(ellipse);
}

TEST_F(Splash, ShowsItsTextInWhiteOverTheBlackToWhiteGradient) {
    EXPECT_EQ(splash_->Text->GetText(), "Инициализация мастера установки...");
    EXPECT_EQ(splash_->Text->GetLeft(), 30);
    EXPECT_EQ(splash_->Text->GetTop(), 30);
    EXPECT_EQ(splash_->Text->GetFont().Log().lfHeight, 13);
    EXPECT_STREQ(splash_->Text->GetFont().Log().lfFaceName, "verdana");

    const Picture panel = PrintClient(splash_->Panel->GetWindowHandle());
    EXPECT_EQ(panel.At(5, 0), Grey(0));
    EXPECT_GT(panel.At(5, panel.height - 1) & 0xFF, 240u);

    // On the screen: white letters, and the gradient (never the label's own colour) around them.
    RedrawWindow(splash_->SetupProgram->GetWindowHandle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    RECT text;
    GetWindowRect(splash_->Text->GetWindowHandle(), &text);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const std::uint32_t faceRgb = GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);
    int white = 0, labelColor = 0;
    for (std::uint32_t p : CaptureScreen(text)) {
        if (p == 0xFFFFFF) ++white;
        if (p == faceRgb) ++labelColor;
    }
    EXPECT_GT(white, 30);
    EXPECT_EQ(labelColor, 0);
}

TEST_F(Splash, TimerTicksOnceAlthoughShowingEnablesItAgain) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 1300) {
        Pump();
        Sleep(20);
    }
    EXPECT_EQ(g_ticks, 1);
}

StringList GroundSettings() {
    using namespace setting;
    StringList s(kCount);
    s[kBackgroundGradient] = "1";
    s[kBackgroundColor] = "8388608";
    s[kGradientColor1] = "16744448";
    s[kGradientColor2] = "65280";
    s[kTitle1Show] = s[kTitle2Show] = "1";
    s[kTitle1Text] = "Редактор заметок";
    s[kTitle2Text] = "© Rodev";
    s[kTitle1FontSize] = "28", s[kTitle1FontName] = "Arial", s[kTitle1FontColor] = "16776960";
    s[kTitle1Charset] = "204";
    s[kTitle1Bold] = "1", s[kTitle1Italic] = "1", s[kTitle1Underline] = "0", s[kTitle1Strikeout] = "0";
    s[kTitle2FontSize] = "10", s[kTitle2FontName] = "MS Sans Serif", s[kTitle2FontColor] = "16777215";
    s[kTitle2Charset] = "1";
    s[kTitle2Bold] = s[kTitle2Italic] = s[kTitle2Underline] = s[kTitle2Strikeout] = "0";
    s[setting::kGradientTopToBottom] = "1";  // not the toolkit's gradient style of that name
    return s;
}

class Ground : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        ground_ = &CreateGroundWindow(App(), program_);
        StartApplication(App());
    }
    void Configure(const StringList& settings) {
        ground_->Ground->SetWindowState(2);
        ConfigureGround(*ground_, settings);
        ground_->Ground->Show();
        Pump();
    }
    Picture Background() { return PrintClient(ground_->GroundPanel->GetWindowHandle()); }

    Program program_;
    GroundRecord* ground_ = nullptr;
};

TEST_F(Ground, StaysHiddenBorderlessAndWithoutACloseCommandUntilConfigured) {
    HWND window = ground_->Ground->GetWindowHandle();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(GetWindowLongA(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
    EXPECT_EQ(GetMenuState(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST_F(Ground, FillsTheScreenWithThePackagesGradientFromTopToBottom) {
    Configure(GroundSettings());
    RECT outer;
    GetWindowRect(ground_->Ground->GetWindowHandle(), &outer);
    EXPECT_EQ(outer.right - outer.left, GetSystemMetrics(SM_CXSCREEN));
    const Picture p = Background();
    const int x = p.width - 2;
    EXPECT_EQ(p.At(x, 0), 0xFF8000u);  // colour 1 in the top row
    // The bottom row is one band short of colour 2.
    const int n = p.height;
    const auto band = [n](int first, int second, int i) { return (first + (second - first) * i / n) & 0xFF; };
    EXPECT_EQ(p.At(x, n - 1), static_cast<std::uint32_t>(band(0x00, 0x00, n - 1) | band(0x80, 0xFF, n - 1) << 8 |
                                                          band(0xFF, 0x00, n - 1) << 16));
    EXPECT_EQ(p.At(1, 0), p.At(x, 0)) << "a whole row is one band";
}

TEST_F(Ground, PlainColorModeAndLeftToRightStyle) {
    StringList s = GroundSettings();
    s[setting::kBackgroundGradient] = "0";
    Configure(s);
    Picture p = Background();
    EXPECT_EQ(p.At(p.width - 2, 0), 0x800000u);
    EXPECT_EQ(p.At(p.width - 2, p.height - 1), 0x800000u);

    for (const char* off : {"0", "", " 1"}) {
        s = GroundSettings();
        s[setting::kGradientTopToBottom] = off;
        ConfigureGround(*ground_, s);
        Pump();
        p = Background();
        EXPECT_EQ(p.At(0, p.height - 1), 0xFF8000u) << "'" << off << "': colour 1 in the left column";
        EXPECT_NE(p.At(p.width - 1, p.height - 1), 0xFF8000u) << off;
    }
}

TEST_F(Ground, TitlesTakeTheirFontsAndTheSecondSitsNearTheBottom) {
    Configure(GroundSettings());
    Label& title1 = *ground_->GroundTitle1;
    Label& title2 = *ground_->GroundTitle2;
    EXPECT_EQ(title1.GetText(), "Редактор заметок");
    EXPECT_EQ(title1.GetFont().Log().lfHeight, 43);
    EXPECT_EQ(title1.GetFont().GetFontStyle(), kFontBold | kFontItalic);
    EXPECT_EQ(title1.GetFont().Log().lfCharSet, 204);
    EXPECT_EQ(title1.GetLeft(), 8);
    EXPECT_EQ(title1.GetTop(), 8);
    EXPECT_EQ(title2.GetFont().Log().lfHeight, 16);
    EXPECT_EQ(title2.GetLeft(), 8);
    EXPECT_EQ(title2.GetTop(), ground_->Ground->GetHeight() - 24);
    EXPECT_TRUE(title1.IsVisible() && title2.IsVisible());
}

TEST_F(Ground, ItalicWithoutBoldAndAHiddenSecondTitleStaysWhereItWasMade) {
    StringList s = GroundSettings();
    s[setting::kTitle1Bold] = "0";
    s[setting::kTitle2Show] = "0";
    Configure(s);
    EXPECT_EQ(ground_->GroundTitle1->GetFont().GetFontStyle(), kFontItalic);
    EXPECT_FALSE(ground_->GroundTitle2->IsVisible());
    EXPECT_EQ(ground_->GroundTitle2->GetText(), "Label2");
    EXPECT_EQ(ground_->GroundTitle2->GetTop(), 264);

}

TEST_F(Ground, HiddenFirstTitleKeepsItsFirstText) {
    StringList s = GroundSettings();
    s[setting::kTitle1Show] = "0";
    Configure(s);
    EXPECT_FALSE(ground_->GroundTitle1->IsVisible());
    EXPECT_EQ(ground_->GroundTitle1->GetText(), "Label1");
    EXPECT_EQ(ground_->GroundTitle1->GetFont().Log().lfHeight, 24);
}

TEST_F(Ground, SettingThatIsNotANumberIsAnError) {
    StringList s = GroundSettings();
    s[setting::kTitle1FontSize] = "big";
    EXPECT_FAILURE(ConfigureGround(*ground_, s), "ConvertError", "'big' is not a valid integer value");
}

}  // namespace
