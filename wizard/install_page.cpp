#include "wizard/install_page.h"

#include "engine/install_run.h"
#include "program/program.h"
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
