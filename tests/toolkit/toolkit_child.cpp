// A program the tests start to watch the toolkit's ending from outside: it waits for the log-off
// message, and a close question or anything run after the loop would show a message box. (A
// handler that fails ends in the fatal box: the wizard pages test's install faults.)
#include "toolkit/toolkit.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Application& app = CreateApplication("Setup");
    Form& form = CreateForm(app, "Child");
    form.SetOnClose([](void*, Control&, bool& accept) { accept = MessageBoxW(nullptr, L"Close?", L"", MB_YESNO) == IDYES; },
                    nullptr);
    RunApplication(app);
    MessageBoxW(nullptr, L"The loop ended", L"After the loop", MB_OK);
    return 3;
}
