#pragma once
// A program cannot delete its own file while it runs, so the uninstaller started from the install
// folder hands the work to a copy of itself and waits for the copy's result; once it has ended, the
// copy removes the uninstaller's file and the folder. The copy lies alone in a new folder of the
// temporary folder, under a random name, which only administrators may change when the uninstaller
// runs as one, and runs in the system folder: no DLL or program put there beforehand is near it.
#include <cstdint>
#include <optional>
#include <string>

// Starts the copy as `COPY "FOLDER" [/S] /P<channel>` and returns the exit code the copy reports,
// or nothing when no copy could be made or started.
std::optional<int> HandOverToCopy(const std::string& installFolder, bool quiet);

// The copy's side: sends the exit code to the waiting program, which then ends. Only the first
// call sends anything.
void TellStarter(std::uintptr_t channel, int exitCode);

// The copy's file and then its folder go at the next restart (where the system lets us ask for that).
void ForgetCopy();
