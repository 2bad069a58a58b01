#pragma once
// The splash window SetupProgram: the first form, so the main form whose close ends the program.
// Its timer starts the loading, and its record keeps the loaded package for the whole run.
#include "package/package_data.h"
#include "toolkit/toolkit.h"

struct SplashRecord {
    Form* SetupProgram = nullptr;
    Timer* SplashTimer = nullptr;
    GradientPanel* Panel = nullptr;
    Label* Text = nullptr;
    PackageData Package;
};

// Builds the visible splash and starts its 500 ms timer; stores the record in *holder.
void CreateSplashWindow(Application& app, SplashRecord** holder, TimerHandler onTick);
