// A program the tests start to watch the toolkit's endings from outside. TOOLKIT_CHILD_MODE:
//   (unset)      its button fails in the click handler;
//   end-session  it waits for the log-off message; a close question or anything run after the
//                loop would show a message box.
#include <cstring>

#include "runtime/errors.h"
#include "toolkit/toolkit.h"

namespace {

void FailOnClick(void*, Control&) { Fail("EFCreateError", FormatText(messages::kCannotCreateFile, "C:\\x.txt")); }

void ClickSoon(void* context, Timer& timer) {
    timer.SetTimerEnabled(false);
    PostMessageA(static_cast<Control*>(context)->GetWindowHandle(), BM_CLICK, 0, 0);
}

void Ask(void*, Control&, bool& accept) {
    accept = MessageBoxA(nullptr, "Close?", "Question", MB_YESNO) == IDYES;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char mode[32] = {};
    GetEnvironmentVariableA("TOOLKIT_CHILD_MODE", mode, sizeof mode);
    SetFailureHandler(ReportFatalError);
    Application& app = CreateApplication("Setup");
    Form& form = CreateForm(app, "Child");
    if (std::strcmp(mode, "end-session") == 0) {
        form.SetOnClose(Ask, nullptr);
        RunApplication(app);
        MessageBoxA(nullptr, "The loop ended", "After the loop", MB_OK);
        return 3;
    }
    Button& button = CreateButton(form, "Go");
    button.SetOnClick(FailOnClick, nullptr);
    Timer& timer = CreateTimer(form, 10);
    timer.SetOnTimer(ClickSoon, &button);
    timer.SetTimerEnabled(true);
    RunApplication(app);
    return 0;
}
