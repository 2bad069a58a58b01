#include "tools/screen_capture.h"

#include "tools/window_driver.h"

std::vector<std::uint32_t> CaptureScreen(const RECT& area) {
    std::vector<std::uint32_t> pixels;
    HDC screen = GetDC(nullptr);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = GetPixel(screen, x, y);
            pixels.push_back(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
        }
    ReleaseDC(nullptr, screen);
    return pixels;
}

IconColor MessageBoxIconColor(HWND box) {
    HWND icon = nullptr;
    for (HWND child : Descendants(box)) {
        const WindowState s = Describe(child);
        if (_stricmp(s.className.c_str(), "Static") == 0 && (s.style & SS_TYPEMASK) == SS_ICON && s.visible) icon = child;
    }
    if (!icon) return IconColor::None;
    SetForegroundWindow(box);
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(200);
    RECT area;
    GetWindowRect(icon, &area);
    int red = 0, blue = 0, yellow = 0;
    for (std::uint32_t p : CaptureScreen(area)) {
        const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        red += r > 150 && g < 100 && b < 100;
        blue += b > 150 && r < 100;
        yellow += r > 150 && g > 150 && b < 100;
    }
    if (red >= blue && red >= yellow && red > 20) return IconColor::Red;
    if (blue >= yellow && blue > 20) return IconColor::Blue;
    return yellow > 20 ? IconColor::Yellow : IconColor::None;
}
