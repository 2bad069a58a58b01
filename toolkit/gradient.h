#pragma once
// The colours and shapes of the gradient panels, without windows: the window code only fills
// what these functions describe.
#include <array>
#include <cstdint>
#include <vector>

#include "toolkit/geometry.h"

enum GradientStyle : std::uint8_t {
    kGradientTopToBottom = 0,
    kGradientLeftToRight = 1,
    kGradientRectangle = 2,
    kGradientEllipse = 3,
    kGradientRhombus = 4,
};

// Colours of the `count` bands (pixel rows or columns) of a linear gradient between two RGB
// values 0x00BBGGRR. Band 0 is the first colour; the second is reached only when both are equal.
std::vector<std::uint32_t> LinearBandColors(std::uint32_t first, std::uint32_t second, int count);

// One filled shape of a shaped gradient, painted in order: each later shape only paints the ring
// outside the earlier ones.
struct GradientRing {
    Rect bounds;
    std::uint32_t color;
};

// The shapes of a rectangle, ellipse or rhombus gradient over a width x height client area,
// anchored at one of nine points (0 top-left .. 8 bottom-right, row by row).
std::vector<GradientRing> ShapedGradientRings(int width, int height, std::uint32_t first, std::uint32_t second,
                                              int style, int anchor);

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

// Corners of the rhombus inscribed in a shape's bounds: left, top, right, bottom.
std::array<Point, 4> RhombusCorners(const Rect& bounds);
