#include "toolkit/gradient.h"

#include <algorithm>
#include <cmath>

#include "runtime/color.h"

namespace {

// Rounds halves to the even neighbour, as the default floating-point rounding mode does.
int RoundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

}  // namespace

std::vector<std::uint32_t> LinearBandColors(std::uint32_t first, std::uint32_t second, int count) {
    std::vector<std::uint32_t> bands;
    if (count <= 0) return bands;
    bands.reserve(count);
    const int r1 = RedOf(first), g1 = GreenOf(first), b1 = BlueOf(first);
    const int dr = RedOf(second) - r1, dg = GreenOf(second) - g1, db = BlueOf(second) - b1;
    for (int i = 0; i < count; ++i) {
        // Integer division truncates toward zero, so a falling component rounds up, a rising one down.
        bands.push_back(MakeRgb(r1 + dr * i / count, g1 + dg * i / count, b1 + db * i / count));
    }
    return bands;
}

std::vector<GradientRing> ShapedGradientRings(int width, int height, std::uint32_t first, std::uint32_t second,
                                              int style, int anchor) {
    std::vector<GradientRing> rings;
    if (style < kGradientRectangle || style > kGradientRhombus) return rings;
    const double w = width, h = height;
    const double r1 = RedOf(first), g1 = GreenOf(first), b1 = BlueOf(first);
    const double dr = (RedOf(second) - r1) / 256, dg = (GreenOf(second) - g1) / 256,
                 db = (BlueOf(second) - b1) / 256;

    double sx = w / 256, sy = h / 256;
    if (style == kGradientRhombus) {
        sx = w / 128;
        sy = h / 128;
    } else if (style == kGradientEllipse) {
        sx *= std::sqrt(2.0);
        sy *= std::sqrt(2.0);
    }
    // The seed's centre goes on the anchor point.
    double x0 = 0, y0 = 0;
    if (anchor >= 0 && anchor <= 8) {
        const int column = anchor % 3, row = anchor / 3;
        x0 = column == 0 ? -sx / 2 : column == 1 ? (w - sx) / 2 : w - sx / 2;
        y0 = row == 0 ? -sy / 2 : row == 1 ? (h - sy) / 2 : h - sy / 2;
    }
    double x1 = x0 + sx, y1 = y0 + sy;
    double dx0 = -x0 / 255, dy0 = -y0 / 255, dx1 = (w - x1) / 255, dy1 = (h - y1) / 255;
    if (style == kGradientEllipse || style == kGradientRhombus) {
        // Grow evenly around the centre, far enough that the last shape covers the far corner.
        const double f = style == kGradientRhombus ? 2.0 : std::sqrt(2.0);
        dx1 = std::max(dx1, -dx0) * f;
        dy1 = std::max(dy1, -dy0) * f;
        dx0 = -dx1;
        dy0 = -dy1;
    }

    std::uint32_t color = first & 0xFFFFFF;
    for (int i = 0; i < 256; ++i) {
        std::uint32_t next = color;
        if (i < 255) {
            next = MakeRgb(RoundEven(r1 + (i + 1) * dr) + 1, RoundEven(g1 + (i + 1) * dg) + 1,
                           RoundEven(b1 + (i + 1) * db) + 1);
            if (next == color) continue;  // the next shape paints the same colour further out
        }
        const Rect bounds{RoundEven(x0 + i * dx0) + 1, RoundEven(y0 + i * dy0) + 1, RoundEven(x1 + i * dx1) + 2,
                          RoundEven(y1 + i * dy1) + 2};
        rings.push_back({bounds, color});
        color = next;
    }
    return rings;
}

std::array<Point, 4> RhombusCorners(const Rect& b) {
    const int midX = b.left + (b.right - b.left) / 2, midY = b.top + (b.bottom - b.top) / 2;
    return {Point{b.left, midY}, Point{midX, b.top}, Point{b.right, midY}, Point{midX, b.bottom}};
}
