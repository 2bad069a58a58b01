#pragma once
// Whether the program runs with the administrator's rights raised (an elevated token): the setup
// program asks it before it starts programs as the user or has a file replaced at the next start,
// the uninstaller before it locks its folder to administrators.
bool RunsElevated();
