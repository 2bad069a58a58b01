// The wizard window in-process, under the system's user32: what the real program cannot show from
// outside (pages_test.cpp drives that): the fonts of its texts, and what the finish page's last
// press starts and asks, with stand-in programs in the install folder and the restart replaced.
#include <gtest/gtest.h>

#include "runtime/platform.h"

#include <commctrl.h>
#include <exdisp.h>
#include <shlobj.h>

#include "engine/folders.h"
#include "package/setting_lines.h"
#include "program/program.h"
#include "program/silent_log.h"
#include "runtime/unicode.h"
#include "tests/support/child_program.h"
#include "tools/window_driver.h"
#include "tests/support/scratch_folder.h"
#include "wizard/finish_actions.h"
#include "wizard/setup_form.h"
#include "wizard/setup_form_handlers.h"

namespace {

std::vector<unsigned> g_restarts;
int g_answer = IDYES;
std::string g_question;  // caption and text of the message box answered
std::wstring g_chosen;   // the folder the browser is answered with
const char* const kRestartQuestion = "Установка Тест|Необходимо перезагрузить компьютер. Зделать это сейчас?";

// Chooses g_chosen in the folder browser and presses OK once the browser's tree shows it chosen:
// Wine's browser now and then leaves a folder chosen at its start unselected, so the choice is
// made again each tick until it holds (at most 50 ticks).
void CALLBACK ChooseFolder(HWND browser, UINT, UINT_PTR timer, DWORD) {
    static int ticks = 0;
    SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(g_chosen.c_str()));
    const HWND tree = FindWindowExW(browser, nullptr, WC_TREEVIEWW, nullptr);
    wchar_t name[MAX_PATH] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT, item.hItem = TreeView_GetSelection(tree), item.pszText = name, item.cchTextMax = MAX_PATH;
    const bool chosen = item.hItem && SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) && g_chosen.ends_with(L"\\" + std::wstring(name));
    if (!chosen && ++ticks < 50) return;
    ticks = 0;
    KillTimer(browser, timer);
    PostMessageW(browser, WM_COMMAND, IDOK, 0);
}

// Answers a dialog of this thread, inside its own modal loop, once it is made: the folder browser
// with g_chosen, a message box with g_answer, keeping its caption and text in g_question.
LRESULT CALLBACK AnswerDialog(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    wchar_t caption[256] = {}, text[512] = {};
    if (code == HC_ACTION && call->message == WM_INITDIALOG) {
        if (FindWindowExW(call->hwnd, nullptr, WC_TREEVIEWW, nullptr)) {
            SetTimer(call->hwnd, 1, 100, ChooseFolder);
        } else {
            GetWindowTextW(call->hwnd, caption, 256);
            GetDlgItemTextW(call->hwnd, 0xFFFF, text, 512);
            g_question = Utf8(caption) + "|" + Utf8(text);
            PostMessageW(call->hwnd, WM_COMMAND, MAKEWPARAM(g_answer, BN_CLICKED), 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class SetupForm : public testing::Test {
protected:
    void SetUp() override {
        SetRestartRequest([](unsigned flags) { return g_restarts.push_back(flags), true; });
        settings_.assign(setting::kCount, "0");
        settings_[setting::kProgramName] = "Тест";
        program_.packageLoaded = true;
        form_ = &CreateSetupForm(CreateApplication("Setup"), program_);
        form_->SetupForm->Show();  // the first showing fills the pages; later ones keep what is set here
        form_->CurrentPage = Page::Finish;  // the wizard's own close then asks nothing
        form_->FolderEdit->SetText(folder_.Path());
        for (const char* name : {"app.exe", "readme.exe"})
            WriteFileBytes(folder_ / name, ReadFileBytes(WindowsPath(RECORD_ARGS)));
    }
    void TearDown() override { DestroyApplication(), SetRestartRequest(nullptr); }
    Program program_;
    StringList& settings_ = program_.package.MainSettings;
    SetupFormRecord* form_ = nullptr;
    ScratchFolder folder_;
};

// MS Sans Serif 8 everywhere but in the welcome title (Arial 22), the bold header title and the
// licence (the package's font); Cyrillic letters on a Windows of any language.
TEST_F(SetupForm, ShowsEveryTextInTheWizardsFonts) {
    for (HWND control : Descendants(form_->SetupForm->GetWindowHandle())) {
        const WindowState c = Describe(control);
        if (c.text.empty() || control == form_->LicenceMemo->GetWindowHandle()) continue;
        SCOPED_TRACE(c.className + " \"" + c.text + "\"");
        LOGFONTW font{};
        ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font));
        const bool title = control == form_->WelcomeTitle->GetWindowHandle();
        EXPECT_EQ(font.lfHeight, title ? 22 : 8);
        EXPECT_STREQ(font.lfFaceName, title ? L"Arial" : L"MS Sans Serif");
        EXPECT_EQ(font.lfCharSet, RUSSIAN_CHARSET);
        EXPECT_EQ(font.lfWeight >= FW_BOLD, control == form_->HeaderTitle->GetWindowHandle());
    }
}

// One press of "Готово" per row. Both boxes start ticked whether offered or not: only the offered
// and ticked ones count. The package's own program starts through the shell when it is a file, else
// as a command line. The restart is asked when the package says so, and on Yes requested ordinarily
// for "1", else forced. An elevated setup program (as every program under Wine) has the desktop's
// shell start what it opens, so that it runs as the user; where that shell cannot be reached (here:
// no COM on the thread) it starts it itself. The log says which way each went.
TEST_F(SetupForm, FinishPressStartsTheOfferedTickedChoicesAndThePackagesProgramAndAsksToRestart) {
    settings_[setting::kRunApp] = "app.exe", settings_[setting::kReadme] = "readme.exe";
    settings_[setting::kRunAtEndParameters] = "one two";
    const std::string log = folder_ / "setup.log", app = folder_ / "app.exe", readme = folder_ / "readme.exe";
    const std::string asUser = ": запущено от имени пользователя\r\n", bySetup = ": запущено программой установки\r\n";
    const struct {
        bool appOffered, readmeTicked;  // the readme box is offered
        const char *atEnd, *askRestart, *ordinary;
        int answer;
        std::string app, readme;  // a part of what the stand-ins recorded; "" when none may start
        std::vector<unsigned> restarts;
        bool shell;               // the desktop's shell can be reached
        std::string logged;
    } rows[] = {
        {true, true, "", "1", "1", IDYES, "app.exe", "readme.exe", {EWX_REBOOT}, true, app + asUser + readme + asUser},
        {false, false, "", "0", "1", IDYES, "", "", {}, true, ""},
        {false, false, "%ProgDr%\\app.exe", "1", "0", IDYES, "one two", "", {EWX_REBOOT | EWX_FORCE}, true,
         app + asUser},
        {false, false, "%ProgDr%\\app", "1", "", IDYES, folder_ / "app one two", "", {EWX_REBOOT | EWX_FORCE}, true,
         folder_ / "app one two" + bySetup},  // a command line: the shell opens files only
        {false, true, "", "1", "1", IDNO, "", "readme.exe", {}, false,
         readme + ": запущено программой установки, рабочий стол недоступен\r\n"},
        // Not a full path: never looked for in the current folder, though a program of the name is there.
        {false, false, "app.exe", "0", "", IDYES, "", "", {}, true, ""},
    };
    CoInitialize(nullptr);
    IUnknown* shellLinks = nullptr;
    ASSERT_EQ(CoGetClassObject(CLSID_ShellLink, CLSCTX_INPROC_SERVER, nullptr, IID_IUnknown,
                               reinterpret_cast<void**>(&shellLinks)), S_OK);
    wchar_t started[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, started);
    SetCurrentDirectoryW(Wide(folder_.Path()).c_str());
    for (const auto& row : rows) {
        settings_[setting::kRunAtEnd] = *row.atEnd ? "1" : "0", settings_[setting::kRunAtEndProgram] = row.atEnd;
        settings_[setting::kAskRestart] = row.askRestart, settings_[setting::kRestartOrdinary] = row.ordinary;
        form_->RunAppCheck->SetVisible(row.appOffered);
        form_->ReadmeCheck->SetVisible(true);
        form_->ReadmeCheck->SetChecked(row.readmeTicked);
        form_->SetupForm->Show();
        g_restarts.clear(), g_question.clear(), g_answer = row.answer;
        const HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, AnswerDialog, nullptr, GetCurrentThreadId());
        ASSERT_TRUE(OpenSilentLog(log));
        // Where the shell cannot be reached, the shell link's class stands in for the shell's windows.
        DWORD standIn = 0;
        if (!row.shell)
            CoRegisterClassObject(CLSID_ShellWindows, shellLinks, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &standIn);
        FinishActions(*form_);
        if (!row.shell) CoRevokeClassObject(standIn);
        CloseSilentLog();
        UnhookWindowsHookEx(hook);
        EXPECT_FALSE(form_->SetupForm->IsVisible()) << "the wizard hides before anything starts";
        EXPECT_EQ(g_question, *row.askRestart == '1' ? kRestartQuestion : "") << row.answer;
        EXPECT_EQ(g_restarts, row.restarts) << row.atEnd << ", restart " << row.askRestart << row.ordinary;
        for (const auto& [name, part] : {std::pair{"app.exe", row.app}, std::pair{"readme.exe", row.readme}}) {
            const std::string line = RecordedArguments(folder_ / name, part.empty() ? 1500 : 10000);
            EXPECT_TRUE(part.empty() ? line.empty() : line.find(part) != line.npos) << name << ": " << line;
        }
        EXPECT_EQ(ReadFileBytes(log), "\xEF\xBB\xBF" + row.logged) << row.atEnd;
    }
    SetCurrentDirectoryW(started);
    shellLinks->Release(), CoUninitialize();
}

// The folder chosen in the browser reaches the folder box whole, whatever letters its name has.
TEST_F(SetupForm, FolderChosenInTheBrowserFillsTheFolderBoxIntact) {
    const std::string chosen = folder_ / "Программы Müller\\Проверка";
    ASSERT_TRUE(CreateFolderPath(chosen));
    g_chosen = Wide(chosen);
    const HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, AnswerDialog, nullptr, GetCurrentThreadId());
    BrowseButtonClick(*form_);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(form_->FolderEdit->GetText(), chosen);
}

}  // namespace
