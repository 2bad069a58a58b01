#pragma once
// Arranging the aligned children of a container, without windows: the window code hands in the
// visible children in creation order and moves those whose bounds change.
#include <cstddef>

#include "toolkit/geometry.h"

struct LayoutChild {
    Align align = Align::None;
    Rect bounds;  // in the container's client coordinates; updated in place
};

// Three passes in creation order: top and bottom children, then left and right, then client
// children, each taking its strip from what the earlier ones left, keeping `margin` pixels from
// the edges. Children aligned None are left where they are.
void ArrangeChildren(Rect area, int margin, LayoutChild* children, std::size_t count);
