#pragma once
// One setup program at a time: two would overwrite each other's temporary package copy while one
// of them still reads it.

// True when this is the only setup program of the user's session. The answer holds for the
// process's lifetime; the system releases the claim when the process ends.
bool ClaimSingleInstance();

// Tells the user that a setup program already runs.
void ShowAlreadyRunningMessage();
