#include "toolkit/application.h"

#include "runtime/unicode.h"
#include "toolkit/form.h"
#include "toolkit/window_class.h"

namespace {

std::unique_ptr<Application> g_owner;
Application* g_current = nullptr;

constexpr const wchar_t* kAppClass = L"App";

bool Usable(Control* button) {
    const HWND window = button ? button->ExistingHandle() : nullptr;
    return window && IsWindowVisible(window) && IsWindowEnabled(window);
}

}  // namespace

Application* CurrentApplication() { return g_current; }

Application& CreateApplication(const std::string& title) {
    DestroyApplication();
    g_owner.reset(new Application(title));
    return *g_owner;
}

void DestroyApplication() { g_owner.reset(); }

Application::Application(const std::string& title)
    : Control(nullptr, Kind{kAppClass, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_EX_APPWINDOW, {}, false},
              title) {
    g_current = this;
}

Application::~Application() {
    running_ = false;
    Teardown();
    g_current = nullptr;
}

Form* Application::MainForm() const { return children_.empty() ? nullptr : children_.front()->AsForm(); }

void Application::Forget(const Control* control) {
    if (activeForm_ == control) activeForm_ = nullptr;
}

void Application::CreateOwnWindow() {
    RegisterWindowClass(kAppClass, ClassProc);
    // Zero size at (0,0): the window exists for its taskbar button.
    CreateWindowExW(exStyle_, kAppClass, Wide(caption_).c_str(), style_, 0, 0, 0, 0, nullptr, nullptr,
                    GetModuleHandleW(nullptr), this);
    if (!handle_) return;
    // The taskbar button's menu offers only what makes sense for a window nobody sees.
    const HMENU menu = GetSystemMenu(handle_, FALSE);
    DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | MF_GRAYED);
}

LRESULT Application::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFOCUS:
        if (activeForm_ && activeForm_->ExistingHandle()) {
            Control* remembered = activeForm_->FocusedControl();
            SetFocus(remembered && remembered->ExistingHandle() ? remembered->ExistingHandle()
                                                                : activeForm_->ExistingHandle());
        }
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            if (Form* main = MainForm()) main->Close();
            return 0;
        }
        break;
    case WM_CLOSE:
        // Sent when the main form accepted its close; the windows go with the object after the loop.
        PostQuitMessage(0);
        return 0;
    }
    return Control::WndProc(message, wParam, lParam);
}

bool Application::FilterKey(HWND target, UINT message, WPARAM key, LPARAM lParam) {
    if (!running_ || (message != WM_KEYDOWN && message != WM_KEYUP) || (key != VK_RETURN && key != VK_ESCAPE)) {
        return false;
    }
    if (!FromWindow(target) || !activeForm_) return false;
    Control* focused = FromWindow(GetFocus());
    Control* button = nullptr;
    if (key == VK_RETURN) {
        Control* candidate = activeForm_->DefaultButton();
        if (Usable(candidate) && (!focused || focused == candidate || !focused->TakesEnter())) button = candidate;
    } else if (Usable(activeForm_->CancelButton())) {
        button = activeForm_->CancelButton();
    }
    if (!button) return false;
    // The button takes the key as a Space: pressed on key-down, clicked on key-up.
    if (message == WM_KEYDOWN) SetFocus(button->ExistingHandle());
    SendMessageW(button->ExistingHandle(), message, VK_SPACE, lParam);
    return true;
}

bool Application::FilterTab(const MSG& msg) {
    if (!running_ || msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
    Control* focused = FromWindow(GetFocus());
    if (!focused || focused->KeepsTab()) return false;
    Form* form = focused->OwningForm();
    if (!form || !form->ExistingHandle()) return false;
    const HWND next = GetNextDlgTabItem(form->ExistingHandle(), GetFocus(), GetKeyState(VK_SHIFT) < 0);
    if (next) SetFocus(next);
    return true;
}

void StartApplication(Application& app) {
    app.running_ = true;
    if (const HWND window = app.GetWindowHandle()) ShowWindow(window, SW_SHOWNOACTIVATE);
    for (const auto& child : app.Children()) child->CreateWindowTree();
    for (const auto& child : app.Children()) {
        Form* form = child->AsForm();
        if (form && form->showAtStart_) form->Show();
    }
}

void ProcessMessages(Application& app) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            app.terminated_ = true;
            continue;
        }
        if (app.FilterKey(msg.hwnd, msg.message, msg.wParam, msg.lParam) || app.FilterTab(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void RunApplication(Application& app) {
    StartApplication(app);
    while (!app.terminated_) {
        WaitMessage();
        ProcessMessages(app);
    }
    DestroyApplication();
}

void CloseMainForm() {
    if (Application* app = CurrentApplication())
        if (Form* main = app->MainForm()) main->Close();
}
