#pragma once
// The splash window SetupProgram: the first form, so the main form whose close ends the program.
// Its timer starts the loading.
#include "toolkit/toolkit.h"

struct SplashRecord {
    Form* SetupProgram = nullptr;
    Timer* SplashTimer = nullptr;
    GradientPanel* Panel = nullptr;
    Label* Text = nullptr;
};

// Builds the visible splash and starts its 500 ms timer, whose ticks go to onTick with context.
SplashRecord& CreateSplashWindow(Application& app, TimerHandler onTick, void* context);
