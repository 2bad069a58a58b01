#include "toolkit/gradient_panel.h"

#include <memory>

#include "toolkit/controls.h"
#include "toolkit/gdi_object.h"

GradientPanel::GradientPanel(Control* parent, ColorValue first, ColorValue second, std::uint8_t style,
                             std::uint8_t layout)
    : Control(parent, {L"STATIC", kLabelStyle, 0, {1, 1}, false}, {}),
      first_(first), second_(second), style_(style), layout_(layout) {}

GradientPanel& CreateGradientPanel(Control& parent, ColorValue first, ColorValue second) {
    auto panel = std::unique_ptr<GradientPanel>(new GradientPanel(&parent, first, second, kGradientTopToBottom, 0));
    panel->bounds_.right -= 24;
    panel->bounds_.bottom += 18;
    return GradientPanel::Adopt(parent, std::move(panel));
}

GradientPanel& CreateShapedGradientPanel(Control& parent, ColorValue first, ColorValue second, std::uint8_t style,
                                         std::uint8_t layout) {
    auto panel = std::unique_ptr<GradientPanel>(new GradientPanel(&parent, first, second, style, layout));
    panel->bounds_.right -= 60;
    panel->bounds_.bottom += 18;
    return GradientPanel::Adopt(parent, std::move(panel));
}

void GradientPanel::SetGradientColor1(ColorValue color) {
    first_ = color;
    Repaint();
}

void GradientPanel::SetGradientColor2(ColorValue color) {
    second_ = color;
    Repaint();
}

void GradientPanel::SetGradientStyle(std::uint8_t style) {
    style_ = style;
    Repaint();
}

void GradientPanel::PaintContent(HDC dc, const RECT& client) {
    if (style_ <= kGradientLeftToRight) {
        PaintLinear(dc, client);
    } else {
        PaintShaped(dc, client);
    }
}

// One FillRect per band with the device context's own brush. Stretching a 1-pixel-wide bitmap
// with HALFTONE may blend neighbouring bands; filling each band gives the exact colours.
void GradientPanel::PaintLinear(HDC dc, const RECT& client) {
    const bool rows = style_ == kGradientTopToBottom;
    const int count = rows ? client.bottom : client.right;
    const auto bands = LinearBandColors(ResolveColor(first_), ResolveColor(second_), count);
    SelectionScope brush(dc, GetStockObject(DC_BRUSH));
    const HBRUSH fill = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
    for (int i = 0; i < count; ++i) {
        SetDCBrushColor(dc, bands[i]);
        const RECT band = rows ? RECT{client.left, i, client.right, i + 1} : RECT{i, client.top, i + 1, client.bottom};
        FillRect(dc, &band, fill);
    }
}

void GradientPanel::PaintShaped(HDC dc, const RECT& client) {
    // Outside the largest shape the panel shows its own background.
    FillRect(dc, &client, BackgroundBrush());
    const auto rings = ShapedGradientRings(client.right, client.bottom, ResolveColor(first_), ResolveColor(second_),
                                           style_, layout_);
    const int saved = SaveDC(dc);
    // Clipping regions are in device units: follow the offset of whoever paints us.
    POINT origin{0, 0};
    GetViewportOrgEx(dc, &origin);
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    const HBRUSH fill = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
    for (const GradientRing& ring : rings) {
        const Rect& b = ring.bounds;
        GdiObject<HRGN> region;
        if (style_ == kGradientRectangle) {
            region.Reset(CreateRectRgn(b.left, b.top, b.right, b.bottom));
        } else if (style_ == kGradientEllipse) {
            region.Reset(CreateEllipticRgn(b.left, b.top, b.right, b.bottom));
        } else {
            const auto corners = RhombusCorners(b);
            POINT points[4];
            for (int i = 0; i < 4; ++i) points[i] = {corners[i].x, corners[i].y};
            region.Reset(CreatePolygonRgn(points, 4, ALTERNATE));
        }
        if (!region) continue;
        SetDCBrushColor(dc, ring.color);
        FillRgn(dc, region.Get(), fill);
        // Each later, larger shape paints only the ring outside this one.
        OffsetRgn(region.Get(), origin.x, origin.y);
        ExtSelectClipRgn(dc, region.Get(), RGN_DIFF);
    }
    RestoreDC(dc, saved);
}

LRESULT GradientPanel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // the paint covers everything
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(handle_, &paint);
        RECT client;
        GetClientRect(handle_, &client);
        PaintContent(dc, client);
        EndPaint(handle_, &paint);
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client;
        GetClientRect(handle_, &client);
        PaintContent(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    }
    return Control::WndProc(message, wParam, lParam);
}
