#include "wizard/summary.h"

#include "wizard/wizard_texts.h"

std::string BuildSummaryText(const SummaryChoices& choices) {
    const std::string indent = "    ";
    std::string text = std::string(kSummaryFolderHeading) + "\r\n" + indent + choices.installFolder + "\r\n\r\n";
    if (!choices.groupPage) return text;
    // The group is listed whenever its box is ticked, even when the box is not offered.
    if (choices.programs.checked)
        text += std::string(kSummaryGroupHeading) + "\r\n" + indent + choices.programGroup + "\r\n\r\n";
    text += std::string(kSummaryShortcutsHeading) + "\r\n";
    for (const ShortcutChoice* box : {&choices.programs, &choices.start, &choices.desktop}) {
        if (box->checked && box->visible) text += indent + box->caption + "\r\n";
    }
    if (choices.taskbar.checked && choices.taskbar.visible) text += indent + choices.taskbar.caption;
    return text;
}
