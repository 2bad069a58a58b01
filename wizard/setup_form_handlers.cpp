#include "wizard/setup_form_handlers.h"

#include "package/loader_texts.h"
#include "program/program.h"
#include "toolkit/message_box.h"
#include "wizard/close_question.h"
#include "wizard/finish_actions.h"
#include "wizard/first_showing.h"
#include "wizard/pages.h"
#include "wizard/setup_form.h"
#include "wizard/wizard_texts.h"

namespace {

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

// Leaving the folder page with no folder would install into the root of a drive.
bool FolderMissing(SetupFormRecord& form) {
    if (!IsBlank(form.FolderEdit->GetText())) return false;
    ShowMessageBox(form.SetupForm->GetWindowHandle(), kEmptyFolderText, kErrorCaption, MB_OK | MB_ICONWARNING);
    return true;
}

}  // namespace

void SetupFormShow(SetupFormRecord& form) {
    // Showing again must not refill the pages: that would lose the user's edits mid-way.
    if (form.PagesFilled) return;
    form.PagesFilled = true;
    if (form.TheProgram->packageLoaded) FillPages(form, form.TheProgram->package);
    form.WizardStep = 0;
}

void SetupFormClose(SetupFormRecord& form, bool& accept) {
    accept = AgreesToLeave(&form, form.SetupForm->GetWindowHandle());
    if (!accept) return;
    form.StopRequested = true;
    CloseMainForm();
}

void NextButtonClick(SetupFormRecord& form) {
    const Navigation move =
        NextNavigation(static_cast<std::uint8_t>(form.WizardStep + 1), LicencePageOn(form), GroupPageOn(form));
    if (move.action == PageAction::Change && move.from == Page::Folder && FolderMissing(form)) return;
    ++form.WizardStep;
    if (move.action == PageAction::Change) ChangePage(form, move.from, move.to);
    else if (move.action == PageAction::FinishActions) FinishActions(form);
}

void BackButtonClick(SetupFormRecord& form) {
    --form.WizardStep;
    const Navigation move = BackNavigation(form.WizardStep, LicencePageOn(form), GroupPageOn(form));
    if (move.action == PageAction::Change) ChangePage(form, move.from, move.to);
}

void CancelButtonClick(SetupFormRecord& form) { form.SetupForm->Close(); }

void LicenceRadioClick(SetupFormRecord& form) { form.NextButton->SetEnabled(form.AcceptRadio->IsChecked()); }
