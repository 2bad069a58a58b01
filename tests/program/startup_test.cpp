// The whole program from its start: splash, loading, background and wizard, driven from outside
// as a user would.
#include <gtest/gtest.h>

#include "package/package_writer.h"
#include "tests/support/child_program.h"
#include "tools/window_driver.h"
#include "tests/support/scratch_folder.h"
#include "tools/screen_capture.h"
#include "tests/support/test_settings.h"

namespace {

constexpr int kFirstWindowTimeout = 60000;  // the first program of a fresh Wine prefix may take long to show

class Startup : public testing::Test {
protected:
    // Starts the program with a package of the test settings, the background flag set to this.
    const ChildProgram& Start(const char* background) {
        StringList s = TestSettings();
        s[setting::kBackground] = background;
        WriteSetupProgram(program_, ComposePackage(s, ""));
        return child_.emplace(program_, temp_.Path());
    }
    // The program's top-level window of this caption, waiting until it shows (or not at all).
    HWND Window(const std::string& caption, bool shown = true) {
        return WaitForWindow(child_->Id(), [&](const WindowState& w) { return w.text == caption && (w.visible || !shown); },
                             shown ? kFirstWindowTimeout : 0);
    }

    ScratchFolder programs_, temp_;
    std::string program_ = programs_ / "setup.exe";
    std::optional<ChildProgram> child_;
};

TEST_F(Startup, SplashShowsWhileLoadingThenTheWizardOpensOnItsWelcomePage) {
    const auto& child = Start(" 1");  // a flag is on only for the text "1"
    HWND splash = Window("SetupProgram");
    ASSERT_NE(splash, nullptr) << "the splash shows while the package loads";
    HWND wizard = Window(kTestCaption);
    ASSERT_NE(wizard, nullptr);
    EXPECT_FALSE(WaitUntil(splash, [](const WindowState& w) { return !w.visible; }, kFirstWindowTimeout).visible);
    ASSERT_NE(Window("Ground", false), nullptr);
    EXPECT_FALSE(Describe(Window("Ground", false)).visible) << "no background unless the package asks for it";
    EXPECT_EQ(ListFiles(temp_.Path()), "QORT\\Tmp_Data.tmp") << "loading writes nothing but the package copy";
    // What the wizard will install cannot be swapped meanwhile: another program may read the copy,
    // but neither write, rename nor delete it.
    const std::string copy = temp_ / "QORT\\Tmp_Data.tmp";
    constexpr DWORD anyShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    for (const DWORD access : {DWORD{GENERIC_READ}, DWORD{GENERIC_WRITE}, DWORD{DELETE}}) {
        HANDLE opened = CreateFileA(copy.c_str(), access, anyShare, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(opened != INVALID_HANDLE_VALUE, access == GENERIC_READ) << "access " << std::hex << access;
        if (opened != INVALID_HANDLE_VALUE) CloseHandle(opened);
    }
    EXPECT_FALSE(MoveFileA(copy.c_str(), (copy + ".old").c_str()));
    EXPECT_FALSE(DeleteFileA(copy.c_str()));
    EXPECT_FALSE(Describe(ChildWithText(wizard, "<- Назад")).enabled);

    PostMessageA(splash, WM_CLOSE, 0, 0);
    EXPECT_EQ(child.WaitForExit(kFirstWindowTimeout), 0u) << "closing the hidden splash ends the program";
}

TEST_F(Startup, BackgroundFillsTheScreenBehindTheWizardAndClosingItAsksBeforeLeaving) {
    const auto& child = Start("1");
    HWND wizard = Window(kTestCaption), ground = Window("Ground");
    ASSERT_TRUE(wizard && ground);
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const WindowState g = Describe(ground);
    EXPECT_TRUE(EqualRect(&g.screen, &screen)) << "the background fills the screen";
    bool behind = false;
    for (HWND w = GetWindow(wizard, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) behind |= w == ground;
    EXPECT_TRUE(behind) << "the wizard stands in front of the background";
    // The top row has the package's first gradient colour, 0xFF8000.
    const RECT topRight{screen.right - 20, 2, screen.right - 19, 3};
    EXPECT_TRUE(WaitFor([&] { return CaptureScreen(topRight)[0] == 0x0080FFu; }, 5000));

    // A click on the background brings the wizard back to the front.
    SetForegroundWindow(ground);
    SetWindowPos(ground, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PostMessageA(GetWindow(ground, GW_CHILD), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(500, 300));
    PostMessageA(GetWindow(ground, GW_CHILD), WM_LBUTTONUP, 0, MAKELPARAM(500, 300));
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == wizard; }, 5000));

    for (int answer : {IDNO, IDYES}) {
        PostMessageA(ground, WM_CLOSE, 0, 0);
        const auto box = child.WaitForMessageBox(kFirstWindowTimeout);
        ASSERT_TRUE(box);
        // The wizard's own question (its texts are checked with the wizard), over the background.
        EXPECT_EQ(box->caption, "Прервать инсталяцию");
        EXPECT_EQ(GetWindow(box->window, GW_OWNER), ground);
        PressButton(box->window, answer);
        if (answer == IDNO) EXPECT_FALSE(child.WaitForExit(500)) << "No keeps the installation going";
        else EXPECT_EQ(child.WaitForExit(kFirstWindowTimeout), 0u);
    }
}

}  // namespace
