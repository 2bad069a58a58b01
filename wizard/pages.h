#pragma once
// Page changes of the wizard: what each move between two pages shows, hides, moves and re-labels.
#include <string>

#include "package/package_data.h"
#include "wizard/navigation.h"

struct SetupFormRecord;

// The loaded package's settings; empty before loading (a wizard shown without a package).
const StringList& WizardSettings(const SetupFormRecord& form);
// The optional pages, read anew at every press.
bool LicencePageOn(const SetupFormRecord& form);
bool GroupPageOn(const SetupFormRecord& form);

// One change of a Next or Back press, from the page showing to its neighbour.
void ChangePage(SetupFormRecord& form, Page from, Page to);

void SetHeader(SetupFormRecord& form, Page page);
void BuildSummary(SetupFormRecord& form);
void ShowReadyPage(SetupFormRecord& form);
void ShowFinishPage(SetupFormRecord& form);
