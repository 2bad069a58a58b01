#include "tools/window_driver.h"

#include "runtime/unicode.h"

namespace {

std::string Text(HWND window) {
    // WM_GETTEXT through the program's own thread, so edit boxes answer with their contents. The
    // wide form crosses processes intact.
    wchar_t wide[8192] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 8192, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, 2000, &length);
    return Utf8(wide);
}

}  // namespace

WindowState Describe(HWND window) {
    WindowState s;
    s.handle = window;
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    s.className = Utf8(name);
    s.text = Text(window);
    GetWindowRect(window, &s.screen);
    s.inParent = s.screen;
    if (HWND parent = GetAncestor(window, GA_PARENT); parent && parent != GetDesktopWindow())
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&s.inParent), 2);
    GetClientRect(window, &s.client);
    s.style = static_cast<LONG>(GetWindowLongPtrW(window, GWL_STYLE));
    s.visible = (s.style & WS_VISIBLE) != 0;
    s.enabled = (s.style & WS_DISABLED) == 0;
    const LONG kind = s.style & BS_TYPEMASK;
    if (_wcsicmp(name, L"Button") == 0 && kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON && kind != BS_GROUPBOX) {
        DWORD_PTR check = 0;
        SendMessageTimeoutW(window, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &check);
        s.check = static_cast<int>(check);
    }
    return s;
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start >= static_cast<DWORD>(timeoutMs)) return false;
        Sleep(25);
    }
}

std::vector<HWND> TopLevelWindows(DWORD process) {
    std::vector<HWND> windows;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process) windows.push_back(window);
    }
    return windows;
}

HWND WaitForWindow(DWORD process, const std::function<bool(const WindowState&)>& accept, int timeoutMs) {
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND window : TopLevelWindows(process))
            if (accept(Describe(window))) return (found = window) != nullptr;
        return false;
    }, timeoutMs);
    return found;
}

std::vector<HWND> Descendants(HWND window) {
    std::vector<HWND> all;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        all.push_back(child);
        for (HWND below : Descendants(child)) all.push_back(below);
    }
    return all;
}

HWND ChildWithText(HWND parent, const std::string& text) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (Text(child) == text) return child;
    return nullptr;
}

WindowState WaitUntil(HWND window, const std::function<bool(const WindowState&)>& accept, int timeoutMs) {
    WindowState s;
    WaitFor([&] { return accept(s = Describe(window)); }, timeoutMs);
    return s;
}

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void PressKey(HWND anyWindowOfTheProgram, int virtualKey) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(anyWindowOfTheProgram, nullptr);
    HWND target = GetGUIThreadInfo(thread, &info) && info.hwndFocus ? info.hwndFocus : anyWindowOfTheProgram;
    const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, virtualKey, 1 | scan << 16);
    PostMessageW(target, WM_KEYUP, virtualKey, 1 | scan << 16 | 0xC0000000u);
}

// Sent, not posted: the text is in the box when this returns, before any later click.
void TypeText(HWND edit, const std::string& text) {
    SendMessageTimeoutW(edit, EM_SETSEL, 0, -1, SMTO_NORMAL, 5000, nullptr);
    for (wchar_t c : Wide(text)) SendMessageTimeoutW(edit, WM_CHAR, c, 1, SMTO_NORMAL, 5000, nullptr);
}
