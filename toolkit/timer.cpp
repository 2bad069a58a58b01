#include "toolkit/timer.h"

#include <algorithm>
#include <vector>

#include "toolkit/window_class.h"

namespace {

constexpr const wchar_t* kTickClass = L"TimerWindow";

HWND g_tickWindow = nullptr;
int g_timers = 0;                // live timer objects; the window goes with the last one
std::vector<Timer*> g_enabled;   // a tick for any other identifier is stale and ignored

}  // namespace

Timer& CreateTimer(Control& owner, int intervalMs) { return owner.AttachOwned(std::make_unique<Timer>(intervalMs)); }

Timer::Timer(int intervalMs) : interval_(intervalMs > 0 ? intervalMs : 1000) { ++g_timers; }

Timer::~Timer() {
    SetTimerEnabled(false);
    if (--g_timers == 0 && g_tickWindow) {
        DestroyWindow(g_tickWindow);
        g_tickWindow = nullptr;
    }
}

HWND Timer::TickWindow() { return g_tickWindow; }

void Timer::SetTimerEnabled(bool enabled) {
    if (enabled == enabled_) return;
    if (!g_tickWindow) {
        RegisterWindowClass(kTickClass, TickProc);
        g_tickWindow = CreateWindowExW(0, kTickClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    }
    const auto id = reinterpret_cast<UINT_PTR>(this);
    enabled_ = enabled;
    if (enabled) {
        g_enabled.push_back(this);
        SetTimer(g_tickWindow, id, static_cast<UINT>(interval_), nullptr);
    } else {
        g_enabled.erase(std::remove(g_enabled.begin(), g_enabled.end(), this), g_enabled.end());
        KillTimer(g_tickWindow, id);
    }
}

LRESULT CALLBACK Timer::TickProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_TIMER) return DefWindowProcW(window, message, wParam, lParam);
    const auto found = std::find(g_enabled.begin(), g_enabled.end(), reinterpret_cast<Timer*>(wParam));
    if (found != g_enabled.end() && (*found)->handler_) (*found)->handler_((*found)->context_, **found);
    return 0;
}
