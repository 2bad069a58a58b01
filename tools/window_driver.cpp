#include "tools/window_driver.h"

namespace {

std::string Text(HWND window) {
    // WM_GETTEXT through the program's own thread, so edit boxes answer with their contents. The
    // wide form crosses processes intact; the program's text is ANSI (code page 1251) again here.
    wchar_t wide[8192] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 8192, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, 2000, &length);
    char text[16384] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

}  // namespace

WindowState Describe(HWND window) {
    WindowState s;
    s.handle = window;
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    s.className = name;
    s.text = Text(window);
    GetWindowRect(window, &s.screen);
    s.inParent = s.screen;
    if (HWND parent = GetAncestor(window, GA_PARENT); parent && parent != GetDesktopWindow())
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&s.inParent), 2);
    GetClientRect(window, &s.client);
    s.style = GetWindowLongA(window, GWL_STYLE);
    s.visible = (s.style & WS_VISIBLE) != 0;
    s.enabled = (s.style & WS_DISABLED) == 0;
    const LONG kind = s.style & BS_TYPEMASK;
    if (_stricmp(name, "Button") == 0 && kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON && kind != BS_GROUPBOX) {
        DWORD_PTR check = 0;
        SendMessageTimeoutA(window, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &check);
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

void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void PressKey(HWND anyWindowOfTheProgram, int virtualKey) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(anyWindowOfTheProgram, nullptr);
    HWND target = GetGUIThreadInfo(thread, &info) && info.hwndFocus ? info.hwndFocus : anyWindowOfTheProgram;
    const UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, virtualKey, 1 | scan << 16);
    PostMessageA(target, WM_KEYUP, virtualKey, 1 | scan << 16 | 0xC0000000u);
}

// Sent, not posted: the text is in the box when this returns, before any later click.
void TypeText(HWND edit, const std::string& text) {
    SendMessageTimeoutA(edit, EM_SETSEL, 0, -1, SMTO_NORMAL, 5000, nullptr);
    for (unsigned char c : text) SendMessageTimeoutA(edit, WM_CHAR, c, 1, SMTO_NORMAL, 5000, nullptr);
}
