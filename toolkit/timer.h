#pragma once
// Timers: each tick calls the handler from the message loop until the timer is disabled. One
// hidden window receives the ticks of all timers.
#include "toolkit/control.h"

class Timer;
using TimerHandler = void (*)(void* context, Timer& sender);

class Timer {
public:
    explicit Timer(int intervalMs);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void SetTimerEnabled(bool enabled);  // no effect when unchanged
    bool IsEnabled() const { return enabled_; }
    int Interval() const { return interval_; }
    void SetOnTimer(TimerHandler handler, void* context) {
        handler_ = handler;
        context_ = context;
    }

    // The window that receives every timer's ticks, or null while no timer was ever enabled.
    static HWND TickWindow();

private:
    static LRESULT CALLBACK TickProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    int interval_;
    bool enabled_ = false;
    TimerHandler handler_ = nullptr;
    void* context_ = nullptr;
};

// A disabled timer destroyed with its owner; an interval of 0 or less means 1000 ms.
Timer& CreateTimer(Control& owner, int intervalMs);
