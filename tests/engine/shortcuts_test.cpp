// Shortcut files made through the system's shell link object and read back the same way.
#include "engine/shortcuts.h"

#include <shlobj.h>

#include "engine/engine_texts.h"
#include "engine/folders.h"
#include "engine/shell_link.h"
#include "tests/engine/engine_fixture.h"

namespace {

constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kMapGroups = "Software\\Microsoft\\Windows\\CurrentVersion\\GrpConv\\MapGroups";

// The four shell folders pointed at scratch folders for the test, and put back afterwards.
class Shortcuts : public EngineTest {
protected:
    Shortcuts() {
        programs_.Set(folders_ / "Programs");
        startMenu_.Set(folders_ / "Start Menu");
        desktop_.Set(folders_ / "Desktop");
        quickLaunch_.Set(folders_ / "Quick Launch");
        for (const char* name : {"Programs", "Start Menu", "Desktop", "Quick Launch"})
            CreateDirectoryA((folders_ / name).c_str(), nullptr);
        package_.data.MainSettings[setting::kProgramGroup] = "Редактор";
    }
    // Links must never land in the user's real folders (under Wine the desktop is the home folder).
    void SetUp() override {
        ASSERT_EQ(GetProgramsDir(), folders_ / "Programs");
        ASSERT_EQ(GetStartMenuDir(), folders_ / "Start Menu");
        ASSERT_EQ(GetDesktopDir(), folders_ / "Desktop");
        ASSERT_EQ(GetQuickLaunchDir(), folders_ / "Quick Launch");
    }
    void Create() {
        Installation run = Run();
        CreateShortcuts(run);
    }

    ScratchFolder folders_{scratch_.Path()};
    ShellFolderOverride programs_{"Programs"};
    ShellFolderOverride startMenu_{"Start Menu"};
    ShellFolderOverride desktop_{"Desktop"};
    ValueOverride quickLaunch_{HKEY_CURRENT_USER, kMapGroups, "Quick Launch"};
};

TEST_F(Shortcuts, EachTickedPlaceGetsItsLinkToTheInstalledProgram) {
    view_.folder = "C:\\Apps\\Ред";
    package_.AddShortcut(engine_text::kProgramsPlace, "Редактор", "edit.exe", "%ProgDr%", "-a", "Правка");
    package_.AddShortcut(engine_text::kStartPlace, "Start", "edit.exe");
    package_.AddShortcut(engine_text::kDesktopPlace, "Desk", "bin\\edit.exe");
    package_.AddShortcut(engine_text::kTaskbarPlace, "Quick", "edit.exe");
    Create();
    const std::vector<std::string> expected = {
        folders_ / "Programs\\Редактор\\Редактор.lnk", folders_ / "Start Menu\\Start.lnk",
        folders_ / "Desktop\\Desk.lnk", folders_ / "Quick Launch\\Quick.lnk"};
    EXPECT_EQ(state_.CreatedLinks, expected);
    EXPECT_EQ(view_.folder, "C:\\Apps\\Ред\\");

    const auto menu = ReadShortcut(expected[0]);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->target, "C:\\Apps\\Ред\\edit.exe");
    EXPECT_EQ(menu->workingFolder, "C:\\Apps\\Ред");  // expanded, not "%ProgDr%"
    EXPECT_EQ(menu->arguments, "-a");
    EXPECT_EQ(menu->description, "Правка");
    EXPECT_EQ(ReadShortcut(expected[2])->target, "C:\\Apps\\Ред\\bin\\edit.exe");
}

TEST_F(Shortcuts, UntickedPlacesGetNoLinkAndAreNotListed) {
    view_.ticked[kDesktopPlace] = false;
    view_.ticked[kProgramsPlace] = false;
    package_.AddShortcut(engine_text::kDesktopPlace, "Desk", "edit.exe");
    package_.AddShortcut(engine_text::kProgramsPlace, "Menu", "edit.exe");
    package_.AddShortcut(engine_text::kStartPlace, "Start", "edit.exe");
    Create();
    EXPECT_EQ(state_.CreatedLinks, (std::vector<std::string>{folders_ / "Start Menu\\Start.lnk"}));
    EXPECT_EQ(ListFiles(folders_.Path()), "Start Menu\\Start.lnk");
}

TEST_F(Shortcuts, PlaceNamesMatchOnlyInTheirExactLetters) {
    package_.AddShortcut("пуск", "Lower", "edit.exe");
    package_.AddShortcut("Пуск ", "Blank", "edit.exe");
    package_.AddShortcut("Desktop", "English", "edit.exe");
    Create();
    EXPECT_TRUE(state_.CreatedLinks.empty());
    EXPECT_EQ(ListFiles(folders_.Path()), "");
}

TEST_F(Shortcuts, SecondLinkOfTheSameNameReplacesTheFirstAndIsListedTwice) {
    package_.AddShortcut(engine_text::kDesktopPlace, "Same", "first.exe");
    package_.AddShortcut(engine_text::kDesktopPlace, "Same", "second.exe");
    Create();
    const std::string link = folders_ / "Desktop\\Same.lnk";
    EXPECT_EQ(state_.CreatedLinks, (std::vector<std::string>{link, link}));
    EXPECT_EQ(ReadShortcut(link)->target, view_.folder + "second.exe");
}

TEST_F(Shortcuts, EmptyArgumentsDescriptionAndWorkingFolderStayEmpty) {
    package_.AddShortcut(engine_text::kStartPlace, "Bare", "edit.exe", "", "", "");
    Create();
    const auto link = ReadShortcut(folders_ / "Start Menu\\Bare.lnk");
    ASSERT_TRUE(link);
    EXPECT_EQ(link->workingFolder, "");
    EXPECT_EQ(link->arguments, "");
    EXPECT_EQ(link->description, "");
}

TEST_F(Shortcuts, LinksThatAreNotMadeAreNotListed) {
    package_.data.MainSettings[setting::kProgramGroup] = "..\\Escaped";
    package_.AddShortcut(engine_text::kProgramsPlace, "Menu", "edit.exe");       // the group leads out
    package_.AddShortcut(engine_text::kTaskbarPlace, "..\\Escaped", "edit.exe");  // the name leads out
    package_.AddShortcut(engine_text::kDesktopPlace, "Desk", "edit.exe");        // no desktop folder
    package_.AddShortcut(engine_text::kStartPlace, "Taken", "edit.exe");         // a folder holds its name
    CreateDirectoryA((folders_ / "Start Menu\\Taken.lnk").c_str(), nullptr);
    package_.AddShortcut(engine_text::kStartPlace, "Start", "edit.exe");
    Installation run = Run();
    run.placeFolder = [](ShortcutPlace place) { return place == kDesktopPlace ? std::string() : ShortcutPlaceFolder(place); };
    CreateShortcuts(run);
    EXPECT_EQ(state_.CreatedLinks, (std::vector<std::string>{folders_ / "Start Menu\\Start.lnk"}));
    EXPECT_EQ(ListFiles(folders_.Path()), "Start Menu\\Start.lnk");
}

TEST_F(Shortcuts, ShortcutCountThatIsNotANumberIsReported) {
    package_.AddShortcut(engine_text::kStartPlace, "Start", "edit.exe");
    package_.data.MainSettings[setting::kShortcutCount] = "one";
    Installation run = Run();
    EXPECT_FAILURE(CreateShortcuts(run), "ConvertError", "'one' is not a valid integer value");
}

std::string SystemFolder(int csidl) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

// The shell folder values removed for the test and put back afterwards.
class ShortcutsWithoutRegistryFolders : public EngineTest {
protected:
    ShortcutsWithoutRegistryFolders() {
        for (ValueOverride* value : {&programs_, &startMenu_, &desktop_, &quickLaunch_}) value->Remove();
    }
    void Create() {
        Installation run = Run();
        CreateShortcuts(run);
    }

    ValueOverride programs_{HKEY_CURRENT_USER, kShellFolders, "Programs"};
    ValueOverride startMenu_{HKEY_CURRENT_USER, kShellFolders, "Start Menu"};
    ValueOverride desktop_{HKEY_CURRENT_USER, kShellFolders, "Desktop"};
    ValueOverride quickLaunch_{HKEY_CURRENT_USER, kMapGroups, "Quick Launch"};
};

TEST_F(ShortcutsWithoutRegistryFolders, FoldersAreAskedOfTheSystem) {
    EXPECT_EQ(GetProgramsDir(), SystemFolder(CSIDL_PROGRAMS));
    EXPECT_EQ(GetStartMenuDir(), SystemFolder(CSIDL_STARTMENU));
    EXPECT_EQ(GetDesktopDir(), SystemFolder(CSIDL_DESKTOPDIRECTORY));
    const std::string quickLaunch = SystemFolder(CSIDL_APPDATA) + "\\Microsoft\\Internet Explorer\\Quick Launch";
    EXPECT_EQ(GetQuickLaunchDir(), quickLaunch);
    EXPECT_FALSE(GetProgramsDir().empty());

    // The quick-launch folder lies inside the test's own Wine prefix: a link may go there.
    const std::string link = quickLaunch + "\\RodevTest-" + std::to_string(GetCurrentProcessId()) + ".lnk";
    package_.AddShortcut(engine_text::kTaskbarPlace, "RodevTest-" + std::to_string(GetCurrentProcessId()), "a.exe");
    Create();
    EXPECT_EQ(state_.CreatedLinks, (std::vector<std::string>{link}));
    EXPECT_TRUE(FileExists(link));
    DeleteFileA(link.c_str());
}

TEST_F(ShortcutsWithoutRegistryFolders, EmptyRegistryValueCountsAsMissing) {
    desktop_.Set("");
    EXPECT_EQ(GetDesktopDir(), SystemFolder(CSIDL_DESKTOPDIRECTORY));
}

}  // namespace

namespace {

DWORD WINAPI LinkWithoutCom(void* context) {
    auto* failure = static_cast<Failure*>(context);
    FailureCapture capture;
    try {
        CreateShellLink("C:\\a.exe", "C:\\never.lnk", "", "", "");
    } catch (const Failure& raised) {
        *failure = raised;
    }
    return 0;
}

// A thread that has not initialised COM cannot make the shell link object: the run ends with the
// system's text for the error instead of silently making no links.
TEST(ShellLinkObject, UnavailableObjectEndsTheRunWithTheSystemsText) {
    Failure thrown;
    HANDLE thread = CreateThread(nullptr, 0, LinkWithoutCom, &thrown, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_EQ(thrown.kind, "OleError");
    EXPECT_FALSE(thrown.message.empty());
    EXPECT_FALSE(FileExists("C:\\never.lnk"));
}

}  // namespace
