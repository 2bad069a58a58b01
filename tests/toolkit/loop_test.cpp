// The message loop as the wizard relies on it: keys, close requests and timers.
#include "tests/toolkit/toolkit_fixture.h"
#include "tools/window_driver.h"

namespace {

void Count(void* context, Control&) { ++*static_cast<int*>(context); }

using Loop = ToolkitTest;

TEST_F(Loop, EnterPressesTheDefaultButtonAndEscTheCancelButtonUnlessTheyCannot) {
    Form& form = CreateForm(App(), "Form");
    Edit& edit = CreateEdit(form, 0);
    Edit& memo = CreateEdit(form, kEditMultiLine);
    Button& ok = CreateButton(form, "OK");
    Button& cancel = CreateButton(form, "Отмена");
    ok.SetDefaultButton(true);
    cancel.SetCancelButton(true);
    int okClicks = 0, cancelClicks = 0;
    ok.SetOnClick(Count, &okClicks);
    cancel.SetOnClick(Count, &cancelClicks);
    StartApplication(App());
    EXPECT_NE(GetWindowLongPtrW(ok.GetWindowHandle(), GWL_STYLE) & BS_DEFPUSHBUTTON, 0);

    enum Change { kNone, kDisabled, kHidden };  // made to the button the key presses
    const struct {
        Edit& from;
        WPARAM key;
        Change change;
        int ok, cancel;
        Control& focus;  // where the focus ends
    } keys[] = {
        {edit, VK_RETURN, kNone, 1, 0, ok},  // the button takes the focus on key-down
        {edit, VK_RETURN, kDisabled, 0, 0, edit},
        {edit, VK_RETURN, kHidden, 0, 0, edit},
        {memo, VK_RETURN, kNone, 0, 0, memo},  // a new line in a multi-line edit
        {memo, VK_ESCAPE, kNone, 0, 1, cancel},
        {edit, VK_ESCAPE, kDisabled, 0, 0, edit},
        {edit, VK_TAB, kNone, 0, 0, memo},
    };
    for (const auto& k : keys) {
        Button& target = k.key == VK_ESCAPE ? cancel : ok;
        target.SetEnabled(k.change != kDisabled);
        target.SetVisible(k.change != kHidden);
        okClicks = cancelClicks = 0;
        const HWND from = k.from.GetWindowHandle();
        SetFocus(from);
        PressKey(from, static_cast<int>(k.key));  // pressed and released through the queue and the loop
        Pump();
        SCOPED_TRACE(testing::Message() << "key " << k.key << " change " << k.change);
        EXPECT_EQ(std::pair(okClicks, cancelClicks), std::pair(k.ok, k.cancel));
        EXPECT_EQ(GetFocus(), k.focus.GetWindowHandle());
        target.SetEnabled(true);
        target.SetVisible(true);
    }
    // The form gives the focus back to the control that had it last.
    SetFocus(App().GetWindowHandle());
    Pump();
    EXPECT_EQ(GetFocus(), memo.GetWindowHandle());
}

TEST_F(Loop, RefusedCloseKeepsTheWindowsAndTheTaskbarCloseOfTheHiddenMainFormEndsTheLoop) {
    Form& main = CreateForm(App(), "Main");
    Form& other = CreateForm(App(), "Other");
    bool accept = false;
    main.SetOnClose([](void* c, Control&, bool& ok) { ok = *static_cast<bool*>(c); }, &accept);
    StartApplication(App());
    main.Close();
    Pump();
    EXPECT_TRUE(!App().IsTerminated() && main.IsVisible() && other.IsVisible());
    // The taskbar button's menu offers neither move, size nor maximize.
    const HMENU menu = GetSystemMenu(App().GetWindowHandle(), FALSE);
    for (const UINT command : {SC_MOVE, SC_SIZE, SC_MAXIMIZE})
        EXPECT_EQ(GetMenuState(menu, command, MF_BYCOMMAND), static_cast<UINT>(-1)) << command;
    accept = true;
    main.Hide();
    SendMessageW(App().GetWindowHandle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_TRUE(App().IsTerminated()) << "although another form is visible";
}

// Runs the loop until `ticks` reaches `count`; the guard only keeps a broken timer from hanging.
void RunUntil(Application& app, const int& ticks, int count) {
    for (const DWORD start = GetTickCount(); ticks < count && GetTickCount() - start < 10000;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        ProcessMessages(app);
    }
}

TEST_F(Loop, TimerEnabledTwiceAndDisabledByItsHandlerTicksOnce) {
    Form& form = CreateForm(App(), "Form");
    int once = 0, clock = 0;
    Timer& timer = CreateTimer(form, 10);  // as the splash's: enabled when made and when shown
    timer.SetOnTimer([](void* c, Timer& t) { ++*static_cast<int*>(c); t.SetTimerEnabled(false); }, &once);
    timer.SetTimerEnabled(true);
    timer.SetTimerEnabled(true);
    Timer& slow = CreateTimer(form, 40);
    slow.SetOnTimer([](void* c, Timer&) { ++*static_cast<int*>(c); }, &clock);
    RunUntil(App(), once, 1);
    slow.SetTimerEnabled(true);  // three of its ticks give the first the time to tick again
    RunUntil(App(), clock, 3);
    EXPECT_GE(clock, 3);
    EXPECT_EQ(once, 1);
}

}  // namespace
