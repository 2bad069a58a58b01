// A program the tests start to watch the toolkit's endings from outside. Without arguments its
// button fails in the click handler; with "end-session" it waits for the log-off message, and a
// close question or anything run after the loop would show a message box.
#include <cstring>

#include "runtime/errors.h"
#include "toolkit/toolkit.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    SetFailureHandler(ReportFatalError);
    Application& app = CreateApplication("Setup");
    Form& form = CreateForm(app, "Child");
    if (std::strstr(arguments, "end-session")) {
        form.SetOnClose([](void*, Control&, bool& accept) { accept = MessageBoxW(nullptr, L"Close?", L"", MB_YESNO) == IDYES; },
                        nullptr);
        RunApplication(app);
        MessageBoxW(nullptr, L"The loop ended", L"After the loop", MB_OK);
        return 3;
    }
    Button& button = CreateButton(form, "Go");
    button.SetOnClick([](void*, Control&) { Fail("EFCreateError", FormatText(messages::kCannotCreateFile, "C:\\x.txt")); },
                      nullptr);
    Timer& timer = CreateTimer(form, 10);  // clicks the button once the loop runs
    timer.SetOnTimer([](void* button, Timer& t) {
        t.SetTimerEnabled(false);
        PostMessageW(static_cast<Control*>(button)->GetWindowHandle(), BM_CLICK, 0, 0);
    }, &button);
    timer.SetTimerEnabled(true);
    RunApplication(app);
    return 0;
}
