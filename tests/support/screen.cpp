#include "tests/support/screen.h"

#include "tests/support/driver.h"

std::vector<std::uint32_t> CaptureScreen(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width > 0 ? width : 0) * (height > 0 ? height : 0));
    if (pixels.empty()) return pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* source = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = source[i] & 0xFFFFFF;
    SelectObject(memory, old);
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
