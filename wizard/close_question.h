#pragma once
// The one close question of the wizard and of the background window.
#include "runtime/platform.h"

struct SetupFormRecord;

// Asks over the owner window whether to leave the unfinished installation; true when the program
// is to end. Once the wizard shows its finish page there is nothing left to lose: no question.
// Without a wizard the question is always asked.
bool AgreesToLeave(const SetupFormRecord* wizard, HWND owner);
