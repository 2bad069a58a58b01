#pragma once
// Forms: the top-level windows of the program, owned by the application window.
#include <string>

#include "toolkit/control.h"

class Application;

class Form : public Control {
public:
    ~Form() override;

    void Show();
    void Hide() { SetVisible(false); }
    void Close();  // posts WM_CLOSE: the request is handled by the loop
    void SetVisible(bool visible) override;
    bool IsVisible() const override;
    void SetWindowState(int state);  // 0 normal, 1 minimised, 2 maximised
    int GetWindowState() const { return state_; }
    void SetBorder(bool border) override;
    void SetResizable(bool resizable);
    Form& CenterOnScreen();
    Form& SetClientSize(int width, int height);  // a value of 0 or less keeps that dimension
    void SetIconResource(HINSTANCE module, LPCWSTR name);
    bool ShowAtStart() const { return showAtStart_; }

    void SetOnClose(CloseHandler handler, void* context) { onClose_ = {handler, context}; }
    void SetOnShow(NotifyHandler handler, void* context) { onShow_ = {handler, context}; }

    Control* DefaultButton() const { return defaultButton_; }
    Control* CancelButton() const { return cancelButton_; }
    void SetDefaultButton(Control* button) { defaultButton_ = button; }
    void SetCancelButton(Control* button) { cancelButton_ = button; }
    // The child that last had the keyboard focus; it gets the focus back with the form.
    Control* FocusedControl() const { return focused_; }
    void Remember(Control* focused);
    void Forget(const Control* control);

    Form* AsForm() override { return this; }

private:
    Form(Application& app, const std::string& caption);
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateOwnWindow() override;
    void HandleClose();

    CloseEvent onClose_;
    NotifyEvent onShow_;
    Control* defaultButton_ = nullptr;
    Control* cancelButton_ = nullptr;
    Control* focused_ = nullptr;
    int state_ = 0;
    bool resizable_ = true;
    POINT fixedSize_{};
    HICON icon_ = nullptr;

    friend Form& CreateForm(Application& app, const std::string& caption);
};

Form& CreateForm(Application& app, const std::string& caption);
