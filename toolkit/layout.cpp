#include "toolkit/layout.h"

namespace {

// A strip squeezed past its opposite edge collapses to nothing instead of turning inside out.
Rect Clamped(Rect r) {
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

void PlaceEdgeChild(Rect& area, int m, LayoutChild& child) {
    Rect& b = child.bounds;
    const int width = b.Width(), height = b.Height();
    switch (child.align) {
    case Align::Top:
        b = Clamped({area.left + m, area.top + m, area.right - m, area.top + m + height});
        area.top += m + height;
        break;
    case Align::Bottom:
        b = Clamped({area.left + m, area.bottom - m - height, area.right - m, area.bottom - m});
        area.bottom -= m + height;
        break;
    case Align::Left:
        b = Clamped({area.left + m, area.top + m, area.left + m + width, area.bottom - m});
        area.left += m + width;
        break;
    case Align::Right:
        b = Clamped({area.right - m - width, area.top + m, area.right - m, area.bottom - m});
        area.right -= m + width;
        break;
    case Align::Client:
        b = Clamped({area.left + m, area.top + m, area.right - m, area.bottom - m});
        break;
    case Align::None:
        break;
    }
}

}  // namespace

void ArrangeChildren(Rect area, int margin, LayoutChild* children, std::size_t count) {
    auto pass = [&](Align a, Align b) {
        for (std::size_t i = 0; i < count; ++i) {
            if (children[i].align == a || children[i].align == b) PlaceEdgeChild(area, margin, children[i]);
        }
    };
    pass(Align::Top, Align::Bottom);
    pass(Align::Left, Align::Right);
    pass(Align::Client, Align::Client);
}
