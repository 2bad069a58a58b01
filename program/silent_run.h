#pragma once
// Installing without any window, as administrators do (setup.exe /S): the package's default folder
// or the one given, every shortcut place the package names, nothing started at the start or at the
// end, no restart unless /RESTART allows the package's. A file held by another program is waited
// for, then replaced at the next start where the run may ask for that (elevated), else the run is
// undone. An error undoes the run too.
#include "program/command_line.h"

// The process's exit code for a silent run.
enum SilentExitCode {
    kInstalled = 0,
    kPackageDamaged = 1,      // a stored length beyond the file included
    kAlreadyRunning = 2,      // another setup program runs
    kInstallFailed = 3,       // the error's text is in the log
    kBadCommandLine = 4,      // an unknown option, a misplaced or empty value, a log that cannot be created
    kFileStayedInUse = 5,     // a file stayed in use and could not be replaced: everything was put back
    kRestartRequired = 3010,  // installed; files in use are replaced when the computer next starts
};

// Installs as the command line says and returns the exit code; errors end the process with theirs.
int RunSilently(const CommandLine& line);
