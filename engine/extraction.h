#pragma once
// Copying the package's files from the temporary package copy into the install folder.
#include "engine/installation.h"

// Writes every file record in package order, sets its attributes, and reports each file on the
// status line and the progress bar. Returns early, between files, when the user asked to stop.
void ExtractFiles(Installation& run);

// Draws the bar for the files done so far.
void DrawProgress(InstallView& view, const InstallState& state);
