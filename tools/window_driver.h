#pragma once
// Drives the windows of a running program the way a user would, and reads what they show. Texts
// are UTF-8 both ways, like the programs' own.
#include <functional>
#include <string>
#include <vector>

#include "runtime/platform.h"

struct WindowState {
    HWND handle = nullptr;
    std::string className, text;
    RECT screen{};    // outer rectangle on the screen
    RECT inParent{};  // outer rectangle in the parent's client area (on the screen for top-level windows)
    RECT client{};    // client rectangle
    bool visible = false;  // the window's own visibility flag
    bool enabled = false;
    int check = -1;   // BST_CHECKED / BST_UNCHECKED for check boxes and radio buttons, else -1
    LONG style = 0;
};

WindowState Describe(HWND window);

// Asks done every 25 ms until it says yes or the time is up; returns its last answer.
bool WaitFor(const std::function<bool()>& done, int timeoutMs);
// The program's top-level windows, in z-order, visible or not.
std::vector<HWND> TopLevelWindows(DWORD process);
// The first top-level window of the program that the test accepts, waiting for it.
HWND WaitForWindow(DWORD process, const std::function<bool(const WindowState&)>& accept, int timeoutMs);
// Every descendant of a window, depth first, in z-order.
std::vector<HWND> Descendants(HWND window);
// The direct child of parent whose text equals text, or nullptr.
HWND ChildWithText(HWND parent, const std::string& text);
// Waits until the test accepts the window's state; returns the last state seen.
WindowState WaitUntil(HWND window, const std::function<bool(const WindowState&)>& accept, int timeoutMs);

// A click on a button, delivered through the program's message loop.
void Click(HWND button);
// A key pressed and released on the window that has the focus in the program's thread.
void PressKey(HWND anyWindowOfTheProgram, int virtualKey);
// Characters typed into an edit box, after selecting its text (so typing replaces it).
void TypeText(HWND edit, const std::string& text);
