#pragma once
// Starting a program or document as the user who is logged on while the setup program runs as
// administrator: the desktop's shell, which runs as that user, opens it for us, so it gets the
// user's rights and not ours.
#include <string>

#include "runtime/platform.h"

// Has the desktop's shell open the file by its full path ("open", shown normally, no working
// folder). S_OK: the shell started it; S_FALSE: the shell reached could not open it; a failure: the
// desktop's shell could not be reached (no shell, or any step of the way refused).
HRESULT OpenThroughDesktop(const std::string& file, const std::string& parameters);
