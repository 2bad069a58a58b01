#include "wizard/shortcut_boxes.h"

#include <gtest/gtest.h>

#include "engine/engine_texts.h"

namespace {

TEST(ShortcutBoxes, AllFourPlacesOfferedKeepTheBuiltLayout) {
    const auto page = OfferShortcutBoxes({engine_text::kProgramsPlace, engine_text::kStartPlace, engine_text::kDesktopPlace, engine_text::kTaskbarPlace});
    EXPECT_TRUE(page.groupVisible);
    EXPECT_EQ(page.extraShortcutsLabelTop, 92);
    EXPECT_EQ(page.shortcutPanelTop, 108);
    EXPECT_TRUE(page.programs.visible && page.start.visible && page.desktop.visible && page.taskbar.visible);
    EXPECT_EQ(page.desktop.top, 32);
    EXPECT_EQ(page.start.top, 56);
    EXPECT_EQ(page.taskbar.top, 80);
    EXPECT_FALSE(page.start.checked);
    EXPECT_FALSE(page.taskbar.checked);
}

TEST(ShortcutBoxes, DesktopOnlyMovesEverythingUpAndTicksTheHiddenTaskbarBox) {
    const auto page = OfferShortcutBoxes({engine_text::kDesktopPlace});
    EXPECT_FALSE(page.groupVisible);
    EXPECT_EQ(page.extraShortcutsLabelTop, 22);
    EXPECT_EQ(page.shortcutPanelTop, 40);
    EXPECT_TRUE(page.desktop.visible);
    EXPECT_EQ(page.desktop.top, 8);
    EXPECT_FALSE(page.taskbar.visible);
    EXPECT_EQ(page.taskbar.top, 56);
    EXPECT_TRUE(page.taskbar.checked);
    // The programs box keeps its tick although it is not offered.
    EXPECT_TRUE(page.programs.checked);
}

TEST(ShortcutBoxes, StartMenuAndTaskbarMoveIntoTheGapOfTheDesktop) {
    const auto page = OfferShortcutBoxes({engine_text::kProgramsPlace, engine_text::kStartPlace, engine_text::kTaskbarPlace});
    EXPECT_TRUE(page.groupVisible);
    EXPECT_EQ(page.start.top, 32);
    EXPECT_TRUE(page.start.checked);
    EXPECT_EQ(page.taskbar.top, 80);
    EXPECT_FALSE(page.taskbar.checked);
}

TEST(ShortcutBoxes, PlacesAreComparedByteForByte) {
    const auto page = OfferShortcutBoxes({"пуск", "Рабочий  стол", " Панель задач", "Пуск->программы"});
    EXPECT_FALSE(page.programs.visible || page.start.visible || page.desktop.visible || page.taskbar.visible);
    EXPECT_EQ(page.taskbar.top, 8);  // it follows the start box, which followed the desktop box
}

TEST(ShortcutBoxes, NoRecordsOffersNothing) {
    const auto page = OfferShortcutBoxes({});
    EXPECT_FALSE(page.groupVisible);
    EXPECT_TRUE(page.start.checked && page.taskbar.checked);
}

}  // namespace
