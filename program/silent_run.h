#pragma once
// Installing without any window, as administrators do (setup.exe /S): the package's default folder
// or the one given, every shortcut place the package names, nothing started at the start or at the
// end, no restart unless /RESTART allows the package's.
#include "program/command_line.h"

// The process's exit code for a silent run.
enum SilentExitCode {
    kInstalled = 0,
    kPackageDamaged = 1,      // a stored length beyond the file included
    kAlreadyRunning = 2,      // another setup program runs
    kInstallFailed = 3,       // the error's text is in the log
    kBadCommandLine = 4,      // an unknown option, a misplaced or empty value, a log that cannot be created
};

// Installs as the command line says and returns the exit code; errors end the process with theirs.
int RunSilently(const CommandLine& line);
