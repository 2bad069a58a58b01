#pragma once
// A fresh application object for each test, with helpers that drive it as a user would: keys
// through the message loop, and the pixels a window paints.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "toolkit/toolkit.h"

class ToolkitTest : public testing::Test {
protected:
    void SetUp() override { app_ = &CreateApplication("Setup"); }
    void TearDown() override { DestroyApplication(); }

    Application& App() { return *app_; }
    void Pump() { ProcessMessages(*app_); }
    // A key pressed and released on a window, through the queue and the loop.
    void PressKey(HWND target, WPARAM key) {
        const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), 0)) << 16;
        PostMessageA(target, WM_KEYDOWN, key, scan | 1);
        Pump();
        PostMessageA(target, WM_KEYUP, key, scan | 1 | (1L << 30) | (1L << 31));
        Pump();
    }

    Application* app_ = nullptr;
};

// What a window paints into its client area (WM_PRINTCLIENT into a 32-bit DIB section), as
// colour values 0x00BBGGRR.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

inline Picture PrintClient(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    Picture picture;
    picture.width = client.right;
    picture.height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    // A colour no gradient here uses, so unpainted pixels show.
    const RECT all{0, 0, picture.width, picture.height};
    SetDCBrushColor(dc, RGB(1, 99, 7));
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    const auto* source = static_cast<const std::uint32_t*>(bits);
    for (int i = 0; i < picture.width * picture.height; ++i) {
        const std::uint32_t bgra = source[i];  // 0x00RRGGBB in memory order B, G, R
        picture.pixels.push_back(((bgra >> 16) & 0xFF) | (bgra & 0xFF00) | ((bgra & 0xFF) << 16));
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return picture;
}

inline std::uint32_t Grey(int level) { return static_cast<std::uint32_t>(level * 0x010101); }
