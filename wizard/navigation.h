#pragma once
// Which page change a press of Next or Back makes. The step counter and the two page flags
// (licence page, program-group page) decide it alone, so the whole page order lives here.
#include <cstdint>

enum class Page { Welcome, Licence, Folder, Group, Ready, Progress, Finish };

enum class PageAction {
    None,            // the press changes no page
    Change,          // from `from` to `to`
    FinishActions,   // the last press of the sequence
};

struct Navigation {
    PageAction action = PageAction::None;
    Page from = Page::Welcome;
    Page to = Page::Welcome;
};

// The step after Next has added 1.
Navigation NextNavigation(std::uint8_t step, bool licencePage, bool groupPage);
// The step after Back has subtracted 1. Back never returns to the welcome page and never leaves
// the progress or finish page.
Navigation BackNavigation(std::uint8_t step, bool licencePage, bool groupPage);
