#include "tools/screen_capture.h"

#include "tools/window_driver.h"

// One copy of the area into a bitmap of ours: reading the screen a pixel at a time asks the X
// server once a pixel, 14 s for a window.
std::vector<std::uint32_t> CaptureScreen(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    std::vector<std::uint32_t> pixels;
    if (width <= 0 || height <= 0) return pixels;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // top row first
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    if (bits && BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY)) {
        GdiFlush();
        const auto* first = static_cast<const std::uint32_t*>(bits);
        pixels.assign(first, first + width * height);
        for (std::uint32_t& pixel : pixels) pixel &= 0xFFFFFF;  // the unused top byte
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
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
