// A program whose button throws from its click handler, started by the tests to watch the
// top-level error handling from outside.
#include "runtime/errors.h"
#include "toolkit/toolkit.h"

namespace {

void Fail(void*, Control&) { throw RuntimeError("EFCreateError", FormatText(messages::kCannotCreateFile, "C:\\x.txt")); }

void ClickSoon(void* context, Timer& timer) {
    timer.SetTimerEnabled(false);
    PostMessageA(static_cast<Control*>(context)->GetWindowHandle(), BM_CLICK, 0, 0);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Application& app = CreateApplication("Setup");
    Form& form = CreateForm(app, "Crash");
    Button& button = CreateButton(form, "Go");
    button.SetOnClick(Fail, nullptr);
    Timer& timer = CreateTimer(form, 10);
    timer.SetOnTimer(ClickSoon, &button);
    timer.SetTimerEnabled(true);
    RunApplication(app);
    return 0;
}
