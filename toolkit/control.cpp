#include "toolkit/control.h"

#include "runtime/unicode.h"
#include "toolkit/application.h"
#include "toolkit/canvas.h"
#include "toolkit/common_controls.h"
#include "toolkit/font.h"
#include "toolkit/form.h"
#include "toolkit/gdi_object.h"
#include "toolkit/layout.h"

namespace {

// The property that ties a window to its control; present only while the control owns the window.
constexpr const wchar_t* kControlProperty = L"ToolkitControl";

// The window keeps its visibility and enabled state; the record's style must not override them.
constexpr DWORD kStateBits = WS_VISIBLE | WS_DISABLED;

}  // namespace

COLORREF ResolveColor(ColorValue color) {
    return IsSystemColor(color) ? GetSysColor(SystemColorIndex(color)) : static_cast<COLORREF>(color);
}

Application* Control::App() { return CurrentApplication(); }

Control::Control(Control* parent, const Kind& kind, const std::string& caption)
    : parent_(parent), kind_(kind), caption_(caption), style_(kind.style), exStyle_(kind.exStyle) {
    if (parent && parent != App()) {
        // A child starts from its parent's look; the copies are independent from here on.
        textColor_ = parent->textColor_;
        color_ = parent->color_;
        margin_ = parent->margin_;
        if (parent->font_) font_ = std::make_unique<Font>(*parent->font_, this);
        const int m = parent->margin_;
        bounds_ = {m, m, m + kDefaultChildWidth, m + kDefaultChildHeight};
    }
}

Control::~Control() { Teardown(); }

void Control::Teardown() {
    if (tornDown_) return;
    tornDown_ = true;
    ForgetEverywhere();
    if (handle_ && IsWindowVisible(handle_)) ShowWindow(handle_, SW_HIDE);
    const NotifyEvent destroyed = onDestroy_;
    onDestroy_ = {};  // runs once, even if the handler causes another teardown
    destroyed.Raise(*this);
    owned_.DestroyAll();
    while (!children_.empty()) {
        std::unique_ptr<Control> child = std::move(children_.back());
        children_.pop_back();
        child.reset();
    }
    canvas_.reset();
    font_.reset();
    brush_.reset();
    ForgetEverywhere();
    if (handle_) {
        const HWND window = handle_;
        Unbind();
        DestroyWindow(window);
    }
}

void Control::ForgetEverywhere() {
    if (Application* app = App()) app->Forget(this);
    for (Control* c = parent_; c; c = c->parent_) {
        if (Form* form = c->AsForm()) {
            form->Forget(this);
            break;
        }
    }
    if (parent_) {
        if (parent_->firstRadio_ == this) parent_->firstRadio_ = nullptr;
        if (parent_->lastRadio_ == this) parent_->lastRadio_ = nullptr;
    }
}

Control* Control::FromWindow(HWND window) {
    return window ? static_cast<Control*>(GetPropW(window, kControlProperty)) : nullptr;
}

void Control::BindWindow(HWND window) {
    handle_ = window;
    SetPropW(window, kControlProperty, this);
}

void Control::Unbind() {
    if (!handle_) return;
    RemovePropW(handle_, kControlProperty);
    if (subclassed_) comctl::RemoveWindowSubclass(handle_, SubclassProc, 0);
    subclassed_ = false;
    handle_ = nullptr;
}

// ---- window procedures ----

LRESULT Control::Dispatch(Control* self, HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (Application* app = App(); app && app->FilterKey(window, message, wParam, lParam)) return 0;
    return self->WndProc(message, wParam, lParam);
}

LRESULT CALLBACK Control::ClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    Control* self = FromWindow(window);
    if (!self && message == WM_NCCREATE) {
        self = static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (self) self->BindWindow(window);
    }
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return Dispatch(self, window, message, wParam, lParam);
}

LRESULT CALLBACK Control::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR data) noexcept {
    return Dispatch(reinterpret_cast<Control*>(data), window, message, wParam, lParam);
}

LRESULT Control::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) {
    return subclassed_ ? comctl::DefSubclassProc(handle_, message, wParam, lParam)
                       : DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT Control::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        // Reflected: the child that sent it handles its own click.
        if (Control* child = FromWindow(reinterpret_cast<HWND>(lParam)); child && child != this) {
            if (HIWORD(wParam) == BN_CLICKED) child->Click();
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (Control* child = FromWindow(reinterpret_cast<HWND>(lParam)); child && child != this) {
            // Edit boxes keep the system's window colour unless the program chose one.
            if (message == WM_CTLCOLOREDIT && !child->colorSet_) break;
            return reinterpret_cast<LRESULT>(child->ColorDevice(reinterpret_cast<HDC>(wParam)));
        }
        break;
    case WM_SETFOCUS:
        if (Form* form = OwningForm(); form && form != this) form->Remember(this);
        break;
    case WM_SIZE: {
        const LRESULT result = CallDefault(message, wParam, lParam);
        Realign();
        return result;
    }
    case WM_SETCURSOR:
        if (cursor_ && reinterpret_cast<HWND>(wParam) == handle_ && LOWORD(lParam) == HTCLIENT) {
            SetCursor(cursor_);
            return TRUE;
        }
        break;
    case WM_SETTEXT:
        // A transparent control draws its text only over its ancestor's painting (SetText asks
        // for that); the standard control would paint the new text over the old one at once. With
        // drawing off it only stores the text. The message goes on in the form it came in.
        if (transparent_ && subclassed_ && (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_VISIBLE)) {
            CallDefault(WM_SETREDRAW, FALSE, 0);
            const LRESULT result = CallDefault(message, wParam, lParam);
            CallDefault(WM_SETREDRAW, TRUE, 0);
            return result;
        }
        break;
    case WM_ERASEBKGND:
        if (transparent_) return 1;
        break;
    case WM_PAINT:
        if (transparent_) {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(handle_, &paint);
            PaintTransparent(dc);
            EndPaint(handle_, &paint);
            return 0;
        }
        break;
    case WM_PRINTCLIENT:
        if (transparent_) {
            PaintTransparent(reinterpret_cast<HDC>(wParam));
            return 0;
        }
        break;
    case WM_NCDESTROY: {
        // The system destroys the window (a closed form takes its children along): the record stays.
        const LRESULT result = CallDefault(message, wParam, lParam);
        Unbind();
        return result;
    }
    }
    return CallDefault(message, wParam, lParam);
}

HBRUSH Control::ColorDevice(HDC dc) {
    SetTextColor(dc, ResolveColor(textColor_));
    if (transparent_) {
        SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ResolveColor(color_));
    return BackgroundBrush();
}

void Control::PaintBackground(HDC dc, const RECT& client) { FillRect(dc, &client, BackgroundBrush()); }

void Control::PaintTransparent(HDC dc) {
    Control* ancestor = parent_;
    while (ancestor && ancestor->transparent_) ancestor = ancestor->parent_;
    if (ancestor && ancestor->handle_) {
        // The ancestor paints itself into our device context, shifted so its pixels land where
        // they are on screen; our clipping keeps it to our area.
        POINT origin{0, 0};
        MapWindowPoints(handle_, ancestor->handle_, &origin, 1);
        RECT area;
        GetClientRect(ancestor->handle_, &area);
        const int saved = SaveDC(dc);
        OffsetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
        ancestor->PaintBackground(dc, area);
        RestoreDC(dc, saved);
    }
    PaintTransparentContent(dc);
}

void Control::PaintTransparentContent(HDC dc) {
    const std::string text = GetText();
    if (text.empty()) return;
    RECT client;
    GetClientRect(handle_, &client);
    const HFONT font = font_ ? font_->Handle() : reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0));
    SelectionScope selected(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ResolveColor(textColor_));
    DrawTextW(dc, Wide(text).c_str(), -1, &client, DT_LEFT | DT_EXPANDTABS | DT_NOPREFIX);
}

// ---- windows ----

HWND Control::GetWindowHandle() {
    if (!handle_) {
        // A child's window is made together with its parent's; a form's owner is the application window.
        if (parent_ && !parent_->GetWindowHandle()) return nullptr;
        if (!handle_) CreateWindowTree();
    }
    return handle_;
}

void Control::CreateWindowTree() {
    if (!handle_) CreateOwnWindow();
    if (!handle_ || this == App()) return;  // forms are made one by one, at their first need or at the run
    for (const auto& child : children_) {
        if (!child->handle_) child->CreateWindowTree();
    }
    Realign();
}

void Control::CreateOwnWindow() {
    DWORD style = (style_ & ~kStateBits) | (visible_ ? WS_VISIBLE : 0) | (enabled_ ? 0 : WS_DISABLED);
    const HWND window = CreateWindowExW(exStyle_, kind_.className, Wide(caption_).c_str(), style,
                                        bounds_.left, bounds_.top, bounds_.Width(), bounds_.Height(), parent_->handle_,
                                        nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window) return;
    BindWindow(window);
    subclassed_ = comctl::SetWindowSubclass(window, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
    if (font_) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), FALSE);
}

void Control::AdoptChild(std::unique_ptr<Control> child) {
    Control& ref = *child;
    children_.push_back(std::move(child));
    if (handle_ && this != App()) ref.CreateWindowTree();
}

Form* Control::OwningForm() {
    for (Control* c = this; c; c = c->parent_) {
        if (Form* form = c->AsForm()) return form;
    }
    return nullptr;
}

// ---- geometry ----

Rect Control::GetBounds() {
    if (handle_) {
        RECT r;
        GetWindowRect(handle_, &r);
        if (parent_ && parent_ != App() && parent_->handle_) {
            MapWindowPoints(HWND_DESKTOP, parent_->handle_, reinterpret_cast<POINT*>(&r), 2);
        }
        bounds_ = {r.left, r.top, r.right, r.bottom};
    }
    return bounds_;
}

Rect Control::ClientRect() {
    if (handle_) {
        RECT r;
        GetClientRect(handle_, &r);
        return {r.left, r.top, r.right, r.bottom};
    }
    return {0, 0, bounds_.Width(), bounds_.Height()};
}

Control& Control::SetBounds(const Rect& bounds) {
    const Rect old = GetBounds();
    bounds_ = bounds;
    if (handle_) {
        if (!(old == bounds)) {
            SetWindowPos(handle_, nullptr, bounds.left, bounds.top, bounds.Width(), bounds.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
            // Static texts and gradients depend on the whole size: repaint everything, including
            // transparent children, which show the painting underneath.
            if (parent_ != App()) Repaint();
        }
    } else if (old.Width() != bounds.Width() || old.Height() != bounds.Height()) {
        Realign();  // a window would do this on WM_SIZE
    }
    return *this;
}

Control& Control::SetPosition(int left, int top) {
    SetLeft(left);
    return SetTop(top);
}

Control& Control::SetLeft(int left) {
    const Rect b = GetBounds();
    return SetBounds({left, b.top, left + b.Width(), b.bottom});
}

Control& Control::SetTop(int top) {
    const Rect b = GetBounds();
    return SetBounds({b.left, top, b.right, top + b.Height()});
}

Control& Control::SetSize(int width, int height) {
    Rect b = GetBounds();
    if (width > 0) b.right = b.left + width;
    if (height > 0) b.bottom = b.top + height;
    return SetBounds(b);
}

Control& Control::SetAlign(Align align) {
    align_ = align;
    if (parent_) parent_->Realign();
    return *this;
}

Control& Control::SetMargin(int pixels) {
    margin_ = pixels;
    Realign();
    return *this;
}

void Control::Realign() {
    std::vector<LayoutChild> placed;
    std::vector<Control*> controls;
    for (const auto& child : children_) {
        if (child->visible_ && child->align_ != Align::None) {
            placed.push_back({child->align_, child->GetBounds()});
            controls.push_back(child.get());
        }
    }
    if (placed.empty()) return;
    ArrangeChildren(ClientRect(), margin_, placed.data(), placed.size());
    for (std::size_t i = 0; i < placed.size(); ++i) {
        if (!(controls[i]->GetBounds() == placed[i].bounds)) controls[i]->SetBounds(placed[i].bounds);
    }
}

Control& Control::SetAutoSize(bool on) {
    autoSize_ = on;
    AutoSize();
    return *this;
}

void Control::AutoSize() {
    if (!autoSize_) return;
    // Measured in the font the window shows: a control without a font tool gets the default one
    // now, so that what is measured and what is drawn agree.
    Font& font = GetFont();
    const std::string text = AutoSizeText(GetText(), font.Log().lfItalic != 0);
    const Size measured = GetCanvas().MeasureText(text);
    const Rect b = GetBounds();
    const Size size = AutoSizedSize(align_, kind_.extras, measured, {b.Width(), b.Height()});
    if (size.width != b.Width() || size.height != b.Height()) {
        SetBounds({b.left, b.top, b.left + size.width, b.top + size.height});
        if (parent_) parent_->Realign();
    }
}

// ---- appearance and state ----

void Control::SetText(const std::string& text) {
    caption_ = text;
    if (handle_) {
        SetWindowTextW(handle_, Wide(caption_).c_str());
        // Repaint at once: a transparent control's old text is wiped by its ancestor's painting.
        RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    AutoSize();
}

std::string Control::GetText() const {
    if (!handle_) return caption_;
    std::wstring text(GetWindowTextLengthW(handle_) + 1, L'\0');
    const int length = GetWindowTextW(handle_, text.data(), static_cast<int>(text.size()));
    return Utf8({text.data(), static_cast<std::size_t>(length)});
}

void Control::SetVisible(bool visible) {
    visible_ = visible;
    visibilitySet_ = true;
    if (!visible) showAtStart_ = false;
    if (handle_) ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
    if (parent_) parent_->Realign();
}

bool Control::IsVisible() const { return visible_; }

void Control::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (handle_) EnableWindow(handle_, enabled);
}

void Control::SetColor(ColorValue color) {
    color_ = color;
    colorSet_ = true;
    if (brush_) brush_->SetBrushColor(color);
    Repaint();
}

void Control::SetTransparent(bool transparent) {
    transparent_ = transparent;
    Repaint();
}

void Control::SetBorder(bool border) {
    const bool present = (style_ & (WS_THICKFRAME | WS_BORDER | WS_DLGFRAME)) || (exStyle_ & WS_EX_CLIENTEDGE);
    if (present == border) return;
    if (kind_.clientEdge) {
        SetExStyle(border ? exStyle_ | WS_EX_CLIENTEDGE : exStyle_ & ~WS_EX_CLIENTEDGE);
        if (!border) SetStyle(style_ & ~WS_BORDER);
    } else {
        SetStyle(border ? style_ | WS_BORDER : style_ & ~WS_BORDER);
        if (!border) SetExStyle(exStyle_ & ~WS_EX_CLIENTEDGE);
    }
}

void Control::SetClientEdge(bool edge) {
    kind_.clientEdge = edge;
    SetExStyle(edge ? exStyle_ | WS_EX_CLIENTEDGE : exStyle_ & ~WS_EX_CLIENTEDGE);
    SetStyle(edge ? style_ & ~WS_BORDER : style_ | WS_BORDER);
}

void Control::SetTabStop(bool tabStop) { SetStyle(tabStop ? style_ | WS_TABSTOP : style_ & ~WS_TABSTOP); }

void Control::PushFrame() {
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Repaint();
}

void Control::SetStyle(DWORD style) {
    style_ = style;
    if (!handle_) return;
    const DWORD state = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE)) & kStateBits;
    SetWindowLongPtrW(handle_, GWL_STYLE, static_cast<LONG_PTR>((style & ~kStateBits) | state));
    PushFrame();
}

void Control::SetExStyle(DWORD exStyle) {
    exStyle_ = exStyle;
    if (!handle_) return;
    SetWindowLongPtrW(handle_, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle));
    PushFrame();
}

void Control::SetCursorResource(HINSTANCE module, LPCWSTR id) { cursor_ = LoadCursorW(module, id); }

void Control::Repaint() {
    if (handle_) RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// ---- tools ----

Font& Control::GetFont() {
    if (!font_) {
        font_ = std::make_unique<Font>(this, textColor_);
        if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), TRUE);
    }
    return *font_;
}

void Control::FontChanged() {
    textColor_ = font_->Color();
    if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), TRUE);
    canvas_.reset();
    AutoSize();
    Repaint();
}

Canvas& Control::GetCanvas() {
    if (!canvas_) canvas_ = std::make_unique<Canvas>(*this);
    return *canvas_;
}

HBRUSH Control::BackgroundBrush() {
    if (!brush_) brush_ = std::make_unique<Brush>(color_);
    return brush_->Handle();
}
