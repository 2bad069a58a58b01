// The real setup program walked from outside through its page sequences, each ending in an
// installation, with what a user relies on checked along the way; and the close question. (The
// order of every sequence, licence without group page too, is navigation_test.cpp's table.)
#include <gtest/gtest.h>

#include <array>
#include <cstdio>

#include "engine/folders.h"
#include "engine/uninstall_record.h"
#include "package/package_writer.h"
#include "runtime/unicode.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/child_program.h"
#include "tools/window_driver.h"
#include "tests/support/scratch_folder.h"
#include "tools/screen_capture.h"
#include "tests/support/test_settings.h"

namespace {

const std::string kUndoneText = "Установка прервана. Всё, что она изменила, возвращено как было.";
const char* const kFinishMarker = "Для выхода из программы установки и нажмите \"Готово\".";

// A page is showing when its marker, a text only it has, is on the screen.
const char* const kPages[][2] = {
    {"welcome", "Мы настоятельно рекомендуем, чтобы Вы закрыли все"}, {"licence", "Принимаю"}, {"folder", "Выбрать"},
    {"group", "Дополнительные ярлыки:"}, {"ready", "или заново ввести информацию для инсталяции."},
    {"progress", "Статус:"}, {"finish", kFinishMarker},
};

class WizardPages : public testing::Test {
protected:
    // A package of two files, one in a sub-folder, each holding its name, with a shortcut record per place.
    PackageLayout Package(bool licence, bool group, const std::vector<std::string>& places = {}) {
        PackageLayout p;
        StringList& s = p.settings = TestSettings();
        s[setting::kLicenceShow] = licence ? "1" : "0", s[setting::kCreateShortcuts] = group ? "1" : "0";
        s[setting::kLicenceText] = StoredLicenceText("Лицензия: пользуйтесь на здоровье.\r\nВторая строка.");
        s[setting::kInstallFolder] = Folder();
        for (const auto& place : places) p.shortcuts.push_back({place, "Тест", "f0.txt", "", "", ""});
        p.files = {{"f0.txt", 6}, {"sub\\b.txt", 9}};
        payload_ = "f0.txtsub\\b.txt";
        return p;
    }
    // Starts the setup program (already written when no package is given) and waits for the
    // wizard's welcome page.
    void Start(const std::optional<PackageLayout>& package, const std::string& arguments = {}) {
        if (package) WriteSetupProgram(program_, ComposePackage(TextLines(*package), payload_));
        child_.emplace(program_, temp_.Path(), arguments);
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
    void Settle() { SendMessageTimeoutW(wizard_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr); }
    // A click handled before it returns (a posted click may still wait behind the settling message);
    // one that opens a box or runs the install returns after a second.
    void Press(HWND button) { SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, 1000, nullptr), Settle(); }
    // Presses Next (or the button given) and waits for the page it leads to.
    void GoTo(const std::string& page, HWND button = nullptr) {
        Press(button ? button : Next());
        ASSERT_EQ(WaitForPage(page), page);
    }
    // The next message box as a user sees it: caption, text, buttons, owner and icon.
    std::string Box() {
        box_ = child_->WaitForMessageBox(kTimeout);
        if (!box_) return "none";
        std::string seen = box_->caption + "|" + box_->text + "|";
        for (int id : box_->buttons)
            seen += id == IDOK ? "OK " : id == IDYES ? "Yes " : id == IDNO ? "No " : id == IDRETRY ? "Retry " : id == IDCANCEL ? "Cancel " : "? ";
        const char* icons[] = {"no icon", "error", "information", "warning"};
        return seen + (GetWindow(box_->window, GW_OWNER) == wizard_ ? "|wizard's|" : "|not the wizard's|") +
               icons[static_cast<int>(MessageBoxIconColor(box_->window))];
    }
    // Answers the box and waits until it has gone.
    void Answer(int button) {
        PressButton(box_->window, button);
        WaitUntil(box_->window, [](const WindowState& w) { return !w.visible; }, kTimeout);
    }

    ScratchFolder programs_, temp_, installs_;
    std::string program_ = programs_ / "setup.exe";
    std::string payload_;
    std::optional<ChildProgram> child_;
    std::optional<MessageBoxSeen> box_;
    HWND wizard_ = nullptr;
};

// The package's start program runs when the wizard first shows; showing the wizard again fills
// nothing anew, keeping the user's folder and page. A blank folder is refused and is not a step.
TEST_F(WizardPages, WelcomeFolderReadyInstallFinishIntoTheFolderTheUserChose) {
    const std::string starter = programs_ / "welcome.exe";
    WriteFileBytes(starter, ReadFileBytes(WindowsPath(RECORD_ARGS)));
    PackageLayout package = Package(false, false);
    package.settings[setting::kRunAtStart] = package.settings[setting::kOfferRunApp] = "1";
    package.settings[setting::kRunAtStartProgram] = starter;
    package.settings[setting::kRunAtStartParameters] = "--hello world";
    Start(package);
    const WindowState window = Describe(wizard_);
    EXPECT_EQ(std::pair(window.client.right, window.client.bottom), std::pair(489L, 359L));
    EXPECT_EQ(window.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_SYSMENU), WS_SYSMENU)
        << "a fixed size, and the close button";
    EXPECT_EQ(window.screen.left, (GetSystemMetrics(SM_CXSCREEN) - window.screen.right + window.screen.left) >> 1)
        << "centred";
    EXPECT_EQ(Descendants(wizard_).size(), 56u) << "the designed controls and no others";
    EXPECT_TRUE(Shows("Добро пожаловать в программу установки Тест"));
    EXPECT_NE(RecordedArguments(starter, kTimeout).find("--hello world"), std::string::npos) << "the start program ran";

    PressKey(wizard_, VK_RETURN);
    ASSERT_EQ(WaitForPage("folder"), "folder") << "Enter presses Next";
    EXPECT_EQ(Describe(At("Static", 61, 7)).text, "Выберите директорию для инсталяции.");
    EXPECT_TRUE(Shows("Rodev ")) << "the company shows from the second page";
    EXPECT_FALSE(Describe(Back()).enabled) << "the welcome page cannot be returned to";
    TypeText(FolderEdit(), "   ");
    Press(Next());
    ASSERT_EQ(Box(), "Ошибка|Укажите директорию установки.|OK |wizard's|warning") << "a blank folder";
    Answer(IDOK);
    const std::string folder = installs_.Path() + "Мой";
    TypeText(FolderEdit(), folder);
    for (int show : {SW_HIDE, SW_SHOW}) Settle(), ShowWindow(wizard_, show);
    Settle();
    EXPECT_EQ(WaitForPage("folder"), "folder") << "showing the wizard again keeps the page";
    EXPECT_EQ(Describe(FolderEdit()).text, folder) << "and the folder typed";

    Click(WithText("Выбрать"));
    ASSERT_NE(Box().find("|wizard's|"), std::string::npos) << "the folder browser, owned by the wizard";
    EXPECT_NE(ChildWithText(box_->window, "Выберите директорию для инсталяции."), nullptr);
    Answer(IDCANCEL);
    EXPECT_EQ(Describe(FolderEdit()).text, folder) << "cancelling the browser keeps the folder";

    GoTo("ready");
    EXPECT_EQ(Describe(Next()).text, "Установить");
    GoTo("finish");
    EXPECT_EQ(ReadFileBytes(folder + "\\sub\\b.txt"), "sub\\b.txt");
    EXPECT_TRUE(Shows("Установка программы \"Тест\" успешно завершена."));
    EXPECT_FALSE(IsWindowVisible(Back()) || Shows("Отмена"));
    EXPECT_EQ(Describe(WithText(kFinishMarker)).inParent.top, 72) << "no Programs shortcut: the exit line moves up";
    EXPECT_TRUE(Shows("Запустить установленное приложение"));
    PostMessageW(wizard_, WM_CLOSE, 0, 0);
    EXPECT_EQ(child_->WaitForExit(kTimeout), 0u) << "the title bar's close ends it without a question";
}

// With only the desktop offered, the group line goes and the shortcut box moves up into its place.
// (The walk on to the end, and "Готово", are the other walks'.)
TEST_F(WizardPages, WelcomeLicenceFolderGroupOnceTheLicenceIsAccepted) {
    Start(Package(true, true, {"Рабочий стол"}));
    GoTo("licence");
    EXPECT_EQ(Describe(At("Static", 61, 7)).text, "Прочитайте лицензионное соглашение.");
    EXPECT_EQ(Describe(At("Edit", 16, 10)).text, "Лицензия: пользуйтесь на здоровье.\r\nВторая строка.");
    EXPECT_FALSE(Describe(Next()).enabled) << "the licence starts declined";
    PressKey(wizard_, VK_RETURN), Settle();
    EXPECT_EQ(WaitForPage("licence"), "licence") << "Enter does nothing before the licence is accepted";
    Press(WithText("Принимаю"));
    EXPECT_TRUE(Describe(Next()).enabled);
    Press(WithText("Не принимаю"));
    EXPECT_FALSE(Describe(Next()).enabled);
    Press(WithText("Принимаю"));
    GoTo("folder");
    GoTo("licence", Back());
    EXPECT_EQ(Describe(WithText("Принимаю")).check, BST_CHECKED) << "the licence stays accepted after Back";
    GoTo("folder");
    GoTo("group");
    EXPECT_FALSE(Shows("Программная группа:") || Shows("Пуск->Программы"));
    EXPECT_EQ(Describe(WithText("Рабочий стол")).inParent.top, 8) << "the desktop box takes the first place";
}

// The summary lists the group and the ticked offered shortcuts as they are when the ready page shows.
// The package's first program keeps the setup program's rights; its last one, started by "Готово",
// is handed to the desktop's shell to run as the user, and the log (/LOG=) says so.
TEST_F(WizardPages, WelcomeFolderGroupReadyInstallFinishMakesTheTickedShortcuts) {
    ScratchFolder programsFolder;  // the Programs shortcut goes here rather than into the Start menu
    const ShellFolderOverride programs("Programs", programsFolder.Path());
    const std::string starter = programs_ / "starter.exe", log = programs_ / "setup.log";
    WriteFileBytes(starter, ReadFileBytes(WindowsPath(RECORD_ARGS)));
    PackageLayout package = Package(false, true, {"Пуск->Программы", "Пуск"});
    StringList& s = package.settings;
    s[setting::kRunAtStart] = s[setting::kRunAtEnd] = "1";
    s[setting::kRunAtStartProgram] = s[setting::kRunAtEndProgram] = starter;
    Start(package, "/LOG=" + log);
    EXPECT_NE(RecordedArguments(starter, kTimeout), "") << "the first program ran";
    GoTo("folder");
    GoTo("group");
    Press(WithText("Пуск"));  // unticks it: no shortcut in the test machine's Start menu
    GoTo("ready");
    GoTo("group", Back());
    TypeText(At("Edit", 16, 40), "Другая группа");
    GoTo("ready");
    EXPECT_EQ(Describe(At("Edit", 16, 56)).text, "Директория установки:\r\n    " + Folder() +
                                                     "\r\n\r\nПрограммная группа:\r\n    Другая группа\r\n\r\n"
                                                     "Ярлыки программы:\r\n    Пуск->Программы\r\n");
    GoTo("finish");
    EXPECT_TRUE(FileExists(programsFolder / "Rodev\\Тест\\Тест.lnk")) << ListFiles(programsFolder.Path());
    EXPECT_TRUE(Shows("Приложение можно запустить через ярлык в стартовом меню."));
    EXPECT_EQ(Describe(WithText(kFinishMarker)).inParent.top, 88);
    EXPECT_EQ(Describe(Next()).text, "Готово");
    Click(Next());
    EXPECT_EQ(child_->WaitForExit(kTimeout), 0u) << "\"Готово\" ends the program";
    EXPECT_NE(RecordedArguments(starter, kTimeout), "") << "the last program ran";
    EXPECT_EQ(ReadFileBytes(log), "\xEF\xBB\xBF" + starter + ": запущено программой установки\r\n" + starter +
                                      ": запущено от имени пользователя\r\n");
}

// The size of a file being written, -1 while there is none.
std::int64_t SizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) return -1;
    return static_cast<std::int64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

// Esc or Cancel asks, in a box the wizard owns, also while a file of 512 MiB is being written. No
// keeps the page and the installation going; Yes stops it inside the file, which goes, ends with 0
// and removes the package copy. The file before stays.
TEST_F(WizardPages, CloseQuestionNoKeepsThePageAndTheRunYesStopsTheInstallAndEnds) {
    constexpr std::int64_t kBig = std::int64_t{512} << 20;
    const std::string question = "Прервать инсталяцию|Инсталляция не завершена. Если Вы выйдете, программа не будет"
                                 "\r\nинсталлирована.\r\n\r\nВы можете завершить инсталяцию позже.\r\n\r\nВыйти?|"
                                 "Yes No |wizard's|information";
    PackageLayout package = Package(false, false);
    package.files.push_back({"big.bin", kBig});
    // The setup program is written in pieces: a test process cannot hold the package at once.
    const std::string text = ComposeTextBlock(TextLines(package)) + payload_;
    WriteSetupProgram(program_, text);
    std::FILE* out = std::fopen(program_.c_str(), "ab");
    const std::string piece(1 << 20, 'b');
    for (std::int64_t left = kBig; left > 0; left -= piece.size()) std::fwrite(piece.data(), 1, piece.size(), out);
    const std::string trailer = LengthTrailer(static_cast<std::int32_t>(text.size() + kBig + 4));
    std::fwrite(trailer.data(), 1, 4, out), std::fclose(out);
    Start(std::nullopt);
    const std::string copy = temp_.Path() + "QORT\\Tmp_Data.tmp", big = Folder() + "\\big.bin";
    EXPECT_TRUE(FileExists(copy));
    GoTo("folder");
    GoTo("ready");
    // While the file is written the program answers only every few dozen milliseconds: the
    // controls are found now, and the run is watched through the file.
    const HWND cancel = WithText("Отмена"), status = WithText("Статус:");
    Click(Next());
    WaitFor([&] { return SizeOf(big) > 0; }, kTimeout);
    PressKey(wizard_, VK_ESCAPE);
    ASSERT_EQ(Box(), question);
    const std::int64_t asked = SizeOf(big);
    EXPECT_LT(asked, kBig) << "asked while the file is being written";
    Answer(IDNO);
    EXPECT_TRUE(IsWindowVisible(status)) << "No keeps the page";
    EXPECT_TRUE(WaitFor([&] { return SizeOf(big) > asked; }, kTimeout)) << "the installation went on after No";
    Click(cancel);
    ASSERT_EQ(Box(), question);
    PressButton(box_->window, IDYES);
    EXPECT_EQ(Box(), "Установка прервана|" + kUndoneText + "|OK |not the wizard's|information");
    Answer(IDOK);
    EXPECT_EQ(child_->WaitForExit(kTimeout), 0u);
    EXPECT_FALSE(FileExists(copy));
    EXPECT_EQ(DescribeTree(installs_.Path()), "") << "what was written goes, the file stopped half-way too";
}

// Version 2 through the wizard while version 1's program runs from its folder: the question names
// the file. Cancel puts everything back as it was; Retry once the program has ended installs all
// of version 2.
TEST_F(WizardPages, UpdateWhileTheProgramRunsAsksCancelPutsBackRetryCompletes) {
    wchar_t system[MAX_PATH];
    const std::string app = ReadFileBytes(Utf8(std::wstring_view(system, GetSystemDirectoryW(system, MAX_PATH))) + "\\notepad.exe");
    const std::string entry = "RodevTest-" + std::to_string(GetCurrentProcessId()), app2 = app + "2";
    ScratchKey key(HKEY_CURRENT_USER, "Software\\");
    const auto version = [&](const std::string& v, const std::string& a, const std::string& program, bool b) {
        PackageLayout p = Package(false, false);
        StringList& s = p.settings;
        s[setting::kWriteRegistry] = s[setting::kWriteUninstall] = "1", s[setting::kUninstallName] = entry;
        p.registry = {{"HKEY_CURRENT_USER", key.Path(), "Версия", v, "String"}};
        p.files = {{"a.txt", 2}, {"big.bin", 1 << 20}, {"app.exe", static_cast<std::int64_t>(program.size())}};
        payload_ = a + std::string(1 << 20, v[0]) + program;
        if (b) p.files.push_back({"b.txt", 1}), payload_ += "b";
        return p;
    };
    WriteSetupProgram(program_, ComposePackage(TextLines(version("1", "a1", app, true)), payload_));
    EXPECT_EQ(ChildProgram(program_, temp_.Path(), "/S").WaitForExit(kTimeout), 0u);
    WriteFileBytes(Folder() + "\\user.txt", "mine");
    const auto snapshot = [&] {
        return DescribeTree(Folder() + "\\") + ReadRegValue(HKEY_CURRENT_USER, key.Path(), "Версия").value_or(RegValue{}).data +
               ReadRegValue(HKEY_LOCAL_MACHINE, UninstallKeyPath(entry), "DisplayName").value_or(RegValue{}).data;
    };
    const std::string before = snapshot();
    std::optional<ChildProgram> running(std::in_place, Folder() + "\\app.exe", temp_.Path());
    ASSERT_TRUE(WaitForWindow(running->Id(), [](const WindowState& w) { return w.visible; }, kTimeout));
    const PackageLayout update = version("2", "a2", app2, false);
    for (const int answer : {IDCANCEL, IDRETRY}) {
        Start(update);
        GoTo("folder");
        GoTo("ready");
        Click(Next());
        EXPECT_EQ(Box(), "Файл используется|Файл\r\n" + Folder() + "\\app.exe\r\nиспользуется другой программой.\r\n\r\n"
                         "Закройте её и повторите попытку, или отмените установку: всё, что она изменила, будет "
                         "возвращено.|Retry Cancel |wizard's|warning");
        if (answer == IDRETRY) running.reset();
        Answer(answer);
        if (answer == IDCANCEL) {
            EXPECT_EQ(Box(), "Установка прервана|" + kUndoneText + "|OK |wizard's|information");
            Answer(IDOK);
            EXPECT_EQ(child_->WaitForExit(kTimeout), 0u);
            EXPECT_EQ(snapshot(), before);
        }
    }
    ASSERT_EQ(WaitForPage("finish"), "finish");
    Press(Next());
    EXPECT_EQ(child_->WaitForExit(kTimeout), 0u);
    EXPECT_EQ(ReadFileBytes(Folder() + "\\app.exe") + ReadFileBytes(Folder() + "\\a.txt"), app2 + "a2");
    EXPECT_EQ(ListFiles(Folder() + "\\"), "Uninstall.ini a.txt app.exe b.txt big.bin user.txt");
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, Wide(UninstallKeyPath(entry)).c_str());
}

// Faults met while installing, through the real program: the error box says what failed and that
// everything was put back, the program ends with 1 and removes the package copy, the file it could
// not finish and the files written before. The full and
// the read-only disk are small file systems that small_disks.sh mounts where the machine allows.
TEST_F(WizardPages, FaultsWhileInstallingEndInTheirErrorBoxPuttingBackTheFilesBefore) {
    const std::string blocked = installs_ / "Занято", disks = getenv("SETUP_SMALL_DISKS") ? getenv("SETUP_SMALL_DISKS") : "";
    CreateFolderPath(blocked + "\\sub\\b.txt\\");
    // Install folder, what is in its way, and the box's kind and message.
    std::vector<std::array<std::string, 3>> faults = {
        {blocked, "FileCreateError", "Cannot create file " + blocked + "\\sub\\b.txt"},  // a folder where a file goes
        {"Q:\\Тест", "FileCreateError", "Cannot create file Q:\\Тест\\f0.txt"}};        // a drive that does not exist
    if (disks.empty()) std::printf("[  NOTE    ] no small file systems: this machine does not let tests mount them\n");
    else faults.push_back({disks + "full\\Тест", "StreamError", "Stream write error"}),
         faults.push_back({disks + "read-only\\Тест", "FileCreateError", "Cannot create file " + disks + "read-only\\Тест\\f0.txt"});
    for (const auto& [folder, kind, message] : faults) {
        SCOPED_TRACE(folder);
        PackageLayout package = Package(false, false);
        package.files.push_back({"big.bin", 2 << 20});  // larger than the full disk
        payload_ += std::string(2 << 20, 'b');
        package.settings[setting::kInstallFolder] = folder;
        Start(package);
        GoTo("folder");
        GoTo("ready");
        Click(Next());
        const std::string seen = Box();
        ASSERT_EQ(seen.substr(0, 18), "Application Error|");
        EXPECT_TRUE(seen.ends_with("|OK |not the wizard's|error")) << seen;
        EXPECT_EQ(box_->text.rfind("Exception " + kind + " in module setup.exe at ", 0), 0u) << box_->text;
        EXPECT_EQ(box_->text.substr(box_->text.find(".\r\n") + 3), message + "\r\n\r\n" + kUndoneText);
        PressButton(box_->window, IDOK);
        EXPECT_EQ(child_->WaitForExit(kTimeout), 1u);
        EXPECT_EQ(ListFiles(temp_.Path()), "") << "the package copy goes";
        EXPECT_EQ(ListFiles(folder), "") << "no file is left, cut short or whole";
    }
}

}  // namespace
