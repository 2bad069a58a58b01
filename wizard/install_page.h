#pragma once
// The installing page: the wizard as the install engine sees it, and the hand-over to the run.
#include "engine/install_view.h"

struct SetupFormRecord;

// The engine's view of the wizard window. Holds nothing of its own: every read goes to the controls.
class WizardInstallView final : public InstallView {
public:
    explicit WizardInstallView(SetupFormRecord& form) : form_(form) {}
    std::string GetInstallFolder() override;
    void SetInstallFolder(const std::string& folder) override;
    void SetStatus(const std::string& text) override;
    bool IsPlaceChecked(ShortcutPlace place) override;
    void DrawProgressBar(int width) override;
    void ProcessMessages() override;
    void Finish() override;
    bool StopRequested() override;
    FileInUseAnswer AnswerFileInUse(const std::string& path, const std::string& program, unsigned attempt) override;
    void RunUndone(bool restored) override;

private:
    SetupFormRecord& form_;
};

// Shows the installing page and runs the installation; returns when it has ended or was stopped.
void StartInstallPage(SetupFormRecord& form);
