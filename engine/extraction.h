#pragma once
// Copying the package's files from the temporary package copy into the install folder.
#include "engine/installation.h"

// Writes every file record in package order, sets its attributes, and reports the files on the
// status line and the progress bar as often as a person can see them, the last always. Returns
// early when the user asked to stop; a file stopped half-way is removed.
void ExtractFiles(Installation& run);

// Draws the bar for the files done so far.
void DrawProgress(InstallView& view, const InstallState& state);
