#pragma once
// The application object: the taskbar button's window, the owner of every form, and the one
// message loop of the program.
#include <string>

#include "toolkit/control.h"

class Application : public Control {
public:
    ~Application() override;

    // The first form created: closing it ends the program.
    Form* MainForm() const;
    // The form the Enter and Esc keys apply to: the last one that had the focus.
    Form* ActiveForm() const { return activeForm_; }
    bool IsRunning() const { return running_; }
    bool IsTerminated() const { return terminated_; }

    // The message filter: Enter and Esc go to the active form's default and cancel buttons.
    // True when the key was consumed.
    bool FilterKey(HWND target, UINT message, WPARAM wParam, LPARAM lParam);
    // Tab and Shift+Tab move the focus between the tab stops of the focused control's form.
    bool FilterTab(const MSG& message);

    void Forget(const Control* control);
    void SetActiveForm(Form* form) { activeForm_ = form; }

private:
    explicit Application(const std::string& title);
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateOwnWindow() override;

    bool running_ = false;
    bool terminated_ = false;
    Form* activeForm_ = nullptr;

    friend Application& CreateApplication(const std::string& title);
    friend void StartApplication(Application& app);
    friend void RunApplication(Application& app);
    friend void ProcessMessages(Application& app);
    friend class Form;
};

// Creates the application object (one per process; a second call replaces the first).
Application& CreateApplication(const std::string& title);
Application* CurrentApplication();
// Marks the application running, creates every window not yet made and shows the forms whose
// visibility the program left open.
void StartApplication(Application& app);
// StartApplication, then the loop until a WM_QUIT, then the application object is destroyed
// with everything it owns.
void RunApplication(Application& app);
// One pump step: dispatches every queued message; a WM_QUIT ends the run.
void ProcessMessages(Application& app);
// Asks the main form to close, which ends the program; nothing when there is none.
void CloseMainForm();
// Destroys the application object, its forms and everything they own.
void DestroyApplication();
