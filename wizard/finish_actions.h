#pragma once
// The finish page's "Готово": hide the windows, start what the user and the package asked for,
// offer the restart, and close the wizard. Also the program launcher the first showing uses.
#include <string>

#include "package/package_data.h"

struct SetupFormRecord;

// Starts a program without waiting for it: through the shell ("open") when the path exists as a
// file or folder, else WinExec of path + " " + parameters. Failures are silent; a path that is not
// full ("C:\..." or "\\server\...") starts nothing. asTheUser: an elevated setup program has the
// desktop's shell open the file, so that it runs as the user who is logged on. The log (/LOG=)
// gets a line for each start, saying which way it went.
void LaunchProgram(const std::string& path, const std::string& parameters, bool asTheUser);

// The last step of every page sequence.
void FinishActions(SetupFormRecord& form);

// Asks the system to restart, enabling the shutdown privilege first on NT. True when accepted.
bool RestartWindows(unsigned flags);

// Restarts the way the package asks: ordinarily when kRestartOrdinary is "1", else forced.
bool RestartAsThePackageAsks(const StringList& settings);

// Where the restart request goes. Tests replace it so that the session they run in stays up.
using RestartRequest = bool (*)(unsigned flags);
void SetRestartRequest(RestartRequest request);
