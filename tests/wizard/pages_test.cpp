// The real setup program walked from outside through its four page sequences, each ending in an
// installation, with what a user relies on checked along the way; and the close question.
#include <gtest/gtest.h>

#include "package/package_writer.h"
#include "package/shifted_text.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/child_program.h"
#include "tests/support/driver.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/screen.h"
#include "tests/support/test_settings.h"

namespace {

constexpr int kTimeout = 20000;
constexpr bool kBack = true;
const char* const kFinishMarker = "Для выхода из программы установки и нажмите \"Готово\".";
const char* const kStartMenuLabel = "Приложение можно запустить через ярлык в стартовом меню.";

// A page is showing when its marker, a text only it has, is on the screen.
const char* const kPages[][2] = {
    {"welcome", "Мы настоятельно рекомендуем, чтобы Вы закрыли все"}, {"licence", "Принимаю"}, {"folder", "Выбрать"},
    {"group", "Дополнительные ярлыки:"}, {"ready", "или заново ввести информацию для инсталяции."},
    {"progress", "Статус:"}, {"finish", kFinishMarker},
};

class WizardPages : public testing::Test {
protected:
    // A package of two files, one in a sub-folder (or more files), with a shortcut record per place.
    PackageLayout Package(bool licence, bool group, const std::vector<std::string>& places = {}, int files = 2) {
        PackageLayout p;
        StringList& s = p.settings = TestSettings();
        std::string licenceText = "Лицензия: пользуйтесь на здоровье.\r\nВторая строка.";
        ShiftText(licenceText);
        s[setting::kLicenceShow] = licence ? "1" : "0", s[setting::kLicenceText] = licenceText;
        s[setting::kCreateShortcuts] = group ? "1" : "0", s[setting::kInstallFolder] = Folder();
        for (const auto& place : places) p.shortcuts.push_back({place, "Тест", "f0.txt", "", "", ""});
        for (int i = 0; i < files; ++i) {
            const std::string name = i == 1 ? "sub\\b.txt" : "f" + std::to_string(i) + ".txt";
            p.files.push_back({name, static_cast<std::int64_t>(name.size())});
            payload_ += name;
        }
        return p;
    }
    // Starts the setup program and waits for the wizard's welcome page.
    void Start(const PackageLayout& package) {
        WriteSetupProgram(program_, ComposePackage(TextLines(package), payload_));
        child_.emplace(program_, temp_.Path());
        const auto wizard = [](const WindowState& w) { return w.visible && w.text == kTestCaption; };
        ASSERT_NE(wizard_ = WaitForWindow(child_->Id(), wizard, kTimeout), nullptr);
        ASSERT_EQ(WaitForPage("welcome"), "welcome");
    }
    std::string Folder() { return installs_.Path() + "Тест"; }

    HWND Find(const std::function<bool(const WindowState&)>& match) {
        for (HWND w : Descendants(wizard_))
            if (match(Describe(w))) return w;
        return nullptr;
    }
    HWND WithText(const std::string& text) { return Find([&](const WindowState& w) { return w.text == text; }); }
    bool Shows(const std::string& text) { return IsWindowVisible(WithText(text)); }
    // Controls found by their place in their parent (the pages keep them where they were built).
    HWND At(const char* className, int left, int top) {
        return Find([&](const WindowState& w) {
            return _stricmp(w.className.c_str(), className) == 0 && w.inParent.left == left && w.inParent.top == top;
        });
    }
    HWND Next() { return At("Button", 400, 326); }
    HWND Back() { return At("Button", 312, 326); }
    HWND FolderEdit() { return At("Edit", 16, 224); }
    std::string Header() { return Describe(At("Static", 61, 7)).text; }
    std::string Summary() { return Describe(At("Edit", 16, 56)).text; }

    // The pages showing (by their markers, joined by "+"), after waiting for the one expected.
    std::string WaitForPage(const std::string& expected) {
        std::string shown;
        for (DWORD start = GetTickCount(); shown != expected && GetTickCount() - start < DWORD{kTimeout}; Sleep(20)) {
            shown.clear();
            for (const auto& page : kPages)
                if (Shows(page[1])) shown += (shown.empty() ? "" : "+") + std::string(page[0]);
        }
        return shown;
    }
    // Lets the program handle what was posted so far.
    void Settle() { SendMessageTimeoutA(wizard_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr); }
    void Press(HWND button) { Click(button), Settle(); }
    // Presses Next (or Back) and waits for the page it leads to.
    void GoTo(const std::string& page, bool back = false) {
        Press(back ? Back() : Next());
        ASSERT_EQ(WaitForPage(page), page);
    }
    // The next message box as a user sees it: caption, text, buttons, owner and icon.
    std::string Box(int timeoutMs = kTimeout) {
        box_ = child_->WaitForMessageBox(timeoutMs);
        if (!box_) return "none";
        std::string seen = box_->caption + "|" + box_->text + "|";
        for (int id : box_->buttons) seen += id == IDOK ? "OK " : id == IDYES ? "Yes " : id == IDNO ? "No " : "? ";
        const char* icons[] = {"no icon", "error", "information", "warning"};
        return seen + (GetWindow(box_->window, GW_OWNER) == wizard_ ? "|wizard's|" : "|not the wizard's|") +
               icons[static_cast<int>(MessageBoxIconColor(box_->window))];
    }
    // Answers the box and waits until it has gone.
    void Answer(int button) {
        PressButton(box_->window, button);
        WaitUntil(box_->window, [](const WindowState& w) { return !w.visible; }, kTimeout);
        Settle();
    }
    // From the ready page: installs, shows the finish page, and "Готово" ends the program.
    void InstallIntoThePackagesFolder() {
        GoTo("ready");
        GoTo("finish");
        EXPECT_EQ(Describe(Next()).text, "Готово");
        EXPECT_TRUE(FileExists(Folder() + "\\f0.txt"));
        EXPECT_EQ(ReadFileBytes(Folder() + "\\sub\\b.txt"), "sub\\b.txt");
        Click(Next());
        EXPECT_EQ(child_->WaitForExit(kTimeout), 0u);
    }

    ScratchFolder programs_, temp_, installs_;
    std::string program_ = programs_ / "setup.exe";
    std::string payload_;
    std::optional<ChildProgram> child_;
    std::optional<MessageBoxSeen> box_;
    HWND wizard_ = nullptr;
};

// The package's start program runs once, when the wizard first shows; showing the wizard again
// keeps the user's folder and page. A missing folder is refused and does not count as a step.
TEST_F(WizardPages, WelcomeFolderReadyInstallFinishIntoTheFolderTheUserChose) {
    const std::string starter = programs_ / "welcome.exe", startedWith = starter + ".args";
    WriteFileBytes(starter, ReadFileBytes(WindowsPath(RECORD_ARGS)));
    PackageLayout package = Package(false, false);
    package.settings[setting::kRunAtStart] = package.settings[setting::kOfferRunApp] = "1";
    package.settings[setting::kRunAtStartProgram] = starter;
    package.settings[setting::kRunAtStartParameters] = "--hello world";
    Start(package);
    const WindowState window = Describe(wizard_);
    EXPECT_EQ(std::pair(window.client.right, window.client.bottom), std::pair(489L, 359L));
    EXPECT_EQ(window.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0) << "the size is fixed";
    EXPECT_NE(window.style & WS_SYSMENU, 0) << "the close button stays";
    EXPECT_EQ(window.screen.left, (GetSystemMetrics(SM_CXSCREEN) - window.screen.right + window.screen.left) >> 1);
    EXPECT_EQ(window.screen.top, (GetSystemMetrics(SM_CYSCREEN) - window.screen.bottom + window.screen.top) >> 1);
    EXPECT_EQ(Descendants(wizard_).size(), 56u) << "the designed controls and no others";
    EXPECT_TRUE(Shows("Добро пожаловать в программу установки Тест"));
    for (const DWORD start = GetTickCount(); !FileExists(startedWith) && GetTickCount() - start < DWORD{kTimeout};)
        Sleep(50);
    Sleep(100);
    EXPECT_NE(ReadFileBytes(startedWith).find("--hello world"), std::string::npos) << "the start program ran";
    DeleteFileA(startedWith.c_str());

    PressKey(wizard_, VK_RETURN);
    ASSERT_EQ(WaitForPage("folder"), "folder") << "Enter presses Next";
    EXPECT_EQ(Header(), "Выберите директорию для инсталяции.");
    EXPECT_TRUE(Shows("Rodev ")) << "the company shows from the second page";
    EXPECT_FALSE(Describe(Back()).enabled) << "the welcome page cannot be returned to";
    for (const char* blank : {"", "   "}) {
        TypeText(FolderEdit(), blank);
        if (!*blank) PostMessageA(FolderEdit(), WM_CLEAR, 0, 0);
        Settle();
        Click(Next());
        ASSERT_EQ(Box(), "Ошибка|Укажите директорию установки.|OK |wizard's|warning") << "'" << blank << "'";
        Answer(IDOK);
    }
    const std::string folder = installs_.Path() + "Мой";
    TypeText(FolderEdit(), folder);
    for (int show : {SW_HIDE, SW_SHOW}) Settle(), ShowWindow(wizard_, show);
    Settle();
    EXPECT_EQ(Describe(FolderEdit()).text, folder) << "showing the wizard again keeps the folder";
    EXPECT_EQ(WaitForPage("folder"), "folder");

    Click(WithText("Выбрать"));
    ASSERT_NE(Box(), "none") << "the folder browser";
    EXPECT_EQ(GetWindow(box_->window, GW_OWNER), wizard_);
    EXPECT_NE(ChildWithText(box_->window, "Выберите директорию для инсталяции."), nullptr);
    Answer(IDCANCEL);
    EXPECT_EQ(Describe(FolderEdit()).text, folder) << "cancelling the browser keeps the folder";

    GoTo("ready");
    EXPECT_EQ(Summary(), "Директория установки:\r\n    " + folder + "\r\n\r\n");
    EXPECT_EQ(Describe(Next()).text, "Установить");
    GoTo("finish");
    EXPECT_EQ(ReadFileBytes(folder + "\\sub\\b.txt"), "sub\\b.txt");
    EXPECT_FALSE(FileExists(Folder() + "\\f0.txt")) << "nothing goes to the package's folder";
    EXPECT_TRUE(Shows("Установка программы \"Тест\" успешно завершена."));
    EXPECT_FALSE(IsWindowVisible(Back()) || Shows("Отмена"));
    EXPECT_FALSE(Shows(kStartMenuLabel)) << "no Programs shortcut was made";
    EXPECT_TRUE(Shows("Запустить установленное приложение"));
    PressKey(wizard_, VK_ESCAPE);
    EXPECT_EQ(Box(1000), "none") << "Esc on the finish page asks nothing";
    PostMessageA(wizard_, WM_CLOSE, 0, 0);
    EXPECT_EQ(child_->WaitForExit(kTimeout), 0u) << "the title bar's close ends it without a question";
    EXPECT_FALSE(FileExists(startedWith)) << "the start program ran only at the first showing";
}

TEST_F(WizardPages, WelcomeLicenceFolderReadyInstallFinishOnceTheLicenceIsAccepted) {
    Start(Package(true, false));
    GoTo("licence");
    EXPECT_EQ(Header(), "Прочитайте лицензионное соглашение.");
    EXPECT_EQ(Describe(At("Edit", 16, 10)).text, "Лицензия: пользуйтесь на здоровье.\r\nВторая строка.");
    EXPECT_FALSE(Describe(Next()).enabled) << "the licence starts declined";
    PressKey(wizard_, VK_RETURN);
    Settle();
    EXPECT_EQ(WaitForPage("licence"), "licence") << "Enter does nothing before the licence is accepted";
    Press(WithText("Принимаю"));
    EXPECT_TRUE(Describe(Next()).enabled);
    Press(WithText("Не принимаю"));
    EXPECT_FALSE(Describe(Next()).enabled);
    Press(WithText("Принимаю"));
    GoTo("folder");
    GoTo("licence", kBack);
    EXPECT_EQ(Describe(WithText("Принимаю")).check, BST_CHECKED) << "the licence stays accepted after Back";
    GoTo("folder");
    InstallIntoThePackagesFolder();
}

// The summary lists the group and the ticked offered shortcuts as they are when the ready page shows.
TEST_F(WizardPages, WelcomeFolderGroupReadyInstallFinishMakesTheTickedShortcuts) {
    ScratchFolder programsFolder;  // the Programs shortcut goes here rather than into the Start menu
    ShellFolderOverride programs("Programs");
    programs.Set(programsFolder.Path());
    PackageLayout package = Package(false, true, {"Пуск->Программы", "Пуск"});
    package.settings[setting::kOfferReadme] = "1";
    Start(package);
    GoTo("folder");
    GoTo("group");
    EXPECT_EQ(Header(), "Выберите программную группу и дополнительные ярлыки.");
    Press(WithText("Пуск"));  // unticks it: no shortcut in the test machine's Start menu
    GoTo("ready");
    GoTo("group", kBack);
    TypeText(At("Edit", 16, 40), "Другая группа");
    GoTo("ready");
    EXPECT_EQ(Summary(), "Директория установки:\r\n    " + Folder() + "\r\n\r\nПрограммная группа:\r\n    Другая группа"
                         "\r\n\r\nЯрлыки программы:\r\n    Пуск->Программы\r\n");
    GoTo("finish");
    EXPECT_TRUE(FileExists(programsFolder / "Rodev\\Тест\\Тест.lnk")) << ListFiles(programsFolder.Path());
    EXPECT_TRUE(Shows(kStartMenuLabel));
    EXPECT_EQ(Describe(WithText(kFinishMarker)).inParent.top, 88);
    ASSERT_TRUE(Shows("Посмотреть Readme"));
    Press(WithText("Посмотреть Readme"));  // unticked: nothing opens
    Click(Next());
    EXPECT_EQ(child_->WaitForExit(kTimeout), 0u);
}

// With only the desktop offered, the group line goes and the shortcut box moves up into its place.
TEST_F(WizardPages, WelcomeLicenceFolderGroupReadyInstallFinishWithOnlyTheDesktopOffered) {
    Start(Package(true, true, {"Рабочий стол"}));
    GoTo("licence");
    Press(WithText("Принимаю"));
    GoTo("folder");
    GoTo("group");
    EXPECT_FALSE(Shows("Программная группа:") || Shows("Пуск->Программы"));
    const WindowState desktop = Describe(WithText("Рабочий стол"));
    EXPECT_TRUE(desktop.visible && desktop.inParent.top == 8 && Describe(GetParent(desktop.handle)).inParent.top == 40);
    Press(desktop.handle);  // unticks it: no shortcut on the test machine's desktop
    GoTo("folder", kBack);
    EXPECT_TRUE(Describe(Back()).enabled) << "the licence page lies before the folder page";
    GoTo("group");
    InstallIntoThePackagesFolder();
}

// Esc or Cancel asks, in a box the wizard owns. No keeps the page and the installation going; Yes
// stops the installation at its next file, ends with 0 and removes the package copy.
TEST_F(WizardPages, CloseQuestionNoKeepsThePageAndTheRunYesStopsTheInstallAndEnds) {
    constexpr int kFiles = 3000;
    const std::string question = "Прервать инсталяцию|Инсталляция не завершена. Если Вы выйдете, программа не будет"
                                 "\r\nинсталлирована.\r\n\r\nВы можете завершить инсталяцию позже.\r\n\r\nВыйти?|"
                                 "Yes No |wizard's|information";
    Start(Package(false, false, {}, kFiles));
    const std::string copy = temp_.Path() + "QORT\\Tmp_Data.tmp";
    EXPECT_TRUE(FileExists(copy));
    GoTo("folder");
    GoTo("ready");
    Click(Next());
    HWND status = At("Static", 64, 212);
    ASSERT_FALSE(WaitUntil(status, [](const WindowState& w) { return !w.text.empty(); }, kTimeout).text.empty());
    PressKey(wizard_, VK_ESCAPE);
    ASSERT_EQ(Box(), question);
    Answer(IDNO);
    EXPECT_EQ(WaitForPage("progress"), "progress") << "No keeps the page";
    Click(WithText("Отмена"));
    ASSERT_EQ(Box(), question) << "the installation went on after No";
    PressButton(box_->window, IDYES);
    EXPECT_EQ(child_->WaitForExit(kTimeout), 0u);
    EXPECT_FALSE(FileExists(copy));
    EXPECT_TRUE(FileExists(Folder() + "\\f0.txt")) << "what was written stays";
    EXPECT_FALSE(FileExists(Folder() + "\\f" + std::to_string(kFiles - 1) + ".txt")) << "the installation stopped";
}

}  // namespace
