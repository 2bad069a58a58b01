#pragma once
// The whole installation once the user has confirmed it: files, registry values, shortcuts and the
// uninstall record, with status texts, then the temporary package copy is deleted and the wizard
// moves to its finish page. Errors are not caught: they end the run where they happen.
#include "engine/installation.h"

void RunInstall(Installation& run);
