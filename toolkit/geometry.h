#pragma once
// Plain geometry shared by the layout arithmetic and the window code. No windows.h here.
#include <cstdint>

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

struct Size {
    int width = 0, height = 0;
    bool operator==(const Size&) const = default;
};

// Where a child sits in its container; the numbers are the ones the program exchanges.
enum class Align : std::uint8_t { None = 0, Left = 1, Top = 2, Right = 3, Bottom = 4, Client = 5 };
