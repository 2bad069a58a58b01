#pragma once
// Gradient panels: text-less static controls that paint their whole client area with a linear or
// shaped colour gradient. Transparent labels on them show the gradient around their text.
#include <cstdint>

#include "toolkit/control.h"
#include "toolkit/gradient.h"

class GradientPanel : public Control {
public:
    void SetGradientColor1(ColorValue color);
    void SetGradientColor2(ColorValue color);
    void SetGradientStyle(std::uint8_t style);
    std::uint8_t GetGradientStyle() const { return style_; }
    // Paints the gradient for a client area `client` (left = top = 0).
    void PaintContent(HDC dc, const RECT& client);
    void PaintBackground(HDC dc, const RECT& client) override { PaintContent(dc, client); }

protected:
    GradientPanel(Control* parent, ColorValue first, ColorValue second, std::uint8_t style, std::uint8_t layout);
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PaintLinear(HDC dc, const RECT& client);
    void PaintShaped(HDC dc, const RECT& client);

    ColorValue first_, second_;
    std::uint8_t style_, layout_;

    friend GradientPanel& CreateGradientPanel(Control& parent, ColorValue first, ColorValue second);
    friend GradientPanel& CreateShapedGradientPanel(Control& parent, ColorValue first, ColorValue second,
                                                    std::uint8_t style, std::uint8_t layout);
};

// A top-to-bottom linear gradient panel.
GradientPanel& CreateGradientPanel(Control& parent, ColorValue first, ColorValue second);
// A rectangle, ellipse or rhombus gradient (styles 2..4; 0 and 1 paint linear) anchored at one of
// nine points (0 top-left .. 8 bottom-right).
GradientPanel& CreateShapedGradientPanel(Control& parent, ColorValue first, ColorValue second, std::uint8_t style,
                                         std::uint8_t layout);
