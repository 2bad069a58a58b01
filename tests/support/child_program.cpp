#include "tests/support/child_program.h"

#include <stdexcept>

#include "tests/support/scratch_folder.h"

namespace {

struct Search {
    DWORD process;
    HWND found = nullptr;
};

BOOL CALLBACK FindBox(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (process == search->process && std::string(name) == "#32770" && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectButton(HWND child, LPARAM context) {
    char name[32] = {};
    GetClassNameA(child, name, sizeof name);
    if (_stricmp(name, "Button") == 0 && IsWindowVisible(child)) {
        reinterpret_cast<std::vector<int>*>(context)->push_back(GetDlgCtrlID(child));
    }
    return TRUE;
}

std::string WindowText(HWND window) {
    char text[4096] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

}  // namespace

ChildProgram::ChildProgram(const std::string& path, const std::string& tempFolder, const std::string& arguments) {
    char oldTmp[MAX_PATH] = {}, oldTemp[MAX_PATH] = {};
    GetEnvironmentVariableA("TMP", oldTmp, MAX_PATH);
    GetEnvironmentVariableA("TEMP", oldTemp, MAX_PATH);
    SetEnvironmentVariableA("TMP", tempFolder.c_str());
    SetEnvironmentVariableA("TEMP", tempFolder.c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = "\"" + path + "\" " + arguments;
    const BOOL started = CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        nullptr, &startup, &info_);
    SetEnvironmentVariableA("TMP", oldTmp);
    SetEnvironmentVariableA("TEMP", oldTemp);
    if (!started) throw std::runtime_error("cannot start " + path);
}

ChildProgram::~ChildProgram() {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

std::optional<MessageBoxSeen> ChildProgram::WaitForMessageBox(int timeoutMs) const {
    const DWORD start = GetTickCount();
    for (;;) {
        Search search{info_.dwProcessId};
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            MessageBoxSeen box;
            box.window = search.found;
            box.caption = WindowText(search.found);
            box.text = WindowText(GetDlgItem(search.found, 0xFFFF));
            EnumChildWindows(search.found, CollectButton, reinterpret_cast<LPARAM>(&box.buttons));
            return box;
        }
        if (WaitForSingleObject(info_.hProcess, 50) == WAIT_OBJECT_0) return std::nullopt;
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs)) return std::nullopt;
    }
}

std::optional<DWORD> ChildProgram::WaitForExit(int timeoutMs) const {
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void PressButton(HWND box, int id) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

std::string StubPath() { return WindowsPath(SETUP_STUB); }

void WriteSetupProgram(const std::string& path, const std::string& package) {
    static const std::string stub = ReadFileBytes(StubPath());
    WriteFileBytes(path, stub + package);
}
