#pragma once
// Drawing on a control's window outside of its painting, with copies of the control's font and
// brush. The device context is taken for each operation and given back at once.
#include <string>

#include "toolkit/control.h"
#include "toolkit/font.h"

class Canvas {
public:
    explicit Canvas(Control& owner);
    Brush& GetCanvasBrush() { return brush_; }
    Font& GetCanvasFont() { return font_; }
    // GDI Rectangle with a black one-pixel pen and the canvas brush.
    void DrawRectangle(int left, int top, int right, int bottom);
    // The extent of the text in the canvas font; empty text measures 0 x 0.
    Size MeasureText(const std::string& text);

private:
    Control& owner_;
    Font font_;
    Brush brush_;
};
