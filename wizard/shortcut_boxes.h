#pragma once
// The group page offers a check box for each place that the package's shortcut records name, and
// closes the gaps that the boxes not offered leave.
#include <string>
#include <vector>

struct ShortcutBox {
    bool visible = false;
    bool checked = false;
    int top = 0;  // within the shortcut panel
};

struct GroupPageLayout {
    bool groupVisible = true;  // GroupLabel and GroupEdit
    int extraShortcutsLabelTop = 92;
    int shortcutPanelTop = 108;
    ShortcutBox programs{false, true, 8};
    ShortcutBox desktop{false, true, 32};
    ShortcutBox start{false, false, 56};
    ShortcutBox taskbar{false, false, 80};
};

// The page as built, before any box is offered.
inline constexpr int kGroupLabelTop = 22;
inline constexpr int kGroupEditTop = 40;

// places: the place line of every shortcut record, compared byte for byte with the captions.
GroupPageLayout OfferShortcutBoxes(const std::vector<std::string>& places);
