// The message loop as the wizard relies on it: Enter and Esc, close requests, timers and the
// order in which windows and their objects go.
#include <string>

#include "tests/toolkit/toolkit_fixture.h"

namespace {

void Count(void* context, Control&) { ++*static_cast<int*>(context); }

class Keyboard : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        form_ = &CreateForm(App(), "Form");
        edit_ = &CreateEdit(*form_, 0);
        memo_ = &CreateEdit(*form_, kEditMultiLine);
        memo_->SetTop(40);
        ok_ = &CreateButton(*form_, "OK");
        ok_->SetTop(250);
        cancel_ = &CreateButton(*form_, "Отмена");
        cancel_->SetPosition(120, 250);
        ok_->SetDefaultButton(true);
        cancel_->SetCancelButton(true);
        ok_->SetOnClick(Count, &okClicks_);
        cancel_->SetOnClick(Count, &cancelClicks_);
        StartApplication(App());
        Pump();
    }
    void Focus(Control& c) {
        SetFocus(c.GetWindowHandle());
        Pump();
    }

    Form* form_;
    Edit *edit_, *memo_;
    Button *ok_, *cancel_;
    int okClicks_ = 0, cancelClicks_ = 0;
};

TEST_F(Keyboard, EnterInASingleLineEditPressesTheDefaultButtonOnce) {
    Focus(*edit_);
    PressKey(edit_->GetWindowHandle(), VK_RETURN);
    EXPECT_EQ(okClicks_, 1);
    EXPECT_EQ(cancelClicks_, 0);
    EXPECT_EQ(GetFocus(), ok_->GetWindowHandle());  // the button took the focus on key-down
    EXPECT_NE(GetWindowLongPtrA(ok_->GetWindowHandle(), GWL_STYLE) & BS_DEFPUSHBUTTON, 0);
}

TEST_F(Keyboard, EnterLeavesADisabledOrHiddenDefaultButtonAlone) {
    Focus(*edit_);
    ok_->SetEnabled(false);
    PressKey(edit_->GetWindowHandle(), VK_RETURN);
    ok_->SetEnabled(true);
    ok_->SetVisible(false);
    PressKey(edit_->GetWindowHandle(), VK_RETURN);
    EXPECT_EQ(okClicks_, 0);
    ok_->SetVisible(true);
    PressKey(edit_->GetWindowHandle(), VK_RETURN);
    EXPECT_EQ(okClicks_, 1);
}

TEST_F(Keyboard, EnterInAMultiLineEditStaysInTheEdit) {
    Focus(*memo_);
    PressKey(memo_->GetWindowHandle(), VK_RETURN);
    EXPECT_EQ(okClicks_, 0);
    EXPECT_EQ(GetFocus(), memo_->GetWindowHandle());
}

TEST_F(Keyboard, EscPressesTheCancelButtonWhereverTheFocusIs) {
    Focus(*memo_);
    PressKey(memo_->GetWindowHandle(), VK_ESCAPE);
    EXPECT_EQ(cancelClicks_, 1);
    EXPECT_EQ(okClicks_, 0);
}

TEST_F(Keyboard, TabMovesTheFocusToTheNextTabStop) {
    Focus(*edit_);
    PressKey(edit_->GetWindowHandle(), VK_TAB);
    EXPECT_EQ(GetFocus(), memo_->GetWindowHandle());
}

TEST_F(Keyboard, FormGivesTheFocusBackToTheControlThatHadItLast) {
    Focus(*memo_);
    SetFocus(App().GetWindowHandle());
    Pump();
    EXPECT_EQ(GetFocus(), memo_->GetWindowHandle());
    SetFocus(form_->GetWindowHandle());
    EXPECT_EQ(GetFocus(), memo_->GetWindowHandle());
}

class CloseRequests : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        main_ = &CreateForm(App(), "Main");
        second_ = &CreateForm(App(), "Second");
        child_ = &CreateButton(*second_, "Button");
        StartApplication(App());
        Pump();
    }
    static void Refuse(void* context, Control&, bool& accept) {
        ++*static_cast<int*>(context);
        accept = false;
    }
    Form *main_, *second_;
    Button* child_;
};

TEST_F(CloseRequests, RefusedCloseLeavesEveryWindowAsItWasAndAsksAgainNextTime) {
    int asked = 0;
    main_->SetOnClose(Refuse, &asked);
    const HWND mainWindow = main_->GetWindowHandle(), secondWindow = second_->GetWindowHandle();
    main_->Close();
    Pump();
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(App().IsTerminated());
    EXPECT_TRUE(IsWindowVisible(mainWindow));
    EXPECT_TRUE(IsWindowVisible(secondWindow));
    EXPECT_EQ(main_->ExistingHandle(), mainWindow);
    main_->Close();
    Pump();
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(App().IsTerminated());
}

TEST_F(CloseRequests, ClosingTheHiddenMainFormEndsTheLoopWhileOtherFormsAreVisible) {
    int asked = 0;
    main_->SetOnClose([](void* c, Control&, bool&) { ++*static_cast<int*>(c); }, &asked);
    main_->Hide();
    EXPECT_TRUE(second_->IsVisible());
    main_->Close();
    Pump();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(App().IsTerminated());
}

TEST_F(CloseRequests, AcceptedCloseOfASecondFormDestroysOnlyItsWindows) {
    const HWND secondWindow = second_->GetWindowHandle(), buttonWindow = child_->GetWindowHandle();
    second_->Close();
    Pump();
    EXPECT_FALSE(IsWindow(secondWindow));
    EXPECT_FALSE(IsWindow(buttonWindow));
    EXPECT_EQ(second_->ExistingHandle(), nullptr);
    EXPECT_EQ(child_->ExistingHandle(), nullptr);
    EXPECT_TRUE(IsWindowVisible(main_->GetWindowHandle()));
    EXPECT_FALSE(App().IsTerminated());
}

TEST_F(CloseRequests, TheTaskbarMenuOffersNeitherMoveNorSizeNorMaximize) {
    const HMENU menu = GetSystemMenu(App().GetWindowHandle(), FALSE);
    EXPECT_EQ(GetMenuState(menu, SC_MOVE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuState(menu, SC_SIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_NE(GetMenuState(menu, SC_RESTORE, MF_BYCOMMAND) & MF_GRAYED, 0u);
    // Its Close closes the main form.
    SendMessageA(App().GetWindowHandle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_TRUE(App().IsTerminated());
}

using Timers = ToolkitTest;

// Runs the loop until `done` is set; a guard keeps a broken timer from hanging the test run.
void RunUntil(Application& app, const bool& done) {
    const DWORD start = GetTickCount();
    while (!done && GetTickCount() - start < 10000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        ProcessMessages(app);
    }
}

struct Ticks {
    int count = 0;
    int stopAfter = 0;
    bool done = false;
};

void Tick(void* context, Timer& timer) {
    auto* ticks = static_cast<Ticks*>(context);
    if (++ticks->count == ticks->stopAfter) {
        timer.SetTimerEnabled(false);
        ticks->done = true;
    }
}

TEST_F(Timers, AHandlerThatDisablesItsTimerOnTheFirstTickRunsExactlyOnce) {
    Form& form = CreateForm(App(), "Form");
    Ticks once{0, 1}, clock{0, 4};
    Timer& fast = CreateTimer(form, 10);
    fast.SetOnTimer(Tick, &once);
    Timer& slow = CreateTimer(form, 60);
    slow.SetOnTimer(Tick, &clock);
    fast.SetTimerEnabled(true);
    slow.SetTimerEnabled(true);
    RunUntil(App(), clock.done);
    EXPECT_TRUE(clock.done);
    EXPECT_EQ(once.count, 1);
    EXPECT_FALSE(fast.IsEnabled());
}

TEST_F(Timers, EnablingTwiceChangesNothingAndOneHiddenWindowServesAllTimers) {
    Form& form = CreateForm(App(), "Form");
    Timer& defaulted = CreateTimer(form, 0);
    EXPECT_EQ(defaulted.Interval(), 1000);
    Ticks twice{0, 0}, clock{0, 3};
    Timer& timer = CreateTimer(form, 10);
    timer.SetOnTimer(Tick, &twice);
    timer.SetTimerEnabled(true);
    timer.SetTimerEnabled(true);
    Timer& other = CreateTimer(form, 40);
    other.SetOnTimer(Tick, &clock);
    other.SetTimerEnabled(true);
    const HWND window = Timer::TickWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    // One disable stops a timer enabled twice.
    timer.SetTimerEnabled(false);
    RunUntil(App(), clock.done);
    EXPECT_TRUE(clock.done);
    EXPECT_EQ(twice.count, 0);
    EXPECT_EQ(Timer::TickWindow(), window);
    DestroyApplication();  // the last timer takes the window along
    EXPECT_FALSE(IsWindow(window));
}

using Destruction = ToolkitTest;

struct Record {
    std::string* log;
    std::string name;
    ~Record() { *log += name + " "; }
};

void LogDestroy(void* context, Control& sender) {
    *static_cast<std::string*>(context) += sender.GetText() + " ";
}

TEST_F(Destruction, FormRaisesOnDestroyOnceThenReleasesOwnedObjectsLastFirstThenChildrenLastCreatedFirst) {
    std::string log;
    Form& form = CreateForm(App(), "form");
    form.SetOnDestroy(LogDestroy, &log);
    Panel& panel = CreatePanel(form, kPanelFlat);
    panel.SetText("panel");
    panel.SetOnDestroy(LogDestroy, &log);
    Button& inner = CreateButton(panel, "inner");
    inner.SetOnDestroy(LogDestroy, &log);
    Label& label = CreateLabel(form, "label");
    label.SetOnDestroy(LogDestroy, &log);
    form.AttachOwned(std::unique_ptr<Record>(new Record{&log, "holder"}));
    form.AttachOwned(std::unique_ptr<Record>(new Record{&log, "list"}));
    StartApplication(App());
    const HWND window = form.GetWindowHandle();
    DestroyApplication();
    EXPECT_EQ(log, "form list holder label panel inner ");
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace

namespace {

using Forms = ToolkitTest;

TEST_F(Forms, FormsShowAtTheStartUnlessTheProgramHidThemAndShowingRaisesOnShow) {
    int shown = 0, hiddenShown = 0;
    Form& open = CreateForm(App(), "Open");
    open.SetOnShow(Count, &shown);
    open.GetWindowHandle();  // made early, by a geometry need: hidden until the run
    EXPECT_FALSE(IsWindowVisible(open.ExistingHandle()));
    EXPECT_TRUE(open.ShowAtStart());
    Form& hidden = CreateForm(App(), "Hidden");
    hidden.SetOnShow(Count, &hiddenShown);
    hidden.Hide();
    StartApplication(App());
    EXPECT_TRUE(open.IsVisible());
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(hidden.IsVisible());
    EXPECT_EQ(hiddenShown, 0);
    hidden.Show();
    EXPECT_TRUE(hidden.IsVisible());
    EXPECT_EQ(hiddenShown, 1);
}

TEST_F(Forms, WindowStateChangesOnlyWhenItDiffers) {
    Form& form = CreateForm(App(), "Form");
    form.SetWindowState(0);
    EXPECT_EQ(form.ExistingHandle(), nullptr);  // unchanged: no window was needed
    form.SetWindowState(2);
    ASSERT_NE(form.ExistingHandle(), nullptr);
    EXPECT_TRUE(IsZoomed(form.ExistingHandle()));
    EXPECT_TRUE(IsWindowVisible(form.ExistingHandle()));
    form.SetWindowState(0);
    EXPECT_FALSE(IsZoomed(form.ExistingHandle()));
}

TEST_F(Forms, FixedSizeFormCannotBeResizedAndBorderlessFormKeepsItsOuterSize) {
    Form& form = CreateForm(App(), "Form");
    form.SetClientSize(300, 200);
    form.SetResizable(false);
    StartApplication(App());
    const HWND window = form.GetWindowHandle();
    EXPECT_EQ(GetWindowLongPtrA(window, GWL_STYLE) & WS_THICKFRAME, 0);
    RECT r;
    GetWindowRect(window, &r);
    MINMAXINFO info{};
    SendMessageA(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMaxTrackSize.x, r.right - r.left);
    EXPECT_EQ(info.ptMinTrackSize.y, r.bottom - r.top);

    form.SetBorder(false);
    EXPECT_EQ(GetWindowLongPtrA(window, GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_NE(GetWindowLongPtrA(window, GWL_STYLE) & WS_POPUP, 0);
    EXPECT_EQ(form.GetWidth(), r.right - r.left);
    EXPECT_EQ(form.ClientRect().Width(), r.right - r.left);
}

TEST_F(Forms, CentredFormSitsInTheMiddleOfTheScreen) {
    Form& form = CreateForm(App(), "Form");
    form.SetSize(301, 200);
    form.CenterOnScreen();
    EXPECT_EQ(form.GetLeft(), (GetSystemMetrics(SM_CXSCREEN) - 301) >> 1);
    EXPECT_EQ(form.GetTop(), (GetSystemMetrics(SM_CYSCREEN) - 200) >> 1);
}

}  // namespace
