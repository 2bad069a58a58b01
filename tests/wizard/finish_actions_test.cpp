// The finish page's last press: what it starts, the restart question, and the closing.
#include "wizard/finish_actions.h"

#include <gtest/gtest.h>


#include "package/setting_lines.h"
#include "program/program.h"
#include "tests/support/scratch_folder.h"
#include "wizard/setup_form.h"

namespace {

std::vector<unsigned> g_restarts;
bool RecordRestart(unsigned flags) {
    g_restarts.push_back(flags);
    return true;
}

class Finish : public testing::Test {
protected:
    void SetUp() override {
        g_restarts.clear();
        SetRestartRequest(RecordRestart);
        program_.package.MainSettings = StringList(setting::kCount, "0");
        program_.packageLoaded = true;
        Application& app = CreateApplication("Setup");
        form_ = &CreateSetupForm(app, program_);
        form_->SetupForm->GetWindowHandle();
        // As on the finish page: the wizard's own close then asks nothing.
        form_->CurrentPage = Page::Finish;
        form_->FolderEdit->SetText(folder_.Path());
        const std::string program = ReadFileBytes(WindowsPath(RECORD_ARGS));
        WriteFileBytes(folder_ / "app.exe", program);
        WriteFileBytes(folder_ / "readme.exe", program);
    }
    void TearDown() override {
        DestroyApplication();
        SetRestartRequest(nullptr);
    }
    std::string& Setting(setting::Line line) { return program_.package.MainSettings[line]; }
    // The command line a started stand-in recorded, or "" if none started in time.
    std::string Started(const std::string& name, int timeoutMs = 10000) {
        const std::string args = folder_ / (name + ".args");
        const DWORD start = GetTickCount();
        while (!FileExists(args) && GetTickCount() - start < static_cast<DWORD>(timeoutMs)) Sleep(50);
        Sleep(100);
        return FileExists(args) ? ReadFileBytes(args) : "";
    }
    // Answers the next message box of this thread as a user would, keeping its texts: a hook
    // sees the box once it has its texts, inside its own modal loop.
    void AnswerRestartQuestion(int answer) {
        g_answer = answer;
        g_caption.clear();
        g_text.clear();
        hook_ = SetWindowsHookExA(WH_CALLWNDPROCRET, AnswerBox, nullptr, GetCurrentThreadId());
    }
    void Join() {
        if (hook_) UnhookWindowsHookEx(hook_);
        hook_ = nullptr;
        seenCaption_ = g_caption;
        seenText_ = g_text;
    }
    static LRESULT CALLBACK AnswerBox(int code, WPARAM wParam, LPARAM lParam) {
        const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && call->message == WM_INITDIALOG) {
            const HWND box = call->hwnd;
            char name[16] = {}, caption[256] = {}, text[512] = {};
            GetClassNameA(box, name, sizeof name);
            if (std::string(name) == "#32770") {
                GetWindowTextA(box, caption, sizeof caption);
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                g_caption = caption;
                g_text = text;
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(g_answer, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(box, g_answer)));
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline int g_answer = IDYES;
    static inline std::string g_caption, g_text;
    HHOOK hook_ = nullptr;

    Program program_;
    SetupFormRecord* form_ = nullptr;
    ScratchFolder folder_;
    std::string seenCaption_, seenText_;
};

TEST_F(Finish, OfferedAndTickedChoicesOpenTheInstalledProgramAndTheReadme) {
    Setting(setting::kRunApp) = "app.exe";
    Setting(setting::kReadme) = "readme.exe";
    form_->RunAppCheck->SetVisible(true);
    form_->ReadmeCheck->SetVisible(true);
    FinishActions(*form_);
    EXPECT_NE(Started("app.exe").find("app.exe"), std::string::npos);
    EXPECT_NE(Started("readme.exe").find("readme.exe"), std::string::npos);
    EXPECT_FALSE(form_->SetupForm->IsVisible()) << "the wizard hides before anything starts";
}

TEST_F(Finish, ChoicesNotOfferedOrUntickedStartNothing) {
    Setting(setting::kRunApp) = "app.exe";
    Setting(setting::kReadme) = "readme.exe";
    // RunAppCheck starts ticked but was never offered; ReadmeCheck was offered and unticked.
    form_->ReadmeCheck->SetVisible(true);
    form_->ReadmeCheck->SetChecked(false);
    FinishActions(*form_);
    EXPECT_EQ(Started("app.exe", 1500), "");
    EXPECT_EQ(Started("readme.exe", 100), "");
}

TEST_F(Finish, PackageProgramStartsThroughTheShellWhenItExists) {
    Setting(setting::kRunAtEnd) = "1";
    Setting(setting::kRunAtEndProgram) = "%ProgDr%\\app.exe";
    Setting(setting::kRunAtEndParameters) = "one two";
    FinishActions(*form_);
    const std::string line = Started("app.exe");
    EXPECT_NE(line.find("app.exe"), std::string::npos) << line;
    EXPECT_NE(line.find("one two"), std::string::npos) << line;
}

TEST_F(Finish, PackageProgramThatIsNoFileIsRunAsACommandLineWithItsParameters) {
    Setting(setting::kRunAtEnd) = "1";
    Setting(setting::kRunAtEndProgram) = "%ProgDr%\\app";  // no such file: the system finds app.exe itself
    Setting(setting::kRunAtEndParameters) = "one two";
    FinishActions(*form_);
    EXPECT_EQ(Started("app.exe"), folder_ / "app one two");
}

TEST_F(Finish, RestartIsAskedAndRequestedOrdinaryOrForced) {
    Setting(setting::kProgramName) = "Тест";
    Setting(setting::kAskRestart) = "1";
    struct Row {
        const char* kind;
        unsigned flags;
    } rows[] = {{"1", EWX_REBOOT}, {"0", EWX_REBOOT | EWX_FORCE}, {"", EWX_REBOOT | EWX_FORCE}};
    for (const Row& row : rows) {
        g_restarts.clear();
        Setting(setting::kRestartOrdinary) = row.kind;
        AnswerRestartQuestion(IDYES);
        FinishActions(*form_);
        Join();
        EXPECT_EQ(seenCaption_, "Установка Тест");
        EXPECT_EQ(seenText_, "Необходимо перезагрузить компьютер. Зделать это сейчас?");
        EXPECT_EQ(g_restarts, std::vector<unsigned>{row.flags}) << "'" << row.kind << "'";
    }
}

TEST_F(Finish, NoToTheRestartQuestionOrNoQuestionMeansNoRestart) {
    Setting(setting::kAskRestart) = "1";
    Setting(setting::kRestartOrdinary) = "1";
    AnswerRestartQuestion(IDNO);
    FinishActions(*form_);
    Join();
    EXPECT_FALSE(seenText_.empty());
    EXPECT_TRUE(g_restarts.empty());

    Setting(setting::kAskRestart) = "0";
    FinishActions(*form_);
    EXPECT_TRUE(g_restarts.empty());
}

}  // namespace
