#include "wizard/pages.h"

#include "package/records.h"
#include "package/settings.h"
#include "program/program.h"
#include "wizard/install_page.h"
#include "wizard/setup_form.h"
#include "wizard/summary.h"
#include "wizard/wizard_texts.h"

namespace {

// The bottom line is set off from the window's edge between the welcome and the finish page.
constexpr int kInnerBottomLineLeft = 10;

Panel* PagePanel(SetupFormRecord& form, Page page) {
    switch (page) {
    case Page::Welcome: return form.WelcomePage;
    case Page::Licence: return form.LicencePage;
    case Page::Folder: return form.FolderPage;
    case Page::Group: return form.GroupPage;
    case Page::Ready: return form.ReadyPage;
    case Page::Progress: return form.ProgressPage;
    case Page::Finish: return form.FinishPage;
    }
    return nullptr;
}

ShortcutChoice Choice(CheckBox& box) { return {box.GetText(), box.IsChecked(), box.IsVisible()}; }

}  // namespace

const StringList& WizardSettings(const SetupFormRecord& form) { return form.TheProgram->package.MainSettings; }

bool LicencePageOn(const SetupFormRecord& form) { return IsFlagOn(ListLine(WizardSettings(form), setting::kLicenceShow)); }
bool GroupPageOn(const SetupFormRecord& form) { return IsFlagOn(ListLine(WizardSettings(form), setting::kCreateShortcuts)); }

void SetHeader(SetupFormRecord& form, Page page) {
    const HeaderTexts header = PageHeader(page);
    form.HeaderTitle->SetText(header.title);
    form.HeaderText->SetText(header.text);
}

void ChangePage(SetupFormRecord& form, Page from, Page to) {
    form.CurrentPage = to;
    if (to == Page::Progress) {
        StartInstallPage(form);
        return;
    }
    if (to == Page::Finish) {
        ShowFinishPage(form);
        return;
    }
    PagePanel(form, from)->SetVisible(false);
    PagePanel(form, to)->SetVisible(true);
    if (from == Page::Welcome) {
        form.HeaderPanel->SetVisible(true);
        form.HeaderLine->SetVisible(true);
        // Entering the licence page the licence is not yet accepted.
        if (to == Page::Licence) form.NextButton->SetEnabled(false);
        form.CompanyLabel->SetVisible(true);
        form.BottomLine->SetLeft(kInnerBottomLineLeft);
    }
    // The first page after the welcome page never offers Back: the welcome page is not returned to.
    const Page firstPage = LicencePageOn(form) ? Page::Licence : Page::Folder;
    form.BackButton->SetEnabled(to != firstPage);
    if (from == Page::Ready) form.NextButton->SetText(kNextCaption);
    if (to == Page::Ready) {
        ShowReadyPage(form);
    } else {
        SetHeader(form, to);
    }
}

void BuildSummary(SetupFormRecord& form) {
    SummaryChoices choices;
    choices.installFolder = form.FolderEdit->GetText();
    choices.programGroup = form.GroupEdit->GetText();
    choices.groupPage = GroupPageOn(form);
    choices.programs = Choice(*form.ProgramsCheck);
    choices.start = Choice(*form.StartCheck);
    choices.desktop = Choice(*form.DesktopCheck);
    choices.taskbar = Choice(*form.TaskbarCheck);
    form.SummaryMemo->ClearText();
    form.SummaryMemo->SetText(BuildSummaryText(choices));
}

void ShowReadyPage(SetupFormRecord& form) {
    BuildSummary(form);
    SetHeader(form, Page::Ready);
    form.NextButton->SetText(kInstallCaption);
}

void ShowFinishPage(SetupFormRecord& form) {
    form.ProgressPage->SetVisible(false);
    form.FinishPage->SetVisible(true);
    form.CompanyLabel->SetVisible(false);
    form.BottomLine->SetLeft(0);
    if (form.ProgramsCheck->IsChecked() && form.ProgramsCheck->IsVisible()) {
        form.FinishStartMenuLabel->SetVisible(true);
    } else {
        form.FinishExitLabel->SetTop(form.FinishStartMenuLabel->GetTop());
    }
    form.HeaderPanel->SetVisible(false);
    form.HeaderLine->SetVisible(false);
    form.NextButton->SetVisible(true);
    form.NextButton->SetText(kDoneCaption);
    form.CancelButton->SetVisible(false);
}
