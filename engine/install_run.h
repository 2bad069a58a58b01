#pragma once
// The whole installation once the user has confirmed it: files, registry values, shortcuts and the
// uninstall record, with status texts, then the temporary package copy is deleted and the wizard
// moves to its finish page. A stop (the user leaving, or cancelling at a file in use) puts back
// everything the run changed and tells the view; an error ends the run where it happens, and the
// program's failure handler puts everything back (UndoActiveRun) before it reports it.
#include "engine/installation.h"

void RunInstall(Installation& run);
