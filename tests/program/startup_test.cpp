// The whole program from its start: splash, loading, background and wizard, driven from outside
// as a user would.
#include <gtest/gtest.h>

#include "package/package_writer.h"
#include "tests/support/child_program.h"
#include "tests/support/driver.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/screen.h"
#include "tests/support/test_settings.h"

namespace {

constexpr int kTimeout = 20000;
auto Caption(const std::string& text) {
    return [text](const WindowState& w) { return w.visible && w.text == text; };
}

class Startup : public testing::Test {
protected:
    const ChildProgram& Start(const StringList& settings) {
        WriteSetupProgram(program_, ComposePackage(settings, ""));
        child_.emplace(program_, temp_.Path());
        return *child_;
    }
    HWND Wizard() { return WaitForWindow(child_->Id(), Caption(kTestCaption), kTimeout); }
    // A package that asks for the background; returns the wizard once it shows.
    HWND StartWithBackground() {
        StringList s = TestSettings();
        s[setting::kBackground] = "1";
        Start(s);
        return Wizard();
    }
    HWND Ground() {
        for (HWND w : TopLevelWindows(child_->Id()))
            if (Describe(w).text == "Ground") return w;
        return nullptr;
    }

    ScratchFolder programs_, temp_;
    std::string program_ = programs_ / "setup.exe";
    std::optional<ChildProgram> child_;
};

TEST_F(Startup, SplashShowsFirstThenTheWizardTakesOverAndClosingTheHiddenSplashEnds) {
    const auto& child = Start(TestSettings());
    HWND splash = WaitForWindow(child.Id(), Caption("SetupProgram"), kTimeout);
    ASSERT_NE(splash, nullptr) << "the splash shows while the package loads";
    HWND wizard = Wizard();
    ASSERT_NE(wizard, nullptr);
    EXPECT_FALSE(WaitUntil(splash, [](const WindowState& w) { return !w.visible; }, kTimeout).visible)
        << "the splash is hidden once the package has loaded";
    ASSERT_NE(Ground(), nullptr);
    EXPECT_FALSE(Describe(Ground()).visible) << "no background unless the package asks for it";

    PostMessageA(splash, WM_CLOSE, 0, 0);
    EXPECT_EQ(child.WaitForExit(kTimeout), 0u);
}

TEST_F(Startup, WizardOpensOnItsWelcomePageInAFixedWindow) {
    Start(TestSettings());
    HWND wizard = Wizard();
    ASSERT_NE(wizard, nullptr);
    const WindowState w = Describe(wizard);
    EXPECT_EQ(w.client.right, 489);
    EXPECT_EQ(w.client.bottom, 359);
    EXPECT_FALSE(w.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(w.style & WS_SYSMENU);

    bool welcome = false;
    for (HWND child = GetWindow(wizard, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const WindowState page = Describe(child);
        if (page.visible && page.inParent.left == 0 && page.inParent.top == 0 && page.inParent.right == 489 &&
            page.inParent.bottom == 312)
            welcome = true;
    }
    EXPECT_TRUE(welcome) << "the welcome page fills the window above the buttons";
    const HWND back = ChildWithText(wizard, "<- Назад");
    const HWND next = ChildWithText(wizard, "Далее ->");
    ASSERT_TRUE(back && next);
    EXPECT_FALSE(Describe(back).enabled);
    EXPECT_TRUE(Describe(next).enabled);
}

TEST_F(Startup, DamagedPackageShowsItsMessageOverTheSplashAndNoOtherWindow) {
    StringList s = TestSettings();
    s[setting::kShortcutCount] = "abc";
    const auto& child = Start(s);
    const auto box = child.WaitForMessageBox(kTimeout);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "Данные повреждены или отсутствуют!");
    for (HWND window : TopLevelWindows(child.Id())) {
        const WindowState w = Describe(window);
        if (w.className == "Form") {
            EXPECT_EQ(w.visible, w.text == "SetupProgram") << w.text;
        }
    }
    PressButton(box->window, IDOK);
    EXPECT_EQ(child.WaitForExit(kTimeout), 0u);
}

TEST_F(Startup, BackgroundShowsOnlyForTheFlagOne) {
    for (const char* off : {"0", "", " 1"}) {
        StringList s = TestSettings();
        s[setting::kBackground] = off;
        Start(s);
        ASSERT_NE(Wizard(), nullptr);
        EXPECT_FALSE(Describe(Ground()).visible) << "'" << off << "'";
        child_.reset();
    }
}

TEST_F(Startup, BackgroundFillsTheScreenBehindTheWizardWithItsGradientAndTitles) {
    HWND wizard = StartWithBackground();
    ASSERT_NE(wizard, nullptr);
    HWND ground = Ground();
    const WindowState g = Describe(ground);
    ASSERT_TRUE(g.visible);
    EXPECT_EQ(g.screen.left, 0);
    EXPECT_EQ(g.screen.top, 0);
    EXPECT_EQ(g.screen.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(g.screen.bottom, GetSystemMetrics(SM_CYSCREEN));
    bool behind = false;
    for (HWND w = GetWindow(wizard, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) behind |= w == ground;
    EXPECT_TRUE(behind) << "the wizard stands in front of the background";

    // The top row has colour 1 (0xFF8000: blue 255, green 128); lower rows turn green.
    const RECT topRight{g.screen.right - 20, 2, g.screen.right - 19, 3};
    const DWORD start = GetTickCount();
    while (CaptureScreen(topRight)[0] != 0x0080FFu && GetTickCount() - start < 5000) Sleep(50);
    EXPECT_EQ(CaptureScreen(topRight)[0], 0x0080FFu);
    const std::uint32_t bottom = CaptureScreen({g.screen.right - 20, g.screen.bottom - 3, g.screen.right - 19,
                                                g.screen.bottom - 2})[0];
    EXPECT_GT((bottom >> 8) & 0xFF, 0xF0u);
    EXPECT_LT(bottom & 0xFF, 0x10u);

    HWND panel = GetWindow(ground, GW_CHILD);
    const WindowState title1 = Describe(ChildWithText(panel, "Тест 1.0"));
    const WindowState title2 = Describe(ChildWithText(panel, "© Rodev"));
    EXPECT_EQ(title1.inParent.left, 8);
    EXPECT_EQ(title1.inParent.top, 8);
    EXPECT_EQ(title1.inParent.bottom - title1.inParent.top, 43 + 1) << "font height 43, auto-sized";
    EXPECT_EQ(title2.inParent.left, 8);
    EXPECT_EQ(title2.inParent.top, g.screen.bottom - g.screen.top - 24);
    EXPECT_EQ(title2.inParent.bottom - title2.inParent.top, 16 + 1);
}

TEST_F(Startup, ClickOnTheBackgroundBringsTheWizardToTheFront) {
    HWND wizard = StartWithBackground();
    ASSERT_NE(wizard, nullptr);
    HWND ground = Ground();
    SetForegroundWindow(ground);
    SetWindowPos(ground, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    HWND panel = GetWindow(ground, GW_CHILD);
    PostMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(500, 300));
    PostMessageA(panel, WM_LBUTTONUP, 0, MAKELPARAM(500, 300));
    const DWORD start = GetTickCount();
    bool front = false;
    while (!front && GetTickCount() - start < 5000) {
        Sleep(50);
        front = GetForegroundWindow() == wizard;
    }
    EXPECT_TRUE(front);
}

TEST_F(Startup, ClosingTheBackgroundAsksBeforeLeaving) {
    ASSERT_NE(StartWithBackground(), nullptr);
    const ChildProgram& child = *child_;
    HWND ground = Ground();
    PostMessageA(ground, WM_CLOSE, 0, 0);
    auto box = child.WaitForMessageBox(kTimeout);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Прервать инсталяцию");
    EXPECT_EQ(box->text,
              "Инсталляция не завершена. Если Вы выйдете, программа не будет\r\nинсталлирована.\r\n\r\n"
              "Вы можете завершить инсталяцию позже.\r\n\r\nВыйти?");
    EXPECT_EQ(box->buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(GetWindow(box->window, GW_OWNER), ground);
    PressButton(box->window, IDNO);
    EXPECT_FALSE(child.WaitForExit(500)) << "No keeps the installation going";
    EXPECT_TRUE(Describe(ground).visible);

    PostMessageA(ground, WM_CLOSE, 0, 0);
    box = child.WaitForMessageBox(kTimeout);
    ASSERT_TRUE(box);
    PressButton(box->window, IDYES);
    EXPECT_EQ(child.WaitForExit(kTimeout), 0u);
}

TEST_F(Startup, SettingThatIsNotANumberEndsWithTheApplicationErrorBox) {
    StringList s = TestSettings();
    s[setting::kBackground] = "1";
    s[setting::kTitle1FontSize] = "big";
    const auto& child = Start(s);
    const auto box = child.WaitForMessageBox(kTimeout);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Application Error");
    EXPECT_EQ(box->text.rfind("Exception ConvertError in module setup.exe at ", 0), 0u) << box->text;
    const std::string end = ".\r\n'big' is not a valid integer value";
    EXPECT_EQ(box->text.substr(box->text.size() - end.size()), end) << box->text;
    EXPECT_EQ(MessageBoxIconColor(box->window), IconColor::Red);
    PressButton(box->window, IDOK);
    EXPECT_EQ(child.WaitForExit(kTimeout), 1u);
}

}  // namespace
