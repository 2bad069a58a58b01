// Shortcut files made through the system's shell link object and read back the same way.
#include "engine/shortcuts.h"

#include "engine/engine_texts.h"
#include "engine/shell_link.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/repeated.h"

namespace {

const char* const kFolders[] = {"Programs", "Start Menu", "Desktop", "Quick Launch"};

// A program group of 143 characters in 271 bytes of UTF-8: a limit of 259 characters takes it.
const std::string kGroup = "Редактор" + Repeated("\\Редактор", 15);

// Each place's folder lies in the test's scratch folder.
class Shortcuts : public EngineTest, public testing::WithParamInterface<ShortcutPlace> {
protected:
    Shortcuts() { places_ = scratch_ / "Places\\", placeFolder_ = InScratch; }
    static std::string InScratch(ShortcutPlace place) { return places_ + kFolders[place]; }
    static std::string Fields(const std::string& link) {
        const ShortcutFields f = ReadShortcut(link).value_or(ShortcutFields{});
        return f.target + "|" + f.workingFolder + "|" + f.arguments + "|" + f.description;
    }
    static inline std::string places_;
};

TEST_P(Shortcuts, EveryTickedPlaceGetsItsLinkToTheInstalledProgramAndNoOtherPlaceDoes) {
    view_.folder = "C:\\Apps\\Ред";
    view_.ticked[GetParam()] = false;
    package_.data.MainSettings[setting::kProgramGroup] = kGroup;
    for (const char* place : {engine_text::kProgramsPlace, engine_text::kStartPlace, engine_text::kDesktopPlace,
                              engine_text::kTaskbarPlace})
        package_.AddShortcut(place, "Редактор", "bin\\edit.exe", "%ProgDr%", "-a Әлия", "Правка Müller");
    // Place names match in their exact letters only.
    for (const char* place : {"пуск", "Пуск ", "Desktop"}) package_.AddShortcut(place, "Other", "edit.exe");
    Do(CreateShortcuts);
    StringList made;
    for (int place = 0; place < 4; ++place) {
        // Program menu links go into the package's program group.
        const std::string link = places_ + kFolders[place] + (place ? "" : "\\" + kGroup) + "\\Редактор.lnk";
        if (place != GetParam()) made.push_back(link);
        EXPECT_EQ(Fields(link),
                  place == GetParam() ? "|||" : "C:\\Apps\\Ред\\bin\\edit.exe|C:\\Apps\\Ред|-a Әлия|Правка Müller");
    }
    EXPECT_EQ(state_.CreatedLinks, made);
    EXPECT_EQ(view_.folder, "C:\\Apps\\Ред\\");
}

INSTANTIATE_TEST_SUITE_P(Unticked, Shortcuts, testing::Values(kProgramsPlace, kStartPlace, kDesktopPlace, kTaskbarPlace));

}  // namespace
