#pragma once
// What the wizard window does when it is shown, closed, and its buttons are pressed. Each handler
// receives the window's record.
struct SetupFormRecord;

// First showing: every page filled from the package, and the first step. Later showings change
// nothing.
void SetupFormShow(SetupFormRecord& form);
// The close question; `accept` false keeps the wizard open as it was.
void SetupFormClose(SetupFormRecord& form, bool& accept);
void NextButtonClick(SetupFormRecord& form);
void BackButtonClick(SetupFormRecord& form);
// Asks to close the wizard, which raises the close question.
void CancelButtonClick(SetupFormRecord& form);
// Either licence radio button.
void LicenceRadioClick(SetupFormRecord& form);
// The folder browser; a chosen folder replaces the folder box's text.
void BrowseButtonClick(SetupFormRecord& form);
