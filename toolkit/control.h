#pragma once
// The control record: one C++ object per window of the toolkit (application, forms, child
// controls). It owns its children, its owned objects, its font and brush, and its window, and
// releases them in that order's reverse when destroyed. Windows are created lazily, the first
// time a handle is needed; until then every property lives in the record.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/color.h"
#include "runtime/platform.h"
#include "toolkit/autosize.h"
#include "toolkit/geometry.h"
#include "toolkit/owned.h"

class Application;
class Brush;
class Canvas;
class Control;
class Font;
class Form;
class RadioButton;

// Colour value: 0x00BBGGRR, or with the high bit set a system colour index in the low byte.
using ColorValue = std::int32_t;
inline constexpr ColorValue kColorButtonFace = static_cast<ColorValue>(0x8000000F);
inline constexpr ColorValue kColorWindowText = static_cast<ColorValue>(0x80000008);
inline constexpr ColorValue kColorWindow = static_cast<ColorValue>(0x80000005);
COLORREF ResolveColor(ColorValue color);

// Events are a plain handler plus a context value handed back on each call.
using NotifyHandler = void (*)(void* context, Control& sender);
using CloseHandler = void (*)(void* context, Control& sender, bool& accept);
struct NotifyEvent {
    NotifyHandler handler = nullptr;
    void* context = nullptr;
    void Raise(Control& sender) const {
        if (handler) handler(context, sender);
    }
};
struct CloseEvent {
    CloseHandler handler = nullptr;
    void* context = nullptr;
};

class Control {
public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The window, created first (with its parents) if it does not exist yet.
    HWND GetWindowHandle();
    HWND ExistingHandle() const { return handle_; }
    Control* Parent() const { return parent_; }
    const std::vector<std::unique_ptr<Control>>& Children() const { return children_; }
    // The control of one of our windows, or null for any other window.
    static Control* FromWindow(HWND window);

    // Geometry: forms in screen coordinates, children in their parent's client coordinates.
    Control& SetPosition(int left, int top);
    Control& SetLeft(int left);
    Control& SetTop(int top);
    Control& SetSize(int width, int height);  // a value of 0 or less keeps that dimension
    Control& SetBounds(const Rect& bounds);
    Rect GetBounds();  // read back from the window when it exists
    int GetLeft() { return GetBounds().left; }
    int GetTop() { return GetBounds().top; }
    int GetWidth() { return GetBounds().Width(); }
    int GetHeight() { return GetBounds().Height(); }
    Rect ClientRect();
    Control& SetAlign(Align align);
    Align GetAlign() const { return align_; }
    Control& SetMargin(int pixels);
    int GetMargin() const { return margin_; }
    Control& SetAutoSize(bool on);
    void Realign();  // lays out the visible aligned children

    // Appearance and state.
    void SetText(const std::string& text);
    std::string GetText() const;
    void ClearText() { SetText({}); }
    virtual void SetVisible(bool visible);
    virtual bool IsVisible() const;
    void SetEnabled(bool enabled);
    bool IsEnabled() const { return enabled_; }
    void SetColor(ColorValue color);
    ColorValue GetColor() const { return color_; }
    ColorValue GetTextColor() const { return textColor_; }
    void SetTransparent(bool transparent);
    bool IsTransparent() const { return transparent_; }
    virtual void SetBorder(bool border);
    void SetClientEdge(bool edge);
    void SetTabStop(bool tabStop);
    void SetStyle(DWORD style);
    DWORD GetStyle() const { return style_; }
    void SetExStyle(DWORD exStyle);
    DWORD GetExStyle() const { return exStyle_; }
    void SetCursorResource(HINSTANCE module, LPCWSTR id);
    void Repaint();

    Font& GetFont();
    bool HasFont() const { return font_ != nullptr; }
    Canvas& GetCanvas();
    HBRUSH BackgroundBrush();

    void SetOnClick(NotifyHandler handler, void* context) { onClick_ = {handler, context}; }
    void SetOnDestroy(NotifyHandler handler, void* context) { onDestroy_ = {handler, context}; }

    // The object is destroyed with this control, after objects attached later.
    template <class T>
    T& AttachOwned(std::unique_ptr<T> object) {
        return owned_.Attach(std::move(object));
    }

    // The form this control sits on (itself for a form), or null.
    Form* OwningForm();
    // Controls that take Enter themselves keep it from the form's default button.
    virtual bool TakesEnter() const { return false; }
    virtual bool KeepsTab() const { return false; }
    // Paints what shows behind transparent children, in this control's client coordinates.
    virtual void PaintBackground(HDC dc, const RECT& client);

    // Called by the font tool after any change to it.
    void FontChanged();
    virtual Form* AsForm() { return nullptr; }
    virtual RadioButton* AsRadio() { return nullptr; }

protected:
    // kind data: what the creation operation chose.
    struct Kind {
        const wchar_t* className = L"STATIC";
        DWORD style = 0;
        DWORD exStyle = 0;
        AutoSizeExtras extras;
        bool clientEdge = false;  // a border means a 3-D edge rather than a flat frame
    };
    Control(Control* parent, const Kind& kind, const std::string& caption);

    // Adds a freshly made child; its window is made at once when ours exists.
    template <class T>
    static T& Adopt(Control& parent, std::unique_ptr<T> child) {
        T& ref = *child;
        parent.AdoptChild(std::move(child));
        return ref;
    }

    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void CreateOwnWindow();
    void CreateWindowTree();
    void BindWindow(HWND window);
    // A click reported by the window itself (BN_CLICKED, STN_CLICKED).
    virtual void Click() { onClick_.Raise(*this); }
    virtual HBRUSH ColorDevice(HDC dc);
    void AutoSize();
    void PushBounds();
    void PaintTransparent(HDC dc);
    // What a transparent control draws over its ancestor's painting: its text.
    virtual void PaintTransparentContent(HDC dc);
    void PushFrame();
    // Releases everything in the order the toolkit promises. Classes whose own members are used
    // while their children go (forms, the application) call it from their destructors.
    void Teardown();
    void ForgetEverywhere();
    void Unbind();
    static LRESULT Dispatch(Control* self, HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    static LRESULT CALLBACK ClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR data) noexcept;
    static Application* App();

    HWND handle_ = nullptr;
    Control* parent_;
    std::vector<std::unique_ptr<Control>> children_;
    Kind kind_;
    std::string caption_;
    DWORD style_;
    DWORD exStyle_;
    Rect bounds_;
    ColorValue textColor_ = kColorWindowText;
    ColorValue color_ = kColorButtonFace;
    bool colorSet_ = false;
    std::unique_ptr<Font> font_;
    std::unique_ptr<Brush> brush_;
    std::unique_ptr<Canvas> canvas_;
    int margin_ = 2;
    Align align_ = Align::None;
    bool visible_ = true;
    bool visibilitySet_ = false;
    bool enabled_ = true;
    bool transparent_ = false;
    bool autoSize_ = false;
    bool showAtStart_ = false;
    bool subclassed_ = false;
    bool tornDown_ = false;
    NotifyEvent onClick_, onDestroy_;
    OwnedList owned_;
    HCURSOR cursor_ = nullptr;
    Control* firstRadio_ = nullptr;  // radio buttons created on this control
    Control* lastRadio_ = nullptr;

    friend class Application;
    friend class Form;
    friend class RadioButton;
    friend void StartApplication(Application& app);

private:
    void AdoptChild(std::unique_ptr<Control> child);
};

// A value-initialised (zero-filled) plain object, such as a window's holder record, owned by `owner`.
template <class T>
T& CreateObject(Control& owner) {
    return owner.AttachOwned(std::make_unique<T>());
}

// The default bounds of a new child: at the parent's margin, this size.
inline constexpr int kDefaultChildWidth = 100;
inline constexpr int kDefaultChildHeight = 22;
