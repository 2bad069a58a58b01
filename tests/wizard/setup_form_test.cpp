// The wizard window as it is built, under the system's user32: every control of every page where
// the design puts it, with its text, font and state, and the window's frame, keys and close question.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "package/setting_lines.h"
#include "program/program.h"
#include "tests/support/child_program.h"
#include "tests/support/driver.h"
#include "tests/support/screen.h"
#include "wizard/setup_form.h"

namespace {

constexpr int kAuto = -1;  // sized to its text
constexpr int kNoCheck = -1;

enum class TextFont { None, Normal, Bold, Title, FromPackage };

struct Design {
    const char* name;
    Control* (*control)(SetupFormRecord&);
    Control* (*parent)(SetupFormRecord&);
    int left, top, width, height;
    const char* text;
    bool visible, enabled;
    int check;
    TextFont font;
};

#define CONTROL(name) #name, [](SetupFormRecord& r) -> Control* { return r.name; }
#define ON(name) [](SetupFormRecord& r) -> Control* { return r.name; }

constexpr bool kShown = true, kHidden = false, kEnabled = true, kDisabled = false;
constexpr int kChecked = BST_CHECKED, kUnchecked = BST_UNCHECKED;
constexpr TextFont kNone = TextFont::None, kNormal = TextFont::Normal;

// The window as designed: each page's controls in the order they are made.
const Design kDesign[] = {
    {CONTROL(CompanyLabel), ON(SetupForm), 8, 305, kAuto, kAuto, "Company Name ", kHidden, kDisabled, kNoCheck, kNormal},
    {CONTROL(HeaderPanel), ON(SetupForm), 0, 0, 489, 49, "", kHidden, kEnabled, kNoCheck, kNone},
    {CONTROL(HeaderTitle), ON(HeaderPanel), 61, 7, kAuto, kAuto, "Comment 1", kShown, kEnabled, kNoCheck, TextFont::Bold},
    {CONTROL(HeaderText), ON(HeaderPanel), 61, 25, kAuto, kAuto, "Comment 2", kShown, kEnabled, kNoCheck, kNormal},
    {CONTROL(HeaderIcon), ON(HeaderPanel), 15, 7, 32, 32, "", kShown, kEnabled, kNoCheck, kNone},
    {CONTROL(HeaderLine), ON(SetupForm), 0, 49, 489, 1, "", kHidden, kEnabled, kNoCheck, kNone},
    {CONTROL(NextButton), ON(SetupForm), 400, 326, 81, 24, "Далее ->", kShown, kEnabled, kNoCheck, kNormal},
    {CONTROL(CancelButton), ON(SetupForm), 8, 326, 81, 24, "Отмена", kShown, kEnabled, kNoCheck, kNormal},
    {CONTROL(BackButton), ON(SetupForm), 312, 326, 81, 24, "<- Назад", kShown, kDisabled, kNoCheck, kNormal},
    {CONTROL(BottomLine), ON(SetupForm), 0, 312, 489, 2, "", kShown, kEnabled, kNoCheck, kNone},

    {CONTROL(FinishPage), ON(SetupForm), 0, 0, 489, 312, "", kHidden, kEnabled, kNoCheck, kNone},
    {CONTROL(FinishStartMenuLabel), ON(FinishPage), 152, 72, kAuto, kAuto,
     "Приложение можно запустить через ярлык в стартовом меню.", kHidden, kEnabled, kNoCheck, kNormal},
    {CONTROL(FinishExitLabel), ON(FinishPage), 152, 88, kAuto, kAuto,
     "Для выхода из программы установки и нажмите \"Готово\".", kShown, kEnabled, kNoCheck, kNormal},
    {CONTROL(ReadmeCheck), ON(FinishPage), 152, 168, kAuto, kAuto, "Посмотреть Readme", kHidden, kEnabled, kChecked,
     kNormal},
    {CONTROL(RunAppCheck), ON(FinishPage), 152, 144, kAuto, kAuto, "Запустить установленное приложение", kHidden,
     kEnabled, kChecked, kNormal},
    {CONTROL(FinishSidePanel), ON(FinishPage), 8, 8, 129, 295, "", kShown, kEnabled, kNoCheck, kNone},
    {CONTROL(FinishGradient), ON(FinishSidePanel), 0, 0, 127, 293, "", kShown, kEnabled, kNoCheck, kNone},
    {CONTROL(FinishText), ON(FinishPage), 152, 24, 321, 41, "", kShown, kEnabled, kNoCheck, kNormal},

    {CONTROL(ProgressPage), ON(SetupForm), 0, 48, 492, 264, "", kHidden, kEnabled, kNoCheck, kNone},
    {CONTROL(StatusCaption), ON(ProgressPage), 16, 212, kAuto, kAuto, "Статус:", kShown, kEnabled, kNoCheck, kNormal},
    {CONTROL(StatusLabel), ON(ProgressPage), 64, 212, 408, 14, "", kShown, kEnabled, kNoCheck, kNormal},
    {CONTROL(ProgressBar), ON(ProgressPage), 16, 232, 458, 18, "", kShown, kEnabled, kNoCheck, kNone},
    {CONTROL(ProgressText), ON(ProgressPage), 16, 16, 458, 97, "", kShown, kEnabled, kNoCheck, kNormal},

    {CONTROL(WelcomePage), ON(SetupForm), 0, 0, 489, 312, "", kShown, kEnabled, kNoCheck, kNone},
    {CONTROL(WelcomeLine5), ON(WelcomePage), 152, 216, kAuto, kAuto,
     "Нажмите кнопку \"Далее\" для продолжения, или \"Отмена\" ", kShown, kEnabled, kNoCheck, kNormal},
    {CONTROL(WelcomeLine2), ON(WelcomePage), 152, 152, kAuto, kAuto,
     "другие приложения прежде, чем продолжить инсталяцию.", kShown, kEnabled, kNoCheck, kNormal},
    {CONTROL(WelcomeLine3), ON(WelcomePage), 152, 168, kAuto, kAuto,
     "Это поможет избежать конфликтов в течение процесса", kShown, kEnabled, kNoCheck, kNormal},
    {CONTROL(WelcomeLine4), ON(WelcomePage), 152, 184, kAuto, kAuto, "инсталяции.", kShown, kEnabled, kNoCheck, kNormal},
    {CONTROL(WelcomeLine1), ON(WelcomePage), 152, 136, kAuto, kAuto, "Мы настоятельно рекомендуем, чтобы Вы закрыли все",
     kShown, kEnabled, kNoCheck, kNormal},
    {CONTROL(WelcomeLine6), ON(WelcomePage), 152, 232, kAuto, kAuto, "для выхода.", kShown, kEnabled, kNoCheck, kNormal},
    {CONTROL(WelcomeTitle), ON(WelcomePage), 152, 8, 326, 73, "", kShown, kEnabled, kNoCheck, TextFont::Title},
    {CONTROL(WelcomeSidePanel), ON(WelcomePage), 8, 8, 129, 295, "", kShown, kEnabled, kNoCheck, kNone},
    {CONTROL(WelcomeGradient), ON(WelcomeSidePanel), 0, 0, 127, 293, "", kShown, kEnabled, kNoCheck, kNone},
    {CONTROL(WelcomeText), ON(WelcomePage), 152, 84, 326, 48, "", kShown, kEnabled, kNoCheck, kNormal},

    {CONTROL(FolderPage), ON(SetupForm), 0, 48, 489, 262, "", kHidden, kEnabled, kNoCheck, kNone},
    {CONTROL(FolderLabel), ON(FolderPage), 16, 204, kAuto, kAuto, "Директория установки:", kShown, kEnabled, kNoCheck,
     kNormal},
    {CONTROL(FolderEdit), ON(FolderPage), 16, 224, 457, 22, "", kShown, kEnabled, kNoCheck, kNormal},
    {CONTROL(BrowseButton), ON(FolderPage), 392, 192, 81, 24, "Выбрать", kShown, kEnabled, kNoCheck, kNormal},
    {CONTROL(FolderText), ON(FolderPage), 16, 16, 457, 53, "", kShown, kEnabled, kNoCheck, kNormal},

    {CONTROL(GroupPage), ON(SetupForm), 0, 48, 492, 264, "", kHidden, kEnabled, kNoCheck, kNone},
    {CONTROL(GroupLabel), ON(GroupPage), 16, 22, kAuto, kAuto, "Программная группа:", kShown, kEnabled, kNoCheck, kNormal},
    {CONTROL(ExtraShortcutsLabel), ON(GroupPage), 16, 92, kAuto, kAuto, "Дополнительные ярлыки:", kShown, kEnabled,
     kNoCheck, kNormal},
    {CONTROL(GroupEdit), ON(GroupPage), 16, 40, 457, 22, "", kShown, kEnabled, kNoCheck, kNormal},
    {CONTROL(ShortcutBox), ON(GroupPage), 12, 108, 129, 105, "", kShown, kEnabled, kNoCheck, kNone},
    {CONTROL(TaskbarCheck), ON(ShortcutBox), 8, 80, kAuto, kAuto, "Панель задач", kHidden, kEnabled, kUnchecked, kNormal},
    {CONTROL(DesktopCheck), ON(ShortcutBox), 8, 32, kAuto, kAuto, "Рабочий стол", kHidden, kEnabled, kChecked, kNormal},
    {CONTROL(ProgramsCheck), ON(ShortcutBox), 8, 8, kAuto, kAuto, "Пуск->Программы", kHidden, kEnabled, kChecked,
     kNormal},
    {CONTROL(StartCheck), ON(ShortcutBox), 8, 56, kAuto, kAuto, "Пуск", kHidden, kEnabled, kUnchecked, kNormal},

    {CONTROL(ReadyPage), ON(SetupForm), 0, 48, 492, 264, "", kHidden, kEnabled, kNoCheck, kNone},
    {CONTROL(ReadyLine2), ON(ReadyPage), 16, 32, kAuto, kAuto, "или заново ввести информацию для инсталяции.", kShown,
     kEnabled, kNoCheck, kNormal},
    {CONTROL(ReadyLine1), ON(ReadyPage), 16, 16, kAuto, kAuto,
     "Нажмите кнопку \"Установить\" для начала инсталяции или \"Назад\", чтобы проверить", kShown, kEnabled, kNoCheck,
     kNormal},
    {CONTROL(SummaryMemo), ON(ReadyPage), 16, 56, 456, 190, "", kShown, kEnabled, kNoCheck, kNormal},

    {CONTROL(LicencePage), ON(SetupForm), 0, 50, 492, 262, "", kHidden, kEnabled, kNoCheck, kNone},
    {CONTROL(LicenceMemo), ON(LicencePage), 16, 10, 456, 196, "\r\n", kShown, kEnabled, kNoCheck, TextFont::FromPackage},
    {CONTROL(AcceptRadio), ON(LicencePage), 16, 214, kAuto, kAuto, "Принимаю", kShown, kEnabled, kUnchecked, kNormal},
    {CONTROL(DeclineRadio), ON(LicencePage), 16, 234, kAuto, kAuto, "Не принимаю", kShown, kEnabled, kChecked, kNormal},
};

#undef CONTROL
#undef ON

LOGFONTA ShownFont(HWND window) {
    LOGFONTA font{};
    const auto handle = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    if (handle) GetObjectA(handle, sizeof font, &font);
    return font;
}

// The outer size that fits the text in the font the window shows, as a user would see it fit.
SIZE FittingSize(HWND window, const std::string& text) {
    const HDC dc = GetDC(window);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (_stricmp(name, "Static") == 0) return {extent.cx + 1, extent.cy + 1};
    return {extent.cx + 24, 22};  // check boxes and radio buttons: room for the box, the usual height
}

// Answers the close question from another thread while the test's thread waits in the box.
class QuestionAnswer {
public:
    explicit QuestionAnswer(int button, int waitMs = 5000) : button_(button), waitMs_(waitMs) {
        thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    }
    ~QuestionAnswer() {
        WaitForSingleObject(thread_, 10000);
        CloseHandle(thread_);
    }
    // Valid once the box has been answered.
    const MessageBoxSeen& Seen() {
        WaitForSingleObject(thread_, 10000);
        return seen_;
    }
    HWND owner = nullptr;
    IconColor icon = IconColor::None;

private:
    static DWORD WINAPI Run(LPVOID context) {
        auto* self = static_cast<QuestionAnswer*>(context);
        for (int waited = 0; waited < self->waitMs_ && !self->seen_.window; waited += 20) {
            Sleep(20);
            EnumWindows(Find, reinterpret_cast<LPARAM>(self));
        }
        if (!self->seen_.window) return 0;
        const HWND box = self->seen_.window;
        char text[1024] = {};
        GetWindowTextA(box, text, sizeof text);
        self->seen_.caption = text;
        GetWindowTextA(GetDlgItem(box, 0xFFFF), text, sizeof text);
        self->seen_.text = text;
        self->owner = GetWindow(box, GW_OWNER);
        self->icon = MessageBoxIconColor(box);
        PressButton(box, self->button_);
        return 0;
    }
    static BOOL CALLBACK Find(HWND window, LPARAM context) {
        auto* self = reinterpret_cast<QuestionAnswer*>(context);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char name[32] = {};
        GetClassNameA(window, name, sizeof name);
        if (process == GetCurrentProcessId() && std::string(name) == "#32770" && IsWindowVisible(window)) {
            self->seen_.window = window;
            return FALSE;
        }
        return TRUE;
    }

    int button_;
    int waitMs_;
    HANDLE thread_ = nullptr;
    MessageBoxSeen seen_;
};

class SetupFormTest : public testing::Test {
protected:
    void SetUp() override {
        app_ = &CreateApplication("Setup");
        // The splash window comes first in the program: it is the main form whose close ends the run.
        main_ = &CreateForm(*app_, "SetupProgram");
        main_->SetVisible(false);
        form_ = &CreateSetupForm(*app_, program_);
        StartApplication(*app_);
        Pump();
    }
    void TearDown() override { DestroyApplication(); }
    void Pump() { ProcessMessages(*app_); }
    HWND Window() { return form_->SetupForm->GetWindowHandle(); }
    void ShowWizard() {
        form_->SetupForm->Show();
        Pump();
    }

    Program program_;
    Application* app_ = nullptr;
    Form* main_ = nullptr;
    SetupFormRecord* form_ = nullptr;
};

using SetupFormLayout = SetupFormTest;

TEST_F(SetupFormLayout, EveryControlStartsWhereTheWindowWasDesigned) {
    for (const Design& row : kDesign) {
        SCOPED_TRACE(row.name);
        Control* control = row.control(*form_);
        ASSERT_NE(control, nullptr);
        const WindowState s = Describe(control->GetWindowHandle());
        ASSERT_NE(s.handle, nullptr);
        EXPECT_EQ(GetParent(s.handle), row.parent(*form_)->GetWindowHandle());
        EXPECT_EQ(s.inParent.left, row.left);
        EXPECT_EQ(s.inParent.top, row.top);
        const int width = s.inParent.right - s.inParent.left, height = s.inParent.bottom - s.inParent.top;
        if (row.width == kAuto) {
            const SIZE fit = FittingSize(s.handle, row.text);
            EXPECT_GT(fit.cx, 24);
            EXPECT_EQ(width, fit.cx);
            EXPECT_EQ(height, fit.cy);
        } else {
            EXPECT_EQ(width, row.width);
            EXPECT_EQ(height, row.height);
        }
        EXPECT_EQ(s.text, row.text);
        EXPECT_EQ(s.visible, row.visible);
        EXPECT_EQ(control->IsVisible(), row.visible);
        EXPECT_EQ(s.enabled, row.enabled);
        EXPECT_EQ(s.check, row.check);
    }
}

TEST_F(SetupFormLayout, TheWindowHoldsTheDesignedControlsAndNoOthers) {
    std::vector<HWND> designed;
    for (const Design& row : kDesign) designed.push_back(row.control(*form_)->GetWindowHandle());
    const std::vector<HWND> present = Descendants(Window());
    EXPECT_EQ(present.size(), std::size(kDesign));
    for (HWND window : present) {
        EXPECT_NE(std::find(designed.begin(), designed.end(), window), designed.end())
            << "an undesigned " << Describe(window).className << " \"" << Describe(window).text << "\"";
    }
}

TEST_F(SetupFormLayout, TextsShowInTheWizardsFonts) {
    for (const Design& row : kDesign) {
        if (row.font == TextFont::None || row.font == TextFont::FromPackage) continue;
        SCOPED_TRACE(row.name);
        const LOGFONTA font = ShownFont(row.control(*form_)->GetWindowHandle());
        const bool title = row.font == TextFont::Title;
        EXPECT_EQ(font.lfHeight, title ? 22 : 8);
        EXPECT_STREQ(font.lfFaceName, title ? "Arial" : "MS Sans Serif");
        EXPECT_EQ(font.lfWeight >= FW_BOLD, row.font == TextFont::Bold);
        EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
    }
}

TEST_F(SetupFormLayout, TheWelcomePageFillsTheAreaAboveTheButtonsAndNoOtherPageShows) {
    const WindowState welcome = Describe(form_->WelcomePage->GetWindowHandle());
    const RECT aboveTheButtons{0, 0, 489, 312};
    EXPECT_TRUE(EqualRect(&welcome.inParent, &aboveTheButtons));
    for (Control* page : {static_cast<Control*>(form_->LicencePage), static_cast<Control*>(form_->FolderPage),
                          static_cast<Control*>(form_->GroupPage), static_cast<Control*>(form_->ReadyPage),
                          static_cast<Control*>(form_->ProgressPage), static_cast<Control*>(form_->FinishPage)}) {
        EXPECT_FALSE(page->IsVisible());
    }
    // Showing and hiding a page lays out the window again; the welcome page must stay put.
    form_->FolderPage->SetVisible(true);
    form_->FolderPage->SetVisible(false);
    EXPECT_EQ(form_->WelcomePage->GetBounds(), (Rect{0, 0, 489, 312}));
}

TEST_F(SetupFormLayout, TheLicenceStartsDeclinedAndItsTwoChoicesExcludeEachOther) {
    EXPECT_FALSE(form_->AcceptRadio->IsChecked());
    EXPECT_TRUE(form_->DeclineRadio->IsChecked());
    SendMessageA(form_->AcceptRadio->GetWindowHandle(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_TRUE(form_->AcceptRadio->IsChecked());
    EXPECT_FALSE(form_->DeclineRadio->IsChecked());
}

TEST_F(SetupFormLayout, TheHeaderPictureAndTheWindowIconComeFromTheProgramsResources) {
    const HIMAGELIST list = form_->ImageList->Handle();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(list), 1);
    int width = 0, height = 0;
    ImageList_GetIconSize(list, &width, &height);
    EXPECT_EQ(width, 32);
    EXPECT_EQ(height, 32);
    EXPECT_NE(SendMessageA(Window(), WM_GETICON, ICON_BIG, 0), 0);
}

using SetupFormWindow = SetupFormTest;

TEST_F(SetupFormWindow, IsBuiltHiddenCentredWithAFixedFrameAroundA489By359ClientArea) {
    const WindowState s = Describe(Window());
    EXPECT_EQ(s.text, "SetupForm");
    EXPECT_FALSE(s.visible) << "the window waits for the package to load";
    EXPECT_EQ(s.client.right, 489);
    EXPECT_EQ(s.client.bottom, 359);
    EXPECT_EQ(s.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(s.style & WS_THICKFRAME, 0);
    EXPECT_NE(s.style & WS_SYSMENU, 0) << "the close button stays";
    const int width = s.screen.right - s.screen.left, height = s.screen.bottom - s.screen.top;
    EXPECT_EQ(s.screen.left, (GetSystemMetrics(SM_CXSCREEN) - width) >> 1);
    EXPECT_EQ(s.screen.top, (GetSystemMetrics(SM_CYSCREEN) - height) >> 1);

    // Dragging an edge cannot change the size.
    MINMAXINFO limits{};
    SendMessageA(Window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, width);
    EXPECT_EQ(limits.ptMaxTrackSize.x, width);
    EXPECT_EQ(limits.ptMinTrackSize.y, height);
    EXPECT_EQ(limits.ptMaxTrackSize.y, height);
}

TEST_F(SetupFormWindow, StartsWithAnEmptyInstallStateOnTheFirstStepAndANavyProgressBrush) {
    EXPECT_EQ(form_->Engine.FilesDone, 0);
    EXPECT_EQ(form_->Engine.FilesTotal, 0);
    EXPECT_TRUE(form_->Engine.CreatedLinks.empty());
    EXPECT_EQ(form_->WizardStep, 0);
    EXPECT_EQ(form_->ProgressBar->GetCanvas().GetCanvasBrush().Color(), 0x800000);
}

TEST_F(SetupFormWindow, EnterBelongsToNextAndEscToCancel) {
    EXPECT_EQ(form_->SetupForm->DefaultButton(), form_->NextButton);
    EXPECT_EQ(form_->SetupForm->CancelButton(), form_->CancelButton);
    EXPECT_NE(GetWindowLongA(form_->NextButton->GetWindowHandle(), GWL_STYLE) & BS_DEFPUSHBUTTON, 0)
        << "Next looks like the default button";
}

TEST_F(SetupFormWindow, FirstShowingTitlesTheWindowAndGreetsWithTheProgramNameOnce) {
    StringList& s = program_.package.MainSettings;
    s.assign(setting::kCount, "0");
    s[setting::kLicenceFontName] = "Arial";
    s[setting::kCaption] = "Установка Редактора";
    s[setting::kProgramName] = "Редактор 2.0";
    program_.packageLoaded = true;
    form_->WizardStep = 3;
    ShowWizard();
    EXPECT_EQ(Describe(Window()).text, "Установка Редактора");
    EXPECT_EQ(form_->WelcomeTitle->GetText(), "Добро пожаловать в программу установки Редактор 2.0");
    EXPECT_EQ(form_->WelcomeText->GetText(), "Устанавливается программа \"Редактор 2.0\" на Ваш компьютер.");
    EXPECT_EQ(form_->WizardStep, 0);

    // Shown again later in the run: what the user sees stays as it was.
    form_->WizardStep = 2;
    form_->WelcomeText->SetText("edited");
    form_->SetupForm->Hide();
    ShowWizard();
    EXPECT_EQ(form_->WizardStep, 2);
    EXPECT_EQ(form_->WelcomeText->GetText(), "edited");
}

TEST_F(SetupFormWindow, EscAsksBeforeLeavingAndNoKeepsTheWizardOpen) {
    ShowWizard();
    {
        QuestionAnswer answer(IDNO);
        SetFocus(form_->NextButton->GetWindowHandle());
        Pump();
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessageA(GetFocus(), WM_KEYUP, VK_ESCAPE, 0xC0000001);
        Pump();
        const MessageBoxSeen& seen = answer.Seen();
        ASSERT_NE(seen.window, nullptr) << "no close question";
        EXPECT_EQ(seen.caption, "Прервать инсталяцию");
        EXPECT_EQ(seen.text,
                  "Инсталляция не завершена. Если Вы выйдете, программа не будет\r\nинсталлирована.\r\n\r\n"
                  "Вы можете завершить инсталяцию позже.\r\n\r\nВыйти?");
        EXPECT_EQ(answer.owner, Window());
        EXPECT_EQ(answer.icon, IconColor::Blue) << "the information icon";
    }
    Pump();
    EXPECT_TRUE(IsWindow(Window()));
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_FALSE(app_->IsTerminated()) << "the program must go on";
}

TEST_F(SetupFormWindow, YesToTheCloseQuestionEndsTheProgram) {
    ShowWizard();
    {
        QuestionAnswer answer(IDYES);
        SendMessageA(form_->CancelButton->GetWindowHandle(), BM_CLICK, 0, 0);
        Pump();
        ASSERT_NE(answer.Seen().window, nullptr) << "no close question";
    }
    Pump();
    EXPECT_TRUE(app_->IsTerminated()) << "the program goes on";
}

TEST_F(SetupFormWindow, BrowseOffersTheFolderBrowserAndCancellingLeavesTheFolderAlone) {
    ShowWizard();
    form_->FolderEdit->SetText("C:\\Редактор");
    QuestionAnswer dialog(IDCANCEL, 5000);  // the folder browser is a dialog box
    SendMessageA(form_->BrowseButton->GetWindowHandle(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_NE(dialog.Seen().window, nullptr);
    EXPECT_EQ(dialog.owner, Window());
    EXPECT_EQ(form_->FolderEdit->GetText(), "C:\\Редактор");
}

TEST_F(SetupFormWindow, ClosingAfterTheFinishPageEndsTheProgramWithoutAQuestion) {
    ShowWizard();
    form_->CurrentPage = Page::Finish;
    QuestionAnswer answer(IDNO, 1500);  // would keep the program running, were it asked
    SendMessageA(Window(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(answer.Seen().window, nullptr) << "a question after the finish page";
    EXPECT_TRUE(app_->IsTerminated()) << "the program goes on";
}

}  // namespace
