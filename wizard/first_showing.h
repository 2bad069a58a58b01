#pragma once
// The wizard's pages filled from the package when the window is first shown.
#include "package/package_data.h"

struct SetupFormRecord;

// Starts the package's first program, fills every page's texts, the licence and its font, the
// install folder (expanding its kInstallFolder line in place), the group, the offered check boxes.
void FillPages(SetupFormRecord& form, PackageData& package);
