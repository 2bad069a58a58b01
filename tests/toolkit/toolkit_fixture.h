#pragma once
// A fresh application object for each test, and the pixels a window paints.
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
    Picture picture{client.right, client.bottom, {}};
    // 32 bits a pixel, the top row first.
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), picture.width, -picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    SetDCBrushColor(dc, RGB(1, 99, 7));  // a colour no gradient here uses, so unpainted pixels show
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    const auto* source = static_cast<const std::uint32_t*>(bits);  // bytes B, G, R
    for (int i = 0; i < picture.width * picture.height; ++i)
        picture.pixels.push_back(((source[i] >> 16) & 0xFF) | (source[i] & 0xFF00) | ((source[i] & 0xFF) << 16));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return picture;
}

inline std::uint32_t Grey(int level) { return static_cast<std::uint32_t>(level * 0x010101); }
