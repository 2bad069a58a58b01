#include "toolkit/form.h"

#include "runtime/unicode.h"
#include "toolkit/application.h"
#include "toolkit/font.h"
#include "toolkit/window_class.h"

namespace {

constexpr const wchar_t* kFormClass = L"Form";
constexpr DWORD kFormStyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kFrameBits = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

}  // namespace

Form& CreateForm(Application& app, const std::string& caption) {
    return Form::Adopt(app, std::unique_ptr<Form>(new Form(app, caption)));
}

Form::Form(Application& app, const std::string& caption) : Control(&app, Kind{kFormClass, kFormStyle, 0, {}, false}, caption) {
    bounds_ = {100, 100, 500, 400};
}

Form::~Form() { Teardown(); }

void Form::CreateOwnWindow() {
    RegisterWindowClass(kFormClass, ClassProc, CS_DBLCLKS);
    DWORD style = style_ & ~WS_VISIBLE;
    if (!visibilitySet_) {
        showAtStart_ = true;  // shown by the run
    } else if (visible_) {
        style |= WS_VISIBLE;
    }
    CreateWindowExW(exStyle_, kFormClass, Wide(caption_).c_str(), style, bounds_.left, bounds_.top,
                    bounds_.Width(), bounds_.Height(), parent_->GetWindowHandle(), nullptr, GetModuleHandleW(nullptr),
                    this);
    if (!handle_) return;
    if (!enabled_) EnableWindow(handle_, FALSE);
    if (font_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), FALSE);
    if (icon_) SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
}

void Form::Remember(Control* focused) {
    focused_ = focused;
    if (Application* app = App()) app->SetActiveForm(this);
}

void Form::Forget(const Control* control) {
    if (focused_ == control) focused_ = nullptr;
    if (defaultButton_ == control) defaultButton_ = nullptr;
    if (cancelButton_ == control) cancelButton_ = nullptr;
}

void Form::Show() {
    visible_ = true;
    visibilitySet_ = true;
    showAtStart_ = false;
    if (!GetWindowHandle()) return;
    ShowWindow(handle_, SW_SHOW);
    SetForegroundWindow(handle_);
    // The form passes the focus on to the control that had it last (WM_SETFOCUS).
    SetFocus(handle_);
}

void Form::SetVisible(bool visible) {
    Application* app = App();
    if (visible && app && app->IsRunning()) GetWindowHandle();
    Control::SetVisible(visible);
}

bool Form::IsVisible() const { return handle_ ? IsWindowVisible(handle_) != FALSE : visible_; }

void Form::Close() {
    if (const HWND window = GetWindowHandle()) PostMessageW(window, WM_CLOSE, 0, 0);
}

void Form::SetWindowState(int state) {
    if (state == state_) return;
    state_ = state;
    visible_ = true;
    visibilitySet_ = true;
    showAtStart_ = false;
    if (!GetWindowHandle()) return;
    ShowWindow(handle_, state == 1 ? SW_SHOWMINNOACTIVE : state == 2 ? SW_SHOWMAXIMIZED : SW_SHOWNOACTIVATE);
}

void Form::SetBorder(bool border) {
    const bool present = (style_ & (WS_THICKFRAME | WS_BORDER | WS_DLGFRAME)) || (exStyle_ & WS_EX_CLIENTEDGE);
    if (present == border) return;
    if (border) {
        SetStyle(style_ | kFrameBits);
    } else {
        SetStyle((style_ & ~kFrameBits) | WS_POPUP);
        SetExStyle(exStyle_ & ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT));
    }
}

void Form::SetResizable(bool resizable) {
    GetWindowHandle();
    resizable_ = resizable;
    if (resizable) {
        SetStyle(style_ | WS_THICKFRAME);
        return;
    }
    SetStyle(style_ & ~WS_THICKFRAME);
    const Rect b = GetBounds();
    fixedSize_ = {b.Width(), b.Height()};
}

Form& Form::CenterOnScreen() {
    GetWindowHandle();
    const Rect b = GetBounds();
    SetPosition((GetSystemMetrics(SM_CXSCREEN) - b.Width()) >> 1, (GetSystemMetrics(SM_CYSCREEN) - b.Height()) >> 1);
    return *this;
}

Form& Form::SetClientSize(int width, int height) {
    GetWindowHandle();
    const Rect outer = GetBounds(), client = ClientRect();
    SetSize(width > 0 ? width + outer.Width() - client.Width() : 0,
            height > 0 ? height + outer.Height() - client.Height() : 0);
    return *this;
}

void Form::SetIconResource(HINSTANCE module, LPCWSTR name) {
    icon_ = LoadIconW(module, name);  // shared: the system keeps resource icons
    if (handle_ && icon_) SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
}

void Form::HandleClose() {
    Application* app = App();
    bool accept = true;
    if (onClose_.handler) onClose_.handler(onClose_.context, *this, accept);
    if (!accept && app && app->IsRunning()) return;
    onClose_ = {};
    if (app && (this == app->MainForm() || handle_ == app->ExistingHandle())) {
        if (app->ExistingHandle() && app->ExistingHandle() != handle_) SendMessageW(app->ExistingHandle(), WM_CLOSE, 0, 0);
        PostQuitMessage(0);
        return;
    }
    DestroyWindow(handle_);  // the system's default close
}

LRESULT Form::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        HandleClose();
        return 0;
    case WM_ENDSESSION:
        if (wParam) {
            // Log-off or shut-down: no questions, nothing after the loop runs.
            DestroyApplication();
            ExitProcess(0);
        }
        return 0;
    case WM_SETFOCUS:
        if (Application* app = App()) app->SetActiveForm(this);
        if (focused_ && focused_->ExistingHandle() && IsWindowVisible(focused_->ExistingHandle()) &&
            IsWindowEnabled(focused_->ExistingHandle())) {
            SetFocus(focused_->ExistingHandle());
        }
        return 0;
    case WM_GETMINMAXINFO:
        if (!resizable_) {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize = info->ptMaxTrackSize = fixedSize_;
            return 0;
        }
        break;
    case WM_NCHITTEST: {
        const LRESULT hit = CallDefault(message, wParam, lParam);
        // A fixed-size form shows no sizing cursor on its edges.
        if (!resizable_ && hit >= HTLEFT && hit <= HTBOTTOMRIGHT) return HTBORDER;
        return hit;
    }
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(handle_, &client);
        PaintBackground(reinterpret_cast<HDC>(wParam), client);
        return 1;
    }
    case WM_SHOWWINDOW:
        if (wParam) onShow_.Raise(*this);
        break;
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED) state_ = 1;
        if (wParam == SIZE_MAXIMIZED) state_ = 2;
        if (wParam == SIZE_RESTORED) state_ = 0;
        break;
    }
    return Control::WndProc(message, wParam, lParam);
}
