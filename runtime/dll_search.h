#pragma once
// The setup program and the uninstaller run as administrator, started from a download folder or
// an install folder where anyone may have put a DLL named like a system one. Both restrict the DLL
// search to the system folder as their first statement; their imports are the system's known DLLs,
// which always come from the system folder, and every other DLL is loaded at run time through
// LoadSystemLibrary.
#include <string>

#include "runtime/platform.h"

// From here on DLLs, and the DLLs they import, load from the system folder only.
void RestrictDllSearch();

// The system's DLL of that name ("comctl32.dll"), never one beside the program or in the current
// folder; nullptr when it cannot be loaded.
HMODULE LoadSystemLibrary(const char* name);

// The system folder, without a final "\"; empty when the system does not say.
std::string SystemFolder();
