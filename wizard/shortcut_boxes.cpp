#include "wizard/shortcut_boxes.h"

#include "engine/engine_texts.h"

GroupPageLayout OfferShortcutBoxes(const std::vector<std::string>& places) {
    GroupPageLayout page;
    for (const auto& place : places) {
        if (place == engine_text::kProgramsPlace) page.programs.visible = true;
        if (place == engine_text::kStartPlace) page.start.visible = true;
        if (place == engine_text::kDesktopPlace) page.desktop.visible = true;
        if (place == engine_text::kTaskbarPlace) page.taskbar.visible = true;
    }
    // Each rule reads the positions the rules before it left. A moved box is ticked whether or not
    // it is offered.
    if (!page.programs.visible) {
        page.groupVisible = false;
        page.extraShortcutsLabelTop = kGroupLabelTop;
        page.shortcutPanelTop = kGroupEditTop;
        page.desktop.top = page.programs.top;
    }
    if (!page.desktop.visible) {
        page.start.top = page.desktop.top;
        page.start.checked = true;
    }
    if (!page.start.visible) {
        page.taskbar.top = page.start.top;
        page.taskbar.checked = true;
    }
    return page;
}
