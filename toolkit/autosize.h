#pragma once
// Sizing a control to its text, without windows: the window code measures, this decides.
#include <string>

#include "toolkit/geometry.h"

// What a control kind adds to the measured text; 0 leaves that dimension alone.
struct AutoSizeExtras {
    int width = 0;
    int height = 0;
};

// The text that is measured: italic glyphs lean past their advance, so one space pads them.
std::string AutoSizeText(const std::string& caption, bool italic);

// The control's new outer size. A dimension that its alignment stretches is never auto-sized.
Size AutoSizedSize(Align align, AutoSizeExtras extras, Size text, Size current);
