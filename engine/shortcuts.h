#pragma once
// The package's shortcuts in the places the user left ticked.
#include "engine/installation.h"

// Makes a link for every shortcut record whose place is ticked (the run makes them only when
// kCreateShortcuts is "1") and lists each link saved in CreatedLinks. A place whose folder is
// unknown gets no link, nor does a name or program group that would lead out of the place's folder.
void CreateShortcuts(Installation& run);
