#include "wizard/summary.h"

#include <gtest/gtest.h>

#include "engine/engine_texts.h"

namespace {

const std::string kFolder = "Директория установки:\r\n    C:\\Program Files\\Rodev\\Notes\\\r\n\r\n";
const std::string kGroup = "Программная группа:\r\n    Rodev\\Заметки\r\n\r\n";

const struct {
    const char* what;
    void (*change)(SummaryChoices&);
    std::string summary;
} kRows[] = {
    {"all four offered, start unticked: taskbar last without a line break", [](SummaryChoices&) {},
     kFolder + kGroup + "Ярлыки программы:\r\n    Пуск->Программы\r\n    Рабочий стол\r\n    Панель задач"},
    {"no group page: only the folder", [](SummaryChoices& c) { c.groupPage = false; }, kFolder},
    {"programs box ticked but not offered still names the group; hidden boxes are not listed",
     [](SummaryChoices& c) { c.programs.visible = c.taskbar.visible = false; },
     kFolder + kGroup + "Ярлыки программы:\r\n    Рабочий стол\r\n"},
    {"unticked programs box drops the group lines",
     [](SummaryChoices& c) { c.programs.checked = c.desktop.checked = c.taskbar.checked = false; },
     kFolder + "Ярлыки программы:\r\n"},
};

TEST(Summary, ListsTheFolderTheGroupAndTheTickedOfferedShortcuts) {
    for (const auto& row : kRows) {
        using namespace engine_text;
        SummaryChoices c{"C:\\Program Files\\Rodev\\Notes\\", "Rodev\\Заметки", true, {kProgramsPlace, true, true},
                         {kStartPlace, false, true}, {kDesktopPlace, true, true}, {kTaskbarPlace, true, true}};
        row.change(c);
        EXPECT_EQ(BuildSummaryText(c), row.summary) << row.what;
    }
}

}  // namespace
