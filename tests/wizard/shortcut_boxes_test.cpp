#include "wizard/shortcut_boxes.h"

#include <gtest/gtest.h>

#include "engine/engine_texts.h"

namespace {

using namespace engine_text;

// "no group 22/40" for the group line's visibility, the extra label's and the box's tops; then each
// check box as "name[x]@top" when shown, "(name)[ ]@top" when hidden.
std::string Describe(const GroupPageLayout& p) {
    std::string page = (p.groupVisible ? "group " : "no group ") + std::to_string(p.extraShortcutsLabelTop) + "/" +
                       std::to_string(p.shortcutPanelTop);
    for (const auto& [name, box] : {std::pair{std::string("programs"), p.programs}, {"desktop", p.desktop},
                                    {"start", p.start}, {"taskbar", p.taskbar}})
        page += " " + (box.visible ? name : "(" + name + ")") + (box.checked ? "[x]@" : "[ ]@") +
                std::to_string(box.top);
    return page;
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
        {{kProgramsPlace, kStartPlace, kTaskbarPlace},
         "group 92/108 programs[x]@8 (desktop)[x]@32 start[x]@32 taskbar[ ]@80"},
        // Places are compared byte for byte: near misses offer nothing.
        {{"пуск", "Рабочий  стол", " Панель задач", "Пуск->программы"},
         "no group 22/40 (programs)[x]@8 (desktop)[x]@8 (start)[x]@8 (taskbar)[x]@8"},
    };
    for (const auto& row : rows) EXPECT_EQ(Describe(OfferShortcutBoxes(row.places)), row.page);
}

}  // namespace
