#include "wizard/setup_form_handlers.h"

#include "background/splash_window.h"
#include "package/program.h"
#include "wizard/setup_form.h"
#include "wizard/wizard_texts.h"

namespace {

constexpr std::size_t kCaptionLine = 26;
constexpr std::size_t kProgramNameLine = 28;

// Closing the main form ends the program, whichever window asked.
void EndProgram() {
    if (Application* app = CurrentApplication()) {
        if (Form* main = app->MainForm()) main->Close();
    }
}

}  // namespace

void SetupFormShow(SetupFormRecord& form) {
    // Showing again must not refill the pages: that would lose the user's edits mid-way.
    if (form.PagesFilled) return;
    form.PagesFilled = true;
    if (SplashHolder) {
        const StringList& settings = SplashHolder->Package.MainSettings;
        if (settings.size() > kProgramNameLine) {
            form.SetupForm->SetText(settings[kCaptionLine]);
            const PageTexts texts = MakePageTexts(settings[kProgramNameLine]);
            form.WelcomeTitle->SetText(texts.welcomeTitle);
            form.WelcomeText->SetText(texts.welcomeText);
        }
    }
    form.WizardStep = 0;
}

void SetupFormClose(SetupFormRecord& form, bool& accept) {
    // After the finish page there is nothing left to lose: no question.
    if (form.NextButton->GetText() != kDoneCaption &&
        MessageBoxA(form.SetupForm->GetWindowHandle(), kCloseQuestionText, kCloseQuestionCaption,
                    MB_YESNO | MB_ICONINFORMATION) != IDYES) {
        accept = false;
        return;
    }
    accept = true;
    EndProgram();
}

void NextButtonClick(SetupFormRecord&) {
    // The page changes come with the wizard's pages.
}

void BackButtonClick(SetupFormRecord&) {
    // The page changes come with the wizard's pages.
}

void CancelButtonClick(SetupFormRecord& form) { form.SetupForm->Close(); }

void LicenceRadioClick(SetupFormRecord&) {
    // Enabling Next on acceptance comes with the wizard's pages.
}
