#include "toolkit/canvas.h"

#include "runtime/unicode.h"
#include "toolkit/gdi_object.h"

Canvas::Canvas(Control& owner)
    : owner_(owner), font_(owner.GetFont(), nullptr), brush_(owner.GetColor()) {}

void Canvas::DrawRectangle(int left, int top, int right, int bottom) {
    const HWND window = owner_.GetWindowHandle();
    if (!window) return;
    WindowDC dc(window);
    SelectionScope pen(dc.Get(), GetStockObject(BLACK_PEN));
    SelectionScope brush(dc.Get(), brush_.Handle());
    Rectangle(dc.Get(), left, top, right, bottom);
}

Size Canvas::MeasureText(const std::string& text) {
    if (text.empty()) return {};
    WindowDC dc(owner_.ExistingHandle());
    SelectionScope font(dc.Get(), font_.Handle());
    const std::wstring wide = Wide(text);
    SIZE extent{};
    GetTextExtentPoint32W(dc.Get(), wide.data(), static_cast<int>(wide.size()), &extent);
    return {extent.cx, extent.cy};
}
