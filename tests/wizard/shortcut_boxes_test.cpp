#include "wizard/shortcut_boxes.h"

#include <gtest/gtest.h>

#include "engine/engine_texts.h"

namespace {

using namespace engine_text;

// "name[x]@top" for a shown box, "(name)[ ]@top" for a hidden one.
std::string Describe(const char* name, const ShortcutBox& box) {
    const std::string shown = box.visible ? name : "(" + std::string(name) + ")";
    return " " + shown + (box.checked ? "[x]@" : "[ ]@") + std::to_string(box.top);
}

std::string Describe(const GroupPageLayout& p) {
    return (p.groupVisible ? "group " : "no group ") + std::to_string(p.extraShortcutsLabelTop) + "/" +
           std::to_string(p.shortcutPanelTop) + Describe("programs", p.programs) + Describe("desktop", p.desktop) +
           Describe("start", p.start) + Describe("taskbar", p.taskbar);
}

// The boxes not offered leave gaps that the following boxes close; without the programs box the
// group line goes and the extra shortcuts move up into its place.
TEST(ShortcutBoxes, TheRecordsPlacesDecideWhichBoxesShowWhereAndTicked) {
    const struct {
        std::vector<std::string> places;
        const char* page;
    } rows[] = {
        {{kProgramsPlace, kStartPlace, kDesktopPlace, kTaskbarPlace},
         "group 92/108 programs[x]@8 desktop[x]@32 start[ ]@56 taskbar[ ]@80"},
        {{kDesktopPlace}, "no group 22/40 (programs)[x]@8 desktop[x]@8 (start)[ ]@56 (taskbar)[x]@56"},
        {{kProgramsPlace, kStartPlace, kTaskbarPlace}, "group 92/108 programs[x]@8 (desktop)[x]@32 start[x]@32 taskbar[ ]@80"},
        {{"пуск", "Рабочий  стол", " Панель задач", "Пуск->программы"},
         "no group 22/40 (programs)[x]@8 (desktop)[x]@8 (start)[x]@8 (taskbar)[x]@8"},
    };
    for (const auto& row : rows) EXPECT_EQ(Describe(OfferShortcutBoxes(row.places)), row.page) << row.places.size();
}

}  // namespace
