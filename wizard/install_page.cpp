#include "wizard/install_page.h"

#include "engine/engine_texts.h"
#include "engine/files_in_use.h"
#include "engine/install_run.h"
#include "program/program.h"
#include "toolkit/message_box.h"
#include "wizard/pages.h"
#include "wizard/setup_form.h"
#include "wizard/setup_form_handlers.h"

std::string WizardInstallView::GetInstallFolder() { return form_.FolderEdit->GetText(); }

void WizardInstallView::SetInstallFolder(const std::string& folder) { form_.FolderEdit->SetText(folder); }

void WizardInstallView::SetStatus(const std::string& text) { form_.StatusLabel->SetText(text); }

bool WizardInstallView::IsPlaceChecked(ShortcutPlace place) {
    switch (place) {
    case kProgramsPlace: return form_.ProgramsCheck->IsChecked();
    case kStartPlace: return form_.StartCheck->IsChecked();
    case kDesktopPlace: return form_.DesktopCheck->IsChecked();
    case kTaskbarPlace: return form_.TaskbarCheck->IsChecked();
    }
    return false;
}

void WizardInstallView::DrawProgressBar(int width) {
    form_.ProgressBar->GetCanvas().DrawRectangle(0, 0, width, 16);
}

void WizardInstallView::ProcessMessages() {
    if (Application* app = CurrentApplication()) ::ProcessMessages(*app);
}

void WizardInstallView::Finish() { NextButtonClick(form_); }

// The user's Yes to the close question, asked by the wizard or by the background window: the
// windows are on their way out, so the run must not touch them again.
bool WizardInstallView::StopRequested() {
    const Application* app = CurrentApplication();
    return form_.StopRequested || !app || app->IsTerminated();
}

FileInUseAnswer WizardInstallView::AnswerFileInUse(const std::string& path, const std::string& program, unsigned) {
    const int answer = ShowMessageBox(form_.SetupForm->GetWindowHandle(), FileInUseQuestion(path, program),
                                      engine_text::kFileInUseCaption, MB_RETRYCANCEL | MB_ICONWARNING);
    return answer == IDRETRY ? FileInUseAnswer::Retry : FileInUseAnswer::Cancel;
}

void WizardInstallView::RunUndone(bool restored) {
    // After the close question the windows are on their way out; after Cancel at a file in use the
    // wizard closes once the user has read this.
    const bool leaving = StopRequested();
    ShowMessageBox(leaving ? nullptr : form_.SetupForm->GetWindowHandle(),
                   restored ? engine_text::kRunUndoneText : engine_text::kRunPartlyUndoneText,
                   engine_text::kRunUndoneCaption, MB_OK | (restored ? MB_ICONINFORMATION : MB_ICONWARNING));
    if (leaving) return;
    form_.StopRequested = true;
    CloseMainForm();
}

void StartInstallPage(SetupFormRecord& form) {
    form.ReadyPage->SetVisible(false);
    form.ProgressPage->SetVisible(true);
    form.NextButton->SetVisible(false);
    form.BackButton->SetVisible(false);
    SetHeader(form, Page::Progress);
    WizardInstallView view(form);
    Installation run{form.TheProgram->package, view, form.Engine};
    RunInstall(run);
    // Nothing after the run: when it was stopped, the wizard's windows may be gone.
}
