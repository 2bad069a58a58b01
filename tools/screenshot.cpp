// Saves the screen as a PNG once a window with the given caption shows.
//   screenshot OUT.png [CAPTION [TIMEOUT_MS]]
#include <cstdio>
#include <string>
#include <vector>

#include "runtime/platform.h"
#include "tools/png_writer.h"

namespace {

HWND g_found = nullptr;
const char* g_caption = nullptr;

BOOL CALLBACK FindCaption(HWND window, LPARAM) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    if (IsWindowVisible(window) && std::string(text) == g_caption) {
        g_found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshot OUT.png [CAPTION [TIMEOUT_MS]]\n");
        return 2;
    }
    if (argc >= 3) {
        g_caption = argv[2];
        const DWORD timeout = argc >= 4 ? std::stoul(argv[3]) : 20000;
        const DWORD start = GetTickCount();
        while (!g_found && GetTickCount() - start < timeout) {
            EnumWindows(FindCaption, 0);
            if (!g_found) Sleep(100);
        }
        if (!g_found) {
            std::fprintf(stderr, "screenshot: no window \"%s\" showed\n", g_caption);
            return 1;
        }
        Sleep(800);  // let it finish painting
    }
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    std::vector<std::uint8_t> rgb;
    rgb.reserve(static_cast<std::size_t>(width) * height * 3);
    const auto* pixels = static_cast<const std::uint8_t*>(bits);
    for (int i = 0; i < width * height; ++i) {
        rgb.push_back(pixels[i * 4 + 2]);
        rgb.push_back(pixels[i * 4 + 1]);
        rgb.push_back(pixels[i * 4]);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!WritePng(argv[1], width, height, rgb)) {
        std::fprintf(stderr, "screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
