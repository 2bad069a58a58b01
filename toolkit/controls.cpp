#include "toolkit/controls.h"

#include "toolkit/common_controls.h"
#include "toolkit/form.h"
#include "toolkit/image_list.h"

namespace {

constexpr DWORD kButtonStyle = kChildStyle | WS_TABSTOP | BS_PUSHLIKE;
constexpr DWORD kCheckBoxStyle = kChildStyle | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kRadioStyle = kChildStyle | WS_GROUP | WS_TABSTOP | BS_NOTIFY | BS_RADIOBUTTON;
constexpr DWORD kEditStyle = kChildStyle | WS_BORDER | WS_TABSTOP;

DWORD EditStyle(int options) {
    const bool multiLine = options & kEditMultiLine;
    DWORD style = kEditStyle;
    if (!(options & kEditNoHorizontalScroll)) style |= ES_AUTOHSCROLL | (multiLine ? WS_HSCROLL : 0);
    if (!(options & kEditNoVerticalScroll)) style |= ES_AUTOVSCROLL | (multiLine ? WS_VSCROLL : 0);
    if (options & kEditLowerCase) style |= ES_LOWERCASE;
    if (multiLine) style |= ES_MULTILINE;
    if (options & kEditNoHideSelection) style |= ES_NOHIDESEL;
    if (options & kEditOemConvert) style |= ES_OEMCONVERT;
    if (options & kEditPassword) style |= ES_PASSWORD;
    if (options & kEditReadOnly) style |= ES_READONLY;
    if (options & kEditUpperCase) style |= ES_UPPERCASE;
    if (options & kEditWantReturn) style |= ES_WANTRETURN;
    if (options & kEditNumber) style |= ES_NUMBER;
    return style;
}

}  // namespace

Label& CreateLabel(Control& parent, const std::string& caption) {
    return Label::Adopt(parent, std::unique_ptr<Label>(new Label(&parent, {L"STATIC", kLabelStyle, 0, {1, 1}, false}, caption)));
}

Button& CreateButton(Control& parent, const std::string& caption) {
    return Button::Adopt(parent,
                         std::unique_ptr<Button>(new Button(&parent, {L"BUTTON", kButtonStyle, 0, {14, 0}, false}, caption)));
}

void Button::SetDefaultButton(bool on) {
    Form* form = OwningForm();
    if (!form) return;
    if (on) {
        if (Control* previous = form->DefaultButton(); previous && previous != this) {
            previous->SetStyle(previous->GetStyle() & ~BS_DEFPUSHBUTTON);
        }
        form->SetDefaultButton(this);
    } else if (form->DefaultButton() == this) {
        form->SetDefaultButton(nullptr);
    }
    SetStyle(on ? style_ | BS_DEFPUSHBUTTON : style_ & ~BS_DEFPUSHBUTTON);
}

void Button::SetCancelButton(bool on) {
    Form* form = OwningForm();
    if (!form) return;
    if (on) {
        form->SetCancelButton(this);
    } else if (form->CancelButton() == this) {
        form->SetCancelButton(nullptr);
    }
}

CheckBox& CreateCheckBox(Control& parent, const std::string& caption) {
    auto box = std::unique_ptr<CheckBox>(new CheckBox(&parent, {L"BUTTON", kCheckBoxStyle, 0, {24, 0}, false}, caption));
    box->bounds_.right = box->bounds_.left + 72;
    return CheckBox::Adopt(parent, std::move(box));
}

void CheckBox::CreateOwnWindow() {
    Control::CreateOwnWindow();
    if (handle_ && checked_) SendMessageW(handle_, BM_SETCHECK, BST_CHECKED, 0);
}

void CheckBox::SetChecked(bool checked) {
    checked_ = checked;
    if (handle_) SendMessageW(handle_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CheckBox::IsChecked() const {
    return handle_ ? SendMessageW(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED : checked_;
}

RadioButton::RadioButton(Control* parent, const Kind& kind, const std::string& caption) : CheckBox(parent, kind, caption) {
    bounds_.right = bounds_.left + 72;
    // The first radio button of a parent starts checked, so the group always has a choice.
    if (!parent->firstRadio_) {
        parent->firstRadio_ = this;
        checked_ = true;
    }
    parent->lastRadio_ = this;
}

RadioButton& CreateRadioButton(Control& parent, const std::string& caption) {
    return RadioButton::Adopt(
        parent, std::unique_ptr<RadioButton>(new RadioButton(&parent, {L"BUTTON", kRadioStyle, 0, {24, 0}, false}, caption)));
}

void RadioButton::CheckRadio() {
    // Over the parent's range of radio buttons, from the first created to the last.
    bool inRange = false;
    for (const auto& child : parent_->Children()) {
        Control* c = child.get();
        if (c == parent_->firstRadio_) inRange = true;
        if (inRange) {
            if (RadioButton* radio = c->AsRadio()) radio->SetChecked(radio == this);
        }
        if (c == parent_->lastRadio_) break;
    }
    SetChecked(true);
}

void RadioButton::Click() {
    CheckRadio();
    onClick_.Raise(*this);
}

Edit::Edit(Control* parent, int options)
    : Control(parent, {L"EDIT", EditStyle(options), WS_EX_CLIENTEDGE, {0, 6}, true}, {}), options_(options) {
    const int width = (options & kEditMultiLine) ? 200 : 100, height = (options & kEditMultiLine) ? 200 : 22;
    bounds_.right = bounds_.left + width;
    bounds_.bottom = bounds_.top + height;
}

Edit& CreateEdit(Control& parent, int options) {
    return Edit::Adopt(parent, std::unique_ptr<Edit>(new Edit(&parent, options)));
}

Panel& CreatePanel(Control& parent, int edge) {
    const DWORD edgeStyle = edge == kPanelRaised ? WS_DLGFRAME : edge == kPanelLowered ? SS_SUNKEN : 0;
    auto panel = std::unique_ptr<Panel>(
        new Panel(&parent, {L"STATIC", kLabelStyle | edgeStyle, WS_EX_CONTROLPARENT, {1, 1}, false}, {}));
    panel->bounds_.right += 36;
    panel->bounds_.bottom += 36;
    return Panel::Adopt(parent, std::move(panel));
}

ImageView::ImageView(Control* parent, ImageList* list, int index)
    : Control(parent, {L"STATIC", kLabelStyle, 0, {}, false}, {}), list_(list), index_(index) {
    bounds_.right = bounds_.left + (list ? list->Width() : 32);
    bounds_.bottom = bounds_.top + (list ? list->Height() : 32);
}

ImageView& CreateImageView(Control& parent, ImageList* list, int index) {
    return ImageView::Adopt(parent, std::unique_ptr<ImageView>(new ImageView(&parent, list, index)));
}

void ImageView::PaintImage(HDC dc) {
    RECT client;
    GetClientRect(handle_, &client);
    if (transparent_) {
        PaintTransparent(dc);
    } else {
        FillRect(dc, &client, BackgroundBrush());
    }
    if (list_ && list_->Handle()) comctl::ImageList_Draw(list_->Handle(), index_, dc, 0, 0, ILD_NORMAL);
}

LRESULT ImageView::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(handle_, &paint);
        PaintImage(dc);
        EndPaint(handle_, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintImage(reinterpret_cast<HDC>(wParam));
        return 0;
    }
    return Control::WndProc(message, wParam, lParam);
}
