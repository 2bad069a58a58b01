// The wizard's pages from the first click to the finish page, driven from outside through the real
// setup program as a user drives it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "package/package_writer.h"
#include "package/shifted_text.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/child_program.h"
#include "tests/support/driver.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/screen.h"

namespace {

constexpr int kTimeout = 20000;
const char* kCaption = "Установка - Тест";
const char* kCloseText =
    "Инсталляция не завершена. Если Вы выйдете, программа не будет\r\nинсталлирована.\r\n\r\n"
    "Вы можете завершить инсталяцию позже.\r\n\r\nВыйти?";

// A page is showing when its marker, a text only it has, is on the screen.
struct PageMarker {
    const char* name;
    const char* text;
};
constexpr PageMarker kPages[] = {
    {"welcome", "Мы настоятельно рекомендуем, чтобы Вы закрыли все"},
    {"licence", "Принимаю"},
    {"folder", "Выбрать"},
    {"group", "Дополнительные ярлыки:"},
    {"ready", "или заново ввести информацию для инсталяции."},
    {"progress", "Статус:"},
    {"finish", "Для выхода из программы установки и нажмите \"Готово\"."},
};

struct Options {
    bool licence = false;
    bool group = false;
    std::vector<std::string> places;  // one shortcut record per place
    int files = 2;
};

class WizardPages : public testing::Test {
protected:
    PackageLayout Layout(const Options& o) {
        PackageLayout p;
        using namespace setting;
        StringList& s = p.settings;
        s.assign(kCount, "0");
        s[kBanner] = "test";
        for (int i : {kLicenceText, kLicenceFontName, kRunAtStartProgram, kRunAtStartParameters, kRunAtEndProgram,
                      kRunAtEndParameters, kRunApp, kReadme})
            s[i] = "";
        s[setting::kCaption] = ::kCaption, s[kCompany] = "Rodev";
        s[kProgramName] = "Тест", s[kProgramGroup] = "Rodev\\Тест";
        s[kLicenceShow] = o.licence ? "1" : "0";
        std::string licence = "Лицензия: пользуйтесь на здоровье.\r\nВторая строка.";
        ShiftText(licence);
        s[kLicenceText] = licence;
        s[kLicenceFontSize] = "8", s[kLicenceFontName] = "Arial", s[kLicenceCharset] = "204";
        s[kCreateShortcuts] = o.group ? "1" : "0";
        s[kUninstallName] = "Тест";
        s[kInstallFolder] = installs_.Path() + "Тест";
        for (const auto& place : o.places) p.shortcuts.push_back({place, "Тест", "%ProgDr%a.txt", "", "", ""});
        for (int i = 0; i < o.files; ++i) {
            const std::string name = i == 1 ? "sub\\b.txt" : "f" + std::to_string(i) + ".txt";
            p.files.push_back({name, static_cast<std::int64_t>(name.size())});
            payload_ += name;
        }
        return p;
    }
    void Start(const PackageLayout& layout) {
        WriteSetupProgram(program_, ComposePackage(TextLines(layout), payload_));
        child_.emplace(program_, temp_.Path());
        wizard_ = WaitForWindow(child_->Id(), [](const WindowState& w) { return w.visible && w.text == kCaption; },
                                kTimeout);
        ASSERT_NE(wizard_, nullptr);
        ASSERT_EQ(WaitForPage("welcome"), "welcome");
    }
    void Start(const Options& o) { Start(Layout(o)); }

    HWND WithText(const std::string& text) {
        for (HWND w : Descendants(wizard_))
            if (Describe(w).text == text) return w;
        return nullptr;
    }
    // Controls found by their place in their parent (the pages keep them where they were built).
    HWND At(const char* className, int left, int top) {
        for (HWND w : Descendants(wizard_)) {
            const WindowState s = Describe(w);
            if (_stricmp(s.className.c_str(), className) == 0 && s.inParent.left == left && s.inParent.top == top)
                return w;
        }
        return nullptr;
    }
    HWND Next() { return At("Button", 400, 326); }
    HWND Back() { return At("Button", 312, 326); }
    HWND Cancel() { return At("Button", 8, 326); }
    HWND FolderEdit() { return At("Edit", 16, 224); }
    HWND GroupEdit() { return At("Edit", 16, 40); }
    HWND Summary() { return At("Edit", 16, 56); }
    HWND LicenceMemo() { return At("Edit", 16, 10); }

    std::string ShownPage() {
        std::string shown;
        for (const auto& page : kPages) {
            HWND marker = WithText(page.text);
            if (marker && IsWindowVisible(marker)) shown += (shown.empty() ? "" : "+") + std::string(page.name);
        }
        return shown;
    }
    std::string WaitForPage(const std::string& page) {
        const DWORD start = GetTickCount();
        std::string shown = ShownPage();
        while (shown != page && GetTickCount() - start < static_cast<DWORD>(kTimeout)) {
            Sleep(20);
            shown = ShownPage();
        }
        return shown;
    }
    // Lets the program handle what was posted so far.
    void Settle() {
        DWORD_PTR result;
        SendMessageTimeoutA(wizard_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
    }
    void Press(HWND button) {
        Click(button);
        Settle();
    }
    void GoTo(const std::string& page) {
        Press(Next());
        ASSERT_EQ(WaitForPage(page), page);
    }
    void Accept() { Press(WithText("Принимаю")); }
    std::string HeaderTitle() {
        HWND header = At("Static", 61, 7);
        return header ? Describe(header).text : "";
    }
    // The install folder as the package names it.
    std::string Installed(const std::string& name) { return installs_.Path() + "Тест\\" + name; }
    void ExpectFinishedAndEnd() {
        ASSERT_EQ(WaitForPage("finish"), "finish");
        EXPECT_EQ(Describe(Next()).text, "Готово");
        EXPECT_TRUE(FileExists(Installed("f0.txt")));
        EXPECT_EQ(ReadFileBytes(Installed("sub\\b.txt")), "sub\\b.txt");
        Click(Next());
        EXPECT_EQ(child_->WaitForExit(kTimeout), 0u);
    }

    ScratchFolder programs_, temp_, installs_;
    std::string program_ = programs_ / "setup.exe";
    std::string payload_;
    std::optional<ChildProgram> child_;
    HWND wizard_ = nullptr;
};

// Back is offered exactly where the page order allows it; the welcome page is never returned to.
TEST_F(WizardPages, WithoutOptionalPagesWelcomeFolderReadyInstallFinish) {
    Start(Options{});
    EXPECT_FALSE(Describe(Back()).enabled);
    GoTo("folder");
    EXPECT_EQ(HeaderTitle(), "Выберите директорию для инсталяции.");
    EXPECT_FALSE(Describe(Back()).enabled) << "the welcome page cannot be returned to";
    EXPECT_TRUE(IsWindowVisible(WithText("Rodev "))) << "the company shows from the second page";
    EXPECT_EQ(Describe(At("msctls_progress32", 0, 0)).handle, nullptr);
    GoTo("ready");
    EXPECT_EQ(Describe(Next()).text, "Установить");
    ASSERT_TRUE(Describe(Back()).enabled);
    Press(Back());
    ASSERT_EQ(WaitForPage("folder"), "folder");
    EXPECT_EQ(Describe(Next()).text, "Далее ->");
    EXPECT_FALSE(Describe(Back()).enabled);
    GoTo("ready");
    GoTo("finish");
    EXPECT_FALSE(IsWindowVisible(Cancel()));
    EXPECT_FALSE(IsWindowVisible(Back()));
    ExpectFinishedAndEnd();
}

TEST_F(WizardPages, WithTheLicenceWelcomeLicenceFolderReadyInstallFinish) {
    Start(Options{true, false, {}});
    GoTo("licence");
    EXPECT_EQ(HeaderTitle(), "Прочитайте лицензионное соглашение.");
    EXPECT_FALSE(Describe(Back()).enabled) << "the welcome page cannot be returned to";
    Accept();
    GoTo("folder");
    ASSERT_TRUE(Describe(Back()).enabled);
    Press(Back());
    ASSERT_EQ(WaitForPage("licence"), "licence");
    EXPECT_FALSE(Describe(Back()).enabled);
    GoTo("folder");
    GoTo("ready");
    Press(Back());
    ASSERT_EQ(WaitForPage("folder"), "folder");
    EXPECT_TRUE(Describe(Back()).enabled) << "the licence page lies before the folder page";
    GoTo("ready");
    GoTo("finish");
    ExpectFinishedAndEnd();
}

TEST_F(WizardPages, WithTheGroupWelcomeFolderGroupReadyInstallFinish) {
    Start(Options{false, true, {"Пуск->Программы"}});
    GoTo("folder");
    GoTo("group");
    EXPECT_EQ(HeaderTitle(), "Выберите программную группу и дополнительные ярлыки.");
    ASSERT_TRUE(Describe(Back()).enabled);
    Press(Back());
    ASSERT_EQ(WaitForPage("folder"), "folder");
    EXPECT_FALSE(Describe(Back()).enabled) << "the folder page is the first after the welcome page";
    GoTo("group");
    GoTo("ready");
    Press(Back());
    ASSERT_EQ(WaitForPage("group"), "group");
    EXPECT_EQ(Describe(Next()).text, "Далее ->");
    // No shortcut is made: the box of the one place the package names is unticked.
    Press(WithText("Пуск->Программы"));
    GoTo("ready");
    GoTo("finish");
    ExpectFinishedAndEnd();
}

TEST_F(WizardPages, WithBothWelcomeLicenceFolderGroupReadyInstallFinish) {
    Start(Options{true, true, {"Рабочий стол"}});
    Press(WithText("Рабочий стол"));  // no shortcut on the test machine's desktop
    GoTo("licence");
    Accept();
    GoTo("folder");
    GoTo("group");
    Press(Back());
    ASSERT_EQ(WaitForPage("folder"), "folder");
    EXPECT_TRUE(Describe(Back()).enabled);
    Press(Back());
    ASSERT_EQ(WaitForPage("licence"), "licence");
    GoTo("folder");
    GoTo("group");
    GoTo("ready");
    Press(Back());
    ASSERT_EQ(WaitForPage("group"), "group");
    GoTo("ready");
    GoTo("finish");
    ExpectFinishedAndEnd();
}

TEST_F(WizardPages, LicenceMustBeAcceptedBeforeNextAndStaysAcceptedAfterBack) {
    Start(Options{true, false, {}});
    GoTo("licence");
    EXPECT_EQ(Describe(LicenceMemo()).text, "Лицензия: пользуйтесь на здоровье.\r\nВторая строка.");
    EXPECT_FALSE(Describe(Next()).enabled);
    PressKey(wizard_, VK_RETURN);
    Settle();
    EXPECT_EQ(ShownPage(), "licence") << "Enter does nothing before the licence is accepted";
    Accept();
    EXPECT_TRUE(Describe(Next()).enabled);
    Press(WithText("Не принимаю"));
    EXPECT_FALSE(Describe(Next()).enabled);
    Accept();
    GoTo("folder");
    Press(Back());
    ASSERT_EQ(WaitForPage("licence"), "licence");
    EXPECT_TRUE(Describe(Next()).enabled);
    EXPECT_EQ(Describe(WithText("Принимаю")).check, BST_CHECKED);
}

TEST_F(WizardPages, EnterPressesNextAndEscAsksTheCloseQuestionButNotOnTheFinishPage) {
    Start(Options{});
    PressKey(wizard_, VK_RETURN);
    ASSERT_EQ(WaitForPage("folder"), "folder");
    PressKey(wizard_, VK_RETURN);
    ASSERT_EQ(WaitForPage("ready"), "ready");
    PressKey(wizard_, VK_ESCAPE);
    auto box = child_->WaitForMessageBox(kTimeout);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Прервать инсталяцию");
    EXPECT_EQ(box->text, kCloseText);
    EXPECT_EQ(box->buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(GetWindow(box->window, GW_OWNER), wizard_);
    PressButton(box->window, IDNO);
    Settle();
    EXPECT_EQ(ShownPage(), "ready") << "No keeps the page";
    EXPECT_EQ(HeaderTitle(), "Все готово для начала инсталяции.");
    EXPECT_EQ(Describe(Next()).text, "Установить");
    Press(Back());
    ASSERT_EQ(WaitForPage("folder"), "folder") << "and the step";
    GoTo("ready");
    GoTo("finish");
    PressKey(wizard_, VK_ESCAPE);
    EXPECT_FALSE(child_->WaitForMessageBox(1000)) << "Esc on the finish page";
    EXPECT_EQ(ShownPage(), "finish");
    PostMessageA(wizard_, WM_CLOSE, 0, 0);
    EXPECT_EQ(child_->WaitForExit(kTimeout), 0u) << "the title bar's close ends it without a question";
}

TEST_F(WizardPages, YesToTheCloseQuestionEndsTheProgramAndRemovesThePackageCopy) {
    Start(Options{true, false, {}});
    const std::string copy = temp_.Path() + "QORT\\Tmp_Data.tmp";
    EXPECT_TRUE(FileExists(copy));
    GoTo("licence");
    Press(Cancel());
    auto box = child_->WaitForMessageBox(kTimeout);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, kCloseText);
    PressButton(box->window, IDYES);
    EXPECT_EQ(child_->WaitForExit(kTimeout), 0u);
    EXPECT_FALSE(FileExists(copy));
    EXPECT_NE(GetFileAttributesA((temp_.Path() + "QORT").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(FileExists(Installed("f0.txt")));
}

TEST_F(WizardPages, ShortcutPlacesOfferedOnlyForTheDesktopCloseTheGaps) {
    Start(Options{false, true, {"Рабочий стол"}});
    GoTo("folder");
    GoTo("group");
    EXPECT_FALSE(IsWindowVisible(WithText("Программная группа:")));
    EXPECT_FALSE(IsWindowVisible(GroupEdit()));
    EXPECT_EQ(Describe(WithText("Дополнительные ярлыки:")).inParent.top, 22);
    const WindowState desktop = Describe(WithText("Рабочий стол"));
    EXPECT_TRUE(desktop.visible);
    EXPECT_EQ(desktop.inParent.top, 8);
    EXPECT_EQ(Describe(GetParent(desktop.handle)).inParent.top, 40) << "the shortcut box";
    const WindowState taskbar = Describe(WithText("Панель задач"));
    EXPECT_FALSE(taskbar.visible);
    EXPECT_EQ(taskbar.inParent.top, 56);
    EXPECT_EQ(taskbar.check, BST_CHECKED);
    EXPECT_FALSE(Describe(WithText("Пуск->Программы")).visible);
}

TEST_F(WizardPages, SummaryListsFolderGroupAndTickedOfferedShortcutsAsTheyAreNow) {
    Start(Options{false, true, {"Пуск->Программы", "Пуск", "Рабочий стол", "Панель задач"}});
    GoTo("folder");
    GoTo("group");
    Press(WithText("Пуск"));
    Press(WithText("Рабочий стол"));  // unticks it
    GoTo("ready");
    const std::string folder = installs_.Path() + "Тест";
    EXPECT_EQ(Describe(Summary()).text, "Директория установки:\r\n    " + folder +
                                            "\r\n\r\nПрограммная группа:\r\n    Rodev\\Тест\r\n\r\n"
                                            "Ярлыки программы:\r\n    Пуск->Программы\r\n    Пуск\r\n");
    Press(Back());
    ASSERT_EQ(WaitForPage("group"), "group");
    TypeText(GroupEdit(), "Другая группа");
    Press(WithText("Пуск->Программы"));
    Press(WithText("Панель задач"));
    GoTo("ready");
    EXPECT_EQ(Describe(Summary()).text, "Директория установки:\r\n    " + folder +
                                            "\r\n\r\nЯрлыки программы:\r\n    Пуск\r\n    Панель задач");
    Press(Back());
    ASSERT_EQ(WaitForPage("group"), "group");
    Press(WithText("Пуск->Программы"));
    GoTo("ready");
    EXPECT_NE(Describe(Summary()).text.find("Программная группа:\r\n    Другая группа\r\n"), std::string::npos);
}

TEST_F(WizardPages, SummaryWithoutTheGroupPageNamesOnlyTheFolderTypedByTheUserWhereFilesGo) {
    Start(Options{});
    GoTo("folder");
    ScratchFolder chosen;
    TypeText(FolderEdit(), chosen.Path() + "Мой");
    GoTo("ready");
    EXPECT_EQ(Describe(Summary()).text, "Директория установки:\r\n    " + chosen.Path() + "Мой\r\n\r\n");
    GoTo("finish");
    EXPECT_EQ(ReadFileBytes(chosen.Path() + "Мой\\sub\\b.txt"), "sub\\b.txt");
    EXPECT_FALSE(FileExists(Installed("f0.txt")));
    Click(Next());
    EXPECT_EQ(child_->WaitForExit(kTimeout), 0u);
}

TEST_F(WizardPages, FinishPageNamesTheStartMenuShortcutOnlyWhenOneWasMadeAndOffersTheAskedChecks) {
    {
        PackageLayout layout = Layout(Options{});
        layout.settings[setting::kOfferRunApp] = "1";
        Start(layout);
        GoTo("folder");
        GoTo("ready");
        GoTo("finish");
        EXPECT_FALSE(IsWindowVisible(WithText("Приложение можно запустить через ярлык в стартовом меню.")));
        EXPECT_EQ(Describe(WithText("Для выхода из программы установки и нажмите \"Готово\".")).inParent.top, 72);
        EXPECT_TRUE(IsWindowVisible(WithText("Запустить установленное приложение")));
        EXPECT_FALSE(IsWindowVisible(WithText("Посмотреть Readme")));
        PostMessageA(wizard_, WM_CLOSE, 0, 0);
        ASSERT_EQ(child_->WaitForExit(kTimeout), 0u);
        child_.reset();
    }
    // The Programs shortcut goes into a scratch folder rather than the Start menu.
    ScratchFolder programsFolder;
    ShellFolderOverride programs("Programs");
    programs.Set(programsFolder.Path());
    payload_.clear();
    PackageLayout layout = Layout(Options{false, true, {"Пуск->Программы"}});
    layout.settings[setting::kOfferReadme] = "1";
    Start(layout);
    GoTo("folder");
    GoTo("group");
    GoTo("ready");
    GoTo("finish");
    EXPECT_TRUE(IsWindowVisible(WithText("Приложение можно запустить через ярлык в стартовом меню.")));
    EXPECT_EQ(Describe(WithText("Для выхода из программы установки и нажмите \"Готово\".")).inParent.top, 88);
    EXPECT_FALSE(IsWindowVisible(WithText("Запустить установленное приложение")));
    EXPECT_TRUE(IsWindowVisible(WithText("Посмотреть Readme")));
}

TEST_F(WizardPages, ShowingTheWizardAgainKeepsTheUsersFolderAndPage) {
    Start(Options{});
    GoTo("folder");
    TypeText(FolderEdit(), "C:\\Другая");
    Settle();
    ShowWindow(wizard_, SW_HIDE);
    Settle();
    ShowWindow(wizard_, SW_SHOW);
    Settle();
    EXPECT_EQ(Describe(FolderEdit()).text, "C:\\Другая");
    EXPECT_EQ(ShownPage(), "folder");
    EXPECT_EQ(HeaderTitle(), "Выберите директорию для инсталяции.");
}

TEST_F(WizardPages, EmptyOrBlankFolderIsRefusedWithAWarningAndThePageStays) {
    Start(Options{});
    GoTo("folder");
    for (const char* folder : {"", "   "}) {
        TypeText(FolderEdit(), folder);
        if (!*folder) PostMessageA(FolderEdit(), WM_CLEAR, 0, 0);
        Settle();
        Click(Next());
        auto box = child_->WaitForMessageBox(kTimeout);
        ASSERT_TRUE(box) << "'" << folder << "'";
        EXPECT_EQ(box->caption, "Ошибка");
        EXPECT_EQ(box->text, "Укажите директорию установки.");
        EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
        EXPECT_EQ(GetWindow(box->window, GW_OWNER), wizard_);
        EXPECT_EQ(MessageBoxIconColor(box->window), IconColor::Yellow);
        PressButton(box->window, IDOK);
        Settle();
        EXPECT_EQ(ShownPage(), "folder");
    }
    TypeText(FolderEdit(), installs_.Path() + "Тест");
    GoTo("ready");
    Press(Back());
    ASSERT_EQ(WaitForPage("folder"), "folder") << "the refused presses did not count as steps";
}

TEST_F(WizardPages, BrowseOpensTheFolderBrowserAndCancellingKeepsTheFolder) {
    Start(Options{});
    GoTo("folder");
    const std::string before = Describe(FolderEdit()).text;
    Click(WithText("Выбрать"));
    HWND browser = WaitForWindow(child_->Id(), [](const WindowState& w) { return w.visible && w.className == "#32770"; },
                                 kTimeout);
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(GetWindow(browser, GW_OWNER), wizard_);
    EXPECT_NE(ChildWithText(browser, "Выберите директорию для инсталяции."), nullptr);
    PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(WaitUntil(browser, [](const WindowState& w) { return !w.visible; }, kTimeout).visible);
    Settle();
    EXPECT_EQ(Describe(FolderEdit()).text, before);
}

TEST_F(WizardPages, YesDuringTheInstallStopsItAtTheNextFileAndEndsWithoutTheFinishPage) {
    constexpr int kFiles = 3000;
    Start(Options{false, false, {}, kFiles});
    GoTo("folder");
    GoTo("ready");
    Click(Next());
    HWND status = At("Static", 64, 212);
    ASSERT_NE(status, nullptr);
    ASSERT_FALSE(WaitUntil(status, [](const WindowState& w) { return !w.text.empty(); }, kTimeout).text.empty());
    Click(Cancel());
    auto box = child_->WaitForMessageBox(kTimeout);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, kCloseText);
    PressButton(box->window, IDNO);
    box = child_->WaitForMessageBox(200);
    Click(Cancel());
    box = child_->WaitForMessageBox(kTimeout);
    ASSERT_TRUE(box) << "the run ended before the second question";
    PressButton(box->window, IDYES);
    EXPECT_EQ(child_->WaitForExit(kTimeout), 0u);
    const std::string files = ListFiles(installs_.Path() + "Тест\\");
    const auto count = files.empty() ? 0 : std::count(files.begin(), files.end(), ' ') + 1;
    EXPECT_GT(count, 0) << "what was written stays";
    EXPECT_LT(count, kFiles - 1);
}

}  // namespace

namespace {

TEST_F(WizardPages, PackagesStartProgramRunsOnceWhenTheWizardFirstShows) {
    const std::string program = programs_ / "welcome.exe";
    WriteFileBytes(program, ReadFileBytes(WindowsPath(RECORD_ARGS)));
    PackageLayout layout = Layout(Options{});
    layout.settings[setting::kRunAtStart] = "1";
    layout.settings[setting::kRunAtStartProgram] = program;
    layout.settings[setting::kRunAtStartParameters] = "--hello world";
    Start(layout);
    const std::string args = program + ".args";
    const DWORD start = GetTickCount();
    while (!FileExists(args) && GetTickCount() - start < static_cast<DWORD>(kTimeout)) Sleep(50);
    Sleep(100);
    ASSERT_TRUE(FileExists(args)) << "the program named by the package started";
    EXPECT_NE(ReadFileBytes(args).find("--hello world"), std::string::npos) << ReadFileBytes(args);

    // Showing the wizard again starts nothing.
    DeleteFileA(args.c_str());
    ShowWindow(wizard_, SW_HIDE);
    Settle();
    ShowWindow(wizard_, SW_SHOW);
    Settle();
    Sleep(1500);
    EXPECT_FALSE(FileExists(args));
}

}  // namespace
