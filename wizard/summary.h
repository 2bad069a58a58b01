#pragma once
// The ready page's summary of what is about to be installed.
#include <string>

struct ShortcutChoice {
    std::string caption;
    bool checked = false;
    bool visible = false;
};

struct SummaryChoices {
    std::string installFolder;  // FolderEdit's text
    std::string programGroup;   // GroupEdit's text
    bool groupPage = false;     // shortcuts are part of this installation
    ShortcutChoice programs, start, desktop, taskbar;
};

std::string BuildSummaryText(const SummaryChoices& choices);
