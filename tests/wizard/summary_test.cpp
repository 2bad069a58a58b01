#include "wizard/summary.h"

#include <gtest/gtest.h>

#include "engine/engine_texts.h"
#include "wizard/wizard_texts.h"

namespace {

SummaryChoices Choices() {
    SummaryChoices c;
    c.installFolder = "C:\\Program Files\\Rodev\\Notes\\";
    c.programGroup = "Rodev\\Заметки";
    c.groupPage = true;
    c.programs = {engine_text::kProgramsPlace, true, true};
    c.start = {engine_text::kStartPlace, false, true};
    c.desktop = {engine_text::kDesktopPlace, true, true};
    c.taskbar = {engine_text::kTaskbarPlace, true, true};
    return c;
}

TEST(Summary, WithoutTheGroupPageOnlyTheFolderIsListed) {
    SummaryChoices c = Choices();
    c.groupPage = false;
    EXPECT_EQ(BuildSummaryText(c), "Директория установки:\r\n    C:\\Program Files\\Rodev\\Notes\\\r\n\r\n");
}

TEST(Summary, GroupAndTickedOfferedPlacesAreListedTaskbarLastWithoutLineBreak) {
    EXPECT_EQ(BuildSummaryText(Choices()),
              "Директория установки:\r\n    C:\\Program Files\\Rodev\\Notes\\\r\n\r\n"
              "Программная группа:\r\n    Rodev\\Заметки\r\n\r\n"
              "Ярлыки программы:\r\n"
              "    Пуск->Программы\r\n"
              "    Рабочий стол\r\n"
              "    Панель задач");
}

TEST(Summary, GroupIsListedWhenItsBoxIsTickedButNotOfferedAndHiddenBoxesAreNot) {
    SummaryChoices c = Choices();
    c.programs.visible = false;
    c.taskbar.visible = false;
    EXPECT_EQ(BuildSummaryText(c),
              "Директория установки:\r\n    C:\\Program Files\\Rodev\\Notes\\\r\n\r\n"
              "Программная группа:\r\n    Rodev\\Заметки\r\n\r\n"
              "Ярлыки программы:\r\n"
              "    Рабочий стол\r\n");
}

TEST(Summary, UntickedProgramsBoxDropsTheGroupLines) {
    SummaryChoices c = Choices();
    c.programs.checked = false;
    c.desktop.checked = false;
    c.taskbar.checked = false;
    EXPECT_EQ(BuildSummaryText(c),
              "Директория установки:\r\n    C:\\Program Files\\Rodev\\Notes\\\r\n\r\nЯрлыки программы:\r\n");
}

TEST(PageTexts, NameTheProgramInQuotesWhereThePagesDo) {
    const PageTexts t = MakePageTexts("Заметки");
    EXPECT_EQ(t.welcomeTitle, "Добро пожаловать в программу установки Заметки");
    EXPECT_EQ(t.welcomeText, "Устанавливается программа \"Заметки\" на Ваш компьютер.");
    EXPECT_EQ(t.folderText, "Выберите директорию, куда будет инсталированна программа \"Заметки\" и нажмите \"Далее\".");
    EXPECT_EQ(t.progressText, "Подождите, пока программа установит Заметки на Ваш компьютер...");
    EXPECT_EQ(t.finishText, "Установка программы \"Заметки\" успешно завершена.");
    EXPECT_STREQ(PageHeader(Page::Welcome).title, "");
    EXPECT_STREQ(PageHeader(Page::Ready).text, "");
    EXPECT_STREQ(PageHeader(Page::Licence).title, "Прочитайте лицензионное соглашение.");
}

}  // namespace
