#include "wizard/first_showing.h"

#include "engine/folders.h"
#include "package/records.h"
#include "package/settings.h"
#include "runtime/integer.h"
#include "wizard/finish_actions.h"
#include "wizard/install_page.h"
#include "wizard/licence_font.h"
#include "wizard/setup_form.h"
#include "wizard/shortcut_boxes.h"
#include "wizard/wizard_texts.h"

namespace {

void Place(CheckBox& box, const ShortcutBox& layout) {
    box.SetVisible(layout.visible);
    box.SetChecked(layout.checked);
    box.SetTop(layout.top);
}

void OfferShortcuts(SetupFormRecord& form, const PackageData& package) {
    std::vector<std::string> places;
    const std::int32_t count = StrToInt(Setting(package, setting::kShortcutCount));
    for (std::int32_t i = 0; i < count; ++i)
        places.push_back(ListLine(package.ShortcutEntries, std::int64_t{i} * kShortcutRecordLines));
    const GroupPageLayout page = OfferShortcutBoxes(places);
    Place(*form.ProgramsCheck, page.programs);
    Place(*form.StartCheck, page.start);
    Place(*form.DesktopCheck, page.desktop);
    Place(*form.TaskbarCheck, page.taskbar);
    form.GroupLabel->SetVisible(page.groupVisible);
    form.GroupEdit->SetVisible(page.groupVisible);
    form.ExtraShortcutsLabel->SetTop(page.extraShortcutsLabelTop);
    form.ShortcutBox->SetTop(page.shortcutPanelTop);
}

}  // namespace

void FillPages(SetupFormRecord& form, PackageData& package) {
    StringList& s = package.MainSettings;
    WizardInstallView view(form);
    if (IsFlagOn(Setting(package, setting::kRunAtStart)))
        LaunchProgram(ExpandPath(Setting(package, setting::kRunAtStartProgram), view),
                      Setting(package, setting::kRunAtStartParameters), false);
    form.SetupForm->SetText(Setting(package, setting::kCaption));
    const PageTexts texts = MakePageTexts(Setting(package, setting::kProgramName));
    form.WelcomeTitle->SetText(texts.welcomeTitle);
    form.WelcomeText->SetText(texts.welcomeText);
    form.FolderText->SetText(texts.folderText);
    form.ProgressText->SetText(texts.progressText);
    form.FinishText->SetText(texts.finishText);
    form.LicenceMemo->SetText(package.LicenceText);
    ApplyLicenceFont(form.LicenceMemo->GetFont(), s);
    // Later readers of the line (the uninstall record among them) see the expanded folder.
    if (s.size() > std::size_t{setting::kInstallFolder}) {
        s[setting::kInstallFolder] = ExpandPath(s[setting::kInstallFolder], view);
        form.FolderEdit->SetText(s[setting::kInstallFolder]);
    }
    form.GroupEdit->SetText(Setting(package, setting::kProgramGroup));
    form.CompanyLabel->SetText(Setting(package, setting::kCompany) + " ");
    form.CompanyLabel->SetVisible(false);
    if (IsFlagOn(Setting(package, setting::kCreateShortcuts))) OfferShortcuts(form, package);
    if (IsFlagOn(Setting(package, setting::kOfferRunApp))) form.RunAppCheck->SetVisible(true);
    if (IsFlagOn(Setting(package, setting::kOfferReadme))) form.ReadmeCheck->SetVisible(true);
}
