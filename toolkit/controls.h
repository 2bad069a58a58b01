#pragma once
// The child control kinds: standard STATIC, BUTTON and EDIT windows, subclassed so that each
// raises its own events.
#include <string>

#include "toolkit/control.h"

class ImageList;

class Label : public Control {
protected:
    using Control::Control;
    friend Label& CreateLabel(Control& parent, const std::string& caption);
};

class Button : public Control {
public:
    bool TakesEnter() const override { return true; }
    // The form's Enter (default) or Esc (cancel) button; the default one also looks it.
    void SetDefaultButton(bool on);
    void SetCancelButton(bool on);

protected:
    using Control::Control;
    friend Button& CreateButton(Control& parent, const std::string& caption);
};

class CheckBox : public Button {
public:
    void SetChecked(bool checked);
    bool IsChecked() const;

protected:
    using Button::Button;
    void CreateOwnWindow() override;
    bool checked_ = false;
    friend CheckBox& CreateCheckBox(Control& parent, const std::string& caption);
};

class RadioButton : public CheckBox {
public:
    // Checks this one and unchecks the other radio buttons of the parent.
    void CheckRadio();
    RadioButton* AsRadio() override { return this; }

protected:
    RadioButton(Control* parent, const Kind& kind, const std::string& caption);
    void Click() override;
    friend RadioButton& CreateRadioButton(Control& parent, const std::string& caption);
};

// Option bits of CreateEdit.
enum EditOption : int {
    kEditNoHorizontalScroll = 1 << 0,
    kEditNoVerticalScroll = 1 << 1,
    kEditLowerCase = 1 << 2,
    kEditMultiLine = 1 << 3,
    kEditNoHideSelection = 1 << 4,
    kEditOemConvert = 1 << 5,
    kEditPassword = 1 << 6,
    kEditReadOnly = 1 << 7,
    kEditUpperCase = 1 << 8,
    kEditWantReturn = 1 << 9,
    kEditKeepsTab = 1 << 10,
    kEditNumber = 1 << 11,
};

class Edit : public Control {
public:
    bool TakesEnter() const override { return (options_ & kEditMultiLine) != 0; }
    bool KeepsTab() const override { return (options_ & kEditKeepsTab) != 0; }

protected:
    Edit(Control* parent, int options);
    int options_;
    friend Edit& CreateEdit(Control& parent, int options);
};

enum PanelEdge : int { kPanelRaised = 0, kPanelLowered = 1, kPanelFlat = 2 };

class Panel : public Control {
protected:
    using Control::Control;
    friend Panel& CreatePanel(Control& parent, int edge);
};

class ImageView : public Control {
protected:
    ImageView(Control* parent, ImageList* list, int index);
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PaintImage(HDC dc);
    ImageList* list_;
    int index_;
    friend ImageView& CreateImageView(Control& parent, ImageList* list, int index);
};

Label& CreateLabel(Control& parent, const std::string& caption);
Button& CreateButton(Control& parent, const std::string& caption);
CheckBox& CreateCheckBox(Control& parent, const std::string& caption);
RadioButton& CreateRadioButton(Control& parent, const std::string& caption);
Edit& CreateEdit(Control& parent, int options);
Panel& CreatePanel(Control& parent, int edge);
ImageView& CreateImageView(Control& parent, ImageList* list, int index);

// The style every child window starts from: a visible child that clips its siblings and children.
inline constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
inline constexpr DWORD kLabelStyle = kChildStyle | SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY;
