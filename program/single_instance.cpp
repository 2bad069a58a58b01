#include "program/single_instance.h"

#include "package/loader_texts.h"
#include "runtime/platform.h"
#include "toolkit/message_box.h"

bool ClaimSingleInstance() {
    // "Local\" keeps the name within the user's session. The handle is never closed: it holds
    // the claim until the process ends.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Local\\QortSetupProgram");
    return mutex != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
}

void ShowAlreadyRunningMessage() {
    ShowMessageBox(nullptr, kAlreadyRunningText, kErrorCaption, MB_OK | MB_ICONINFORMATION);
}
